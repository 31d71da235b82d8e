#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QDialog>
#include <QString>
#include <QTimer>

#include "games/draw_download.h"
#include "games/draw_grid.h"
#include "host/ui/shell_windows.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace kelton {

struct AppState;

class CFlexGrid;
class CLottorData;
class Downloader;

// The draw editor "历史开奖号码": the draws of the current game in a grid,
// one row per draw in ascending issue order, with five tabs: add a draw,
// modify the numbers of a draw, delete draws, download draws from one of
// the game's ten sources, and import draws from a text file through one of
// the game's ten number formats. Every edit acts on the grid only; "更新"
// hands the whole grid back as one text (NumStr, in the game's default
// number format) and the main window replaces the history with it.
//
// One instance serves the whole run: each showing starts from the stored
// history, only the opening tab's key (SelTsp) is kept between showings.
// Closing, by any way, writes the format list and the download sources
// back into the game definition.
class FDataSet : public QDialog, public IDataSetForm {
    Q_OBJECT

public:
    // The tabs, numbered from 1 as their keys are.
    enum Tab { kTabAdd = 1, kTabChang = 2, kTabDelete = 3, kTabDown = 4, kTabImport = 5 };

    // Edits the draws of app's current game, downloading through app's
    // settings and server information; app outlives the editor.
    explicit FDataSet(AppState& app, QWidget* parent = nullptr);
    ~FDataSet() override;

    // IDataSetForm.
    void SetSelTsp(const QString& sKey) override { m_selTsp = sKey; }
    void ShowModal(QWidget* owner) override;
    // Read once after the window has closed: each read resets the value.
    bool IsChang() const override;
    QString NumStr() const override;

    QString SelTsp() const { return m_selTsp; }
    bool GridChanged() const { return m_gridChanged; }

    // The controls.
    CFlexGrid* Grid() const { return m_grid; }
    QTabBar* Tab1() const { return m_tab1; }
    QLineEdit* TxtName() const { return m_txtName; }
    QLineEdit* txtBcMain() const { return m_txtBcMain; }
    QLabel* lblBcMain() const { return m_lblBcMain; }
    QPushButton* CmdAdd() const { return m_cmdAdd; }
    QRadioButton* OptDeleteAll() const { return m_optDeleteAll; }
    QRadioButton* OptDelete2() const { return m_optDelete2; }
    QPushButton* CmdDelete() const { return m_cmdDelete; }
    CFlexGrid* msgDown() const { return m_msgDown; }
    QLineEdit* TxtDown() const { return m_txtDown; }
    QPushButton* CmdDownLoad() const { return m_cmdDownLoad; }
    QPushButton* CmdCancelDownLoad() const { return m_cmdCancelDownLoad; }
    QLabel* LblDownload() const { return m_lblDownload; }
    QWidget* DownloadTrack() const { return m_track; }
    QLineEdit* TxtPath() const { return m_txtPath; }
    QPushButton* cmdPath() const { return m_cmdPath; }
    QListWidget* LstFormat() const { return m_lstFormat; }
    QLineEdit* TxtFormat() const { return m_txtFormat; }
    QPushButton* cmdImprot() const { return m_cmdImprot; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // The tab shown (1 .. 5).
    int CurrentTab() const;

    // Opening: the grid from the stored history, the format list and the
    // source grid from the game definition, the tab chosen by SelTsp.
    void Form_Load();
    // Prepares the panel of the tab the tab strip shows.
    void Tab1_Click();
    // A click in the grid (on the release of the button).
    void Grid_MouseUp();
    void CmdAdd_Click();
    void OptDeleteAll_Click();
    void OptDelete2_Click();
    void CmdDelete_Click();
    // "更新": asks, makes NumStr and closes; closes at once without edits.
    void cmdOK_Click();
    // "取消": asks when there are edits, then closes.
    void cmdCancel_Click();
    void CmdHelp_Click();

    // The draw table's row search and text (draw_grid.h).
    GridRowFind FindGridRow(int64_t issue) const;
    QString GridToNumStr() const;

    // Import tab.
    void cmdPath_Click();
    void cmdImprot_Click();
    // Places the in-place editor over the selected format entry.
    void LstFormat_DblClick();
    // Reads a draw text into the grid (draw_grid.h), redrawing once. A long
    // text shows its progress; meanwhile the window answers, and "取消" (or
    // the download's "取消") stops the reading, leaving the grid as it was.
    // The grid counts as changed only when draws were inserted.
    DrawTextRead ParseDrawText(const QString& sText, const QString& sFormat);
    bool Reading() const { return m_reading; }

    // Download tab.
    void CmdDownLoad_Click();
    void CmdCancelDownLoad_Click();
    // True: the idle state; false: the state while a download runs.
    void EnableDownloadControls(bool bIdle);
    void Timer1_Timer();
    // Places the in-place editor over the current source cell.
    void msgDown_DblClick();
    bool Downloading() const { return m_downloading; }
    int MarkerX() const { return m_marker.X; }
    // Tests shorten the downloader's steps and point it at their server.
    using DownloaderSetup = std::function<void(Downloader&)>;
    void SetDownloaderSetup(DownloaderSetup setup) { m_downloaderSetup = std::move(setup); }

    // Every way of closing ends here.
    void done(int r) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppState& m_app;
    static QPushButton* MakeButton(const QString& text, const QString& name, QWidget* parent);
    QWidget* MakeAddPanel();
    QWidget* MakeDeletePanel();
    QWidget* MakeDownPanel();
    QWidget* MakeImportPanel();
    void SetUpGrid();
    void FillSources();
    void WriteBackLists();
    void ShowTab(int tab);
    void SelectNumbersCell(int row);
    void SelectAllDataRows();
    void ScrollRowIntoView(int row);
    bool AskDiscard();
    CLottorHead* Head() const;
    int16_t FetchInto(const QString& sUrl, QByteArray& oData);
    void EndDownload();
    void ReadingBegan();
    void StopReading();

    QString m_selTsp;
    mutable bool m_isChang = false;
    mutable QString m_numStr;
    bool m_gridChanged = false;
    bool m_busy = false;
    std::shared_ptr<CLottorData> m_game;

    CFlexGrid* m_grid = nullptr;
    std::unique_ptr<IDrawRows> m_rows;
    QTabBar* m_tab1 = nullptr;
    QStackedWidget* m_panels = nullptr;
    QLineEdit* m_txtName = nullptr;
    QLineEdit* m_txtBcMain = nullptr;
    QLabel* m_lblBcMain = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QRadioButton* m_optDeleteAll = nullptr;
    QRadioButton* m_optDelete2 = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    CFlexGrid* m_msgDown = nullptr;
    QLineEdit* m_txtDown = nullptr;
    QPushButton* m_cmdDownLoad = nullptr;
    QPushButton* m_cmdCancelDownLoad = nullptr;
    QLabel* m_lblDownload = nullptr;
    QWidget* m_track = nullptr;
    QLineEdit* m_txtPath = nullptr;
    QPushButton* m_cmdPath = nullptr;
    QListWidget* m_lstFormat = nullptr;
    QLineEdit* m_txtFormat = nullptr;
    QPushButton* m_cmdImprot = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;

    // Download.
    std::unique_ptr<Downloader> m_downloader;
    DownloaderSetup m_downloaderSetup;
    int32_t m_downId = 0;
    bool m_downloading = false;   // from the download button until the end or a cancel
    bool m_waiting = false;       // a wait on the downloader is under way
    bool m_downCancelled = false;
    bool m_reading = false;       // ParseDrawText runs
    bool m_closed = true;
    DownloadMarker m_marker;
    QTimer m_timer1;
};

} // namespace kelton
