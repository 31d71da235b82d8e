#pragma once

#include <QIcon>
#include <QString>

namespace kelton {

// The pictures of the main toolbar's buttons, drawn by the program, by the
// button's key ("Lottor", "Edit", ...; "Data" for the data-analysis button).
// An unknown key gives a blank picture.
QIcon ToolIcon(const QString& sKey);

} // namespace kelton
