#include "platform/ui/color_dialog.h"

#include <QColorDialog>

#include "platform/services.h"
#include "platform/ui/modal_dialog.h"

namespace kelton {

std::optional<QColor> ChooseColor(QWidget* owner, const QString& title, const QColor& initial)
{
    if (IColorDialogs* dialogs = Service<IColorDialogs>())
        return dialogs->Choose(owner, title, initial);
    QColorDialog dialog(initial, owner);
    dialog.setWindowTitle(title);
    if (ExecModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return std::nullopt;
    chosen.setAlpha(255);
    return chosen;
}

} // namespace kelton
