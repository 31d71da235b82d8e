#include "formula/way_help.h"

#include <algorithm>

#include "formula/way.h"

namespace kelton {

namespace {

constexpr int16_t kFirstOperator = 1;
constexpr int16_t kFirstFunction = 10;

// The order in first..last whose name is the text, letter case ignored; -1
// when none is.
int16_t FindOrder(const CWay& way, QStringView name, int16_t first, int16_t last)
{
    for (int16_t i = first; i <= last; ++i) {
        if (name.compare(way.OrderName(i), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int16_t FindFunction(const CWay& way, QStringView name)
{
    return FindOrder(way, name, kFirstFunction, static_cast<int16_t>(CWay::OrderCount - 1));
}

}  // namespace

QString CutParaBracket(QStringView text, QChar open, QChar close)
{
    QString out = text.toString();
    for (;;) {
        const qsizetype o = out.lastIndexOf(open);
        if (o >= 0) {
            const qsizetype c = out.indexOf(close, o + 1);
            if (c >= 0)
                out.remove(o, c - o + 1);
        }
        const qsizetype lastOpen = out.lastIndexOf(open);
        const qsizetype lastClose = out.lastIndexOf(close);
        if (lastOpen < 0 || lastClose < 0 || lastOpen > lastClose)
            return out;
    }
}

TextSpan ParaSpan(QStringView signature, int32_t p)
{
    // Positions count from 1 here; the parameters start at 5.
    const qsizetype size = signature.size();
    if (size == 0)
        return {};
    qsizetype end = signature.indexOf(QLatin1Char(')'), 4) + 1;
    if (end == 0)
        end = size;
    --end;
    qsizetype start = 5;
    qsizetype last = end;
    for (int32_t n = 0;;) {
        const qsizetype comma = start - 1 < size ? signature.indexOf(QLatin1Char(','), start - 1) + 1 : 0;
        if (comma == 0 || comma >= end)
            break;
        if (++n > p) {
            last = comma - 1;
            break;
        }
        start = comma + 1;
    }
    TextSpan span;
    span.Start = static_cast<int32_t>(std::min(start - 1, size));
    span.Length = static_cast<int32_t>(std::clamp<qsizetype>(last - start + 1, 0, size - span.Start));
    return span;
}

WayHelp WayHelpAt(const CWay& way, QStringView before)
{
    WayHelp help;
    if (before.isEmpty())
        return help;

    const int16_t op = FindOrder(way, before.right(1), kFirstOperator, kFirstFunction - 1);
    if (op >= 0) {
        help.What = WayHelp::Kind::Text;
        help.Text = way.OrderParaHelp(op, 0);
        return help;
    }
    if (before.size() > 2) {
        const int16_t function = FindFunction(way, before.right(3));
        if (function >= 0) {
            help.What = WayHelp::Kind::Text;
            help.Text = way.OrderParaHelp(function, 1);
            return help;
        }
    }

    const QString cut = CutParaBracket(before, QLatin1Char('('), QLatin1Char(')'));
    const qsizetype k = cut.lastIndexOf(QLatin1Char('(')) + 1;  // 1-based, 0 for none
    if (k < 4)
        return help;
    const QStringView part = QStringView(cut).sliced(k - 4);
    if (part.indexOf(QLatin1Char('(')) != 3)
        return help;
    const int16_t function = FindFunction(way, part.left(3));
    if (function < 0)
        return help;
    const auto p = static_cast<int32_t>(part.count(QLatin1Char(',')));
    if (p >= way.OrderParaCount(function)) {
        help.What = WayHelp::Kind::Keep;
        return help;
    }
    help.What = WayHelp::Kind::Signature;
    help.Signature = way.OrderParaHelp(function, 0);
    help.Text = way.OrderParaHelp(function, static_cast<int16_t>(p + 2));
    const TextSpan span = ParaSpan(help.Signature, p);
    help.BoldStart = span.Start;
    help.BoldLength = span.Length;
    return help;
}

}  // namespace kelton
