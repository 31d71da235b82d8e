#pragma once

#include <cstdint>
#include <vector>

#include <QString>

namespace kelton {

// One formula row. Every field is text; a deleted row has all five empty
// and stays in place until CompactWays.
struct Way {
    QString Group;         // kind 0: decimal index of the row's group
    QString Name;          // kind 1
    QString Formula;       // kind 2: selection formula, may hold CR LF
    QString ConsultIndex;  // kind 3: decimal; BM + 44 = the row's own consult formula
    QString Consult;       // kind 4: the row's own consult formula
};

// The user's formulas of one game: groups, rows and the consult table of
// predefined reference expressions. Kept by the game definition and saved in
// its options text as the sections "[WAY_GROUP]" and "[WAY]".
class FormulaStore {
public:
    // Forgets groups, rows and the consult table.
    void Clear();

    // The count of numbers per draw; needed before rows are read.
    void SetBM(int16_t bm) { m_bm = bm; }
    int16_t BM() const { return m_bm; }
    // Builds the consult table, rows 0..BM + 43, for the game's shape.
    void BuildConsult(int16_t bcMain, int16_t mrMain);
    // BM + 44: the number of consult-table rows and the own-formula index.
    int32_t OwnConsultIndex() const;

    // Rows and groups are addressed by 16-bit indexes: the store holds at
    // most kMaxEntries of each, and adding beyond that fails.
    static constexpr int32_t kMaxEntries = 32767;

    int16_t WayCount() const { return static_cast<int16_t>(m_ways.size()); }
    // Field sKind (0..4) of row sIndex. Kind 4 gives the consult expression
    // in effect: the own formula when the consult index is BM + 44, else the
    // consult table's expression for the index. Empty when absent.
    QString WayGet(int16_t sIndex, int16_t sKind) const;
    // Kinds 2 and 4 store the text cleaned (CleanFormulaText) and trimmed of
    // blanks.
    void WaySet(int16_t sIndex, int16_t sKind, const QString& sNewValue);
    bool WayAdd(int16_t sWayGroupIndex, const QString& sName, const QString& sWay, int16_t sConsultIndex,
                const QString& sConsult);
    bool WayDel(int16_t sIndex);

    int16_t WayGroupCount() const { return static_cast<int16_t>(m_groups.size()); }
    QString WayGroupGet(int16_t sIndex) const;
    void WayGroupSet(int16_t sIndex, const QString& sNewValue);
    bool WayGroupAdd(const QString& sName);
    bool WayGroupDel(int16_t sIndex);

    // Column 0 the caption, column 1 the expression of consult row sRow.
    QString WayDefConsult(int16_t sRow, int16_t sCol) const;

    // Drops deleted rows and emptied groups; the groups after an emptied one
    // move up, taking their rows with them.
    void CompactWays();

    // The two sections "[WAY_GROUP]" and "[WAY]", each line ended by CR LF.
    // Call CompactWays first.
    QString SectionsText() const;
    // The length of SectionsText() in GBK, counted without making it.
    int64_t SectionsBytes() const;
    // One value line of "[WAY_GROUP]" / "[WAY]" (the options text reader
    // hands over the trimmed, non-empty value).
    void ReadGroupValue(const QString& value);
    void ReadWayValue(const QString& value);

    const std::vector<Way>& Ways() const { return m_ways; }
    const std::vector<QString>& Groups() const { return m_groups; }

private:
    struct ConsultRow {
        QString Caption;
        QString Expression;
    };

    std::vector<QString> m_groups;
    std::vector<Way> m_ways;
    std::vector<ConsultRow> m_consult;
    int16_t m_bm = 0;
};

// A formula text as it is stored: line ends of any kind (CR LF, a bare LF
// as text boxes give them, a bare CR) made CR LF, and control characters
// other than TAB dropped, so that a formula reads back as it was written
// wherever it is stored on a line.
QString CleanFormulaText(QStringView text);

// Encoding of formula text on a line: CR LF, "=", "[", "]", "'" and TAB
// become the characters of codes 1..6, and back. A bare LF is encoded as a
// line end and so reads back as CR LF.
QString EncodeWayText(const QString& text);
QString DecodeWayText(const QString& text);
// The length of EncodeWayText(text) in GBK, counted without making it.
int64_t EncodedWayTextBytes(QStringView text);

}  // namespace kelton
