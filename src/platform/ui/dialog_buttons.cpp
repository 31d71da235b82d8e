#include "platform/ui/dialog_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kelton {

using namespace Qt::StringLiterals;

QHBoxLayout* MakeDialogButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel, QPushButton*& help)
{
    ok = new QPushButton(dialog);
    ok->setDefault(true);
    cancel = new QPushButton(dialog);
    help = new QPushButton(u"帮助"_s, dialog);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    return row;
}

} // namespace kelton
