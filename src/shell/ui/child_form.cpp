#include "shell/ui/child_form.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "data/app_state.h"
#include "platform/window_place.h"
#include "shell/ui/mdi_main.h"
#include "shell/win_history.h"

namespace kelton {

namespace {

std::vector<CChildForm*>& Registry()
{
    static std::vector<CChildForm*> forms;
    return forms;
}

void Unregister(CChildForm* form)
{
    auto& forms = Registry();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

} // namespace

std::vector<CChildForm*> LoadedChildForms()
{
    return Registry();
}

CChildForm::CChildForm(const QString& sName, const QString& sCaption, QWidget* parent)
    : QWidget(parent), m_name(sName)
{
    setObjectName(sName);
    setWindowTitle(sCaption);
    Registry().push_back(this);
    m_registered = true;
}

CChildForm::~CChildForm()
{
    Unregister(this);
}

void CChildForm::EnsureSubWindow()
{
    if (m_sub)
        return;
    if (MDIMain* main = MainWindow())
        m_sub = main->AddChildWindow(this);
}

QAction* CChildForm::WindowEntry() const
{
    MDIMain* main = MainWindow();
    return main ? main->WindowEntry(*this) : nullptr;
}

QAction* CChildForm::DataEntry() const
{
    MDIMain* main = MainWindow();
    return main ? main->DataEntry(*this) : nullptr;
}

void CChildForm::ShowForm()
{
    SetVisible(true);
    if (QAction* entry = WindowEntry()) {
        entry->setVisible(true);
        entry->setChecked(true);
    }
    if (QAction* entry = DataEntry())
        entry->setChecked(true);
    m_formOpen = true;
    WinHistAdd(Caption());
    SetFocus();
}

bool CChildForm::Visible() const
{
    if (m_sub)
        return m_sub->isVisible() && !isHidden();
    return isVisible();
}

void CChildForm::SetVisible(bool bVisible)
{
    if (bVisible) {
        EnsureSubWindow();
        show();
        if (m_sub) {
            const bool first = !m_placed;
            m_sub->show();
            // The work area places a new window where it overlaps least,
            // which may be partly past its edge: the first showing keeps it
            // inside; later ones leave it where the user put it.
            if (first && m_sub->isVisible()) {
                m_placed = true;
                if (QMdiArea* area = m_sub->mdiArea())
                    m_sub->move(KeepInside(m_sub->geometry(), area->viewport()->size()));
            }
        }
    } else if (m_sub) {
        m_sub->hide();
    } else {
        hide();
    }
}

void CChildForm::SetFocus()
{
    if (m_sub) {
        if (QMdiArea* area = m_sub->mdiArea())
            area->setActiveSubWindow(m_sub);
        m_sub->raise();
    } else {
        raise();
        activateWindow();
    }
    setFocus();
}

void CChildForm::Unload()
{
    if (m_sub)
        m_sub->close();
    else
        close();
}

void CChildForm::FormActivated()
{
    if (QAction* entry = WindowEntry()) {
        entry->setVisible(true);
        entry->setChecked(true);
    }
    if (QAction* entry = DataEntry())
        entry->setChecked(true);
    WinHistActive();
}

void CChildForm::FormDeactivated()
{
    if (QAction* entry = WindowEntry())
        entry->setChecked(false);
}

void CChildForm::closeEvent(QCloseEvent* event)
{
    const bool closing = Mmain().FormsClosing != 0 || UnloadsWhenClosed();
    WinHistDel(Caption());
    if (QAction* entry = WindowEntry()) {
        entry->setChecked(false);
        entry->setVisible(false);
    }
    if (QAction* entry = DataEntry())
        entry->setChecked(false);
    m_formOpen = !closing;

    if (!closing) {
        // Only hidden: the window keeps its state until ShowForm.
        event->ignore();
        SetVisible(false);
        return;
    }

    // Unloaded for real: the frame deletes itself and this window with it;
    // a window that was never shown goes by itself.
    Unregister(this);
    event->accept();
    if (!m_sub)
        deleteLater();
}

} // namespace kelton
