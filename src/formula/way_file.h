#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace kelton {

class CLottorHead;
class FormulaStore;

// Formula files (".way"): one group of formulas as GBK text with CR LF line
// ends. As written: an empty first line, then one line per formula: name,
// TAB, selection formula, TAB, consult index, TAB, consult formula in force,
// the two formulas escaped with CodeIniStr. An older list form holds a
// first line without a TAB, then "Val=" lines whose second ","-separated
// piece is a selection formula.

// The bytes of the file of group sGroup: its formulas in row order, deleted
// rows left out. Names are written as they are, TABs and line breaks in
// them made blanks so that they cannot break the line.
QByteArray WayFileBytes(const FormulaStore& store, int16_t sGroup);

// Writes them to sPath through SaveWholeFile: a failed write leaves any file
// that was there as it was. False on failure.
bool WriteWayFile(const QString& sPath, const FormulaStore& store, int16_t sGroup);

// One formula read from a file.
struct WayFileRecord {
    QString Name;
    QString Formula;
    int16_t ConsultIndex = 0;
    QString Consult;
};

enum class WayFileLayout : uint8_t {
    None,     // no formula file: no text (a NUL byte, bytes GBK cannot
              // read), nothing at all, or a first line that is not blank
              // with 3 or more than 4 TAB-separated fields
    Empty,    // blank lines only, as the file of a group without formulas
    Current,  // first line of 2 or 4 fields
    OldList,  // first line without a TAB
};

// The largest formula file read, as for a draw import: far above any group
// of formulas a game can hold.
inline constexpr qint64 kMaxWayFileBytes = qint64{32} << 20;

struct WayFileRead {
    // What kept a file from being read at all.
    enum class Problem : uint8_t {
        None,
        CannotRead,  // it could not be opened or read
        TooLarge,    // larger than kMaxWayFileBytes
    };
    Problem Trouble = Problem::None;
    WayFileLayout Layout = WayFileLayout::None;
    std::vector<WayFileRecord> Records;
    // Lines that looked like formulas but gave none: in the current layout
    // a line after the first that is not blank and has no TAB, in the older
    // list a "Val=" line without a ",".
    int32_t Skipped = 0;
};

// Reads the bytes of a formula file. The layout is decided by the first
// line that is not empty or blank. In the current layout every line from
// that one on gives a formula: with exactly 4 fields the consult index and
// formula are fields 3 and 4, otherwise index 0 and no consult formula. A
// consult index that is no whole number within 0..sMaxConsult becomes 0.
// The older list names its formulas "末命名1", "末命名2" ... in order.
// Formulas come back cleaned as the store keeps them (CleanFormulaText),
// names without control characters.
WayFileRead ReadWayFileBytes(QByteArrayView bytes, int32_t sMaxConsult);

// Reads the formula file at sPath; one larger than kMaxWayFileBytes is not
// read.
WayFileRead ReadWayFile(const QString& sPath, int32_t sMaxConsult);

// Whether the game's definition text, which its data file holds, stays
// within DataFileHeader::kMaxHeadLen bytes with `ways` as its formula store.
bool WaysFitDefinition(const CLottorHead& head, const FormulaStore& ways);

// Whether storing sText as field sKind (1 name, 2 selection formula, 4
// consult formula) of row sIndex keeps the definition within. A change
// that makes the field no longer fits whatever the rest holds.
bool WayEditFits(const CLottorHead& head, int16_t sIndex, int16_t sKind, const QString& sText);
// Whether the definition stays within once `change` is made to the store
// (tried on a copy).
bool WayChangeFits(const CLottorHead& head, const std::function<void(FormulaStore&)>& change);

// Why a change to the formulas was refused: "彩票的设置将超过数据文件容许的
// 524288字节，无法保存！".
QString WayDefinitionFullText();

// The group a file is imported into: the file's name without its folder,
// cut before its first "."; the whole name when nothing stands before it.
QString WayGroupNameOfFile(const QString& sPath);

// What an import added to the game.
struct WayImport {
    int16_t Group = -1;              // the new group; -1 when none was added
    std::vector<int16_t> Formulas;   // the rows added, in file order
    int32_t Skipped = 0;             // the reader's skipped lines and refused rows
    bool TooLarge = false;           // refused: the game's data file could not hold it
};

// Adds the records read as a new group named sGroupName; a file of blank
// lines only (an exported group without formulas) adds an empty group.
// Nothing is added when the file held no formula, when the store refuses
// the group, or when the game's definition would no longer fit its data
// file (WaysFitDefinition).
WayImport ImportWayRecords(CLottorHead& head, const QString& sGroupName, const WayFileRead& read);

// The message that reports an import to the user: success when a group
// was added, with the counts of formulas added and lines skipped; else why
// nothing was.
QString WayImportMessage(const WayFileRead& read, const WayImport& import);

}  // namespace kelton
