#include "platform/ui/message_box.h"

namespace kelton {

namespace {
IMessageBoxes* g_boxes = nullptr;
}

void SetMessageBoxes(IMessageBoxes* boxes)
{
    g_boxes = boxes;
}

QMessageBox::StandardButton MsgBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                   const QString& text, QMessageBox::StandardButtons buttons)
{
    if (g_boxes)
        return g_boxes->Show(owner, icon, title, text, buttons);
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace kelton
