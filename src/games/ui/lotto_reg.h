#pragma once

#include <array>
#include <cstdint>

#include <QDialog>
#include <QString>

#include "games/new_game.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelton {

// The new-game dialog "增加新彩票（*号必填）": the seven parameters of a game
// and its further sections make its definition text, shown below them and
// rebuilt at every change; a template fills the boxes; OK creates the
// game's data file under the first free number. The game list is the
// caller's business.
class FLottoReg : public QDialog {
    Q_OBJECT

public:
    explicit FLottoReg(QWidget* parent = nullptr);

    QLineEdit* txtLottorName() const { return m_txtLottorName; }
    QLineEdit* txtBcDataName() const { return m_txtBcDataName; }
    QLineEdit* txtBcDataLen() const { return m_txtBcDataLen; }
    QLineEdit* txtBcMain() const { return m_txtBcMain; }
    QLineEdit* txtMrDataName() const { return m_txtMrDataName; }
    QLineEdit* txtMrDataLen() const { return m_txtMrDataLen; }
    QLineEdit* txtMrMain() const { return m_txtMrMain; }
    QPlainTextEdit* txtWinMod() const { return m_txtWinMod; }
    QPlainTextEdit* TxtLottorInfo() const { return m_txtLottorInfo; }
    QPushButton* CmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdImport() const { return m_cmdImport; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // Results, read after the dialog has closed: set only when the data file
    // was created. LottorPath is the file as the game list stores it.
    bool ClickOk() const { return m_clickOk; }
    QString LottorPath() const { return m_lottorPath; }
    QString LottorName() const { return m_lottorName; }

    // The boxes as they stand.
    GameParams Params() const;
    // Fills the boxes (the definition text follows).
    void SetParams(const GameParams& params);

    // Empties the boxes and the results.
    void Form_Load();
    // Rebuilds the definition text from the boxes; edits made in it by hand
    // are dropped.
    void PrintInfo();
    // Takes a template from the template list into the boxes.
    void CmdImport_Click();
    // Creates the game and closes; a refused definition or a file that
    // cannot be written keeps the dialog open with a message.
    void CmdOK_Click();
    void cmdCancel_Click();
    void CmdHelp_Click();

private:
    QLineEdit* m_txtLottorName = nullptr;
    QLineEdit* m_txtBcDataName = nullptr;
    QLineEdit* m_txtBcDataLen = nullptr;
    QLineEdit* m_txtBcMain = nullptr;
    QLineEdit* m_txtMrDataName = nullptr;
    QLineEdit* m_txtMrDataLen = nullptr;
    QLineEdit* m_txtMrMain = nullptr;
    QPlainTextEdit* m_txtWinMod = nullptr;
    QPlainTextEdit* m_txtLottorInfo = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdImport = nullptr;
    QPushButton* m_cmdHelp = nullptr;

    bool m_clickOk = false;
    QString m_lottorPath;
    QString m_lottorName;
};

} // namespace kelton
