#pragma once

#include <functional>

class QDialog;

namespace kelton {

// Every modal dialog of the program runs through ExecModal, so that a test
// can work the dialog as a user would (fill its boxes, press its buttons)
// instead of waiting for one. The runner receives the dialog, built and
// loaded, and returns its result code; a dialog the runner leaves open
// counts as cancelled.
using ModalRunner = std::function<int(QDialog& dialog)>;

// Installs the runner; an empty one returns to QDialog::exec.
void SetModalRunner(ModalRunner runner);

// Shows the dialog modally and returns its result code.
int ExecModal(QDialog& dialog);

} // namespace kelton
