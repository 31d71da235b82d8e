#include "shell/ui/about_dialog.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "data/server_info.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/web_open.h"

namespace kelton {

using namespace Qt::StringLiterals;

QString AboutInfoText(const QString& sAppTitle, const ServerInfo& info)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = QString::fromUtf16(u"欢迎使用") + sAppTitle + crlf + crlf;
    const auto section = [&](const char16_t* heading, const QStringList& entries, bool first) {
        if (!first)
            text += crlf;
        text += QString::fromUtf16(heading) + crlf;
        for (const QString& entry : entries)
            text += entry + crlf;
    };
    section(u"主页", info.SysField, true);
    section(u"联系邮箱", info.SysEmail, false);
    section(u"联系电话", info.SysTel, false);
    section(u"联系QQ", info.SysQQ, false);
    return text;
}

CLinkLabel::CLinkLabel(const QString& sText, QWidget* parent) : QLabel(sText, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

FAbout::FAbout(const AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    QFont title = m_label2->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    m_label2->setFont(title);

    auto* line1 = new QFrame(this);
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    m_txtInfo = new QPlainTextEdit(this);
    m_txtInfo->setObjectName(QStringLiteral("TxtInfo"));
    m_txtInfo->setReadOnly(true);

    auto* line2 = new QFrame(this);
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);

    m_label1 = new CLinkLabel(u"访问网站"_s, this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_cmdOk = new QPushButton(u"确   定"_s, this);
    m_cmdOk->setObjectName(QStringLiteral("CmdOk"));
    m_cmdOk->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_label1);
    bottom->addStretch(1);
    bottom->addWidget(m_cmdOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label2);
    layout->addWidget(line1);
    layout->addWidget(m_txtInfo, 1);
    layout->addWidget(line2);
    layout->addLayout(bottom);
    resize(420, 340);

    connect(m_label1, &CLinkLabel::clicked, this, &FAbout::Label1_Click);
    connect(m_cmdOk, &QPushButton::clicked, this, &FAbout::CmdOk_Click);
}

void FAbout::Form_Load()
{
    const AppState& app = m_app;
    setWindowTitle(QString::fromUtf16(u"关于... "));
    m_label2->setText(AppTitle() + QLatin1Char(' ') + QLatin1String(kVersionText));
    m_infoText = AboutInfoText(AppTitle(), app.SysInfo);
    QString shown = m_infoText;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_txtInfo->setPlainText(shown);
}

void FAbout::Label1_Click()
{
    const QStringList& fields = m_app.SysInfo.SysField;
    if (!fields.isEmpty())
        OpenWebAddress(this, fields.front());
}

void FAbout::CmdOk_Click()
{
    // Hidden, not unloaded: the next opening shows the same text.
    hide();
}

FAbout* FAbout::Instance(const AppState& app, QWidget* owner)
{
    FAbout* box = owner ? owner->findChild<FAbout*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!box) {
        box = new FAbout(app, owner);
        box->Form_Load();
    }
    return box;
}

void ShowAboutBox(const AppState& app, QWidget* owner)
{
    FAbout* box = FAbout::Instance(app, owner);
    box->setWindowModality(Qt::ApplicationModal);
    ExecModal(*box);
}

} // namespace kelton
