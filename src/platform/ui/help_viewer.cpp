#include "platform/ui/help_viewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/help_pages.h"
#include "platform/open_targets.h"
#include "platform/services.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr char kStartPage[] = "qy.htm";

// A topic is a page name of the help folder itself, never a path.
bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20)
            return false;
    }
    return true;
}

QString PageIn(const QString& folder, const QString& name)
{
    const QFileInfo info(QDir(folder).filePath(name));
    return info.isFile() ? info.absoluteFilePath() : QString();
}

// The browser reads every page through ReadHtmlPage, so that the page's own
// charset decides how it is decoded.
class CHelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
            const QString text = ReadHtmlPage(name.toLocalFile());
            if (!text.isEmpty())
                return text;
        }
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

QString HelpPagePath(const QString& sHelpFolder, const QString& sTopic)
{
    if (sHelpFolder.isEmpty())
        return {};
    if (IsPlainFileName(sTopic)) {
        const QString page = PageIn(sHelpFolder, sTopic);
        if (!page.isEmpty())
            return page;
    }
    return PageIn(sHelpFolder, QLatin1String(kStartPage));
}

void ShowHelpTopic(const QString& sHelpFolder, const QString& sTopic)
{
    if (const HelpShower* shower = Service<HelpShower>(); shower && *shower) {
        (*shower)(sHelpFolder, sTopic);
        return;
    }
    if (HelpViewerOwner* owner = Service<HelpViewerOwner>())
        owner->ShowTopic(sHelpFolder, sTopic);
}

HelpViewerOwner::~HelpViewerOwner()
{
    delete m_viewer.data();
}

CHelpViewer& HelpViewerOwner::Viewer()
{
    if (!m_viewer)
        m_viewer = new CHelpViewer;
    return *m_viewer;
}

bool HelpViewerOwner::ShowTopic(const QString& sHelpFolder, const QString& sTopic)
{
    const QString page = HelpPagePath(sHelpFolder, sTopic);
    if (page.isEmpty())
        return false;
    CHelpViewer& viewer = Viewer();
    if (!viewer.ShowPage(page))
        return false;
    // Help asked for in a modal dialog must be usable while it is open.
    viewer.SetHost(QApplication::activeModalWidget());
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
    return true;
}

void HelpViewerOwner::Close()
{
    if (m_viewer)
        m_viewer->close();
}

CHelpViewer::CHelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(u"使用帮助"_s);
    // An open help window does not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser = new CHelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpViewer::LinkClicked);

    auto* back = new QPushButton(u"后退"_s, this);
    auto* forward = new QPushButton(u"前进"_s, this);
    auto* home = new QPushButton(u"目录"_s, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(home, &QPushButton::clicked, this, [this] {
        const QString start = PageIn(QFileInfo(m_path).absolutePath(), QLatin1String(kStartPage));
        if (!start.isEmpty())
            m_browser->setSource(QUrl::fromLocalFile(start));
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        if (url.isLocalFile())
            m_path = url.toLocalFile();
        setWindowTitle(m_browser->documentTitle().isEmpty()
                           ? QString::fromUtf16(u"使用帮助")
                           : QString::fromUtf16(u"使用帮助 - ") + m_browser->documentTitle());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
    resize(640, 520);
}

void CHelpViewer::SetHost(QWidget* host)
{
    if (host == m_host)
        return;
    if (m_host)
        m_host->removeEventFilter(this);
    m_host = host;
    if (m_host)
        m_host->installEventFilter(this);
    const bool shown = isVisible();
    const QRect frame = geometry();
    setParent(host, Qt::Window); // hides the window
    setGeometry(frame);
    if (shown)
        show();
}

bool CHelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host && event->type() == QEvent::Hide) {
        // The modal window below the host, if any, blocks the rest now.
        QWidget* next = nullptr;
        for (QWidget* w = m_host->parentWidget(); w && !next; w = w->parentWidget()) {
            QWidget* window = w->window();
            if (window->isModal() && window->isVisible())
                next = window;
            w = window;
        }
        SetHost(next);
    }
    return QWidget::eventFilter(watched, event);
}

bool CHelpViewer::ShowPage(const QString& sPath)
{
    const QFileInfo info(sPath);
    if (!info.isFile() || ReadHtmlPage(info.absoluteFilePath()).isEmpty())
        return false;
    m_path = info.absoluteFilePath();
    m_browser->setSource(QUrl::fromLocalFile(m_path));
    return true;
}

void CHelpViewer::LinkClicked(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (IsWebUrl(url))
            QDesktopServices::openUrl(url);
        return;
    }
    // A page of the help folder (a link within the page included).
    const QUrl target = m_browser->source().resolved(url);
    if (!target.isLocalFile())
        return;
    const QString file = target.toLocalFile();
    const QString page = QFileInfo(m_path).canonicalFilePath();
    if ((!page.isEmpty() && QFileInfo(file).canonicalFilePath() == page) ||
        IsPathInside(file, QFileInfo(m_path).absolutePath()))
        m_browser->setSource(target);
}

} // namespace kelton
