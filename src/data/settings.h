#pragma once

#include <QString>

#include "data/app_state.h"

namespace kelton {

// The container key of the settings file, the same for reading and writing.
inline constexpr char kSetFileKey[] = "Kelt#Setting204";

// The settings file "Kelt.dat" in the program folder is a record container
// whose Data stream holds the 2092-byte settings record, then the server
// information text, then the game-list text, both as UTF-16LE code units
// without terminator; the record's SysInfoLen and GameListLen give their
// byte lengths.

// Sets app's SetFilePath and reads the settings file into app. Called once
// at start-up.
void IniSystem(AppState& app);

// Reads the settings file into app's settings record, server information
// and game list. A missing file leaves the fresh-installation record,
// an empty game list and the default address; a file that exists but is
// refused leaves the same and is then never overwritten.
void OpenSetFile(AppState& app, const QString& key);

// Writes app's settings record, server information and game list into
// the settings file, creating it when there is none. True when the file was
// written. Nothing is written over a settings file that could not be read.
// A write that fails (a full disk) leaves the file as it was and puts the
// reason in oFailure; a file deliberately left alone gives no reason.
bool SaveSetFile(AppState& app, const QString& key, QString* oFailure = nullptr);

} // namespace kelton
