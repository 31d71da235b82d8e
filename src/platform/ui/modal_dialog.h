#pragma once

#include <functional>

#include "platform/services.h"

class QDialog;

namespace kelton {

// Every modal dialog of the program runs through ExecModal, so that a test
// can work the dialog as a user would (fill its boxes, press its buttons)
// instead of waiting for one. The runner receives the dialog, built and
// loaded, and returns its result code; a dialog the runner leaves open
// counts as cancelled. A service (platform/services.h); with none installed
// the dialog runs its own event loop (QDialog::exec).
using ModalRunner = std::function<int(QDialog& dialog)>;

// Shows the dialog modally and returns its result code.
int ExecModal(QDialog& dialog);

} // namespace kelton
