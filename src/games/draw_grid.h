#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include <QString>

#include "platform/grid_data.h"

namespace kelton {

class CLottorData;
class CLottorHead;

// The draw table of the draw editor: row 0 holds the titles, rows 1 .. one
// draw each in ascending order of the issue (compared as numbers); column
// 0 holds the issue as text, column 1 the numbers text (the draw's numbers
// in written order, main numbers first, separated by one blank). The
// editor's grid implements it over its control, tests and benchmarks over
// plain cells (CGridDataRows). The order is kept by inserting every draw at
// the row FindGridRow gives, or all of a text's new draws at their rows in
// one pass; the table is never sorted.
class IDrawRows {
public:
    virtual ~IDrawRows() = default;
    // Title row included.
    virtual int Rows() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const QString& text) = 0;
    // Inserts a row at index (1 .. Rows) holding the two texts.
    virtual void InsertRow(int index, const QString& issue, const QString& numbers) = 0;
    // Inserts before.size() rows in one pass, new row i holding the texts
    // texts[2 i] (issue) and texts[2 i + 1] (numbers) in front of row
    // before[i] of the table as it was (Rows(): after the last); before
    // does not decrease. Every row goes in, or (out of memory) none.
    virtual void InsertRows(std::span<const int> before, std::span<const QString> texts) = 0;
    virtual void RemoveRow(int index) = 0;
    // Cuts the table back to its title row.
    virtual void ClearRows() = 0;
};

// The two columns.
inline constexpr int kIssueCol = 0;
inline constexpr int kNumbersCol = 1;

// IDrawRows over plain cells.
class CGridDataRows : public IDrawRows {
public:
    // Shapes the cells as a draw table: two columns, the title row alone.
    explicit CGridDataRows(CGridData& cells);

    int Rows() const override { return m_cells.Rows(); }
    QString TextMatrix(int row, int col) const override { return m_cells.Text(row, col); }
    void SetTextMatrix(int row, int col, const QString& text) override { m_cells.SetText(row, col, text); }
    void InsertRow(int index, const QString& issue, const QString& numbers) override;
    void InsertRows(std::span<const int> before, std::span<const QString> texts) override;
    void RemoveRow(int index) override { m_cells.RemoveItem(index); }
    void ClearRows() override { m_cells.SetRows(1); }

private:
    CGridData& m_cells;
};

// The value of an issue text: a whole decimal number, blanks around it and
// a sign allowed; nullopt for anything else. 64 bits, so that a text past
// the 32-bit range still orders correctly.
std::optional<int64_t> IssueValue(QStringView text);

// Where a draw of this issue stands: Found with the row that holds it, or
// the row it must be inserted at to keep the order (the first row whose
// issue is greater, Rows() when none is; 1 for an empty table). A search
// by bisection over the issues of column 0.
struct GridRowFind {
    bool Found = false;
    int Row = 1;
};
GridRowFind FindGridRow(const IDrawRows& rows, int64_t issue);

// The numbers text of one draw in stored form (positions 0 .. BM, main
// numbers units first), in written order: main numbers from the highest
// place down, then the secondary numbers, each padded with zeros to its
// area's digit width.
QString StoredNumbersText(const CLottorHead& head, std::span<const int16_t> stored);

// Cuts the table back to its title row, then appends one row per stored
// draw of the game, in the store's (ascending) order. Every stored draw
// gets its row.
void FillDrawRows(IDrawRows& rows, const CLottorData& game);

// The table as draw text in the game's default format: per data row, top
// to bottom, column 0, ":", column 1 and CR LF; empty for no data rows.
QString GridToNumStr(const IDrawRows& rows);

// The row to scroll to the top at opening, so that the latest draws show:
// Rows - 21 when the table has more than 21 rows, else 0 (no scrolling).
int OpeningTopRow(int rows);

// The tab (1 .. 5) a tab key opens with: "Chang" 2, "Delect" 3, "DownLoad"
// 4, "Import" 5, anything else 1. Keys compare exactly.
int OpeningTab(const QString& sSelTsp);

// Add and modify.
//
// The numbers box: the trimmed text split at every blank; the first BcMain
// fields must each be a whole number 0 .. BcDataLen, the next MrMain fields
// 0 .. MrDataLen (digits only, as typed, leading zeros kept); further
// fields are ignored. The numbers text is the BM fields joined by one
// blank; nullopt for an empty field, a field that is no such number, or
// fewer than BM fields.
std::optional<QString> CheckDrawNumbers(const CLottorHead& head, const QString& sText);

// The issue box of an added draw (the text trimmed of blanks): a whole
// decimal number (else the reason "期号必须是数字。"), within 32 bits
// (else no reason), above 0 (else "期号必须大于零。") and not in the
// table yet ("期号已经存在。" and the text). Row is the insertion row.
struct IssueCheck {
    bool Ok = false;
    QString Reason;
    int32_t Issue = 0;
    int Row = 0;
};
IssueCheck CheckNewIssue(const IDrawRows& rows, const QString& sText);

// "输入开奖数据错误，", the reason, "请检查后再增加！".
QString DrawEntryErrorText(const QString& sReason);

// Deleting: the selected rows run from row to rowSel, either way round.
// Fewer than all data rows: each is removed, the lowest on screen first;
// otherwise the table is cut back to its title row.
void DeleteDrawRows(IDrawRows& rows, int row, int rowSel);

// The most draws a table holds: as many as a game's history keeps.
int MaxDrawRows();
// The table holds as many draws as a game keeps: no draw can be added.
bool DrawTableFull(const IDrawRows& rows);
// "不能再增加开奖号码，..." with the limit.
QString DrawTableFullText();

// Why a line of a draw text gave no draw.
enum class DrawLineFault : uint8_t {
    None,
    NotInFormat, // the number format does not read the line
    BadIssue,    // its issue is 0 or below: the history keeps no such draw
    OutOfRange,  // a number lies outside 0 .. BcDataLen (secondary 0 .. MrDataLen)
};

// What reading a draw text did. Read: at least one line was read with the
// format. The table changes only when draws were inserted, all of them in
// one pass at the end: a stop, a failure or a text without a new draw
// leaves it as it was.
struct DrawTextRead {
    bool Read = false;
    bool Failed = false;    // out of memory: nothing was inserted
    bool Cancelled = false; // stopped on request: nothing was inserted
    // The table reached MaxDrawRows(): the draws from StoppedLine on were
    // neither read nor inserted.
    bool Full = false;
    int StoppedLine = 0;
    int Inserted = 0;
    // Draws whose issue the table held already or an earlier line gave.
    int Known = 0;
    // Lines that are not blank and gave no draw, and the first of them
    // (its number from 1, its text and why).
    int Skipped = 0;
    int FirstSkippedLine = 0;
    QString FirstSkippedText;
    DrawLineFault FirstSkippedFault = DrawLineFault::None;
    // The row of the draw inserted from the latest line, 0 for none.
    int LastRow = 0;
};

// A text of more lines than this shows its progress and can be stopped.
inline constexpr int kDrawTextProgressLines = 10000;

// Reads a draw text with a number format and inserts the draws that are
// new, each at its row in issue order (a text listing its draws newest
// first costs no more than one listing them oldest first). A line is
// skipped when the format does not read it, when its issue is 0 or below,
// or when a number lies outside its area; a draw whose issue the table
// holds, or an earlier line gave, is known and skipped too. Reading stops
// at the first new draw the table has no room for (MaxDrawRows). A text of
// more than kDrawTextProgressLines lines shows the progress of head.msg
// with a stop allowed; onBusy runs once the busy state began, so that a
// window can keep its own stop control usable.
DrawTextRead ParseDrawText(IDrawRows& rows, CLottorHead& head, const QString& sText, const QString& sFormat,
                           const std::function<void()>& onBusy = {});

// "第5行“0:1 1 1”：期号必须大于零。": the first skipped line and why; empty
// when no line was skipped. Long lines are cut with an ellipsis.
QString FirstSkippedLineText(const DrawTextRead& read);

} // namespace kelton
