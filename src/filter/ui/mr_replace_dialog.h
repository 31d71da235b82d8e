#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelton {

struct AppState;

// "批量替换": replaces secondary numbers of the live bets in the filter
// window's list (filter/mr_replace.h). Modal over the main window; "替换"
// replaces, tells how many numbers changed and closes.
class FMrReplace : public QDialog {
public:
    // Replaces in the bets of app's game document; app outlives the dialog.
    explicit FMrReplace(AppState& app, QWidget* parent = nullptr);

    QLineEdit* txtOld() const { return m_txtOld; }
    QLineEdit* txtNew() const { return m_txtNew; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    void cmdOK_Click();
    void CmdHelp_Click();

private:
    QLineEdit* m_txtOld = nullptr;
    QLineEdit* m_txtNew = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    AppState& m_app;
};

// Shows FMrReplace modally over owner when app's current game has
// secondary numbers; otherwise says the game has none.
void ShowMrReplace(AppState& app, QWidget* owner);

} // namespace kelton
