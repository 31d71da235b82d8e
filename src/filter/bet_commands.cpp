#include "filter/bet_commands.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "data/lottor_data.h"

namespace kelton {

QString ExpandStopQuestion()
{
    return QStringLiteral("你要退出正在进行的投注吗？\r\n\r\n按“确定”退出！");
}

QString RemovalStopQuestion()
{
    return QStringLiteral("你要退出正在时行的过滤吗？\r\n\r\n按“确定”退出！");
}

QString BetGridCaption(int16_t index)
{
    switch (index) {
    case 0:
        return QStringLiteral("组选号码");
    case 1:
        return QStringLiteral("个位号码");
    case 2:
        return QStringLiteral("十位号码");
    case 3:
        return QStringLiteral("百位号码");
    default:
        return QString();
    }
}

BetType ChosenBetType(const std::array<bool, 5>& optSel)
{
    for (int16_t k = 0; k < 4; ++k)
        if (optSel[static_cast<size_t>(k)])
            return static_cast<BetType>(k);
    return BetType::Triple;
}

BetSelection SelectionOf(const CLottorData& game)
{
    BetSelection sel;
    const int16_t top = game.HeadData.BcDataLen;
    const int16_t positions = std::min<int16_t>(game.HeadData.BcMain, 3);
    for (int16_t p = 0; p <= positions; ++p)
        for (int16_t v = 0; v <= top; ++v)
            if (game.SelectBall(p, v) != 0)
                sel.Digits[static_cast<size_t>(p)].push_back(v);
    return sel;
}

int32_t CountCombinations(int16_t p, int16_t q, int16_t r)
{
    if (!(r <= q && q <= p))
        return 0;
    // (p - r)! / ((q - r)! (p - q)!) as a product of k quotients, k the
    // smaller of the two lower factorials' arguments.
    const double n = static_cast<double>(p) - r;
    double k = static_cast<double>(q) - r;
    k = std::min(k, n - k);
    double value = 1;
    for (double i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    value = std::nearbyint(value);
    if (!(value < static_cast<double>(INT32_MAX)))
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

namespace {

using Result = ExpandOutcome::Result;

// The fewest group digits of each group type; triples need two as well,
// although one would make a bet.
int FewestGroupDigits(BetType type)
{
    return type == BetType::Group6 ? 3 : 2;
}

// The check before anything is built: the game's positions and the
// selection's size.
ExpandOutcome Validate(BetType type, const BetSelection& sel, int16_t bcMain, const BetList& list)
{
    ExpandOutcome out;
    if (type == BetType::Direct ? bcMain < 1 || bcMain > 3 : bcMain != 3) {
        out.Code = Result::UnsupportedPositions;
        return out;
    }
    if (list.Stride() < (type == BetType::Direct ? bcMain : 3) + 1) {
        out.Code = Result::Failed;
        return out;
    }
    if (type == BetType::Direct) {
        for (int16_t p = 1; p <= bcMain; ++p) {
            if (sel.Digits[static_cast<size_t>(p)].empty()) {
                out.Code = Result::MissingPosition;
                out.Position = p;
                return out;
            }
        }
    } else if (static_cast<int>(sel.Digits[0].size()) < FewestGroupDigits(type)) {
        out.Code = Result::TooFewGroupDigits;
    }
    return out;
}

// Writes the group bets of list indexes (a, b, c), a <= b <= c, in order.
class GroupWriter {
public:
    GroupWriter(const std::vector<int16_t>& digits, std::vector<int16_t>& out, size_t stride)
        : m_l(digits), m_out(out), m_stride(stride)
    {
    }

    void Put(size_t a, size_t b, size_t c)
    {
        int16_t* row = m_out.data() + m_at;
        row[3] = m_l[a];
        row[2] = m_l[b];
        row[1] = m_l[c];
        m_at += m_stride;
    }

private:
    const std::vector<int16_t>& m_l;
    std::vector<int16_t>& m_out;
    size_t m_stride;
    size_t m_at = 0;
};

void WriteGroupBets(BetType type, const std::vector<int16_t>& l, std::vector<int16_t>& out, size_t stride)
{
    GroupWriter w(l, out, stride);
    const size_t n = l.size();
    switch (type) {
    case BetType::AllGroup:
        for (size_t a = 0; a < n; ++a)
            for (size_t b = a; b < n; ++b)
                for (size_t c = b; c < n; ++c)
                    w.Put(a, b, c);
        break;
    case BetType::Group3:
        for (size_t a = 0; a < n; ++a) {
            for (size_t k = a + 1; k < n; ++k)
                w.Put(a, a, k);
            for (size_t b = a + 1; b < n; ++b)
                w.Put(a, b, b);
        }
        break;
    case BetType::Group6:
        for (size_t a = 0; a < n; ++a)
            for (size_t b = a + 1; b < n; ++b)
                for (size_t c = b + 1; c < n; ++c)
                    w.Put(a, b, c);
        break;
    default:
        for (size_t a = 0; a < n; ++a)
            w.Put(a, a, a);
        break;
    }
}

// The direct bets: hundreds outermost, units innermost, each ascending;
// progress and the stop question at bets 1, 101, 201, ... False when the
// user confirmed a stop.
bool WriteDirectBets(const BetSelection& sel, int16_t bcMain, std::vector<int16_t>& out, size_t stride,
                     CMsg& msg, const StopQuestion& ask)
{
    static const std::vector<int16_t> kNone{0};
    auto listOf = [&](int16_t p) -> const std::vector<int16_t>& {
        return p <= bcMain ? sel.Digits[static_cast<size_t>(p)] : kNone;
    };
    const std::vector<int16_t>& units = listOf(1);
    const std::vector<int16_t>& tens = listOf(2);
    const std::vector<int16_t>& hundreds = listOf(3);
    int32_t written = 0;
    size_t at = 0;
    for (int16_t h : hundreds) {
        for (int16_t t : tens) {
            for (int16_t u : units) {
                int16_t* row = out.data() + at;
                row[1] = u;
                if (bcMain >= 2)
                    row[2] = t;
                if (bcMain >= 3)
                    row[3] = h;
                at += stride;
                if (++written % 100 != 1)
                    continue;
                msg.prgValue(written);
                if (msg.IsClick() && ask && ask(ExpandStopQuestion()))
                    return false;
                msg.DoEvents();
            }
        }
    }
    return true;
}

ExpandOutcome Build(BetType type, const BetSelection& sel, int16_t bcMain, BetList& list, CMsg& msg,
                    const StopQuestion& ask)
{
    ExpandOutcome out = Validate(type, sel, bcMain, list);
    if (!out.Ok())
        return out;
    const int64_t count = BetCountOf(type, sel, bcMain);
    const size_t stride = static_cast<size_t>(list.Stride());
    if (count < 1 || count > INT32_MAX / static_cast<int64_t>(stride)) {
        out.Code = Result::Failed;
        return out;
    }
    msg.StartPrg(static_cast<int32_t>(count), 0, 0, true);
    std::vector<int16_t> digits(static_cast<size_t>(count) * stride, 0);
    if (type == BetType::Direct) {
        if (!WriteDirectBets(sel, bcMain, digits, stride, msg, ask)) {
            out.Code = Result::Cancelled;
            return out;
        }
    } else {
        WriteGroupBets(type, sel.Digits[0], digits, stride);
    }
    if (!list.AssignBets(std::move(digits), type)) {
        out.Code = Result::Failed;
        return out;
    }
    out.Count = static_cast<int32_t>(count);
    return out;
}

} // namespace

int64_t BetCountOf(BetType type, const BetSelection& sel, int16_t bcMain)
{
    if (type == BetType::Direct) {
        int64_t count = 1;
        for (int16_t p = 1; p <= std::min<int16_t>(bcMain, 3); ++p)
            count *= static_cast<int64_t>(sel.Digits[static_cast<size_t>(p)].size());
        return bcMain >= 1 ? count : 0;
    }
    const int64_t n = static_cast<int64_t>(sel.Digits[0].size());
    if (n < FewestGroupDigits(type))
        return 0;
    const int64_t choose3 = CountCombinations(static_cast<int16_t>(std::min<int64_t>(n, INT16_MAX)), 3, 0);
    switch (type) {
    case BetType::AllGroup:
        return n * n + choose3;
    case BetType::Group3:
        return n * (n - 1);
    case BetType::Group6:
        return choose3;
    default:
        return n;
    }
}

QString ExpandOutcome::Message() const
{
    switch (Code) {
    case Result::Ok:
        return QString();
    case Result::MissingPosition:
        return QStringLiteral("请选择[") + BetGridCaption(Position) + QStringLiteral("]");
    case Result::TooFewGroupDigits:
        return QStringLiteral("[") + BetGridCaption(0) + QStringLiteral("]选择号码个数不够!");
    case Result::Cancelled:
        return QStringLiteral("取消投注！");
    case Result::UnsupportedPositions:
        return QStringLiteral("投注只适用于三个号码位置的彩票！");
    case Result::Failed:
        break;
    }
    return QStringLiteral("出现意想不到的错误!");
}

ExpandOutcome ExpandBets(BetType type, const BetSelection& sel, int16_t bcMain, BetList& list, CMsg& msg,
                         const StopQuestion& ask)
{
    msg.StartShowMsg(QStringLiteral("复式分解单注"));
    ExpandOutcome out;
    try {
        out = Build(type, sel, bcMain, list, msg, ask);
    } catch (const std::exception&) {
        out = ExpandOutcome{};
        out.Code = Result::Failed;
    }
    // Every way out closes the bar, also a refusal that opened none.
    msg.EndPrg();
    return out;
}

QString StepRefusalMessage(BetList::StepResult result)
{
    if (result == BetList::StepResult::StepLimit)
        return QStringLiteral("撤消步骤已用完，请先点击“刷新”整理投注后再操作！");
    return QString();
}

RemovalOutcome DelResultSel(BetList& list, int32_t posA, int32_t posB, CMsg& msg, const StopQuestion& ask)
{
    const int32_t first = std::min(posA, posB);
    const int32_t last = std::max(posA, posB);
    return RunRemoval(list, msg, ask, QStringLiteral("正在进行删除"), 100,
                      [first, last](int32_t i) { return first <= i && i <= last; });
}

RemovalOutcome DelResultAll(BetList& list, CMsg& msg)
{
    return RunRemoval(list, msg, StopQuestion(), QStringLiteral("正在进行删除"), 0,
                      [](int32_t) { return true; });
}

bool BetRowCommandsEnabled(int32_t row, int32_t betCount)
{
    return row >= 1 && betCount >= 1;
}

bool DeleteSelectionApplies(int32_t row, int32_t rowSel)
{
    return rowSel > 0 && row != 0;
}

} // namespace kelton
