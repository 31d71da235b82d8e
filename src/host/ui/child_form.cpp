#include "host/ui/child_form.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStyle>

#include "host/ui/window_host.h"
#include "platform/services.h"
#include "platform/window_place.h"
#include "shell/win_history.h"

namespace kelton {

namespace {

// The window history of the host in force; none without a host.
CWinHistory* History()
{
    IWindowHost* host = Service<IWindowHost>();
    return host ? &host->WindowHistory() : nullptr;
}

// What a child window's frame holds: the window, filling the frame's client
// area but never smaller than its minimum; where the frame is smaller, the
// window scrolls instead of losing its controls past the frame's edge. A
// size the window is given by code is the size of its client area, as if
// it filled the frame alone: the frame follows.
class CChildHost : public QScrollArea {
public:
    explicit CChildHost(CChildForm* form)
    {
        setObjectName(QStringLiteral("ChildHost"));
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(false);
        setWidget(form);
        setWindowTitle(form->windowTitle());
        setWindowIcon(form->windowIcon());
    }

    CChildForm* Form() const { return static_cast<CChildForm*>(widget()); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        Fit();
    }

    // A close of the frame is the window's close request.
    void closeEvent(QCloseEvent* event) override { event->setAccepted(Form()->close()); }

    // The scroll area watches the window it holds; so does the host.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget()) {
            switch (event->type()) {
            case QEvent::Resize:
                if (!m_fitting)
                    FollowForm();
                break;
            case QEvent::WindowTitleChange:
                setWindowTitle(Form()->windowTitle());
                break;
            case QEvent::WindowIconChange:
                setWindowIcon(Form()->windowIcon());
                break;
            default:
                break;
            }
        }
        return QScrollArea::eventFilter(watched, event);
    }

private:
    // The window fills the client area, or keeps its minimum where the area
    // is smaller; a scroll bar takes its room from the other direction.
    void Fit()
    {
        CChildForm* form = Form();
        QSize min = form->minimumSizeHint().expandedTo(QSize(0, 0));
        if (form->minimumWidth() > 0)
            min.setWidth(form->minimumWidth());
        if (form->minimumHeight() > 0)
            min.setHeight(form->minimumHeight());
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        QSize room = maximumViewportSize();
        bool across = room.width() < min.width(); // a horizontal bar
        bool down = room.height() < min.height(); // a vertical bar
        if (across)
            room.rheight() -= bar;
        if (down)
            room.rwidth() -= bar;
        if (!down && room.height() < min.height()) {
            down = true;
            room.rwidth() -= bar;
        }
        if (!across && room.width() < min.width())
            room.rheight() -= bar;
        const QScopedValueRollback fitting(m_fitting, true);
        form->resize(room.expandedTo(min));
    }

    // The window was given a size by code: the frame takes the size that
    // gives the window that room.
    void FollowForm()
    {
        auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (!frame || frame->isMaximized() || frame->isMinimized()) {
            Fit();
            return;
        }
        const QSize grow = Form()->size() - maximumViewportSize();
        if (grow.isNull())
            return;
        frame->resize(frame->size() + grow);
        Fit();
    }

    bool m_fitting = false;
};

} // namespace

CChildForm* ChildFormOf(const QMdiSubWindow* sub)
{
    const auto* host = sub ? dynamic_cast<const CChildHost*>(sub->widget()) : nullptr;
    return host ? host->Form() : nullptr;
}

ChildFormList::ChildFormList(std::function<bool()> closing) : m_closing(std::move(closing)) {}

ChildFormList::~ChildFormList()
{
    for (CChildForm* form : m_forms)
        form->m_list = nullptr;
}

void ChildFormList::Add(CChildForm* form)
{
    if (form->m_list)
        form->m_list->Remove(form);
    form->m_list = this;
    m_forms.push_back(form);
}

void ChildFormList::Remove(CChildForm* form)
{
    m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), form), m_forms.end());
    if (form->m_list == this)
        form->m_list = nullptr;
}

CChildForm::CChildForm(const QString& sName, const QString& sCaption, QWidget* parent)
    : QWidget(parent), m_name(sName)
{
    setObjectName(sName);
    setWindowTitle(sCaption);
    if (IWindowHost* host = Service<IWindowHost>())
        host->ChildForms().Add(this);
}

CChildForm::~CChildForm()
{
    if (m_list)
        m_list->Remove(this);
}

void CChildForm::EnsureSubWindow()
{
    if (m_sub)
        return;
    IWindowHost* host = Service<IWindowHost>();
    if (!host)
        return;
    if (!m_list)
        host->ChildForms().Add(this);
    // The size the window asked for, or its preferred size.
    m_designSize = testAttribute(Qt::WA_Resized) ? size() : sizeHint();
    m_sub = host->AddChildWindow(new CChildHost(this), m_designSize);
}

QSize CChildForm::minimumSizeHint() const
{
    if (layout() || !m_designSize.isValid())
        return QWidget::minimumSizeHint();
    return m_designSize;
}

QAction* CChildForm::WindowEntry() const
{
    const IWindowHost* host = Service<IWindowHost>();
    return host ? host->WindowEntry(*this) : nullptr;
}

QAction* CChildForm::DataEntry() const
{
    const IWindowHost* host = Service<IWindowHost>();
    return host ? host->DataEntry(*this) : nullptr;
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
    if (CWinHistory* history = History())
        history->WinHistAdd(Caption());
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
    if (CWinHistory* history = History())
        history->WinHistActive();
}

void CChildForm::FormDeactivated()
{
    if (QAction* entry = WindowEntry())
        entry->setChecked(false);
}

void CChildForm::closeEvent(QCloseEvent* event)
{
    const bool closing = (m_list && m_list->Closing()) || UnloadsWhenClosed();
    if (CWinHistory* history = History())
        history->WinHistDel(Caption());
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
    if (m_list)
        m_list->Remove(this);
    event->accept();
    if (!m_sub)
        deleteLater();
}

} // namespace kelton
