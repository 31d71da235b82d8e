#pragma once

#include <QString>

class QWidget;

namespace kelton {

// Opens a web page named by the server information (a notice's link, the
// home page, a page shown at start-up, the site addresses) through
// ShellOpen. Only http and https addresses are opened: a file name or any
// other scheme is ignored, since these addresses come from outside. True
// when the address was handed on.
bool OpenWebAddress(QWidget* owner, const QString& sAddress);

// True when the address is one OpenWebAddress opens.
bool IsWebAddress(const QString& sAddress);

} // namespace kelton
