#pragma once

#include <QIcon>

namespace kelton {

// Kelton's own icon, drawn by the program at the sizes a desktop asks for:
// a red rounded square holding a white lottery ball marked "K", with a
// small gold ball beside it. The main window gives it to the application,
// so that every window and child window carries it.
QIcon AppIcon();

} // namespace kelton
