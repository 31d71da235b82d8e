#pragma once

#include <QString>
#include <QUrl>

namespace kelton {

// What the program lets the desktop open: web pages, and files of its own
// folders. The one test of each, for every place that opens something.

// True for an address the program opens as a web page: http or https, with
// a host.
bool IsWebUrl(const QUrl& url);

// The web page a text names (blanks around it ignored, parsed strictly);
// an empty QUrl when the text is no address IsWebUrl accepts.
QUrl WebAddressUrl(const QString& sText);

// True when the file or folder at sPath lies inside the folder sFolder (not
// the folder itself), once links and "." and ".." are resolved. A path or
// folder that does not exist is never inside.
bool IsPathInside(const QString& sPath, const QString& sFolder);

} // namespace kelton
