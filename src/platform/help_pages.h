#pragma once

#include <QByteArrayView>
#include <QString>

namespace kelton {

// The folder of help pages shipped with the build ("Help" in the defaults).
QString DefaultHelpFolder();

// The help folder of the program folder ("Help"), where the windows' help
// pages are shown from.
QString HelpFolder();

// Copies the help pages shipped with the build into the help folder of the
// program folder: every file that is not there yet. Pages already present,
// changed or not, stay as they are. Returns the number of pages copied; -1
// when the help folder cannot be made.
int SeedHelpPages(const QString& sHelpFolder);

// The text of an HTML page: decoded by the charset its head names (GBK for
// "gbk", "gb2312" and "gb18030"), else by its byte order mark or meta
// charset as browsers read them, UTF-8 when it names none.
QString DecodeHtmlPage(QByteArrayView bytes);

// The text of an HTML page file (DecodeHtmlPage); empty when the file cannot
// be read.
QString ReadHtmlPage(const QString& sPath);

} // namespace kelton
