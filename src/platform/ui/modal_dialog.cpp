#include "platform/ui/modal_dialog.h"

#include <QDialog>

namespace kelton {

namespace {
ModalRunner& Runner()
{
    static ModalRunner runner;
    return runner;
}
} // namespace

void SetModalRunner(ModalRunner runner)
{
    Runner() = std::move(runner);
}

int ExecModal(QDialog& dialog)
{
    // A copy: the runner may install another one while it works.
    if (const ModalRunner runner = Runner()) {
        bool finished = false;
        const QMetaObject::Connection watch =
            QObject::connect(&dialog, &QDialog::finished, [&finished] { finished = true; });
        dialog.setResult(QDialog::Rejected);
        runner(dialog);
        QObject::disconnect(watch);
        // A dialog left open is closed as its close box would.
        if (!finished)
            dialog.reject();
        return dialog.result();
    }
    return dialog.exec();
}

} // namespace kelton
