#pragma once

#include <QString>

namespace kelton {

// The program folder: the per-user data folder that holds the settings file,
// the games, their templates, the help pages and the upgrade folder.
// It is created on first use. Tests point it at a temporary folder.
QString ProgramFolder();

// Replaces the program folder (tests, and nothing else). An empty text
// returns to the per-user data folder.
void SetProgramFolder(const QString& sFolder);

// sRelative resolved under the program folder ("Lottor/lottor1000").
QString ProgramPath(const QString& sRelative);

// The folder of defaults shipped with the build: the settings file, the game
// templates, the help pages and the sample history. An installed program
// (cmake --install) reads them from the data folder of its installation,
// found from the program's own folder; a program run where it was built
// reads the source tree's data/.
QString DefaultsFolder();
// DefaultsFolder for a program whose executable lies in sProgramDir.
QString DefaultsFolderFor(const QString& sProgramDir);

}  // namespace kelton
