#include "formula/way_run.h"

#include <algorithm>
#include <optional>

#include <QVarLengthArray>

#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "formula/way.h"
#include "formula/way_history.h"

namespace kelton {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The pieces of a result that read as numbers, by value; a run counts the
// hits of every period, so the usual few numbers take no allocation.
using NumberList = QVarLengthArray<double, 32>;

// The pieces of a text split at ";" that read as numbers, in one pass: a
// piece of bare digits (the engine's usual output) is read as it goes, any
// other by the general reading; either gives the same value.
void NumberPieces(QStringView text, NumberList& out)
{
    out.clear();
    if (text.isEmpty())
        return;
    constexpr qsizetype kMaxDigits = 15; // exact in a double
    const char16_t* const chars = text.utf16();
    const qsizetype size = text.size();
    qsizetype start = 0;
    int64_t value = 0;
    bool digits = true;
    for (qsizetype i = 0;; ++i) {
        if (i == size || chars[i] == u';') {
            const qsizetype length = i - start;
            if (digits && length > 0 && length <= kMaxDigits) {
                out.push_back(static_cast<double>(value));
            } else if (const std::optional<double> v = NumberTextValue(text.sliced(start, length))) {
                out.push_back(*v);
            }
            if (i == size)
                return;
            start = i + 1;
            value = 0;
            digits = true;
            continue;
        }
        const char16_t c = chars[i];
        if (c < u'0' || c > u'9')
            digits = false;
        else if (i - start < kMaxDigits) // a longer piece takes the general reading
            value = value * 10 + (c - u'0');
    }
}

// The message of a parse error in the named formula, with the piece cut to
// the text; errStart and errCount are updated to the cut piece.
QString ParseErrorMessage(const QString& name, WayParseFault fault, const QString& text, int32_t& errStart,
                          int32_t& errCount)
{
    if (fault == WayParseFault::TooLong) {
        return name + QStringLiteral("长%1个字符，超过了%2个字符的长度限制！")
                          .arg(text.size())
                          .arg(CWay::kMaxTextLength);
    }
    if (errStart < 1 || errStart > text.size())
        return name + QStringLiteral("中存在无法自动检测的错误！");
    errCount = std::clamp<int32_t>(errCount, 0, static_cast<int32_t>(text.size()) - errStart + 1);
    const QString piece = text.mid(errStart - 1, errCount);
    if (fault == WayParseFault::TooDeep)
        return name + QStringLiteral("中括号和函数的嵌套超过了%1层的限制：").arg(CWay::kMaxNesting) + piece;
    return name + QStringLiteral("中存在错误：") + piece;
}

// An offset into a joined text as an offset into the text it was joined
// from: every line end taken out before it comes back. A line end taken
// out right at the offset counts when the offset starts a piece (the piece
// begins after it) and not when it ends one.
int32_t UnjoinedOffset(const std::vector<int32_t>& joins, int32_t offset, bool pieceEnd)
{
    const auto before = pieceEnd ? std::lower_bound(joins.begin(), joins.end(), offset)
                                 : std::upper_bound(joins.begin(), joins.end(), offset);
    return offset + 2 * static_cast<int32_t>(before - joins.begin());
}

}  // namespace

QString JoinWayLines(const QString& text)
{
    std::vector<int32_t> joins;
    return JoinWayLines(text, joins);
}

QString JoinWayLines(const QString& text, std::vector<int32_t>& joins)
{
    joins.clear();
    const QStringList lines = text.split(kLineEnd);
    QString result = lines.front();
    bool closed = result.isEmpty() || result.contains(QLatin1Char('\''));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) {
            result += kLineEnd;
            closed = true;
            continue;
        }
        const qsizetype quote = line.indexOf(QLatin1Char('\''));
        const QStringView code = quote < 0 ? QStringView(line) : QStringView(line).left(quote);
        if (closed || TrimBlanksView(code).isEmpty() || code.contains(QLatin1Char('=')))
            result += kLineEnd;
        else
            joins.push_back(static_cast<int32_t>(result.size()));
        result += line;
        closed = quote >= 0;
    }
    return result;
}

QString StripWayBraces(QString result)
{
    // In place: a result of its own loses its braces without a copy.
    if (result.startsWith(QLatin1Char('{')))
        result.remove(0, 1);
    if (result.endsWith(QLatin1Char('}')))
        result.chop(1);
    return result;
}

WayHits CountWayHits(QStringView consult, QStringView selection)
{
    WayHits out;
    NumberList selected;
    NumberPieces(selection, selected);
    out.Size = static_cast<int32_t>(selected.size());
    if (selected.empty())
        return out;
    NumberList drawn;
    NumberPieces(consult, drawn);
    for (const double a : drawn) {
        const auto hit = std::find(selected.begin(), selected.end(), a);
        if (hit == selected.end())
            continue;
        *hit = selected.back();
        selected.pop_back();
        ++out.Hits;
    }
    return out;
}

WayCheck CheckWayTexts(CWay& way, const QString& selection, const QString& consult)
{
    WayCheck out;
    std::vector<int32_t> consultJoins;
    std::vector<int32_t> selectionJoins;
    out.Selection = JoinWayLines(selection, selectionJoins);
    out.Consult = JoinWayLines(consult, consultJoins);

    const struct {
        const QString& text;
        const std::vector<int32_t>& joins;
        WayCheck::Fault fault;
        QString name;
    } formulas[] = {
        {out.Consult, consultJoins, WayCheck::Fault::Consult, QStringLiteral("参照公式")},
        {out.Selection, selectionJoins, WayCheck::Fault::Selection, QStringLiteral("选值公式")},
    };
    for (const auto& f : formulas) {
        int32_t start = 0;
        int32_t count = 0;
        if (way.TestStrWay(f.text, start, count)) {
            out.Failure = f.fault;
            out.Message = ParseErrorMessage(f.name, way.ParseFault(), f.text, start, count);
            if (start >= 1 && start <= f.text.size()) {
                out.ErrStart = start;
                out.ErrCount = count;
                const int32_t from = UnjoinedOffset(f.joins, start - 1, false);
                const int32_t to = count > 0 ? UnjoinedOffset(f.joins, start - 1 + count, true) : from;
                out.TextErrStart = from + 1;
                out.TextErrCount = to - from;
            }
            return out;
        }
        out.Message = way.FilterWay();
        if (!out.Message.isEmpty()) {
            out.Failure = WayCheck::Fault::Literal;
            return out;
        }
    }
    return out;
}

WayRun EvaluateWays(CWay& way, IWayHistory& history, const WayCheck& checked, const QString& periodText,
                    const QString& formerMessage, const WayRunStep& step)
{
    WayRun out;
    const int32_t count = history.NumCount();
    const int32_t n = NumberTextToInt32(periodText).value_or(0);
    if (n < 1 || n > count) {
        out.Message = formerMessage + kLineEnd +
                      QStringLiteral("统计期数的选择错误或者没有历史数据，都无法运算公式！");
        return out;
    }

    WayResults results;
    results.N = n;
    results.Consult.assign(static_cast<size_t>(n) + 1, QString());
    results.Selection.assign(static_cast<size_t>(n) + 1, QString());
    const int32_t first = count - n;
    const int32_t total = 2 * n - 1;
    int32_t done = 0;

    const struct {
        const QString& text;
        std::vector<QString>& into;
        int32_t last;
        QString name;
    } passes[] = {
        {checked.Consult, results.Consult, n - 1, QStringLiteral("参照公式")},
        {checked.Selection, results.Selection, n, QStringLiteral("选值公式")},
    };
    for (const auto& pass : passes) {
        int32_t start = 0;
        int32_t length = 0;
        if (way.TestStrWay(pass.text, start, length)) {
            out.Message = QStringLiteral("公式运算出错：") + pass.name + QStringLiteral("无法解析");
            return out;
        }
        for (int32_t i = 1; i <= pass.last; ++i, ++done) {
            if (step && !step(done, total)) {
                out.Cancelled = true;
                return out;
            }
            const int32_t draw = first + i;
            WayResult r = way.GetWayResult(draw, &history);
            if (!r.Ok()) {
                const QString issue = draw >= count ? QStringLiteral("下期")
                                                    : QString::number(history.NumName(draw)) + QStringLiteral("期");
                out.Message = QStringLiteral("公式运算出错：%1，%2，%3").arg(pass.name, issue, r.Cause);
                return out;
            }
            pass.into[static_cast<size_t>(i)] = StripWayBraces(std::move(r.Value));
        }
    }
    out.Ok = true;
    out.Results = std::move(results);
    return out;
}

ChartData WayHitTable(const WayResults& results, const IWayHistory& history)
{
    const int32_t n = results.N;
    ChartData table(n, 2);
    table.Set(0, 0, QStringLiteral(" "));
    table.Set(0, 1, QStringLiteral("中出号码"));
    table.Set(0, 2, QStringLiteral("选出号码"));
    table.Set(n, 0, QStringLiteral("下期"));
    const int32_t first = history.NumCount() - n;
    for (int32_t i = 1; i < n; ++i)
        table.Set(i, 0, history.NumName(first + i));
    for (int32_t i = 1; i <= n; ++i) {
        const auto at = static_cast<size_t>(i);
        const WayHits hits = CountWayHits(results.Consult[at], results.Selection[at]);
        if (hits.Size == 0) {
            table.Set(i, 1, 0);
            table.Set(i, 2, 0);
            continue;
        }
        table.Set(i, 2, hits.Size);
        if (i == n && hits.Hits == 0)
            table.Set(i, 1, QString());
        else
            table.Set(i, 1, hits.Hits);
    }
    return table;
}

QString NextIssueSelection(const WayResults& results)
{
    if (results.Empty())
        return QString();
    return QString(results.Selection[static_cast<size_t>(results.N)]).replace(QLatin1Char(';'), QLatin1Char(' '));
}

}  // namespace kelton
