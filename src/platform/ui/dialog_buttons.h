#pragma once

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace kelton {

// Makes a dialog's OK, Cancel and Help buttons, in that order (which is
// their tab order), and returns them set in a row at the right edge for the
// dialog's own layout to take. OK is the default button; Help reads "帮助",
// OK and Cancel get their texts when the dialog loads.
QHBoxLayout* MakeDialogButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel, QPushButton*& help);

} // namespace kelton
