#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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
    None,     // no formula file: its first line that is not blank has 3 or
              // more than 4 TAB-separated fields, or there is no such line
    Current,  // first line of 2 or 4 fields
    OldList,  // first line without a TAB
};

struct WayFileRead {
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

// The group a file is imported into: the file's name without its folder,
// cut before its first "."; the whole name when nothing stands before it.
QString WayGroupNameOfFile(const QString& sPath);

// What an import added to the game.
struct WayImport {
    int16_t Group = -1;              // the new group; -1 when none was added
    std::vector<int16_t> Formulas;   // the rows added, in file order
    int32_t Skipped = 0;             // the reader's skipped lines and refused rows
};

// Adds the records read as a new group named sGroupName. Nothing is added
// when there is no record or the store refuses the group.
WayImport ImportWayRecords(CLottorHead& head, const QString& sGroupName, const WayFileRead& read);

// The message that reports an import to the user: success when a formula
// was added, with the counts of formulas added and lines skipped.
QString WayImportMessage(const WayFileRead& read, const WayImport& import);

}  // namespace kelton
