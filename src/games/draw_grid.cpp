#include "games/draw_grid.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

#include <QSet>

#include "core/msg_service.h"
#include "data/draw_text.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

bool AllDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A field of the numbers box: digits only, at most high.
bool NumberFieldOk(QStringView field, int high)
{
    if (!AllDigits(field))
        return false;
    // Leading zeros do not count towards the length.
    while (field.size() > 1 && field.front() == u'0')
        field = field.mid(1);
    return field.size() <= 5 && field.toInt() <= high;
}

// The issue of a data row; rows the editor wrote always hold one.
int64_t RowIssue(const IDrawRows& rows, int row)
{
    return IssueValue(rows.TextMatrix(row, kIssueCol)).value_or(0);
}

} // namespace

CGridDataRows::CGridDataRows(CGridData& cells) : m_cells(cells)
{
    m_cells.SetCols(2);
    m_cells.SetRows(1);
    m_cells.SetFixedRows(1);
    m_cells.SetFixedCols(1);
}

void CGridDataRows::InsertRow(int index, const QString& issue, const QString& numbers)
{
    m_cells.AddItem(issue + u'\t' + numbers, index);
}

void CGridDataRows::InsertRows(std::span<const int> before, std::span<const QString> texts)
{
    m_cells.InsertRows(before, texts);
}

std::optional<int64_t> IssueValue(QStringView text)
{
    QStringView digits = TrimBlanksView(text);
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    if (!AllDigits(digits))
        return std::nullopt;
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    // Past 18 digits every issue is out of range anyway; the cap keeps the
    // order among them.
    if (digits.size() > 18)
        return negative ? -std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::max();
    const int64_t value = digits.toLongLong();
    return negative ? -value : value;
}

GridRowFind FindGridRow(const IDrawRows& rows, int64_t issue)
{
    // The first data row whose issue is not less than the one sought.
    int low = 1;
    int high = rows.Rows();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (RowIssue(rows, middle) < issue)
            low = middle + 1;
        else
            high = middle;
    }
    const bool found = low < rows.Rows() && RowIssue(rows, low) == issue;
    return {found, low};
}

QString StoredNumbersText(const CLottorHead& head, std::span<const int16_t> stored)
{
    const int bcMain = head.BcMain;
    const int bm = head.BM;
    QString text;
    text.reserve(bm * (std::max(head.BcNumMaxLen, head.MrNumMaxLen) + 1));
    const auto at = [&](int position) -> int64_t {
        return position < static_cast<int>(stored.size()) ? stored[static_cast<size_t>(position)] : 0;
    };
    // Main numbers are stored units first and written highest place first;
    // secondary numbers are stored as written.
    for (int x = 1; x <= bm; ++x) {
        const bool main = x <= bcMain;
        if (x > 1)
            text += u' ';
        text += Padded(at(main ? bcMain - x + 1 : x), main ? head.BcNumMaxLen : head.MrNumMaxLen);
    }
    return text;
}

void FillDrawRows(IDrawRows& rows, const CLottorData& game)
{
    rows.ClearRows();
    const CLottorHead& head = game.HeadData;
    const size_t stride = static_cast<size_t>(head.BM) + 1;
    const std::span<const int16_t> numbers = game.NumData();
    const std::span<const int32_t> issues = game.NameData();
    const int count = game.NumCount();
    for (int i = 0; i < count; ++i) {
        const std::span<const int16_t> draw = numbers.subspan(static_cast<size_t>(i) * stride, stride);
        rows.InsertRow(rows.Rows(), QString::number(issues[static_cast<size_t>(i)]),
                       StoredNumbersText(head, draw));
    }
}

QString GridToNumStr(const IDrawRows& rows)
{
    QString text;
    const int count = rows.Rows();
    for (int r = 1; r < count; ++r) {
        text += rows.TextMatrix(r, kIssueCol);
        text += u':';
        text += rows.TextMatrix(r, kNumbersCol);
        text += u"\r\n";
    }
    return text;
}

int OpeningTopRow(int rows)
{
    return rows > 21 ? rows - 21 : 0;
}

int OpeningTab(const QString& sSelTsp)
{
    if (sSelTsp == u"Chang")
        return 2;
    if (sSelTsp == u"Delect")
        return 3;
    if (sSelTsp == u"DownLoad")
        return 4;
    if (sSelTsp == u"Import")
        return 5;
    return 1;
}

std::optional<QString> CheckDrawNumbers(const CLottorHead& head, const QString& sText)
{
    const QList<QStringView> fields = TrimBlanksView(sText).split(u' ');
    const int bm = head.BM;
    if (bm < 1 || fields.size() < bm)
        return std::nullopt;
    QString text;
    for (int i = 0; i < bm; ++i) {
        const int high = i < head.BcMain ? head.BcDataLen : head.MrDataLen;
        if (!NumberFieldOk(fields[i], high))
            return std::nullopt;
        if (i > 0)
            text += u' ';
        text += fields[i];
    }
    return text;
}

IssueCheck CheckNewIssue(const IDrawRows& rows, const QString& sText)
{
    IssueCheck check;
    const QString text = TrimBlanks(sText);
    const std::optional<int64_t> value = IssueValue(text);
    if (!value) {
        check.Reason = u"期号必须是数字。"_s;
        return check;
    }
    if (*value < std::numeric_limits<int32_t>::min() || *value > std::numeric_limits<int32_t>::max())
        return check;
    if (*value <= 0) {
        check.Reason = u"期号必须大于零。"_s;
        return check;
    }
    const GridRowFind place = FindGridRow(rows, *value);
    if (place.Found) {
        check.Reason = u"期号已经存在。"_s + text;
        return check;
    }
    check.Ok = true;
    check.Issue = static_cast<int32_t>(*value);
    check.Row = place.Row;
    return check;
}

QString DrawEntryErrorText(const QString& sReason)
{
    return u"输入开奖数据错误，"_s + sReason + u"请检查后再增加！"_s;
}

void DeleteDrawRows(IDrawRows& rows, int row, int rowSel)
{
    const int dataRows = rows.Rows() - 1;
    const int top = std::max(std::min(row, rowSel), 1);
    const int bottom = std::min(std::max(row, rowSel), dataRows);
    if (bottom - top + 1 >= dataRows) {
        rows.ClearRows();
        return;
    }
    for (int r = bottom; r >= top; --r)
        rows.RemoveRow(r);
}

int MaxDrawRows()
{
    return CLottorData::kMaxDraws;
}

bool DrawTableFull(const IDrawRows& rows)
{
    return rows.Rows() - 1 >= MaxDrawRows();
}

QString DrawTableFullText()
{
    return u"不能再增加开奖号码，一种彩票最多保存%1期开奖号码。"_s.arg(MaxDrawRows());
}

namespace {

// The lines of a text, CR LF or LF ended, numbered from 1; no line is
// copied.
class LineWalk {
public:
    explicit LineWalk(QStringView text) : m_text(text) {}
    bool Next(QStringView& line)
    {
        if (m_start >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf(u'\n', m_start);
        const qsizetype next = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        else if (end > m_start && m_text[end - 1] == u'\r')
            --end;
        line = m_text.sliced(m_start, end - m_start);
        m_start = next;
        ++m_number;
        return true;
    }
    int Number() const { return m_number; }

private:
    QStringView m_text;
    qsizetype m_start = 0;
    int m_number = 0;
};

qsizetype LineCount(QStringView text)
{
    return text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
}

// A new draw of the text, waiting for its row: its issue, its line and
// where its two texts lie.
struct NewDraw {
    int32_t Issue;
    int Line;
    size_t Texts;
};

// The new draws of a text, in text order, with their texts (issue and
// numbers of each, in the same order).
struct NewDraws {
    std::vector<NewDraw> Draws;
    std::vector<QString> Texts;
};

// The numbers text of a draw read from text: written order, each number
// padded to its area's width.
QString NumbersText(const CLottorHead& head, const Draw& draw)
{
    const int bcMain = head.BcMain;
    QString numbers;
    numbers.reserve(head.BM * (std::max(head.BcNumMaxLen, head.MrNumMaxLen) + 1));
    for (int k = 1; k <= head.BM; ++k) {
        if (k > 1)
            numbers += u' ';
        numbers += Padded(draw.Num[static_cast<size_t>(k)], k <= bcMain ? head.BcNumMaxLen : head.MrNumMaxLen);
    }
    return numbers;
}

// The fault of a line the format has read, None when the history keeps it.
DrawLineFault DrawFault(const CLottorHead& head, const Draw& draw)
{
    if (draw.Issue <= 0)
        return DrawLineFault::BadIssue;
    for (int k = 1; k <= head.BM; ++k) {
        const int16_t value = draw.Num[static_cast<size_t>(k)];
        if (value < 0 || value > (k <= head.BcMain ? head.BcDataLen : head.MrDataLen))
            return DrawLineFault::OutOfRange;
    }
    return DrawLineFault::None;
}

// Reads the lines of a text into the new draws that are not among the
// known issues (ascending), at most room of them; fills the counts of
// result. False when a stop was asked for.
bool ReadNewDraws(CLottorHead& head, const FormatTokens& tokens, QStringView text,
                  const std::vector<int64_t>& known, int room, const std::function<void()>& onBusy,
                  NewDraws& fresh, DrawTextRead& result)
{
    std::optional<MsgProgressGuard> progress;
    const qsizetype lines = LineCount(text);
    if (lines > kDrawTextProgressLines) {
        progress.emplace(head.msg, u"正在读取开奖号码"_s, static_cast<int32_t>(lines), 0, 0, true);
        if (onBusy)
            onBusy();
    }
    constexpr int kStepLines = 512;
    // Enough of a skipped line to name it.
    constexpr qsizetype kKeptChars = 64;

    QSet<int32_t> taken;
    LineWalk walk(text);
    QStringView line;
    Draw draw;
    while (walk.Next(line)) {
        const int number = walk.Number();
        if (progress && number % kStepLines == 0) {
            progress->Step(number);
            if (progress->StopRequested())
                return false;
        }
        if (TrimBlanksView(line).isEmpty())
            continue;
        DrawLineFault fault = DrawLineFault::NotInFormat;
        if (LineToNum(head, tokens, line, draw)) {
            result.Read = true;
            fault = DrawFault(head, draw);
        }
        if (fault != DrawLineFault::None) {
            if (result.Skipped++ == 0) {
                result.FirstSkippedLine = number;
                result.FirstSkippedText = line.left(kKeptChars).toString();
                result.FirstSkippedFault = fault;
            }
            continue;
        }
        if (std::binary_search(known.begin(), known.end(), int64_t{draw.Issue}) || taken.contains(draw.Issue)) {
            ++result.Known;
            continue;
        }
        if (static_cast<int>(fresh.Draws.size()) >= room) {
            result.Full = true;
            result.StoppedLine = number;
            break;
        }
        taken.insert(draw.Issue);
        fresh.Draws.push_back({draw.Issue, number, fresh.Texts.size()});
        fresh.Texts.push_back(QString::number(draw.Issue));
        fresh.Texts.push_back(NumbersText(head, draw));
    }
    return true;
}

// Inserts the new draws at their rows among the known issues in one pass;
// the row of the draw from the latest line goes to result.LastRow.
void InsertNewDraws(IDrawRows& rows, const std::vector<int64_t>& known, NewDraws& fresh, DrawTextRead& result)
{
    std::vector<NewDraw>& draws = fresh.Draws;
    std::vector<QString>& texts = fresh.Texts;
    std::sort(draws.begin(), draws.end(), [](const NewDraw& a, const NewDraw& b) { return a.Issue < b.Issue; });
    std::vector<int> before;
    before.reserve(draws.size());
    int lastLine = 0;
    for (size_t i = 0; i < draws.size(); ++i) {
        // The texts go into issue order where they lie: the draw now i-th
        // takes its texts from where they are (following the texts that
        // earlier swaps moved on), and the texts it displaces move there.
        // Each displacement is followed once, so the whole pass is linear.
        size_t from = draws[i].Texts;
        while (from < 2 * i)
            from = draws[from / 2].Texts;
        std::swap(texts[2 * i], texts[from]);
        std::swap(texts[2 * i + 1], texts[from + 1]);
        draws[i].Texts = from;

        const int row =
            static_cast<int>(std::lower_bound(known.begin(), known.end(), int64_t{draws[i].Issue}) - known.begin()) + 1;
        before.push_back(row);
        // Every new draw of a lower issue lies above it.
        if (draws[i].Line > lastLine) {
            lastLine = draws[i].Line;
            result.LastRow = row + static_cast<int>(i);
        }
    }
    rows.InsertRows(before, texts);
    result.Inserted = static_cast<int>(draws.size());
}

} // namespace

DrawTextRead ParseDrawText(IDrawRows& rows, CLottorHead& head, const QString& sText, const QString& sFormat,
                           const std::function<void()>& onBusy)
{
    DrawTextRead result;
    FormatTokens tokens;
    if (!head.StrToFormat(sFormat, tokens))
        return result;
    try {
        // The issues of the table, in its (ascending) order.
        std::vector<int64_t> known;
        known.reserve(static_cast<size_t>(std::max(rows.Rows() - 1, 0)));
        for (int r = 1; r < rows.Rows(); ++r)
            known.push_back(RowIssue(rows, r));
        NewDraws fresh;
        if (!ReadNewDraws(head, tokens, sText, known, MaxDrawRows() - static_cast<int>(known.size()), onBusy, fresh,
                          result)) {
            result = DrawTextRead();
            result.Cancelled = true;
            return result;
        }
        if (!fresh.Draws.empty())
            InsertNewDraws(rows, known, fresh, result);
    } catch (const std::bad_alloc&) {
        const bool read = result.Read;
        result = DrawTextRead();
        result.Read = read;
        result.Failed = true;
    }
    return result;
}

QString FirstSkippedLineText(const DrawTextRead& read)
{
    if (read.FirstSkippedLine < 1)
        return QString();
    constexpr qsizetype kShown = 40;
    QString text = TrimBlanks(read.FirstSkippedText);
    if (text.size() > kShown)
        text = text.left(kShown) + u'…';
    QString why;
    switch (read.FirstSkippedFault) {
    case DrawLineFault::NotInFormat:
        why = u"不符合数据格式。"_s;
        break;
    case DrawLineFault::BadIssue:
        why = u"期号必须大于零。"_s;
        break;
    case DrawLineFault::OutOfRange:
        why = u"号码超出了范围。"_s;
        break;
    case DrawLineFault::None:
        break;
    }
    return u"第%1行“%2”：%3"_s.arg(read.FirstSkippedLine).arg(text, why);
}

} // namespace kelton
