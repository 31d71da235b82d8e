#pragma once

#include <QString>

#include "games/draw_grid.h"

namespace kelton {

class CLottorHead;

// Why an import of a draw text file failed, in the order it is checked.
enum class ImportFault {
    None,
    NoFile,        // "导入文件不存在！"
    BadFormat,     // "数据的格式不准确！"
    EmptyFile,     // "文件没有数据！"
    NotRecognised, // "数据无法识别或者其它错误，请设置好导入的格式！"
    TooLarge,      // past kMaxImportBytes: "文件超过32MB，..."
    Unreadable,    // the file could not be opened or read: no reason
};

// "导入失败，" followed by the reason of a fault.
QString ImportFailureText(ImportFault fault);

// What the user is told after the draws of a file were read into the table:
// nothing (an empty text) when every line that is not blank gave a new draw
// or the user stopped the import; otherwise how many draws were added, how
// many lines were skipped with the first of them and why, how many draws
// the table held already, and where the table was full. Failure: the file
// gave no draw to add but known ones (title "操作错误", else "操作提示").
struct DrawReadReport {
    bool Failure = false;
    QString Text;
};
DrawReadReport DrawImportReport(const DrawTextRead& read);

// The sentences on what a read of a draw text left out, each ending in
// "。": the skipped lines with the first of them, the known draws (when
// withKnown), the place where the table was full.
QString LeftOutText(const DrawTextRead& read, bool withKnown);

// A file larger than this is not read (a draw history is far smaller);
// ReadDrawFile then reports TooLarge.
inline constexpr qint64 kMaxImportBytes = qint64{32} << 20;

// Reads a draw text file (GBK) for an import with a number format of the
// game: the file must exist, the format must fit the game and the text
// must not be empty. The text goes to oText; ParseDrawText then inserts its
// draws (NotRecognised when it reads no line or breaks off).
ImportFault ReadDrawFile(const CLottorHead& head, const QString& sPath, const QString& sFormat, QString& oText);

// Where the in-place editor of the format list goes: over the entry, one
// line of text per entry below the first one shown (at the list's top for
// an entry above it). In pixels of the list's parent.
int FormatEditorTop(int listTop, int lineHeight, int entry, int firstShown);

} // namespace kelton
