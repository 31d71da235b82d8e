#pragma once

#include <cstdint>
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
// the row FindGridRow gives; the table is never sorted.
class IDrawRows {
public:
    virtual ~IDrawRows() = default;
    // Title row included.
    virtual int Rows() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const QString& text) = 0;
    // Inserts a row at index (1 .. Rows) holding the two texts.
    virtual void InsertRow(int index, const QString& issue, const QString& numbers) = 0;
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

// Reads a draw text with a number format and inserts the draws that are
// new. Read: at least one line was read (the editor then counts as
// changed, whether or not a draw was new). A draw is skipped when its issue
// is in the table already (or came earlier in the text), when its issue is
// 0 or below, or when a number lies outside 0 .. BcDataLen (main) or
// 0 .. MrDataLen (secondary): the history would not keep it. Failed: the
// insertion broke off; the rows inserted so far stay.
struct DrawTextRead {
    bool Read = false;
    bool Failed = false;
    int Inserted = 0;
    int LastRow = 0; // the row of the last inserted draw, 0 for none
};
DrawTextRead ParseDrawText(IDrawRows& rows, CLottorHead& head, const QString& sText, const QString& sFormat);

} // namespace kelton
