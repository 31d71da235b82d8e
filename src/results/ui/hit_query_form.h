#pragma once

#include <memory>
#include <vector>

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelton {

class CFlexGrid;
class CLottorData;
struct AppState;
struct ShellWindows;

// "中奖查询": the live bets held against a draw in a play mode, with the
// current game's prize table edited in place; the game and the bets are
// those of the application's state. Built afresh from the current game at
// every opening (Form_Load); it reads the bet list and never
// changes it. The rules are model code (results/hit_query.h).
class fHitQuery : public QDialog {
    Q_OBJECT

public:
    explicit fHitQuery(AppState& app, QWidget* parent = nullptr);

    // Builds the controls from the current game: the modes it offers, the
    // issues with "下期" (the latest draw chosen and shown in the digit
    // boxes), the digit boxes, the prize table and an empty hit list.
    void Form_Load();

    QComboBox* cboType() const { return m_cboType; }
    QComboBox* cboName() const { return m_cboName; }
    // Box k - 1 shows position k (1 = units); main boxes 0..BcMain - 1,
    // then the secondary numbers' boxes.
    QComboBox* cboNum(int index) const;
    QLabel* LblNum(int index) const;
    int BoxCount() const { return static_cast<int>(m_cboNum.size()); }
    QPushButton* CmdQuery() const { return m_cmdQuery; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }
    CFlexGrid* msgHitMod() const { return m_msgHitMod; }
    QLineEdit* TxtMsg() const { return m_txtMsg; }
    CFlexGrid* msgHit() const { return m_msgHit; }
    // What the prize editor says about an amount it refused.
    QLabel* LblHint() const { return m_lblHint; }

    // Handlers.
    void cboName_Click();
    void CmdQuery_Click();
    void CmdHelp_Click();
    void msgHitMod_Click();
    void TxtMsg_Change(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyLayout();
    std::shared_ptr<CLottorData> CurrentGame() const;

    AppState& m_app;

    QLabel* m_lblType = nullptr;
    QComboBox* m_cboType = nullptr;
    QLabel* m_label1 = nullptr;
    QComboBox* m_cboName = nullptr;
    std::vector<QComboBox*> m_cboNum;
    std::vector<QLabel*> m_lblNum;
    QPushButton* m_cmdQuery = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QLabel* m_lblHint = nullptr;
    QFrame* m_frame = nullptr;
    QFrame* m_line1 = nullptr;
    QFrame* m_line2 = nullptr;
    CFlexGrid* m_msgHitMod = nullptr;
    QLineEdit* m_txtMsg = nullptr;
    CFlexGrid* m_msgHit = nullptr;
    int m_editRow = -1;     // the prize row under the editor
    int m_resultHeight = 0; // the hit list's height in twips
};

// Shows the prize query modally over owner while app has a game loaded.
void ShowHitQuery(AppState& app, QWidget* owner);

// Installs the prize query over the game and bets of app in the main
// window's set.
void InstallHitQueryWindow(ShellWindows& windows, AppState& app);

} // namespace kelton
