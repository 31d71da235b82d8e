// The functions that work on the items of number sets: Int, Dec, Iss, Abs,
// Max, Min, App, Des, Iif, Iis and Onl.
//
// A single-number parameter is the first item of its argument, read as a
// whole number (halves to even, 32-bit); an argument without items takes the
// default. Values are compared as fixed-point decimals.

#include <algorithm>
#include <cmath>
#include <set>

#include <QSet>

#include "data/prime_table.h"
#include "data/text_helpers.h"
#include "formula/way_history.h"
#include "formula/way_internal.h"
#include "formula/way_values.h"

namespace kelton::way {

namespace {

constexpr int32_t kMaxItems = 32767;

// Int, Dec, Abs: every item replaced by a computed value.
QString EachItem(int16_t order, const QString& arg, Eval& ev)
{
    const std::vector<QStringView> items = StrToNums(arg);
    std::vector<QString> results;
    results.reserve(items.size());
    for (QStringView item : items) {
        if (order == kInt) {
            const std::optional<double> v = WayDoubleOf(item);
            if (!v)
                return ev.Fail(WayFault::Overflow);
            results.push_back(WayWholeText(std::trunc(*v)));
            continue;
        }
        const std::optional<WayFixed> v = FixedOf(item);
        if (!v || (order == kAbs && *v == INT64_MIN))
            return ev.Fail(WayFault::Overflow);
        results.push_back(WayFixedText(order == kDec ? *v % kWayFixedOne : *v < 0 ? -*v : *v));
    }
    const std::vector<QStringView> views(results.begin(), results.end());
    return JoinNums(views);
}

QString Iss(const Eval& ev)
{
    if (ev.CurIss < 1)
        return QStringLiteral("0");
    const int32_t issue = ev.History ? ev.History->NumName(ev.CurIss - 1) : -1;
    const QString text = QString::number(issue);
    return text.right(3);
}

// Max and Min: the count largest or smallest items, equal values in their
// order.
QString Extremes(int16_t order, Args args, Eval& ev)
{
    int32_t count;
    if (!FirstInteger(args[1], 1, ev, count, -32768, 32767))
        return QString();
    const std::vector<QStringView> items = StrToNums(args[0]);
    if (count <= 0 || items.empty())
        return QString();
    std::vector<std::pair<WayFixed, QStringView>> keyed;
    keyed.reserve(items.size());
    for (QStringView item : items) {
        const std::optional<WayFixed> v = FixedOf(item);
        if (!v)
            return ev.Fail(WayFault::Overflow);
        keyed.emplace_back(*v, item);
    }
    const bool largest = order == kMax;
    std::stable_sort(keyed.begin(), keyed.end(), [largest](const auto& a, const auto& b) {
        return largest ? a.first > b.first : a.first < b.first;
    });
    std::vector<QStringView> out;
    for (size_t i = 0; i < keyed.size() && i < static_cast<size_t>(count); ++i)
        out.push_back(keyed[i].second);
    return JoinNums(out);
}

// Every item followed by item + step, item + 2 x step, ... (count additions).
QString App(Args args, Eval& ev)
{
    int32_t count, step;
    if (!FirstInteger(args[1], 1, ev, count))
        return QString();
    if (count == 0)
        return args[0];
    if (count < 0 || count > 1000)
        return QString();
    if (!FirstInteger(args[2], 1, ev, step))
        return QString();
    if (step == 0)
        return args[0];
    if (step < -100 || step > 100)
        return QString();
    const std::vector<QStringView> items = StrToNums(args[0]);
    if (items.empty())
        return QString();
    if (static_cast<int64_t>(items.size()) * (count + 1) > kMaxItems)
        return ev.Fail(WayFault::TooManyItems);
    std::vector<QString> results;
    results.reserve(items.size() * static_cast<size_t>(count + 1));
    for (QStringView item : items) {
        const std::optional<WayFixed> x = FixedOf(item);
        if (!x)
            return ev.Fail(WayFault::Overflow);
        for (int32_t k = 0; k <= count; ++k) {
            const std::optional<WayFixed> v = WayAdd(*x, int64_t{k} * step * kWayFixedOne);
            if (!v)
                return ev.Fail(WayFault::Overflow);
            results.push_back(WayFixedText(*v));
        }
    }
    const std::vector<QStringView> views(results.begin(), results.end());
    return JoinNums(views);
}

// Deletes the items below the bound (kind empty) or above it (any kind).
QString Des(Args args, Eval& ev)
{
    const bool above = !FirstNum(args[1]).isEmpty();
    int32_t bound;
    if (!FirstInteger(args[2], 0, ev, bound))
        return QString();
    std::vector<QStringView> out;
    for (QStringView item : StrToNums(args[0])) {
        const std::optional<int64_t> n = IntegerOf(item, INT32_MIN, INT32_MAX);
        if (!n)
            return ev.Fail(WayFault::Overflow);
        if (above ? *n <= bound : *n >= bound)
            out.push_back(item);
    }
    return JoinNums(out);
}

QString Iif(Args args)
{
    const QString condition = TrimBlanks(args[0]);
    return condition.isEmpty() || condition == QLatin1String("{}") ? args[2] : args[1];
}

// Iis kinds 4..6 and 10..14: the distinct values that carry a class flag of
// a data view at the evaluated draw, ascending.
QString IisClass(int32_t kind, const std::vector<QStringView>& items, const QString& extra, Eval& ev)
{
    int32_t view = 0;
    WayDecimal d;
    if (WayDecimal::Scan(extra, d)) {
        const std::optional<int64_t> v = WayIntegerOf(d, -32768, 32767);
        if (!v)
            return ev.Fail(WayFault::Overflow);
        view = static_cast<int32_t>(*v);
    }
    IWayHistory* h = ev.History;
    if (view < 0 || view > 7 || !h || !h->HasView(static_cast<int16_t>(view)))
        return QString();
    using C = IWayHistory::Classes;
    const C family = kind <= 6 ? C::HotWarmCold : kind <= 12 ? C::NeighbourAlonePass : C::RepeatGapMiddle;
    const int16_t cls = static_cast<int16_t>(kind <= 6 ? kind - 4 : kind <= 12 ? kind - 10 : kind - 12);
    if (!ev.Charge(8))
        return QString();
    const std::vector<int16_t> flags = h->ClassFlags(static_cast<int16_t>(view), ev.CurIss, family, cls);
    std::set<int32_t> passing;
    for (QStringView item : items) {
        const std::optional<int64_t> n = IntegerOf(item, INT32_MIN, INT32_MAX);
        if (!n)
            return ev.Fail(WayFault::Overflow);
        if (*n >= 0 && *n <= h->BcDataLen() && static_cast<size_t>(*n) < flags.size()
            && flags[static_cast<size_t>(*n)])
            passing.insert(static_cast<int32_t>(*n));
    }
    const std::vector<int32_t> out(passing.begin(), passing.end());
    return JoinIntegers(out);
}

// Iis kinds 20..22: the set against the items of the extension.
QString IisCompare(int32_t kind, const std::vector<QStringView>& items, const QString& extra, Eval& ev)
{
    const std::vector<QStringView> ex = StrToNums(extra);
    if (ex.empty())
        return QString();
    if (kind == 20) {
        const QSet<QStringView> present(items.begin(), items.end());
        for (QStringView e : ex) {
            if (!present.contains(e))
                return QString();
        }
        return JoinNums(ex);
    }
    constexpr WayFixed kLimit = WayFixed{100000000} * kWayFixedOne;
    WayFixed bound = kind == 21 ? -kLimit : kLimit;
    for (QStringView e : ex) {
        const std::optional<WayFixed> v = FixedOf(e);
        if (!v)
            return ev.Fail(WayFault::Overflow);
        bound = kind == 21 ? std::max(bound, *v) : std::min(bound, *v);
    }
    std::vector<QStringView> out;
    for (QStringView item : items) {
        const std::optional<WayFixed> v = FixedOf(item);
        if (!v)
            return ev.Fail(WayFault::Overflow);
        if (kind == 21 ? *v > bound : *v < bound)
            out.push_back(item);
    }
    return JoinNums(out);
}

// Keeps the items that pass the test of the kind given.
QString Iis(Args args, Eval& ev)
{
    int32_t kind;
    if (!FirstInteger(args[1], 0, ev, kind))
        return QString();
    const std::vector<QStringView> items = StrToNums(args[0]);
    if (items.empty())
        return QString();
    if ((kind >= 4 && kind <= 6) || (kind >= 10 && kind <= 14))
        return IisClass(kind, items, args[2], ev);
    if (kind >= 20 && kind <= 22)
        return IisCompare(kind, items, args[2], ev);
    const bool known = (kind >= 0 && kind <= 3) || (kind >= 7 && kind <= 9) || kind == 15 || kind == 16;
    if (!known)
        return QString();
    std::vector<int64_t> values;
    values.reserve(items.size());
    for (QStringView item : items) {
        const std::optional<int64_t> n = IntegerOf(item, INT32_MIN, INT32_MAX);
        if (!n)
            return ev.Fail(WayFault::Overflow);
        values.push_back(*n);
    }
    std::vector<int64_t> sorted;
    if (kind == 15 || kind == 16) {
        sorted = values;
        std::sort(sorted.begin(), sorted.end());
    }
    auto has = [&sorted](int64_t v) { return std::binary_search(sorted.begin(), sorted.end(), v); };
    std::vector<QStringView> out;
    for (size_t i = 0; i < items.size(); ++i) {
        const int64_t n = values[i];
        bool pass = false;
        switch (kind) {
        case 0:
            pass = n % 2 == 1;
            break;
        case 1:
            pass = n % 2 == 0;
            break;
        case 2:
        case 3:
            pass = n >= 0 && n <= 200 && kPrimeTable[static_cast<size_t>(n)] == (kind == 2);
            break;
        case 7:
        case 8:
        case 9:
            pass = n % 3 == kind - 7;
            break;
        default:  // 15 and 16: a neighbouring number in the set
            pass = (has(n + 1) || has(n - 1)) == (kind == 15);
            break;
        }
        if (pass)
            out.push_back(items[i]);
    }
    return JoinNums(out);
}

}  // namespace

QString ValueFunction(int16_t order, Args args, Eval& ev)
{
    switch (order) {
    case kInt:
    case kDec:
    case kAbs:
        return EachItem(order, args[0], ev);
    case kIss:
        return Iss(ev);
    case kMax:
    case kMin:
        return Extremes(order, args, ev);
    case kApp:
        return App(args, ev);
    case kDes:
        return Des(args, ev);
    case kIif:
        return Iif(args);
    case kIis:
        return Iis(args, ev);
    case kOnl:
        return OnlyNums(args[0]);
    default:
        return QString();
    }
}

}  // namespace kelton::way
