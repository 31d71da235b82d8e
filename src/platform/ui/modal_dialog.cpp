#include "platform/ui/modal_dialog.h"

#include <QDialog>

#include "platform/services.h"

namespace kelton {

int ExecModal(QDialog& dialog)
{
    // A copy: the runner may install another one while it works.
    const ModalRunner* installed = Service<ModalRunner>();
    if (const ModalRunner runner = installed ? *installed : ModalRunner()) {
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
