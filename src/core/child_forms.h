#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>

#include <QObject>
#include <QPointer>
#include <QString>

namespace kelton {

// A child window of the main window, as other windows and the model see it.
// Child windows are told apart by their caption; Name is the kind of window
// ("FInfer", "fFilter", "FFilterBound", "fWay").
//
// Every child window follows one protocol towards the main window:
// - ShowForm shows it, shows and ticks its Window-menu entry, adds its
//   caption to the window history (WinHistAdd) and gives it the focus;
// - activation shows and ticks the entry and makes its caption the current
//   history entry (WinHistActive); deactivation unticks the entry;
// - a close request (its close box, or Unload) removes the caption from the
//   history (WinHistDel), hides the window and hides its entry; the window is
//   destroyed only while FormsClosing is set, otherwise it keeps its state
//   and ShowForm brings it back.
class IChildForm {
public:
    virtual ~IChildForm() = default;

    virtual QString Name() const = 0;
    virtual QString Caption() const = 0;

    virtual void ShowForm() = 0;
    // Shown on screen (a closed window stays loaded but hidden).
    virtual bool Visible() const = 0;
    // Shows or hides the window without the rest of ShowForm.
    virtual void SetVisible(bool bVisible) = 0;
    // Brings it to the front with the focus.
    virtual void SetFocus() = 0;
    // The close request: hides the window, or destroys it while
    // FormsClosing is set.
    virtual void Unload() = 0;
    // True from creation until the window is really unloaded; it stays True
    // while the window is only hidden.
    virtual bool FormOpen() const = 0;
};

// An analysis window: one per data view, caption = the view's name. The
// main window makes them, through the installed IInferFormFactory, for the
// game it loads, and releases them when the game goes (InferForms).
class IInferForm : public virtual IChildForm {
public:
    // Opens the view named sShowSet (an indicator's or a position's name,
    // as the filter window's condition rows are captioned) and shows the
    // window. A window without views of its own just shows itself.
    virtual void ShowLay(const QString& sShowSet)
    {
        (void)sShowSet;
        ShowForm();
    }
};

// A guarded pointer to an analysis window, as the model holds it: once a
// window that is a QObject has been destroyed it reads nullptr. (A plain
// object, such as a test's stand-in, is held as given.)
class InferFormPtr {
public:
    InferFormPtr() = default;
    template <class P>
    requires std::convertible_to<P, IInferForm*>
    InferFormPtr(const P& form) // implicit, as the pointer it guards
        : m_form(form), m_object(dynamic_cast<QObject*>(m_form)), m_guarded(m_object != nullptr)
    {
    }

    IInferForm* get() const { return m_guarded && m_object.isNull() ? nullptr : m_form; }
    operator IInferForm*() const { return get(); }
    IInferForm* operator->() const { return get(); }
    template <class T>
    requires std::convertible_to<T*, const IInferForm*>
    friend bool operator==(const InferFormPtr& a, T* b) { return a.get() == b; }
    friend bool operator==(const InferFormPtr& a, std::nullptr_t) { return a.get() == nullptr; }

private:
    IInferForm* m_form = nullptr;
    QPointer<QObject> m_object;
    bool m_guarded = false;
};

} // namespace kelton
