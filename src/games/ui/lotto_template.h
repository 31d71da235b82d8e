#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kelton {

// The template list "彩票类型选择": the game templates of the template
// folder, a preview of the one clicked, and OK to take it. There is no
// cancel button; the close box cancels.
class FLottoTemplate : public QDialog {
    Q_OBJECT

public:
    explicit FLottoTemplate(QWidget* parent = nullptr);

    QListWidget* LstTemplate() const { return m_lstTemplate; }
    QPlainTextEdit* TxtLottorInfo() const { return m_txtLottorInfo; }
    QPushButton* CmdOK() const { return m_cmdOK; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // The text taken with OK, once: reading empties it.
    QString LottorInfo();

    // Lists the templates.
    void Form_Load();
    // Shows the clicked template's text; a template that cannot be read
    // leaves the preview as it was.
    void LstTemplate_Click();
    // Takes the previewed text and closes.
    void CmdOK_Click();
    void CmdHelp_Click();

private:
    QListWidget* m_lstTemplate = nullptr;
    QPlainTextEdit* m_txtLottorInfo = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QString m_lottorInfo;
};

} // namespace kelton
