#include "platform/ui/message_box.h"

#include "platform/services.h"

namespace kelton {

QMessageBox::StandardButton MsgBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                   const QString& text, QMessageBox::StandardButtons buttons)
{
    if (IMessageBoxes* boxes = Service<IMessageBoxes>())
        return boxes->Show(owner, icon, title, text, buttons);
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace kelton
