#pragma once

#include <functional>

#include <QString>
#include <QUrl>

#include "platform/services.h"

class QWidget;

namespace kelton {

// Opens a web page or a file with the desktop's handler. Only http and https
// addresses and existing files inside the program folder (a relative path
// is taken from the program folder) are opened; any other target is
// ignored. Nothing is reported: a target that cannot be opened gives no
// message.
void ShellOpen(QWidget* owner, const QString& sTarget);

// The address ShellOpen would open for a target; empty when it is refused.
QUrl ShellOpenUrl(const QString& sTarget);

// A service (platform/services.h) that replaces the desktop's handler
// (tests); with none installed the desktop opens the address.
using ShellOpener = std::function<void(const QUrl&)>;

} // namespace kelton
