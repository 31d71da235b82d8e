#pragma once

#include <array>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "host/ui/shell_windows.h"
#include "otherfilter/other_filter_page.h"
#include "otherfilter/other_sections.h"
#include "shell/pick_lists.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelton {

struct AppState;

class CFlexGrid;

// One page of the other-filter panel: the item grid of one filter list,
// its buttons, its tolerance switch and value box and its pick lists. The
// grid is a working copy of the list: Pull fills it, Push writes it back.
class COtherFilterPage : public QWidget {
    Q_OBJECT

public:
    // The buttons in the order of PageLayout::Buttons.
    enum Button { Add, Del, DelAll, Help, Open, OpenAdd, Save, Close, kButtonCount };

    // A page of app's current game; app outlives the page.
    COtherFilterPage(OtherPage page, const AppState& app, QWidget* parent);

    OtherPage Page() const { return m_page; }
    CFlexGrid* Grid() const { return m_grid; }
    QPushButton* Cmd(Button button) const { return m_cmd[static_cast<size_t>(button)]; }
    QCheckBox* ChkErr() const { return m_chkErr; }
    QLineEdit* TxtErr() const { return m_txtErr; }
    QListWidget* PickList(int list) const { return m_lists[static_cast<size_t>(list)]; }
    // Set by opening the page, cleared by closing it; decides the push.
    bool IsOpen() const { return m_open; }
    void SetOpen(bool open) { m_open = open; }

    void SetPickLists(const std::array<QStringList, 3>& lists);
    // The grid refilled from the current game's list.
    void Pull();
    // The grid written into the current game's list when the page is open.
    void Push();

    // What the page's files carry: its rows (as shown) and tolerance
    // controls; and an imported state taken into the page: all of it when
    // replacing, only the rows past the first `before` when appending.
    OtherPageState State() const;
    void TakeImport(const OtherPageState& state, bool append, qsizetype before);

    // The handlers, also called by code.
    void Grid_Click();
    void Grid_DblClick();
    void CmdAdd_Click();
    void CmdDel_Click();
    void CmdDelAll_Click();
    void CmdHelp_Click();
    void ChkErr_Click();
    void TxtErr_Click();
    void PickList_Click(int list);

Q_SIGNALS:
    // The page's close button; the panel pushes, then hides.
    void CloseRequested();
    // Import (replacing or appending) and export.
    void OpenRequested(bool append);
    void SaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void FitColumns();
    void ApplyHighlight();
    void PaintHeader();
    void OpenList(int col);

    OtherPage m_page;
    const AppState& m_app;
    CFlexGrid* m_grid = nullptr;
    std::array<QPushButton*, kButtonCount> m_cmd{};
    QCheckBox* m_chkErr = nullptr;
    QLineEdit* m_txtErr = nullptr;
    std::array<QListWidget*, 3> m_lists{};
    std::array<QStringList, 3> m_listEntries;
    int m_listCol = -1; // the column whose list is open
    bool m_open = false;
};

// The main window's docked other-filter panel "PicOtherFilter": a splitter
// along its left edge, a header with the open page's caption and the close
// button "╳", and the three pages, at most one open. Hidden at start; its
// width survives hiding.
class PicOtherFilter : public QWidget, public IOtherFilterPanel {
    Q_OBJECT

public:
    // The pages of app's current game; app outlives the panel.
    explicit PicOtherFilter(const AppState& app, QWidget* parent = nullptr);

    // IOtherFilterPanel
    QWidget* PanelWidget() override { return this; }
    void FillPickLists(const OtherFilterPickLists& lists) override;
    void UpDateOtherFilter() override;
    void CmdOtherFilterClose_Click() override;
    void ShowMatch() override { ShowPage(OtherPage::Match); }
    void ShowHistory() override { ShowPage(OtherPage::History); }
    void ShowGather() override { ShowPage(OtherPage::Gather); }

    void ShowPage(OtherPage page);
    // Reads section text into the page's grid (OpenMatch, OpenHistory,
    // OpenGather): replacing or appending; a text without the page's
    // section changes nothing.
    OtherImportOutcome OpenPage(OtherPage page, const QString& text, bool append);
    void UpDateFilter(OtherPage page) { Page(page)->Push(); }

    COtherFilterPage* Page(OtherPage page) const { return m_pages[static_cast<size_t>(page)]; }
    QLabel* LblCaption() const { return m_lblCaption; }
    QPushButton* CmdClose() const { return m_cmdClose; }
    QWidget* Splitter() const { return m_splitter; }
    // The panel's width in twips.
    int WidthTwips() const { return m_widthTwips; }
    // A pointer move over the splitter (x in the splitter's pixels).
    void Splitter_MouseMove(Qt::MouseButtons buttons, int x);

    // Hiding or showing the panel hides or shows the dock that holds it.
    void setVisible(bool visible) override;
    // The panel's width, as the user last gave it; its height follows the
    // dock. It is never narrower than its pages' controls need.
    QSize sizeHint() const override { return {width(), 0}; }
    int MinimumWidthTwips() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const AppState& m_app;
    void SetWidthTwips(int twips);
    void ClosePage(OtherPage page);
    // The import buttons (replacing, appending) and the export button
    // (other_filter_files.cpp).
    void OpenFile(OtherPage page, bool append);
    void SaveFile(OtherPage page);

    QWidget* m_splitter = nullptr;
    QWidget* m_header = nullptr;
    QLabel* m_lblCaption = nullptr;
    QPushButton* m_cmdClose = nullptr;
    std::array<COtherFilterPage*, kOtherPageCount> m_pages{};
    int m_widthTwips = kPanelInitialWidth;
};

// Installs the panel over app (which outlives the set) in the main window's
// set.
void InstallOtherFilterWindows(ShellWindows& windows, const AppState& app);

} // namespace kelton
