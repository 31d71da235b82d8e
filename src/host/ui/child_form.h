#pragma once

#include <vector>

#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/child_forms.h"

class QAction;

namespace kelton {

// The base of every child window of the main window. It carries out the
// child-window protocol (see IChildForm): ShowForm, the ticks of the
// window's Window-menu entry (and, for an analysis window, its data-menu
// entry), the window history, and a close that only hides unless
// FormsClosing is set.
//
// A window derives from it and, where it is one, from IInferForm:
//   class FInfer : public CChildForm, public IInferForm { ... };
class CChildForm : public QWidget, public virtual IChildForm {
    Q_OBJECT

public:
    // sName: the kind of window ("fFilter", "FInfer", ...); sCaption: its
    // caption, by which menus and the history know it.
    CChildForm(const QString& sName, const QString& sCaption, QWidget* parent = nullptr);
    ~CChildForm() override;

    QString Name() const override { return m_name; }
    QString Caption() const override { return windowTitle(); }
    void ShowForm() override;
    bool Visible() const override;
    void SetVisible(bool bVisible) override;
    void SetFocus() override;
    void Unload() override;
    bool FormOpen() const override { return m_formOpen; }

    // The window's frame inside the main window; nullptr until first shown.
    QMdiSubWindow* SubWindow() const { return m_sub; }

    // The smallest size at which no control is cut: a Qt layout's minimum,
    // else the size the window had when its frame was made (its controls are
    // placed for it). A window that lays itself out for smaller sizes sets
    // its minimum size (setMinimumSize), which takes precedence. A frame
    // smaller than that scrolls the window.
    QSize minimumSizeHint() const override;

    // Called by the main window when the window becomes the active child or
    // stops being it.
    virtual void FormActivated();
    virtual void FormDeactivated();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A window that is unloaded whenever it is closed, not only while
    // FormsClosing is set.
    virtual bool UnloadsWhenClosed() const { return false; }

private:
    void EnsureSubWindow();
    QAction* WindowEntry() const;
    QAction* DataEntry() const;

    QString m_name;
    QPointer<QMdiSubWindow> m_sub;
    QSize m_designSize; // the size when the frame was made
    bool m_formOpen = true;
    bool m_placed = false; // shown once in the work area
    bool m_registered = false;
};

// Every loaded child window, in the order they were created.
std::vector<CChildForm*> LoadedChildForms();

// The child window a frame of the main window holds; nullptr for any other
// frame.
CChildForm* ChildFormOf(const QMdiSubWindow* sub);

} // namespace kelton
