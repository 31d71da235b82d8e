#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelton {

struct AppState;

// The options dialog: the six proxy settings of the settings record that
// every download is queued with. OK writes them into the settings record
// (they reach the settings file when the settings are saved); Cancel and
// the close box leave them as they were.
class FOption : public QDialog {
    Q_OBJECT

public:
    // Ports outside this range keep the stored port, like a text that is no number.
    static constexpr int32_t kMinPort = 1;
    static constexpr int32_t kMaxPort = 65535;

    // Edits app's settings record; app outlives the dialog.
    explicit FOption(AppState& app, QWidget* parent = nullptr);

    QGroupBox* FraProxy() const { return m_fraProxy; }
    QCheckBox* chkProxy() const { return m_chkProxy; }
    QLineEdit* TxtIP() const { return m_txtIP; }
    QLineEdit* TxtPort() const { return m_txtPort; }
    QCheckBox* chkVail() const { return m_chkVail; }
    QLineEdit* TxtUser() const { return m_txtUser; }
    QLineEdit* TxtPassWord() const { return m_txtPassWord; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // Fills the boxes from the settings record.
    void Form_Load();
    // Enabling rules, run whenever either check box changes.
    void chkProxy_Click();
    void chkVail_Click();
    // Stores the boxes into the settings record and closes.
    void cmdOK_Click();
    // Closes without storing.
    void cmdCancel_Click();
    // The help page of this dialog.
    void CmdHelp_Click();

private:
    AppState& m_app;
    void ApplyEnabling();

    QGroupBox* m_fraProxy = nullptr;
    QCheckBox* m_chkProxy = nullptr;
    QLabel* m_lblIP = nullptr;
    QLineEdit* m_txtIP = nullptr;
    QLabel* m_lblPort = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QCheckBox* m_chkVail = nullptr;
    QLabel* m_lblUser = nullptr;
    QLineEdit* m_txtUser = nullptr;
    QLabel* m_lblPassWord = nullptr;
    QLineEdit* m_txtPassWord = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};

// The options command: shows the dialog modally over the owner.
void ShowOptionDialog(AppState& app, QWidget* owner);

} // namespace kelton
