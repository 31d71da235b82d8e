#include "games/draw_grid.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

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

DrawTextRead ParseDrawText(IDrawRows& rows, CLottorHead& head, const QString& sText, const QString& sFormat)
{
    DrawTextRead result;
    std::vector<Draw> draws;
    if (StrToNum(head, sFormat, sText, draws, false) < 1)
        return result;
    result.Read = true;
    try {
        const int bcMain = head.BcMain;
        const int bm = head.BM;
        for (const Draw& draw : draws) {
            if (draw.Issue <= 0)
                continue;
            const GridRowFind place = FindGridRow(rows, draw.Issue);
            if (place.Found)
                continue;
            QString numbers;
            bool inRange = true;
            for (int k = 1; k <= bm && inRange; ++k) {
                const bool main = k <= bcMain;
                const int16_t value = draw.Num[static_cast<size_t>(k)];
                inRange = value >= 0 && value <= (main ? head.BcDataLen : head.MrDataLen);
                if (k > 1)
                    numbers += u' ';
                numbers += Padded(value, main ? head.BcNumMaxLen : head.MrNumMaxLen);
            }
            if (!inRange)
                continue;
            rows.InsertRow(place.Row, QString::number(draw.Issue), numbers);
            ++result.Inserted;
            result.LastRow = place.Row;
        }
    } catch (const std::bad_alloc&) {
        result.Failed = true;
    }
    return result;
}

} // namespace kelton
