#include "host/ui/xp_toolbar.h"

#include <QAction>
#include <QMenu>
#include <QSizePolicy>
#include <QToolButton>
#include <QWidget>

namespace kelton {

namespace {
// Marks the stretching blank among the items.
constexpr char kSpacerProperty[] = "keltonSpacer";
} // namespace

CXpToolBar::CXpToolBar(const QString& sTitle, QWidget* parent) : QToolBar(sTitle, parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(this, &QToolBar::actionTriggered, this, [this](QAction* action) {
        if (!action || action->isSeparator() || action->property(kSpacerProperty).toBool())
            return;
        if (action->menu<QMenu*>())
            return;
        Q_EMIT ButtonClick(action);
    });
}

QAction* CXpToolBar::AddButton(const QString& sKey, const QString& sCaption, const QString& sTip,
                               const QIcon& icon)
{
    QAction* action = addAction(icon, sCaption);
    action->setData(sKey);
    action->setToolTip(sTip.isEmpty() ? sCaption : sTip);
    if (!sKey.isEmpty())
        action->setObjectName(QStringLiteral("tbr") + sKey);
    if (QToolButton* button = ToolButton(action))
        button->setAutoRaise(m_flat);
    return action;
}

QAction* CXpToolBar::AddSeparator()
{
    return addSeparator();
}

QAction* CXpToolBar::AddSpacer()
{
    auto* blank = new QWidget(this);
    blank->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    QAction* action = addWidget(blank);
    action->setProperty(kSpacerProperty, true);
    return action;
}

QAction* CXpToolBar::Button(int iButton) const
{
    const QList<QAction*> items = actions();
    if (iButton < 0 || iButton >= items.size())
        return nullptr;
    return items.at(iButton);
}

QAction* CXpToolBar::ButtonByKey(const QString& sKey) const
{
    if (sKey.isEmpty())
        return nullptr;
    for (QAction* action : actions()) {
        if (!action->isSeparator() && Key(action) == sKey)
            return action;
    }
    return nullptr;
}

QString CXpToolBar::Key(const QAction* button)
{
    return button ? button->data().toString() : QString();
}

QMenu* CXpToolBar::ButtonMenu(int iButton) const
{
    QAction* action = Button(iButton);
    return ToolButton(action) ? action->menu<QMenu*>() : nullptr;
}

void CXpToolBar::SetButtonMenu(int iButton, QMenu* menu)
{
    if (!menu)
        return;
    QAction* action = Button(iButton);
    QToolButton* button = ToolButton(action);
    if (!button)
        return;
    // The menu belongs to the button's action, so that the entry the button
    // leaves in the overflow menu, when the toolbar is too short for it,
    // drops the same menu down.
    action->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
}

void CXpToolBar::SetFlat(bool bFlat)
{
    m_flat = bFlat;
    for (QAction* action : actions()) {
        if (QToolButton* button = ToolButton(action))
            button->setAutoRaise(bFlat);
    }
}

QToolButton* CXpToolBar::ToolButton(QAction* button) const
{
    if (!button || button->isSeparator() || button->property(kSpacerProperty).toBool())
        return nullptr;
    return qobject_cast<QToolButton*>(widgetForAction(button));
}

} // namespace kelton
