// Evaluating a parsed formula, and the infix operators with Mod.
//
// The walk starts at the result node and evaluates each node after its
// arguments, left to right, on an explicit stack (a chain of thousands of
// operators needs no call stack). A node's value depends only on the draw,
// so it is kept for the rest of the call and a node shared by several names
// is evaluated once; the work and the size of every value are bounded.

#include <algorithm>
#include <cmath>

#include "formula/way.h"
#include "formula/way_internal.h"
#include "formula/way_values.h"

namespace kelton {

namespace way {

std::optional<WayFixed> FixedOf(QStringView item)
{
    WayDecimal d;
    if (!WayDecimal::Scan(item, d))
        return std::nullopt;
    return WayFixedOf(d);
}

std::optional<int64_t> IntegerOf(QStringView item, int64_t lo, int64_t hi)
{
    WayDecimal d;
    if (!WayDecimal::Scan(item, d))
        return std::nullopt;
    return WayIntegerOf(d, lo, hi);
}

bool FirstInteger(QStringView arg, int32_t def, Eval& ev, int32_t& out, int64_t lo, int64_t hi)
{
    const QStringView first = FirstNum(arg);
    if (first.isEmpty()) {
        out = def;
        return true;
    }
    const std::optional<int64_t> v = IntegerOf(first, lo, hi);
    if (!v) {
        ev.Fail(WayFault::Overflow);
        return false;
    }
    out = static_cast<int32_t>(*v);
    return true;
}

QString JoinIntegers(std::span<const int32_t> values)
{
    if (values.empty())
        return QString();
    QString out;
    out.reserve(static_cast<qsizetype>(values.size()) * 4 + 2);
    out += QLatin1Char('{');
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += QLatin1Char(';');
        out += QString::number(values[i]);
    }
    out += QLatin1Char('}');
    return out;
}

namespace {

// The items of both operands with their fixed-point values; false, with an
// overflow recorded, when one does not fit.
bool FixedItems(QStringView text, std::vector<QStringView>& items, std::vector<WayFixed>& values, Eval& ev)
{
    StrToNums(text, items);
    values.clear();
    values.reserve(items.size());
    for (QStringView item : items) {
        const std::optional<WayFixed> v = FixedOf(item);
        if (!v) {
            ev.Fail(WayFault::Overflow);
            return false;
        }
        values.push_back(*v);
    }
    return true;
}

QString Union(const QString& left, const QString& right)
{
    const QStringView a = CutBrace(left);
    const QStringView b = CutBrace(right);
    QString joined;
    joined.reserve(a.size() + b.size() + 1);
    joined += a;
    joined += QLatin1Char(';');
    joined += b;
    return JoinNums(StrToNums(joined));
}

// & ! #: items compared by their fixed-point values.
QString Compare(int16_t order, const QString& left, const QString& right, Eval& ev)
{
    std::vector<QStringView> a, b;
    std::vector<WayFixed> av, bv;
    if (!FixedItems(left, a, av, ev) || !FixedItems(right, b, bv, ev))
        return QString();
    auto sorted = [](std::vector<WayFixed> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const std::vector<WayFixed> inB = sorted(bv);
    std::vector<QStringView> out;
    for (size_t i = 0; i < a.size(); ++i) {
        const bool found = std::binary_search(inB.begin(), inB.end(), av[i]);
        if (found == (order == kIntersect))
            out.push_back(a[i]);
    }
    if (order == kEither) {
        const std::vector<WayFixed> inA = sorted(av);
        for (size_t i = 0; i < b.size(); ++i) {
            if (!std::binary_search(inA.begin(), inA.end(), bv[i]))
                out.push_back(b[i]);
        }
    }
    return JoinNums(out);
}

// + - * / \: every item of the left operand with the first of the right.
QString Arithmetic(int16_t order, const QString& left, const QString& right, Eval& ev)
{
    const QStringView firstRight = FirstNum(right);
    if (firstRight.isEmpty())
        return QString();
    const std::optional<WayFixed> b = FixedOf(firstRight);
    if (!b)
        return ev.Fail(WayFault::Overflow);
    const bool divides = order == kDiv || order == kIntDiv;
    const double divisor = static_cast<double>(*b) / kWayFixedOne;
    if (divides && *b == 0)
        return QString();  // a quotient by zero is no number
    std::vector<QStringView> items;
    StrToNums(left, items);
    std::vector<QString> results;
    results.reserve(items.size());
    for (QStringView item : items) {
        const std::optional<WayFixed> a = FixedOf(item);
        if (!a)
            return ev.Fail(WayFault::Overflow);
        if (divides) {
            double q = static_cast<double>(*a) / kWayFixedOne / divisor;
            if (order == kIntDiv)
                q = std::trunc(q);
            results.push_back(WayDoubleText(q));
            continue;
        }
        const std::optional<WayFixed> r =
            order == kAdd ? WayAdd(*a, *b) : order == kSub ? WaySub(*a, *b) : WayMul(*a, *b);
        if (!r)
            return ev.Fail(WayFault::Overflow);
        results.push_back(WayFixedText(*r));
    }
    std::vector<QStringView> views(results.begin(), results.end());
    return JoinNums(views);
}

QString Mod(const QString& left, const QString& right, Eval& ev)
{
    const QStringView firstRight = FirstNum(right);
    if (firstRight.isEmpty())
        return left;
    WayDecimal d;
    WayDecimal::Scan(firstRight, d);
    d.Negative = false;
    const std::optional<int64_t> divisor = WayIntegerOf(d, 0, 32767);
    if (!divisor)
        return ev.Fail(WayFault::Overflow);
    if (*divisor == 0)
        return ev.Fail(WayFault::DivideByZero);
    std::vector<QStringView> items;
    StrToNums(left, items);
    std::vector<int32_t> out;
    out.reserve(items.size());
    for (QStringView item : items) {
        const std::optional<int64_t> a = IntegerOf(item, INT32_MIN, INT32_MAX);
        if (!a)
            return ev.Fail(WayFault::Overflow);
        int64_t r = *a % *divisor;
        if (r < 0)
            r += *divisor;
        out.push_back(static_cast<int32_t>(r));
    }
    return JoinIntegers(out);
}

}  // namespace

QString Operate(int16_t order, Args args, Eval& ev)
{
    const QString& left = args[0];
    const QString& right = args[1];
    switch (order) {
    case kUnion:
        return Union(left, right);
    case kIntersect:
    case kExcept:
    case kEither:
        return Compare(order, left, right, ev);
    case kMod:
        return Mod(left, right, ev);
    default:
        return Arithmetic(order, left, right, ev);
    }
}

}  // namespace way

WayResult CWay::GetWayResult(int32_t sCurIss, IWayHistory* history)
{
    WayResult out;
    const size_t count = m_nodes.size();
    if (!m_parsed || count == 0 || static_cast<size_t>(m_resultNode) >= count)
        return out;

    way::Eval ev;
    ev.CurIss = sCurIss;
    ev.History = history;
    std::vector<QString> memo;
    std::vector<uint8_t> known;
    if (m_memoise) {
        memo.resize(count);
        known.assign(count, 0);
    }
    struct Frame {
        int32_t Node;
        int32_t Next;  // the next parameter to gather
        size_t Base;   // where its arguments start on the value stack
    };
    std::vector<Frame> frames{Frame{m_resultNode, 0, 0}};
    std::vector<QString> values;
    int16_t failedOrder = -1;
    while (!frames.empty()) {
        Frame& f = frames.back();
        const Node& node = m_nodes[static_cast<size_t>(f.Node)];
        const int32_t paraCount = m_orders[static_cast<size_t>(node.Order)].ParaCount;
        if (f.Next < std::min(node.ParaCount, paraCount)) {
            const Para& p = m_paras[static_cast<size_t>(node.FirstPara + f.Next++)];
            if (p.Node < 0)
                values.push_back(p.Text);
            else if (m_memoise && known[static_cast<size_t>(p.Node)])
                values.push_back(memo[static_cast<size_t>(p.Node)]);
            else
                frames.push_back(Frame{p.Node, 0, values.size()});
            continue;
        }
        // Arguments not written are empty.
        values.resize(f.Base + static_cast<size_t>(paraCount));
        const way::Args args(values.data() + f.Base, static_cast<size_t>(paraCount));
        int64_t read = 1;
        for (const QString& a : args)
            read += a.size();
        if (!ev.Charge(read))
            break;
        QString value;
        if (node.Order == way::kIdentity)
            value = args[0];
        else if (node.Order <= way::kMod)
            value = way::Operate(node.Order, args, ev);
        else if (node.Order < way::kInt)
            value = way::HistoryFunction(node.Order, args, ev);
        else
            value = way::ValueFunction(node.Order, args, ev);
        if (!ev.Failed() && value.size() > kMaxValueChars)
            ev.Fail(WayFault::ValueTooLarge);
        if (ev.Failed()) {
            failedOrder = node.Order;
            break;
        }
        if (!ev.Charge(value.size()))
            break;
        values.resize(f.Base);
        const int32_t done = f.Node;
        frames.pop_back();
        if (m_memoise) {
            memo[static_cast<size_t>(done)] = value;
            known[static_cast<size_t>(done)] = 1;
        }
        values.push_back(std::move(value));
    }
    if (ev.Failed()) {
        out.Fault = ev.Fault;
        out.FaultOrder = ev.Fault == WayFault::Budget ? int16_t(-1) : failedOrder;
        out.Cause = FaultText(out.Fault, out.FaultOrder);
        return out;
    }
    out.Value = std::move(values.back());
    return out;
}

}  // namespace kelton
