#pragma once

#include <QByteArray>
#include <QString>

namespace kelton {

// Writes bytes as the whole content of a file through QSaveFile: the new
// content is complete on disk before it replaces the old, so a failed or
// interrupted write leaves the file that was there as it was. True on
// success.
bool SaveWholeFile(const QString& path, const QByteArray& bytes);

} // namespace kelton
