#pragma once

#include <QString>

namespace kelton {

// The folder of help pages shipped with the build ("Help" in the defaults).
QString DefaultHelpFolder();

// Copies the help pages shipped with the build into the help folder of the
// program folder: every file that is not there yet. Pages already present,
// changed or not, stay as they are. Returns the number of pages copied; -1
// when the help folder cannot be made.
int SeedHelpPages(const QString& sHelpFolder);

} // namespace kelton
