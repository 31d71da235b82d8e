#pragma once

#include <QMessageBox>
#include <QString>

#include "platform/services.h"

class QWidget;

namespace kelton {

// Every message box of the program goes through MsgBox, so that tests can
// answer it instead of a user: a service (platform/services.h); with none
// installed the real box asks the user.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual QMessageBox::StandardButton Show(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons) = 0;
};

QMessageBox::StandardButton MsgBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

}  // namespace kelton
