#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace kelton {

struct AppState;

struct ServerInfo;

// The information text of the About box: the welcome line and the home
// pages, e-mail addresses, telephone numbers and QQ numbers of the server
// information, each under its heading; every line ends with CR LF.
QString AboutInfoText(const QString& sAppTitle, const ServerInfo& info);

// A label that reports a click, for the link to the home page.
class CLinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit CLinkLabel(const QString& sText, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The About box: the product title with the version, the contact
// information of the server information and a link to the home page. Its
// text is made when the box is loaded and stays for the run: OK only hides
// the box.
class FAbout : public QDialog {
    Q_OBJECT

public:
    // Shows app's server information; app outlives the box.
    explicit FAbout(const AppState& app, QWidget* parent = nullptr);

    QLabel* Label2() const { return m_label2; }
    QPlainTextEdit* TxtInfo() const { return m_txtInfo; }
    CLinkLabel* Label1() const { return m_label1; }
    QPushButton* CmdOk() const { return m_cmdOk; }
    // The information text as it was made (CR LF line ends).
    QString InfoText() const { return m_infoText; }

    // Caption, title line and information text.
    void Form_Load();
    // Opens the first home page of the server information, if any.
    void Label1_Click();
    // Hides the box.
    void CmdOk_Click();

    // The box of owner (the main window), created as its child and loaded
    // at the first call.
    static FAbout* Instance(const AppState& app, QWidget* owner);

private:
    const AppState& m_app;
    QLabel* m_label2 = nullptr;
    QPlainTextEdit* m_txtInfo = nullptr;
    CLinkLabel* m_label1 = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QString m_infoText;
};

// The About command: shows the box modally over the owner.
void ShowAboutBox(const AppState& app, QWidget* owner);

} // namespace kelton
