#pragma once

#include <QLocale>

namespace kelton {

// The locale of the program's texts: the interface is Chinese, so dates and
// numbers are written as in China whatever the system's locale is.
// InstallQtTranslations makes it Qt's default, for Qt's own dialogs.
QLocale ChineseLocale();

} // namespace kelton
