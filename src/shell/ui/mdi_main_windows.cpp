// The main window's side of the child windows: their frames, their menu
// entries, activation and the Window menu.

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTimer>

#include "core/child_forms.h"
#include "data/app_state.h"
#include "host/ui/app_context.h"
#include "host/ui/child_form.h"
#include "host/ui/shell_windows.h"
#include "platform/name_tables.h"
#include "platform/window_place.h"
#include "shell/ui/mdi_main.h"

namespace kelton {

namespace {

// The view index of an analysis window (its caption is the view's name);
// -1 for any other window.
int InferIndex(const IChildForm& form)
{
    if (form.Name() != QLatin1String("FInfer"))
        return -1;
    const QString caption = form.Caption();
    for (int i = 0; i < AppState::InferCount; ++i) {
        if (ViewName(i) == caption)
            return i;
    }
    return -1;
}

// Shows a child window unless it is shown, then gives it the focus.
void BringForward(IChildForm* form, bool useShowForm)
{
    if (!form)
        return;
    if (!form->Visible()) {
        if (useShowForm)
            form->ShowForm();
        else
            form->SetVisible(true);
    }
    form->SetFocus();
}

} // namespace

QMdiSubWindow* MDIMain::AddChildWindow(QWidget* holder, QSize client)
{
    // The frame takes the client size plus its own border and title bar.
    QMdiSubWindow* sub = m_mdi->addSubWindow(holder);
    sub->setWindowTitle(holder->windowTitle());
    sub->setWindowIcon(holder->windowIcon());
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    sub->resize(
        QSize(client.width() + 2 * border, client.height() + title + border).expandedTo(sub->minimumSizeHint()));
    YieldFrameKeys(*sub);
    return sub;
}

void MDIMain::YieldFrameKeys(QMdiSubWindow& sub) const
{
    // The frame's system menu has keys of its own (its close takes Ctrl+W as
    // well as Ctrl+F4); where one is a menu entry's, the entry keeps it, so
    // that the key is not ambiguous while a child window has the focus.
    QList<QKeySequence> taken;
    const auto take = [&taken](const auto& entries) {
        for (const QAction* entry : entries)
            taken << entry->shortcuts();
    };
    take(m_entries);
    take(m_dataInfer);
    take(m_windowInfer);
    if (QMenu* menu = sub.systemMenu()) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeIf([&taken](const QKeySequence& key) { return taken.contains(key); }) > 0)
                action->setShortcuts(keys);
        }
    }
}

QAction* MDIMain::WindowEntry(const IChildForm& form) const
{
    const int view = InferIndex(form);
    if (view >= 0)
        return m_windowInfer[view];
    const QString name = form.Name();
    if (name == QLatin1String("fFilter"))
        return Entry(MainCommand::WindowFilter);
    if (name == QLatin1String("FFilterBound"))
        return Entry(MainCommand::WindowFilterBound);
    if (name == QLatin1String("fWay"))
        return Entry(MainCommand::WindowWay);
    return nullptr;
}

QAction* MDIMain::DataEntry(const IChildForm& form) const
{
    const int view = InferIndex(form);
    return view >= 0 ? m_dataInfer[view] : nullptr;
}

IChildForm* MDIMain::ActiveChild() const
{
    return ChildFormOf(m_mdi->activeSubWindow());
}

void MDIMain::SubWindowActivated(QMdiSubWindow* sub)
{
    // Brought forward by code while a dialog or another program is active:
    // that is where the user returns to.
    if (sub && !isActiveWindow()) {
        m_usersChild = sub;
        m_usersFocus = nullptr;
    }
    // A window's activation is handled once the code that showed or
    // focused it has finished, so that ShowForm has put the window into the
    // history before the history looks for it.
    if (m_activationPending)
        return;
    m_activationPending = true;
    QTimer::singleShot(0, this, [this] {
        m_activationPending = false;
        SyncActiveChild();
    });
}

void MDIMain::SyncActiveChild()
{
    CChildForm* now = ChildFormOf(m_mdi->activeSubWindow());
    auto* before = qobject_cast<CChildForm*>(m_activeChild.data());
    m_activeChild = now;
    // Every other window that still shows as active is deactivated: also
    // one that was shown and left again before its activation came round.
    for (CChildForm* form : m_childForms.Forms()) {
        if (form == now)
            continue;
        const QAction* entry = WindowEntry(*form);
        if (form == before || (entry && entry->isChecked()))
            form->FormDeactivated();
    }
    if (now && now != before)
        now->FormActivated();
}

void MDIMain::NoteUsersPlace()
{
    m_usersChild = m_mdi->activeSubWindow();
    QWidget* focus = QApplication::focusWidget();
    m_usersFocus = focus && isAncestorOf(focus) ? focus : nullptr;
}

void MDIMain::ReturnToUsersPlace()
{
    QMdiSubWindow* sub = m_usersChild.data();
    QWidget* focus = m_usersFocus.data();
    const auto usable = [](const QWidget* widget) {
        return widget && widget->isVisible() && widget->isEnabled();
    };
    if (!usable(sub) || sub->isMinimized())
        sub = nullptr;
    if (!usable(focus) || (focus->focusPolicy() == Qt::NoFocus && !ChildFormOf(sub)))
        focus = nullptr;
    if (sub && focus && !sub->isAncestorOf(focus) && m_mdi->isAncestorOf(focus))
        focus = nullptr; // a control of another child window
    if (!sub && !focus)
        return;
    if (sub && m_mdi->activeSubWindow() != sub)
        m_mdi->setActiveSubWindow(sub);
    if (!focus && sub)
        focus = ChildFormOf(sub) ? static_cast<QWidget*>(ChildFormOf(sub)) : sub;
    if (focus && QApplication::focusWidget() != focus)
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

void MDIMain::ShowFilterForm()
{
    const ShellWindows& windows = m_context.Windows;
    if (!windows.FilterForm)
        return;
    if (IChildForm* form = windows.FilterForm())
        form->ShowForm();
}

// ---------------------------------------------------------------------------
// Window menu

void MDIMain::TileChildren(bool bRows)
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible() && !sub->isMinimized())
            shown << sub;
    }
    if (shown.isEmpty())
        return;
    const std::vector<QRect> places =
        TilePlaces(static_cast<int>(shown.size()), m_mdi->viewport()->size(), bRows);
    for (qsizetype k = 0; k < shown.size(); ++k) {
        QMdiSubWindow* sub = shown[k];
        if (sub->isMaximized())
            sub->showNormal();
        sub->setGeometry(places[static_cast<size_t>(k)]);
    }
}

void MDIMain::mnuWindowTileHorizontal_Click()
{
    TileChildren(true);
}

void MDIMain::mmnWindowTileVertical_Click()
{
    TileChildren(false);
}

void MDIMain::mnuWindowCascade_Click()
{
    // Bottom to top as they lie, so that the window on top stays on top.
    QList<QMdiSubWindow*> shown;
    std::vector<QSize> sizes;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isVisible() || sub->isMinimized())
            continue;
        if (sub->isMaximized())
            sub->showNormal();
        shown << sub;
        sizes.push_back(sub->size());
    }
    if (shown.isEmpty())
        return;
    const int step = shown.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown.front());
    const std::vector<QRect> places = CascadePlaces(sizes, m_mdi->viewport()->size(), step);
    for (qsizetype k = 0; k < shown.size(); ++k) {
        shown[k]->setGeometry(places[static_cast<size_t>(k)]);
        shown[k]->raise();
    }
}

void MDIMain::KeepChildrenInside()
{
    // The area without scroll bars: once inside, none are needed.
    const QSize area = m_mdi->maximumViewportSize();
    if (area.isEmpty())
        return;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isVisible() || sub->isMinimized() || sub->isMaximized())
            continue;
        const QRect place = FitInside(sub->geometry(), area);
        if (place != sub->geometry())
            sub->setGeometry(place);
    }
}

void MDIMain::mnuWindowArrangeIcons_Click()
{
    // The minimised windows in a row along the bottom, from the left,
    // wrapping upwards.
    QList<QMdiSubWindow*> icons;
    std::vector<QSize> sizes;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible() && sub->isMinimized()) {
            icons << sub;
            sizes.push_back(sub->size());
        }
    }
    const std::vector<QPoint> places = IconPlaces(sizes, m_mdi->viewport()->size());
    for (qsizetype k = 0; k < icons.size(); ++k)
        icons[k]->move(places[static_cast<size_t>(k)]);
}

void MDIMain::mnuWindowInfer_Click(int index)
{
    if (index < 0 || index >= AppState::InferCount)
        return;
    BringForward(m_context.State.InferForms[index], true);
}

void MDIMain::mnuWindowFilter_Click()
{
    const ShellWindows& windows = m_context.Windows;
    if (windows.FilterForm)
        BringForward(windows.FilterForm(), true);
}

void MDIMain::mnuWindowFilterBound_Click()
{
    const ShellWindows& windows = m_context.Windows;
    if (windows.FilterBoundForm)
        BringForward(windows.FilterBoundForm(), true);
}

void MDIMain::mnuWindowWay_Click()
{
    const ShellWindows& windows = m_context.Windows;
    if (windows.WayForm)
        BringForward(windows.WayForm(), false);
}

} // namespace kelton
