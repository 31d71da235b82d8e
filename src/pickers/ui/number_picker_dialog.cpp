#include "pickers/ui/number_picker_dialog.h"

#include <QLabel>

#include "data/app_state.h"
#include "pickers/ui/number_grid_view.h"
#include "platform/help_pages.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/label_fit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

CNumberPickerDialog::CNumberPickerDialog(QWidget* parent, const QString& name, const QString& caption)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(caption);
}

void CNumberPickerDialog::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void CNumberPickerDialog::showEvent(QShowEvent* event)
{
    Load();
    QDialog::showEvent(event);
}

void CNumberPickerDialog::CloseConfirmed()
{
    m_clickOk = true;
    accept();
}

void CNumberPickerDialog::CloseCancelled()
{
    m_clickOk = false;
    reject();
}

void CNumberPickerDialog::ShowHelpPage()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

void CNumberPickerDialog::TellOutOfRange()
{
    MsgBox(this, QMessageBox::NoIcon, u"操作提示"_s, u"号码超出范围"_s,
           QMessageBox::Ok | QMessageBox::Cancel);
}

CNumberPickerDialog::NumberRow CNumberPickerDialog::MakeNumberRow(int index, const QString& caption,
                                                                  const QRect& captionTwips,
                                                                  const QRect& gridTwips, int largest)
{
    auto* label = new QLabel(this);
    label->setObjectName(u"LblBc%1"_s.arg(index));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTwipsGeometry(label, captionTwips);
    SetFittedText(label, caption);
    auto* grid = new CFlexGrid(this);
    grid->setObjectName(u"msgBc%1"_s.arg(index));
    grid->setAccessibleName(caption);
    SetUpNumberGrid(grid, largest);
    SetTwipsGeometry(grid, gridTwips);
    return {label, grid};
}

} // namespace kelton
