#pragma once

namespace kelton {

// Makes every top-level window that is a plain widget (a window of its own,
// such as the print window or the help window, rather than a dialog or the
// main window) a window on the accessibility interface, named by its
// caption, where Qt shows it as a nameless filler; a plain widget made a
// dialog is a dialog. Dialogs and main windows are Qt's already, popups and
// tool tips stay as they are. Installed once; later calls change nothing.
void InstallWindowAccessibility();

} // namespace kelton
