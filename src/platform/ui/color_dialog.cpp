#include "platform/ui/color_dialog.h"

#include <QColorDialog>

#include "platform/ui/modal_dialog.h"

namespace kelton {

namespace {
IColorDialogs* g_dialogs = nullptr;
}

void SetColorDialogs(IColorDialogs* dialogs)
{
    g_dialogs = dialogs;
}

std::optional<QColor> ChooseColor(QWidget* owner, const QString& title, const QColor& initial)
{
    if (g_dialogs)
        return g_dialogs->Choose(owner, title, initial);
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
