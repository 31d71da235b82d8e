#pragma once

// Support of the formula tests: a fake history and a one-call evaluation.
//
// FakeWayHistory: a small three-digit history, its statistics
// computed plainly from the draws:
// - view v holds value (d - v) mod 10 for a drawn digit d, so that view
//   value j stands for the view-0 number (j + v) mod 10 (Data);
// - Stat kinds 5 and 6 are the miss (draws since the value was last
//   drawn), every other kind the count over all earlier draws; rank order is
//   by statistic, then by value, smallest first;
// - indicator 1 is the sum, indicator 0 the number of distinct values, any
//   other indicator k is k itself;
// - a value has a cycle at a position once drawn there twice before;
// - the class flags follow the statistics' rules (hot: 3 or more of the last
//   7 draws; neighbours without wrap-around; no flags at index 0, no gap at 1).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "formula/way.h"
#include "formula/way_history.h"

namespace kelton::test {

class FakeWayHistory : public IWayHistory {
public:
    // Draws as digits highest place first ("123": hundreds 1, tens 2, units 3).
    explicit FakeWayHistory(std::vector<std::string> draws, int32_t firstIssue = 2006241, int16_t views = 8)
        : m_draws(std::move(draws)), m_firstIssue(firstIssue), m_views(views)
    {
    }

    int32_t Reads = 0;

    int16_t BcMain() const override { return 3; }
    int16_t BcDataLen() const override { return 9; }
    int32_t NumCount() const override { return static_cast<int32_t>(m_draws.size()); }
    int32_t NumName(int32_t i) const override { return i >= 0 && i < NumCount() ? m_firstIssue + i : -1; }
    bool HasView(int16_t v) const override { return v >= 0 && v < m_views; }

    int16_t Num(int16_t v, int32_t r, int16_t x) override
    {
        ++Reads;
        if (x < 1 || x > 3 || r < 0 || r > NumCount())
            return -1;
        return r == NumCount() ? int16_t(0) : Value(v, r, x);
    }
    int16_t Stat(int16_t v, int32_t r, int16_t x, int16_t y, int16_t kind, int16_t sort) override
    {
        ++Reads;
        if (r < 0 || r > NumCount() || y < 0 || y > 9)
            return 0;
        if (sort == 0)
            return StatOf(v, r, x, y, kind);
        std::vector<int16_t> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
            return StatOf(v, r, x, a, kind) < StatOf(v, r, x, b, kind);
        });
        return order[static_cast<size_t>(y)];
    }
    int16_t Data(int16_t v, int32_t r, int16_t y) override
    {
        ++Reads;
        return r >= 0 && r <= NumCount() && y >= 0 && y <= 9 ? int16_t((y + v) % 10) : int16_t(0);
    }
    int16_t Filter(int16_t v, int32_t r, int16_t kind) override
    {
        ++Reads;
        if (r < 0 || r >= NumCount())
            return 0;
        if (kind == 1)
            return static_cast<int16_t>(Value(v, r, 1) + Value(v, r, 2) + Value(v, r, 3));
        if (kind == 0)
            return static_cast<int16_t>(Values(v, r).size());
        return kind;
    }
    int16_t Cycle(int16_t v, int32_t r, int16_t x, int16_t y) override
    {
        ++Reads;
        int n = 0;
        for (int32_t d = 0; d < std::min(r, NumCount()); ++d)
            n += Value(v, d, x) == y;
        return n >= 2 ? 1 : 0;
    }
    std::vector<int16_t> ClassFlags(int16_t v, int32_t r, Classes family, int16_t cls) override
    {
        ++Reads;
        std::vector<int16_t> flags(10, 0);
        if (r < 0 || r > NumCount())
            return flags;
        for (int16_t j = 0; j <= 9; ++j) {
            bool on = false;
            switch (family) {
            case Classes::HotWarmCold: {
                int drawn = 0;
                for (int32_t d = std::max(0, r - 7); d < r; ++d)
                    drawn += Has(v, d, j);
                on = cls == 0 ? drawn >= 3 : cls == 1 ? drawn == 2 : drawn <= 1;
                break;
            }
            case Classes::NeighbourAlonePass: {
                if (r < 1)
                    return flags;
                const bool pass = Has(v, r - 1, j);
                const bool near = (j > 0 && Has(v, r - 1, j - 1)) || (j < 9 && Has(v, r - 1, j + 1));
                on = cls == 0 ? near && !pass : cls == 1 ? !near && !pass : pass;
                break;
            }
            case Classes::RepeatGapMiddle: {
                if (r < 1)
                    return flags;
                const bool last = Has(v, r - 1, j);
                const bool before = r >= 2 && Has(v, r - 2, j);
                on = cls == 0 ? last : cls == 1 ? before && !last : !before && !last;
                break;
            }
            }
            flags[static_cast<size_t>(j)] = on ? 1 : 0;
        }
        return flags;
    }

private:
    // The view value at stored position x (1 = units) of draw r.
    int16_t Value(int16_t v, int32_t r, int16_t x) const
    {
        const int d = m_draws[static_cast<size_t>(r)][static_cast<size_t>(3 - x)] - '0';
        return static_cast<int16_t>((d - v + 10) % 10);
    }
    std::vector<int16_t> Values(int16_t v, int32_t r) const
    {
        std::vector<int16_t> out{Value(v, r, 1), Value(v, r, 2), Value(v, r, 3)};
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }
    bool Has(int16_t v, int32_t r, int16_t j) const
    {
        return Value(v, r, 1) == j || Value(v, r, 2) == j || Value(v, r, 3) == j;
    }
    bool At(int16_t v, int32_t r, int16_t x, int16_t j) const { return x == 0 ? Has(v, r, j) : Value(v, r, x) == j; }
    int16_t StatOf(int16_t v, int32_t r, int16_t x, int16_t j, int16_t kind) const
    {
        const int32_t top = std::min(r, NumCount());
        if (kind == 5 || kind == 6) {
            for (int32_t d = top - 1; d >= 0; --d) {
                if (At(v, d, x, j))
                    return static_cast<int16_t>(r - d - 1);
            }
            return static_cast<int16_t>(r);
        }
        int16_t n = 0;
        for (int32_t d = 0; d < top; ++d)
            n += At(v, d, x, j);
        return n;
    }

    std::vector<std::string> m_draws;
    int32_t m_firstIssue;
    int16_t m_views;
};

// The draws most tests read: issues 2006241..2006246, the last one
// hundreds 1, tens 2, units 3; draw index 6 is the next issue.
inline std::vector<std::string> SixDraws()
{
    return {"384", "159", "203", "786", "421", "123"};
}
inline constexpr int32_t kNextIssue = 6;

// Parses and evaluates a formula at a draw: its value, "ERR p,n" for a parse
// error at position p of length n, or "FAIL " and the cause of a failed
// evaluation.
inline QString Evaluate(const QString& formula, int32_t draw, IWayHistory* history, bool memoise = true)
{
    CWay way;
    way.SetMemoise(memoise);
    int32_t start = 0, count = 0;
    if (way.TestStrWay(formula, start, count))
        return QStringLiteral("ERR %1,%2").arg(start).arg(count);
    const WayResult r = way.GetWayResult(draw, history);
    return r.Ok() ? r.Value : QStringLiteral("FAIL ") + r.Cause;
}

// A formula evaluated at a draw and the text expected.
struct Case {
    const char* formula;
    int32_t draw;
    const char* expected;
};

inline void CheckCases(std::initializer_list<Case> cases, const std::vector<std::string>& draws = SixDraws(),
                       int32_t firstIssue = 2006241)
{
    for (const Case& c : cases) {
        FakeWayHistory history(draws, firstIssue);
        EXPECT_EQ(Evaluate(QString::fromUtf8(c.formula), c.draw, &history), QString::fromUtf8(c.expected))
            << c.formula << " at " << c.draw;
    }
}

}  // namespace kelton::test
