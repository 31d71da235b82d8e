#pragma once

#include <cstdint>

#include <QDialog>

#include "results/bet_file.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;

namespace kelton {

struct AppState;

// "数据导入导出": saves the live bets to a text file, loads such a file as
// the new bet list, exports the draw history (results/bet_file.h), each
// through one of the game's ten number formats, which the user can edit in
// place and which are stored back into the game when the dialog closes.
// Modal over the main window; built afresh from the current game at every
// opening (Load) from the application's state. While an operation runs only Cancel is usable and closing
// is refused.
class FDataInOut : public QDialog {
    Q_OBJECT

public:
    explicit FDataInOut(AppState& app, QWidget* parent = nullptr);

    // The tab to open on: 1 save bets, 2 load bets, 3 export the history;
    // anything else counts as 1. Set before Load.
    int16_t ShowTag = 1;

    // Fills the format list from the current game and selects the tab.
    void Load();

    QTabBar* Tsp() const { return m_tsp; }
    QListWidget* LstFormat() const { return m_lstFormat; }
    QLineEdit* TxtFormat() const { return m_txtFormat; }
    QLineEdit* TxtPath() const { return m_txtPath; }
    QPushButton* cmdPath() const { return m_cmdPath; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // The key of the selected tab: "SaveFilter", "OpenFilter" or "SaveData".
    QString SelectedKey() const;
    // An operation runs.
    bool Busy() const;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPath_Click();
    void CmdHelp_Click();
    // Opens the in-place editor over the selected format row.
    void LstFormat_DblClick();

    // Closing stores the formats back; refused while busy.
    void done(int r) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString SelectedFormat() const;
    // Busy: only Cancel usable; idle: everything but Cancel.
    void SetInOutControls(bool busy);
    BetFileProgress Progress();
    void Report(const BetFileOutcome& out);

    QTabBar* m_tsp = nullptr;
    QListWidget* m_lstFormat = nullptr;
    QLineEdit* m_txtFormat = nullptr;
    QLineEdit* m_txtPath = nullptr;
    QPushButton* m_cmdPath = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    AppState& m_app;
    CMsg m_msg;
};

// Shows FDataInOut modally over owner on the tab of sShowTag, when app has
// a game loaded.
void ShowDataInOut(AppState& app, QWidget* owner, int16_t sShowTag);

} // namespace kelton
