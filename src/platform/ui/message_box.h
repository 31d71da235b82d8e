#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace kelton {

// Every message box of the program goes through MsgBox, so that tests can
// answer it instead of a user.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual QMessageBox::StandardButton Show(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons) = 0;
};

// Installs the answering service (not owned); nullptr returns to real boxes.
void SetMessageBoxes(IMessageBoxes* boxes);

QMessageBox::StandardButton MsgBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

}  // namespace kelton
