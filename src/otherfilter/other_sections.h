#pragma once

// The section text of the three other filters (match, history draw,
// generating/restraining), written and read by the panel files (.mth, .hty,
// .gtr) and by the filter scheme file alike.
//
// In short, for the panel pages:
//   OtherPageState page = <the page's grid rows and tolerance controls>;
//   export:  SaveOutcome out = WriteOtherFilterFile(path, OtherFilterKind::Match, {sel, errSel}, page);
//            message OtherFileTexts(kind).ExportDone / OtherExportFailure(path, out.Reason)
//   import:  OtherImportOutcome r = ImportOtherFilterFile(path, kind, page, append);
//            Imported -> refill the grid from page.Rows (number column = row
//            index + 1) and, unless appending, the tolerance controls;
//            anything else -> page untouched, OtherImportFailure(kind, r).
//   dialogs: OtherFileFilter(kind, AppTitle), OtherFileTexts(kind).ImportTitle ...
// The filter window pushes and closes the panel through IOtherFilterPanel
// (UpDateOtherFilter, CmdOtherFilterClose_Click; host/ui/shell_windows.h),
// which the panel overrides.
// The scheme file uses ReadOtherSectionLine / FillOtherList and
// OtherSectionLines through filter/scheme_file.h.
//
// The section, line by line (CR LF after each):
//   [FilterMatch]                 (FilterHistory, FilterGather)
//   Enabled=0|1                   the filter takes part in the run (Sel)
//   ErrEnabled=0|1                its failure counts toward the other-filter tolerance (ErrSel)
//   SubErrEnabled=0|1             its own tolerance is on (SubErrSel)
//   SubErrVal=<value-set text>    the allowed counts ("ErrVal" in a .gtr file)
//   Val=<item line>               one per item: TAB-separated fields, marks "True"/"False"

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "platform/save_file.h"

namespace kelton {

template <class Item> class FilterItemList;

enum class OtherFilterKind : uint8_t { Match = 0, History = 1, Gather = 2 };

inline constexpr int kOtherFilterKinds = 3;

// "FilterMatch", "FilterHistory", "FilterGather".
QString OtherSectionName(OtherFilterKind kind);
// The tolerance key of the panel file: "SubErrVal", "ErrVal" for the
// generating/restraining file. The scheme file uses "SubErrVal" for all.
QString OtherFileToleranceKey(OtherFilterKind kind);
inline constexpr char16_t kSchemeToleranceKey[] = u"SubErrVal";

// The file dialogs' filter, the product title put right in front:
// appTitle + "匹配过滤(*.mth)|*.mth|文本文件(*.txt)|*.txt" (and the twins).
QString OtherFileFilter(OtherFilterKind kind, const QString& appTitle);

// The dialog titles and messages of one page's files. Messages carry the
// title "操作提示" and an OK button.
struct OtherFileTextSet {
    QString ExportTitle;  // "导出匹配过滤设置"
    QString ImportTitle;  // "导入匹配过滤" (both import buttons)
    QString ExportDone;   // "恭喜，成功导出匹配过滤设置！"
    QString ImportDone;   // "恭喜，成功导入匹配过滤！"
    QString ImportFailed; // "导入失败，请检查文件是否合法！"
};
OtherFileTextSet OtherFileTexts(OtherFilterKind kind);
// A failed export names the file and why it could not be written (its
// content cannot be at fault).
QString OtherExportFailure(const QString& path, const QString& reason);

// The largest panel file read or written: a page at its limit of
// kMaxFilterItems rows fits many times over.
inline constexpr qint64 kMaxOtherFilterFileBytes = qint64(32) << 20;

inline constexpr char16_t kOtherFileMessageTitle[] = u"操作提示";
// Status texts while the file is written or read.
inline constexpr char16_t kOtherExportStatus[] = u"正在导出";
inline constexpr char16_t kOtherImportStatus[] = u"正在导入";

// Marks of an item line in memory ("√", "Х") and in a file ("True",
// "False"). To the file every mark is turned into its word; from the file
// every "True" / "False", in any letter case, into its mark.
QString MarksToWords(QString line);
QString WordsToMarks(QString line);

// What a page shows, as the export writes and the import fills it.
struct OtherPageState {
    bool SubErrEnabled = false; // the page's "容错" box
    QString SubErrText;         // the page's tolerance box, as typed
    // The item rows in grid order: the texts of columns 1..Cols-1 joined by
    // TAB, marks "√" / "Х" (the number column 0 is not part of it).
    QStringList Rows;
};

// The filter window's two switches of the page's filter.
struct OtherSwitches {
    int16_t Enabled = 0;    // chkMatch / Sel
    int16_t ErrEnabled = 0; // chkMatchErr / ErrSel
};

// The lines of one section, without line ends: the section line, the three
// switches, "<toleranceKey>=<toleranceText>", one "Val=" line per row with
// its marks turned into words.
QStringList OtherSectionLines(OtherFilterKind kind, const OtherSwitches& switches, int16_t subErrEnabled,
                              const QString& toleranceText, const QStringList& rows,
                              QStringView toleranceKey);

// The bytes of a panel file: the page's section (its file's tolerance key),
// every line ended by CR LF, in GBK.
QByteArray OtherFilterFileBytes(OtherFilterKind kind, const OtherSwitches& switches,
                                const OtherPageState& page);
// Writes them through SaveWholeFile: a failure leaves the file that was
// there whole and says why. Bytes over kMaxOtherFilterFileBytes, which no
// import would read, are not written.
SaveOutcome WriteOtherFilterFile(const QString& path, OtherFilterKind kind, const OtherSwitches& switches,
                          const OtherPageState& page);

// What one section of a text says, for one filter. Key lines are taken as
// they come: a later line overrides an earlier one, each "Val" adds a row.
struct OtherSectionRead {
    bool Found = false; // a section line of that name was met
    // The last non-empty "SubErrEnabled" value was exactly "1"; unset when
    // no such line came.
    std::optional<bool> SubErrEnabled;
    // A switch line held exactly "1" (the scheme's rule: any such line
    // switches on).
    bool EnabledOn = false;
    bool ErrEnabledOn = false;
    bool SubErrEnabledOn = false;
    // The last non-empty tolerance value, unchanged; unset when none came.
    std::optional<QString> Tolerance;
    // The "Val" values in order, marks turned back from their words.
    QStringList Rows;
};

// Takes one key line (key = the exact text before the first "=", value the
// rest trimmed of blanks) of the section being read. Lines with an empty
// value, the key "" and unknown keys change nothing.
void ReadOtherSectionLine(OtherSectionRead& read, QStringView key, QStringView value,
                          QStringView toleranceKey);

// Reads a panel file's text for one page: lines at CR LF or LF, blanks
// trimmed, empty lines and lines starting with "'" skipped, "[name]"
// section lines; only the lines in sections named exactly like the page's
// count (a section met twice is read twice).
OtherSectionRead ReadOtherSectionText(QStringView text, OtherFilterKind kind);

enum class OtherImportOutcome : uint8_t {
    Imported,     // the page's section was there; the page took it
    NoSection,    // no section of the page: nothing changed
    ReadFailed,   // the file could not be read: nothing changed
    TooLarge,     // the file is over kMaxOtherFilterFileBytes: not read
    TooManyItems, // the page would hold more than kMaxFilterItems rows: nothing changed
};

// The message of an import that did not take: ImportFailed for a file that
// is not one, otherwise what stopped it.
QString OtherImportFailure(OtherFilterKind kind, OtherImportOutcome outcome);

// Puts a read section into a page: replacing (append false) takes its rows
// in place of the page's rows and its "SubErrEnabled" and tolerance value
// where the text had them; appending adds the rows after the page's own
// and leaves the tolerance controls. Nothing changes when !read.Found, nor
// when the page would hold more than kMaxFilterItems rows.
OtherImportOutcome ApplyOtherSection(const OtherSectionRead& read, OtherPageState& page, bool append);

// Reads the text / the file (GBK) and applies it to the page as above.
OtherImportOutcome ImportOtherSectionText(QStringView text, OtherFilterKind kind, OtherPageState& page,
                                          bool append);
OtherImportOutcome ImportOtherFilterFile(const QString& path, OtherFilterKind kind, OtherPageState& page,
                                         bool append);

// Fills a fresh item list (IniClass done, switches 0) from a scheme's
// section: switches on where a line held "1", the tolerance set from the
// value clamped to 0..32676, every row through AddPerVal (refused rows
// dropped). A reader refuses a section of more than kMaxFilterItems rows
// before it gets here.
template <class Item> void FillOtherList(const OtherSectionRead& read, FilterItemList<Item>& list);

// The lines of an item list's section as the scheme file writes it: the
// list's own switches and tolerance set, PerVal(i) for every item.
template <class Item>
QStringList OtherListSectionLines(OtherFilterKind kind, const FilterItemList<Item>& list);

// The highest tolerance count a scheme keeps.
inline constexpr int16_t kSchemeValueHigh = 32676;

} // namespace kelton
