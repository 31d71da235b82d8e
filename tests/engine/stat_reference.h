#pragma once

// A slow, direct model of the statistics views for the tests: every value
// of every record is recomputed from the draws by its definition (counting
// over windows, scanning back for misses, literal cycle and indicator
// rules), never from the previous record.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QString>

#include "data/lottor_head.h"
#include "engine/stat_record.h"

namespace kelton::test {

struct Game {
    int DataLen = 9;
    int BcMain = 3;
    int MrDataLen = 0;
    int MrMain = 0;
    int Custom = 10;
    int N() const { return DataLen + 1; }
    int BM() const { return BcMain + MrMain; }
};

inline QString DefinitionText(const Game& g)
{
    return QStringLiteral("[LOTTONAME]\r\nTest\r\n[BCDATALEN]\r\n%1\r\n[BCMAIN]\r\n%2\r\n"
                          "[MRDATALEN]\r\n%3\r\n[MRMAIN]\r\n%4\r\n")
        .arg(g.DataLen)
        .arg(g.BcMain)
        .arg(g.MrDataLen)
        .arg(g.MrMain);
}

// Draws: issue numbers and raw numbers [d][p], positions 0..BM.
struct History {
    std::vector<int32_t> Issues;
    std::vector<std::vector<int16_t>> Draws;

    int Count() const { return static_cast<int>(Issues.size()); }
    std::vector<int16_t> Flat(int first = 0, int last = -1) const
    {
        if (last < 0)
            last = Count();
        std::vector<int16_t> out;
        for (int d = first; d < last; ++d)
            out.insert(out.end(), Draws[static_cast<size_t>(d)].begin(), Draws[static_cast<size_t>(d)].end());
        return out;
    }
};

inline History RandomHistory(const Game& g, int draws, unsigned seed)
{
    std::mt19937 rng(seed);
    History h;
    for (int d = 0; d < draws; ++d) {
        h.Issues.push_back(2020001 + d);
        std::vector<int16_t> draw(static_cast<size_t>(g.BM() + 1), 0);
        // Mostly uniform, sometimes a run of small numbers so that repeats,
        // cycles and hot numbers come up often.
        const bool skewed = (d / 37) % 3 == 1;
        for (int p = 1; p <= g.BcMain; ++p)
            draw[static_cast<size_t>(p)] = static_cast<int16_t>(skewed ? rng() % 3 : rng() % (g.DataLen + 1));
        for (int p = g.BcMain + 1; p <= g.BM(); ++p)
            draw[static_cast<size_t>(p)] = static_cast<int16_t>(rng() % (g.MrDataLen + 1));
        h.Draws.push_back(draw);
    }
    return h;
}

struct RefRecord {
    int32_t Index = 0;
    int32_t Issue = 0;
    std::vector<int> Data;  // [s * N + v]
    std::vector<int> Stat;  // [((p * 10 + k) * 3 + c) * N + v], p 0 = all positions
    std::vector<int> Trans; // [(p * N + a) * N + b], p 0 = all positions
    std::vector<std::vector<std::pair<int, int>>> Cycles; // [p * N + v] (period, runs)
    std::vector<int> CycleCount, IsCycle;                 // [p]
    std::vector<int> Num, Sorted;                         // 0..BcMain
    std::vector<int> Filter;                              // 43
    std::vector<int> Recent7;                             // [v]
};

struct RefView {
    std::vector<RefRecord> Records;
};

namespace detail {

inline int Hwc(int recent)
{
    return recent >= 3 ? 0 : (recent == 2 ? 1 : 2);
}
inline int Bms(int x)
{
    return x >= 7 ? 0 : (x >= 3 ? 1 : 2);
}
inline bool IsPrimeOrOne(int x)
{
    if (x == 1)
        return true;
    if (x < 2)
        return false;
    for (int d = 2; d * d <= x; ++d)
        if (x % d == 0)
            return false;
    return true;
}

} // namespace detail

// The 43 indicators of a draw, written out from the indicator table.
// state gives the miss, interval, cycles and Recent7 before the draw.
inline std::vector<int> RefIndicators(const Game& g, const RefRecord& state, const std::vector<int>& num,
                                      const std::vector<int>& sorted, const std::vector<int>& prevNum,
                                      const std::vector<int>& prevSorted, const std::vector<int>& prev2Sorted,
                                      int i)
{
    using namespace detail;
    const int B = g.BcMain, N = g.N();
    std::vector<int> f(43, 0);
    std::set<int> diffs;
    for (int a = 1; a <= B; ++a)
        for (int b = a + 1; b <= B; ++b)
            diffs.insert(std::abs(sorted[a] - sorted[b]));
    f[0] = static_cast<int>(diffs.size());
    int sum = 0;
    for (int p = 1; p <= B; ++p)
        sum += num[p];
    f[1] = sum;
    auto stat = [&](int p, int k, int v) { return state.Stat[((p * 10 + k) * 3 + 0) * N + v]; };
    if (i > 0) {
        for (int p = 1; p <= B; ++p) {
            f[2] += stat(p, 6, num[p]);
            f[3] += stat(p, 5, num[p]);
        }
    }
    for (int p = 1; p <= B; ++p)
        f[4] += num[p] * (B - p + 1);
    f[5] = sorted[1] + sorted[B];
    f[6] = sorted[B] - sorted[1];
    f[7] = sum % 10;
    f[8] = sum / B;
    f[9] = sorted[1];
    f[10] = sorted[2];
    f[11] = sorted[3];
    auto inPrev = [&](int x) { return std::count(prevSorted.begin() + 1, prevSorted.end(), x) > 0; };
    auto inPrev2 = [&](int x) { return std::count(prev2Sorted.begin() + 1, prev2Sorted.end(), x) > 0; };
    auto nap = [&](int x) {
        if (inPrev(x))
            return 2;
        if (inPrev(x - 1) || inPrev(x + 1))
            return 0;
        return 1;
    };
    auto rgm = [&](int x) {
        if (inPrev(x))
            return 0;
        if (i > 1 && inPrev2(x))
            return 1;
        return 2;
    };
    for (int p = 1; p <= B; ++p) {
        const int x = sorted[p];
        f[12] += x % 2 == 1;
        f[13] += x > g.DataLen / 2;
        f[14] += IsPrimeOrOne(x);
        f[20] += Hwc(state.Recent7[x]) == 0;
        f[21] += Hwc(state.Recent7[x]) == 1;
        f[22] += Hwc(state.Recent7[x]) == 2;
        f[23] += x % 3 == 0;
        f[24] += x % 3 == 1;
        f[25] += x % 3 == 2;
        f[34] += Bms(x) == 0;
        f[35] += Bms(x) == 1;
        f[36] += Bms(x) == 2;
        if (i > 0) {
            f[26] += nap(x) == 0;
            f[27] += nap(x) == 1;
            f[28] += nap(x) == 2;
            f[29] += rgm(x) == 1;
            f[30] += rgm(x) == 2;
        }
    }
    for (int p = 2; p <= B; ++p) {
        f[15] += std::abs(num[p] - num[p - 1]) == 1;
        f[16] += num[p] % 2 == 0 && num[p - 1] % 2 == 0;
        f[17] += num[p] % 2 == 1 && num[p - 1] % 2 == 1;
    }
    f[18] = (sorted[2] == sorted[1]) + (sorted[2] == sorted[3]);
    for (int p = 1; p <= B; ++p)
        f[19] += !state.Cycles[static_cast<size_t>(p * N + num[p])].empty();
    if (i > 0) {
        for (int p = 1; p <= B; ++p) {
            f[31] += num[p] > prevNum[p];
            f[32] += num[p] == prevNum[p];
            f[33] += num[p] < prevNum[p];
        }
    }
    // Patterns: digits from the highest position down, read in base 3.
    auto pattern = [&](auto cls) {
        int code = 0;
        for (int p = B; p >= 1; --p)
            code = code * 3 + cls(p);
        return code;
    };
    f[37] = pattern([&](int p) { return Hwc(state.Recent7[num[p]]); });
    f[38] = pattern([&](int p) { return num[p] % 3; });
    f[42] = pattern([&](int p) { return Bms(num[p]); });
    if (i > 0) {
        f[39] = pattern([&](int p) { return nap(num[p]); });
        f[40] = pattern([&](int p) { return rgm(num[p]); });
        f[41] = pattern([&](int p) { return num[p] > prevNum[p] ? 0 : (num[p] == prevNum[p] ? 1 : 2); });
    }
    return f;
}

// One view: view numbers of every draw come from the keys of each record
// (nullptr: the value itself).
inline RefView ReferenceView(const Game& g, const History& h, const std::vector<std::vector<int>>* keys)
{
    const int N = g.N(), B = g.BcMain, D = h.Count();
    RefView view;
    // Ranking tables and view numbers.
    std::vector<std::vector<int>> data(static_cast<size_t>(D + 1));
    std::vector<std::vector<int>> num(static_cast<size_t>(D + 1),
                                      std::vector<int>(static_cast<size_t>(B + 1), 0));
    std::vector<std::vector<int>> sorted = num;
    for (int i = 0; i <= D; ++i) {
        std::vector<int> key(static_cast<size_t>(N));
        for (int v = 0; v < N; ++v)
            key[v] = keys ? (*keys)[static_cast<size_t>(i)][static_cast<size_t>(v)] : v;
        std::vector<int> order(static_cast<size_t>(N));
        for (int v = 0; v < N; ++v)
            order[v] = v;
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return std::make_pair(key[a], a) < std::make_pair(key[b], b); });
        std::vector<int> d(static_cast<size_t>(4 * N));
        for (int r = 0; r < N; ++r) {
            d[0 * N + r] = order[r];
            d[1 * N + r] = key[order[r]];
            d[2 * N + order[r]] = r;
            d[3 * N + r] = key[r];
        }
        data[i] = d;
        if (i < D) {
            for (int p = 1; p <= B; ++p)
                num[i][p] = d[2 * N + h.Draws[i][p]];
            sorted[i] = num[i];
            std::sort(sorted[i].begin() + 1, sorted[i].end());
        }
    }
    // contains(d, p, v): p 0 = any position.
    auto contains = [&](int d, int p, int v) {
        if (p > 0)
            return num[d][p] == v;
        for (int q = 1; q <= B; ++q)
            if (num[d][q] == v)
                return true;
        return false;
    };
    auto lastBefore = [&](int before, int p, int v) {
        for (int d = before - 1; d >= 0; --d)
            if (contains(d, p, v))
                return d;
        return -1;
    };
    auto miss = [&](int i, int p, int v) {
        const int d = lastBefore(i, p, v);
        return d < 0 ? i : i - 1 - d;
    };
    auto interval = [&](int i, int p, int v) {
        const int d = lastBefore(i, p, v);
        if (d < 0)
            return 0;
        const int e = lastBefore(d, p, v);
        return e < 0 ? d : d - e - 1;
    };
    // miss and interval tables for the largest-of kinds
    std::vector<int> missT(static_cast<size_t>((D + 1) * (B + 1) * N)), intT = missT;
    auto at = [&](int i, int p, int v) { return static_cast<size_t>((i * (B + 1) + p) * N + v); };
    for (int i = 0; i <= D; ++i)
        for (int p = 0; p <= B; ++p)
            for (int v = 0; v < N; ++v) {
                missT[at(i, p, v)] = miss(i, p, v);
                intT[at(i, p, v)] = interval(i, p, v);
            }

    for (int i = 0; i <= D; ++i) {
        RefRecord r;
        r.Index = i;
        r.Issue = i < D ? h.Issues[i] : 0;
        r.Data = data[i];
        r.Num = num[i];
        r.Sorted = sorted[i];
        r.Stat.assign(static_cast<size_t>((B + 1) * 30 * N), 0);
        r.Trans.assign(static_cast<size_t>((B + 1) * N * N), 0);
        r.Cycles.assign(static_cast<size_t>((B + 1) * N), {});
        r.CycleCount.assign(static_cast<size_t>(B + 1), 0);
        r.IsCycle.assign(static_cast<size_t>(B + 1), 0);
        for (int p = 0; p <= B; ++p) {
            auto S = [&](int k, int c, int v) -> int& {
                return r.Stat[static_cast<size_t>(((p * 10 + k) * 3 + c) * N + v)];
            };
            auto T = [&](int a, int b) -> int& { return r.Trans[static_cast<size_t>((p * N + a) * N + b)]; };
            // transitions between consecutive draws before draw i-1 .. i-1
            for (int d = 1; d <= i - 1; ++d) {
                if (p > 0)
                    ++T(num[d - 1][p], num[d][p]);
                else
                    for (int a = 1; a <= B; ++a)
                        for (int b = 1; b <= B; ++b)
                            ++T(sorted[d - 1][a], sorted[d][b]);
            }
            if (i > 0) {
                const int windows[5] = {i, 100, 50, 20, g.Custom};
                for (int k = 0; k < 5; ++k) {
                    for (int d = std::max(0, i - windows[k]); d < i; ++d)
                        for (int q = 1; q <= B; ++q)
                            if (p == 0 || q == p)
                                ++S(k, 0, num[d][q]);
                }
                for (int v = 0; v < N; ++v) {
                    S(6, 0, v) = missT[at(i, p, v)];
                    S(5, 0, v) = intT[at(i, p, v)];
                    for (int k = 0; k <= i; ++k) {
                        S(8, 0, v) = std::max(S(8, 0, v), missT[at(k, p, v)]);
                        S(9, 0, v) = std::max(S(9, 0, v), intT[at(k, p, v)]);
                    }
                    if (p > 0)
                        S(7, 0, v) = T(num[i - 1][p], v);
                    else
                        for (int q = 1; q <= B; ++q)
                            S(7, 0, v) += T(sorted[i - 1][q], v);
                }
            }
            for (int k = 0; k < 10; ++k) {
                std::vector<int> order(static_cast<size_t>(N));
                for (int v = 0; v < N; ++v)
                    order[v] = v;
                std::sort(order.begin(), order.end(), [&](int a, int b) {
                    return std::make_pair(S(k, 0, a), a) < std::make_pair(S(k, 0, b), b);
                });
                for (int rank = 0; rank < N; ++rank) {
                    S(k, 2, rank) = order[rank];
                    S(k, 1, order[rank]) = rank;
                }
            }
            if (p > 0 && i > 1) {
                for (int v = 0; v < N; ++v)
                    for (int t = 2; t <= 15; ++t) {
                        int hits = 0;
                        while (true) {
                            const int d = (hits + 1) * t;
                            if (d >= 100 || i - d < 0 || num[i - d][p] != v)
                                break;
                            ++hits;
                        }
                        if (hits >= 2)
                            r.Cycles[p * N + v].push_back({t, hits});
                    }
                for (int v = 0; v < N; ++v)
                    r.CycleCount[p] += !r.Cycles[p * N + v].empty();
                r.IsCycle[p] = !r.Cycles[p * N + num[i][p]].empty();
            } else if (p > 0) {
                r.IsCycle[p] = 0;
            }
        }
        r.Recent7.assign(static_cast<size_t>(N), 0);
        for (int v = 0; v < N; ++v)
            for (int d = std::max(0, i - 7); d < i; ++d)
                r.Recent7[v] += contains(d, 0, v);
        const std::vector<int> zeros(static_cast<size_t>(B + 1), 0);
        r.Filter = RefIndicators(g, r, num[i], sorted[i], i > 0 ? num[i - 1] : zeros,
                                 i > 0 ? sorted[i - 1] : zeros, i > 1 ? sorted[i - 2] : zeros, i);
        view.Records.push_back(std::move(r));
    }
    return view;
}

inline int ViewKind(int view)
{
    static const int kinds[8] = {-1, 7, 1, 6, 0, 2, 5, 3};
    return kinds[view];
}

// All eight views: view v keyed by view 0's all-position statistic of its
// kind, less the row's smallest entry.
inline std::vector<RefView> ReferenceViews(const Game& g, const History& h, int views = 8)
{
    std::vector<RefView> out;
    out.push_back(ReferenceView(g, h, nullptr));
    const int N = g.N();
    for (int v = 1; v < views; ++v) {
        std::vector<std::vector<int>> keys;
        for (const RefRecord& r : out[0].Records) {
            std::vector<int> row(static_cast<size_t>(N));
            for (int x = 0; x < N; ++x)
                row[x] = r.Stat[static_cast<size_t>(((0 * 10 + ViewKind(v)) * 3 + 0) * N + x)];
            const int least = *std::min_element(row.begin(), row.end());
            for (int& x : row)
                x -= least;
            keys.push_back(row);
        }
        out.push_back(ReferenceView(g, h, &keys));
    }
    return out;
}

// Empty when the stored record equals the model; otherwise the first
// difference.
inline std::string CompareRecord(const Game& g, const RefRecord& ref, const StatRecord& rec)
{
    const int N = g.N(), B = g.BcMain;
    std::ostringstream out;
    auto check = [&](const char* what, int a, int b, int x = -1, int y = -1, int z = -1, int w = -1) {
        if (a == b || !out.str().empty())
            return;
        out << "record " << ref.Index << " " << what << "(" << x << "," << y << "," << z << "," << w
            << "): model " << a << " stored " << b;
    };
    check("Index", ref.Index, rec.Index());
    check("Issue", ref.Issue, rec.Issue());
    for (int s = 0; s < 4; ++s)
        for (int v = 0; v < N; ++v)
            check("Data", ref.Data[s * N + v], rec.Data(s, v), s, v);
    for (int p = 0; p <= B; ++p)
        for (int k = 0; k < 10; ++k)
            for (int c = 0; c < 3; ++c)
                for (int v = 0; v < N; ++v) {
                    const int model = ref.Stat[static_cast<size_t>(((p * 10 + k) * 3 + c) * N + v)];
                    check(p == 0 ? "StatAll" : "Stat", model,
                          p == 0 ? rec.StatAll(k, c, v) : rec.Stat(p, k, c, v), p, k, c, v);
                }
    for (int p = 0; p <= B; ++p)
        for (int a = 0; a < N; ++a)
            for (int b = 0; b < N; ++b)
                check(p == 0 ? "TransAll" : "Trans", ref.Trans[static_cast<size_t>((p * N + a) * N + b)],
                      p == 0 ? rec.TransAll(a, b) : rec.Trans(p, a, b), p, a, b);
    for (int p = 1; p <= B; ++p) {
        check("CycleCount", ref.CycleCount[p], rec.CycleCount(p), p);
        check("IsCycle", ref.IsCycle[p], rec.IsCycle(p), p);
        for (int v = 0; v < N; ++v) {
            const auto& cycles = ref.Cycles[static_cast<size_t>(p * N + v)];
            const CycleRec stored = rec.Cycle(p, v);
            check("Cycle.Count", static_cast<int>(cycles.size()), stored.Count, p, v);
            for (int c = 0; c < kCycleSlots; ++c) {
                const bool used = c < static_cast<int>(cycles.size());
                check("Cycle.Period", used ? cycles[c].first : 0, stored.Period[c], p, v, c);
                check("Cycle.Runs", used ? cycles[c].second : 0, stored.Runs[c], p, v, c);
            }
        }
    }
    for (int p = 0; p <= g.BM(); ++p)
        check("Num", p <= B ? ref.Num[p] : 0, rec.Num(p), p);
    for (int p = 0; p <= B; ++p)
        check("Sorted", ref.Sorted[p], rec.Sorted(p), p);
    for (int k = 0; k < 43; ++k)
        check("Filter", ref.Filter[k], rec.Filter(k), k);
    for (int v = 0; v < N; ++v)
        check("Recent7", ref.Recent7[v], rec.Recent7(v), v);
    return out.str();
}

} // namespace kelton::test
