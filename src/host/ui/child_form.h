#pragma once

#include <functional>
#include <vector>

#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/child_forms.h"

class QAction;

namespace kelton {

class ChildFormList;

// The base of every child window of the main window. It carries out the
// child-window protocol (see IChildForm): ShowForm, the ticks of the
// window's Window-menu entry (and, for an analysis window, its data-menu
// entry), the window history, and a close that only hides unless its host
// is unloading its windows.
//
// A window joins the list of loaded windows of the host in force when it is
// made (or, made without one, of the host that first gives it a frame), and
// leaves it when it is unloaded or destroyed.
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
    // A window that is unloaded whenever it is closed, not only while its
    // host unloads its windows.
    virtual bool UnloadsWhenClosed() const { return false; }

private:
    void EnsureSubWindow();
    QAction* WindowEntry() const;
    QAction* DataEntry() const;

    QString m_name;
    QPointer<QMdiSubWindow> m_sub;
    QSize m_designSize; // the size when the frame was made
    bool m_formOpen = true;
    bool m_placed = false;           // shown once in the work area
    ChildFormList* m_list = nullptr; // the host's list the window is on
    friend class ChildFormList;
};

// The loaded child windows of one host, in the order they joined, and
// whether the host is unloading them (a window closed meanwhile is unloaded
// for real instead of hidden). The host owns it; a list that goes before its
// windows lets them go.
class ChildFormList {
public:
    // closing: whether the host is unloading its windows now; none: never.
    explicit ChildFormList(std::function<bool()> closing = {});
    ~ChildFormList();
    ChildFormList(const ChildFormList&) = delete;
    ChildFormList& operator=(const ChildFormList&) = delete;

    std::vector<CChildForm*> Forms() const { return m_forms; }
    bool Closing() const { return m_closing && m_closing(); }

private:
    friend class CChildForm;
    void Add(CChildForm* form);
    void Remove(CChildForm* form);

    std::function<bool()> m_closing;
    std::vector<CChildForm*> m_forms;
};

// The child window a frame of the main window holds; nullptr for any other
// frame.
CChildForm* ChildFormOf(const QMdiSubWindow* sub);

} // namespace kelton
