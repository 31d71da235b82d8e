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
    Unreadable,    // the file could not be opened or read: no reason
};

// "导入失败，" followed by the reason of a fault.
QString ImportFailureText(ImportFault fault);

// A file larger than this is not read (a draw history is far smaller).
inline constexpr qint64 kMaxImportBytes = qint64{32} << 20;

// Imports a draw text file (GBK) into the draw table with a number format
// of the game: the file must exist, the format must fit the game, the text
// must not be empty, and at least one line must read (ParseDrawText).
// Read tells whether the editor now counts as changed.
struct DrawImport {
    ImportFault Fault = ImportFault::None;
    DrawTextRead Read;
};
DrawImport ImportDrawFile(IDrawRows& rows, CLottorHead& head, const QString& sPath, const QString& sFormat);

} // namespace kelton
