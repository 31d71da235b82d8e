#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

namespace kelton {

class IChildForm;

// What the window history needs of the main window: its Prev and Next
// toolbar buttons, the caption of the active child window and the loaded
// child windows. The main window installs itself; tests install fakes. With
// nothing installed the history still keeps its list.
class IWinHistoryHost {
public:
    virtual ~IWinHistoryHost() = default;

    virtual void EnablePrev(bool bEnabled) = 0;
    virtual void EnableNext(bool bEnabled) = 0;
    // The active child window's caption; false when no child is active.
    virtual bool ActiveChildCaption(QString* oCaption) const = 0;
    // Every loaded child window, shown or hidden, in the order they were
    // created.
    virtual std::vector<IChildForm*> LoadedForms() const = 0;
};

// The back/forward history of child windows, like a browser's: a list of
// window captions (the same caption may occur more than once) and a current
// position. Prev and Next walk it with wrap-around.
class CWinHistory {
public:
    // Inserts the caption after the current position and makes it current;
    // with two entries or more both buttons are enabled.
    void WinHistAdd(const QString& sCaption);
    // Removes the first entry equal to the caption; with one entry or none
    // left both buttons are disabled. The position is not moved (it may then
    // lie past the last entry).
    void WinHistDel(const QString& sCaption);
    // Makes the first entry equal to the active child's caption current
    // (-1 when none matches) and enables Prev or Next to suit.
    void WinHistActive();
    // Steps forward (back) with wrap-around and brings that window up: a
    // hidden window through its ShowForm, then the focus.
    void WinHistNext();
    void WinHistPrev();

    const QStringList& WinHistory() const { return m_list; }
    int16_t WinHistCount() const { return static_cast<int16_t>(m_list.size()); }
    int16_t WinHistPos() const { return m_pos; }

    // Back to the empty list of a fresh start.
    void Clear();

    void SetHost(IWinHistoryHost* host) { m_host = host; }
    IWinHistoryHost* Host() const { return m_host; }

private:
    void BringUp();

    QStringList m_list;
    int16_t m_pos = 0;
    IWinHistoryHost* m_host = nullptr;
};

} // namespace kelton
