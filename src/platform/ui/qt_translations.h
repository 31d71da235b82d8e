#pragma once

class QCoreApplication;

namespace kelton {

// Makes ChineseLocale() Qt's default locale, so that Qt's own dialogs (the
// file dialogs' dates and sizes) write as the rest of the program does, and
// installs Qt's own Chinese texts into app: the buttons of message boxes
// ("确定", "取消"), the context menus of text boxes and of the help window,
// the file dialogs. The texts come from the Qt installation (Debian package
// qt6-translations-l10n). False, with the English texts left, when they
// cannot be found; the locale is set either way.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace kelton
