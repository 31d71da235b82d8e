#pragma once

class QCoreApplication;

namespace kelton {

// Installs Qt's own Chinese texts into app: the buttons of message boxes
// ("确定", "取消"), the context menus of text boxes and of the help window,
// the file dialogs. They come from the Qt installation (Debian package
// qt6-translations-l10n). False, with the English texts left, when they
// cannot be found.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace kelton
