#pragma once

#include <QString>
#include <QToolBar>

class QAction;
class QIcon;
class QMenu;
class QToolButton;

namespace kelton {

// A toolbar with the flat look and buttons that drop down a menu, used by
// the main window and the filter window. Buttons are addressed by their
// zero-based index among all items (separators and the spacer count) or by
// their key; a click on a button without a menu reports the button through
// ButtonClick.
class CXpToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit CXpToolBar(const QString& sTitle, QWidget* parent = nullptr);

    // A button with its key, caption, tip and picture.
    QAction* AddButton(const QString& sKey, const QString& sCaption, const QString& sTip, const QIcon& icon);
    // A separator line.
    QAction* AddSeparator();
    // A stretching blank that pushes the following buttons to the right edge.
    QAction* AddSpacer();

    // The item at a zero-based index; nullptr when out of range.
    QAction* Button(int iButton) const;
    // The button with that key (exact comparison); nullptr when none.
    QAction* ButtonByKey(const QString& sKey) const;
    static QString Key(const QAction* button);

    // The menu a button drops down; nullptr when it has none.
    QMenu* ButtonMenu(int iButton) const;
    // Gives the button a drop-down menu: a press opens the menu under the
    // button, left-aligned; the button does not stay pressed afterwards. A
    // null menu, or an index that is no button, changes nothing.
    void SetButtonMenu(int iButton, QMenu* menu);

    // The flat look: buttons show their frame only under the pointer.
    bool Flat() const { return m_flat; }
    void SetFlat(bool bFlat);

Q_SIGNALS:
    // A button without a drop-down menu was clicked.
    void ButtonClick(QAction* button);

private:
    QToolButton* ToolButton(QAction* button) const;

    bool m_flat = false;
};

} // namespace kelton
