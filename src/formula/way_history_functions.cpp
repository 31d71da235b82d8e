// The functions that read the draw history (Num, Sor, Val, TiR, TiL, Rep,
// Cyc, Fil, Bal) and the three that only count or pass on numbers (Btn, Ntb,
// Bet).
//
// A history function reads record r = draw - back of one data view. Its
// parameters are whole numbers written as the argument itself; any other
// argument (a set, an empty one) takes the parameter's default. A place or
// area counts from the highest place (1 = hundreds of a three-digit game),
// stored positions from the lowest: place p is position BcMain - p + 1.

#include <array>

#include "formula/way_history.h"
#include "formula/way_internal.h"
#include "formula/way_values.h"

namespace kelton::way {

namespace {

constexpr int16_t kViews = 8;
constexpr int16_t kStatKinds = 8;
constexpr int16_t kIndicators = 43;
constexpr int64_t kReadCost = 8;

// One history function at work: its parameters and the reads it makes.
class HistoryCall {
public:
    HistoryCall(Args args, Eval& ev) : m_args(args), m_ev(ev), m_h(ev.History) {}

    bool HasHistory() const { return m_h != nullptr; }
    int16_t BcMain() const { return m_h ? m_h->BcMain() : int16_t(0); }
    int16_t BcDataLen() const { return m_h ? m_h->BcDataLen() : int16_t(0); }
    int32_t NumCount() const { return m_h ? m_h->NumCount() : 0; }

    // Parameter i: the argument's value when it is one number (rounded,
    // halves to even, 16-bit), else def. False on an overflow.
    bool Param(size_t i, int32_t def, int32_t& out)
    {
        WayDecimal d;
        if (!WayDecimal::Scan(m_args[i], d)) {
            out = def;
            return true;
        }
        const std::optional<int64_t> v = WayIntegerOf(d, -32768, 32767);
        if (!v) {
            m_ev.Fail(WayFault::Overflow);
            return false;
        }
        out = static_cast<int32_t>(*v);
        return true;
    }
    // A place or area as a stored position (0 stays 0).
    int32_t Position(int32_t place) const { return place == 0 ? 0 : BcMain() - place + 1; }

    // The record `back` draws before the evaluated one and the view: false
    // when either is out of range or the view has no statistics.
    bool Locate(int32_t back, int32_t view)
    {
        if (back < 0 || back > m_ev.CurIss)
            return false;
        m_r = m_ev.CurIss - back;
        if (view < 0 || view >= kViews || !m_h || !m_h->HasView(static_cast<int16_t>(view)))
            return false;
        m_v = static_cast<int16_t>(view);
        return true;
    }
    int32_t Record() const { return m_r; }

    // The reads, each counted against the evaluation's budget; false once
    // it is spent.
    bool Charge() { return m_ev.Charge(kReadCost); }
    int16_t Num(int32_t r, int32_t pos) { return Charge() ? m_h->Num(m_v, r, static_cast<int16_t>(pos)) : -1; }
    int16_t Stat(int32_t pos, int32_t y, int32_t kind, int16_t sort)
    {
        return Charge() ? m_h->Stat(m_v, m_r, static_cast<int16_t>(pos), static_cast<int16_t>(y),
                                    static_cast<int16_t>(kind), sort)
                        : int16_t(0);
    }
    int16_t Data(int32_t y) { return Charge() ? m_h->Data(m_v, m_r, static_cast<int16_t>(y)) : int16_t(0); }
    int16_t Filter(int32_t kind) { return Charge() ? m_h->Filter(m_v, m_r, static_cast<int16_t>(kind)) : int16_t(0); }
    int16_t Cycle(int32_t pos, int32_t y)
    {
        return Charge() ? m_h->Cycle(m_v, m_r, static_cast<int16_t>(pos), static_cast<int16_t>(y)) : int16_t(0);
    }
    bool Failed() const { return m_ev.Failed(); }
    QString Overflow() { return m_ev.Fail(WayFault::Overflow); }

private:
    Args m_args;
    Eval& m_ev;
    IWayHistory* m_h;
    int32_t m_r = 0;
    int16_t m_v = 0;
};

QString Braced(const std::vector<int32_t>& values)
{
    return values.empty() ? QStringLiteral("{}") : JoinIntegers(values);
}

QString Num(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t from, to, back, view;
    if (!c.Param(0, 1, from) || !c.Param(1, from, to) || !c.Param(2, 1, back) || !c.Param(3, 0, view))
        return QString();
    const int32_t a = c.Position(from);
    const int32_t z = c.Position(to);
    if (a < 1 || a > c.BcMain() || z < 1 || z > a || !c.Locate(back, view))
        return QString();
    std::vector<int32_t> out;
    for (int32_t p = z; p <= a; ++p) {
        const int16_t n = c.Num(c.Record(), p);
        if (n >= 0)
            out.push_back(n);
    }
    return c.Failed() ? QString() : JoinIntegers(out);
}

QString Sor(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t area, kind, from, to, back, view;
    if (!c.Param(0, 0, area) || !c.Param(1, 0, kind) || !c.Param(2, 0, from) || !c.Param(3, from, to)
        || !c.Param(4, 0, back) || !c.Param(5, 0, view))
        return QString();
    const int32_t pos = c.Position(area);
    from = std::max(from, 0);
    to = std::max(to, 0);
    if (pos < 0 || pos > c.BcMain() || kind < 0 || kind >= kStatKinds || from > c.BcDataLen()
        || to > c.BcDataLen() || from > to || !c.Locate(back, view))
        return QString();
    std::vector<int32_t> out;
    for (int32_t i = from; i <= to; ++i)
        out.push_back(c.Stat(pos, i, kind, 2));
    return c.Failed() ? QString() : JoinIntegers(out);
}

QString Val(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t area, kind, low, high, back, view;
    if (!c.Param(0, 0, area) || !c.Param(1, 0, kind) || !c.Param(2, 0, low) || !c.Param(3, low, high)
        || !c.Param(4, 0, back) || !c.Param(5, 0, view))
        return QString();
    const int32_t pos = c.Position(area);
    if (pos < 0 || pos > c.BcMain() || kind < 0 || kind >= kStatKinds || low > high || !c.Locate(back, view))
        return QString();
    std::vector<int32_t> out;
    for (int32_t j = 0; j <= c.BcDataLen(); ++j) {
        const int16_t s = c.Stat(pos, j, kind, 0);
        if (s >= low && s <= high)
            out.push_back(c.Data(j));
    }
    return c.Failed() ? QString() : Braced(out);
}

// TiR (step +1), TiL (-1) and Rep (0): for every value j, how many draws in a
// row, each `drawStep` before the last, held j moved by another number step.
QString Slant(Args args, Eval& ev, int direction)
{
    HistoryCall c(args, ev);
    int32_t area, numberStep = 0, drawStep, low, high, back, view;
    size_t i = 0;
    if (!c.Param(i++, 0, area))
        return QString();
    if (direction != 0 && !c.Param(i++, 1, numberStep))
        return QString();
    const int32_t firstRun = direction != 0 ? 0 : 1;
    if (!c.Param(i++, direction != 0 ? numberStep : 1, drawStep) || !c.Param(i++, firstRun, low)
        || !c.Param(i++, low, high) || !c.Param(i++, 0, back) || !c.Param(i++, 0, view))
        return QString();
    const int32_t pos = c.Position(area);
    const int32_t top = c.BcDataLen();
    if (pos < 0 || pos > c.BcMain() || (direction != 0 && (numberStep < 1 || numberStep > top))
        || drawStep < 1 || drawStep > c.NumCount() || low < firstRun || low > top || high < firstRun
        || high > top || low > high || !c.Locate(back, view))
        return QString();
    const int32_t values = top + 1;
    const int32_t r = c.Record();
    std::vector<int32_t> out;
    for (int32_t j = 0; j <= top; ++j) {
        int32_t k = 1;
        for (;;) {
            if (k * drawStep > 32767 || k * numberStep > 32767)
                return c.Overflow();
            const int32_t q = r - k * drawStep;
            if (q < 0)
                break;
            const int32_t target = ((j + direction * k * numberStep) % values + values) % values;
            bool found = false;
            if (pos != 0) {
                found = c.Num(q, pos) == target;
            } else {
                for (int32_t p = 1; p <= c.BcMain() && !found; ++p)
                    found = c.Num(q, p) == target;
            }
            if (c.Failed())
                return QString();
            if (!found)
                break;
            ++k;
            if (k - 1 > high)
                break;
        }
        const int32_t run = k - 1;
        if (run >= low && run <= high)
            out.push_back(c.Data(j));
    }
    return c.Failed() ? QString() : Braced(out);
}

QString Cyc(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t area, back, view;
    if (!c.Param(0, 1, area) || !c.Param(1, 0, back) || !c.Param(2, 0, view))
        return QString();
    const int32_t pos = c.Position(area);
    if (pos < 1 || pos > c.BcMain() || !c.Locate(back, view))
        return QString();
    std::vector<int32_t> out;
    for (int32_t j = 1; j <= c.BcDataLen(); ++j) {
        if (c.Cycle(pos, j) > 0)
            out.push_back(c.Data(j));
    }
    return c.Failed() ? QString() : Braced(out);
}

QString Fil(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t kind, back, view;
    if (!c.Param(0, 0, kind) || !c.Param(1, 1, back) || !c.Param(2, 0, view))
        return QString();
    if (!c.Locate(back, view) || kind < 0 || kind >= kIndicators)
        return QString();
    const int16_t value = c.Filter(kind);
    return c.Failed() ? QString() : QString::number(value);
}

QString Bal(Args args, Eval& ev)
{
    HistoryCall c(args, ev);
    int32_t from, to, back, view;
    if (!c.Param(0, 1, from) || !c.Param(1, from, to) || !c.Param(2, 0, back) || !c.Param(3, 0, view))
        return QString();
    if (from < 0 || to < 0)
        return QString();
    from = std::min<int32_t>(from, c.BcDataLen());
    to = std::min<int32_t>(to, c.BcDataLen());
    if (from > to || !c.Locate(back, view))
        return QString();
    std::vector<int32_t> out;
    for (int32_t i = from; i <= to; ++i)
        out.push_back(c.Data(i));
    return c.Failed() ? QString() : JoinIntegers(out);
}

QString Btn(Args args)
{
    return FirstNum(args[0]).toString();
}

// Keeps (first argument empty) or drops the values whose count over the
// number sets lies within the bounds; values beyond -1000..1000 are not
// counted. A bound that does not fit 16 bits gives the empty text.
QString Bet(Args args, Eval& ev)
{
    constexpr int32_t kRange = 1000;
    const bool keep = FirstNum(args[0]).isEmpty();
    Eval quiet;  // Bet turns its own failures into the empty text
    int32_t low, high;
    if (!FirstInteger(args[1], 1, quiet, low, -32768, 32767))
        return QString();
    low = std::max(low, 1);
    if (!FirstInteger(args[2], low, quiet, high, -32768, 32767) || high < low)
        return QString();
    std::array<int32_t, 2 * kRange + 1> counts{};
    std::vector<QStringView> items;
    for (size_t a = 3; a < args.size(); ++a) {
        if (args[a].isEmpty())
            continue;
        StrToNums(args[a], items);
        if (!ev.Charge(static_cast<int64_t>(items.size())))
            return QString();
        for (QStringView item : items) {
            WayDecimal d;
            WayDecimal::Scan(item, d);
            if (!WayIntegerOf(d, -kRange, kRange))
                continue;
            const int64_t whole = *WayScaled(d, 0, WayRounding::TowardZero, -kRange, kRange);
            ++counts[static_cast<size_t>(whole + kRange)];
        }
    }
    std::vector<int32_t> out;
    for (int32_t v = -kRange; v <= kRange; ++v) {
        const int32_t n = counts[static_cast<size_t>(v + kRange)];
        if (n >= 1 && (n >= low && n <= high) == keep)
            out.push_back(v);
    }
    return Braced(out);
}

}  // namespace

QString HistoryFunction(int16_t order, Args args, Eval& ev)
{
    switch (order) {
    case kNum:
        return Num(args, ev);
    case kSor:
        return Sor(args, ev);
    case kVal:
        return Val(args, ev);
    case kTiR:
        return Slant(args, ev, 1);
    case kTiL:
        return Slant(args, ev, -1);
    case kRep:
        return Slant(args, ev, 0);
    case kCyc:
        return Cyc(args, ev);
    case kBtn:
        return Btn(args);
    case kFil:
        return Fil(args, ev);
    case kNtb:
        return args[0];
    case kBal:
        return Bal(args, ev);
    case kBet:
        return Bet(args, ev);
    default:
        return QString();
    }
}

}  // namespace kelton::way
