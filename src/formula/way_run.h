#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>
#include <QStringView>

#include "chart/chart_data.h"

namespace kelton {

class CWay;
class IWayHistory;

// A run of one formula of the formula window: its selection formula (选值
// 公式) and its consult formula (参照公式, what each period's outcome was)
// over the last N periods, the last of them the next, undrawn issue.

// Joins the continuation lines of a formula before it is parsed. Lines are
// split at CR LF; a line with a "'" has a comment, its code part is the text
// before the first "'". A line continues the result's last line (appended
// without a separator) unless it is empty, its code part is blank or holds
// "=", or the line before it was empty or had a comment.
QString JoinWayLines(const QString& text);
// The same, also giving the offsets in the joined text at which a line end
// of the text was taken out, ascending.
QString JoinWayLines(const QString& text, std::vector<int32_t>& joins);

// A result text of the engine without one leading "{" and one trailing "}".
QString StripWayBraces(QString result);

// The hits of one period: how many of the consult numbers the selection
// holds, each selected number hit at most once (multisets: 1;1;2 against
// 1;2;2 gives 2), and the size of the selection. Pieces split at ";" that
// read as numbers are compared by their decimal value; other pieces are
// dropped.
struct WayHits {
    int32_t Hits = 0;
    int32_t Size = 0;
};
WayHits CountWayHits(QStringView consult, QStringView selection);

// What went wrong when both formulas were checked.
struct WayCheck {
    enum class Fault : uint8_t {
        None,
        Consult,    // a parse error in the consult formula
        Selection,  // a parse error in the selection formula
        Literal,    // a number literal outside 16 bits (FilterWay's message)
    };
    Fault Failure = Fault::None;
    QString Message;
    // The joined texts; the failing one is shown in the editor.
    QString Selection;
    QString Consult;
    // The erroneous piece in the joined text: 1-based start (0 when there is
    // none) and length, cut to end at the text's last character.
    int32_t ErrStart = 0;
    int32_t ErrCount = 0;
    // The same piece in the failing formula as it was given (its line ends
    // kept), where the editor marks it.
    int32_t TextErrStart = 0;
    int32_t TextErrCount = 0;

    bool Ok() const { return Failure == Fault::None; }
};

// Joins and parses the consult formula, then the selection formula, each
// followed by the range check of its literals; stops at the first failure.
// A formula over the parser's length or nesting limit is told as such.
WayCheck CheckWayTexts(CWay& way, const QString& selection, const QString& consult);

// The results of a run, by period i = 1..N (index 0 unused): the consult
// result of every period but the last, the selection result of every
// period, each without its braces.
struct WayResults {
    int32_t N = 0;
    std::vector<QString> Consult;
    std::vector<QString> Selection;
    bool Empty() const { return N < 1; }
};

// The outcome of evaluating a checked pair.
struct WayRun {
    bool Ok = false;
    bool Cancelled = false;  // stopped by its step before the end
    QString Message;         // on failure
    WayResults Results;
};

// Called before each evaluation of a run with the evaluations done so far
// and their number in all (2N - 1); false stops the run there.
using WayRunStep = std::function<bool(int32_t done, int32_t total)>;

// Evaluates the checked texts of a WayCheck for the last N periods of the
// history: period i is draw NumCount - N + i, period N the next issue. The
// period count comes as the text of the window's list; one that is no
// whole number within 1..NumCount fails with formerMessage, CR LF and the
// notice that no formula can be run. An evaluation that fails stops the run
// with "公式运算出错：", the formula, the issue and the cause; no results are
// kept then. A run its step stops is Cancelled, without results or message.
WayRun EvaluateWays(CWay& way, IWayHistory& history, const WayCheck& checked, const QString& periodText,
                    const QString& formerMessage, const WayRunStep& step = {});

// The hit table handed to the chart: rows 0..N, columns 0..2; row 0 the
// series names " ", "中出号码", "选出号码"; column 0 the issue numbers and
// "下期"; then per period the hits and the selection size (both 0 for an
// empty selection; the next issue's hits are the empty text).
ChartData WayHitTable(const WayResults& results, const IWayHistory& history);

// The numbers selected for the next issue, separated by blanks.
QString NextIssueSelection(const WayResults& results);

}  // namespace kelton
