#pragma once

#include <functional>

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include "platform/services.h"

class QTextBrowser;

namespace kelton {

// The help pages are HTML files in one folder (the program folder's "Help"),
// one page per window, named after the window with ".htm" appended.

// The page file of a topic ("qy.htm") in the help folder; when the topic has
// no page, the start page "qy.htm"; empty when neither exists or the topic is
// no plain file name.
QString HelpPagePath(const QString& sHelpFolder, const QString& sTopic);

// Shows a help topic of the help folder in the help window of the
// HelpViewerOwner in force (the main window's). Nothing is reported: a topic
// without any page, or with no owner in force, shows nothing.
void ShowHelpTopic(const QString& sHelpFolder, const QString& sTopic);

// A service (platform/services.h) that replaces the help window (tests): the
// function receives the folder and the topic instead. With none installed
// the help window shows the page.
using HelpShower = std::function<void(const QString& sHelpFolder, const QString& sTopic)>;

// The help window (see HelpViewerOwner): one page at a time, with back and forward. Links to other
// pages of the help folder are followed inside the window, http and https
// links open in the web browser, anything else is ignored.
class CHelpViewer : public QWidget {
    Q_OBJECT

public:
    explicit CHelpViewer(QWidget* parent = nullptr);

    // Loads a page file; false when it cannot be read.
    bool ShowPage(const QString& sPath);
    QString PagePath() const { return m_path; }
    QTextBrowser* Browser() const { return m_browser; }

    // Puts the window above host, a modal window, so that it takes clicks
    // while host blocks every other window; when host hides, the window
    // moves on to the modal window below it or stands alone again, and
    // stays open. nullptr: the window stands alone.
    void SetHost(QWidget* host);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LinkClicked(const QUrl& url);

    QPointer<QWidget> m_host;

    QTextBrowser* m_browser = nullptr;
    QString m_path;
};

// The owner of a help window: one window, made on first use and reused for
// every topic, deleted with the owner. The main window owns the program's
// and is the service in force while it lives (Service<HelpViewerOwner>()),
// which ShowHelpTopic shows its topics in.
class HelpViewerOwner {
public:
    HelpViewerOwner() = default;
    ~HelpViewerOwner();
    HelpViewerOwner(const HelpViewerOwner&) = delete;
    HelpViewerOwner& operator=(const HelpViewerOwner&) = delete;

    // The help window, made on first use.
    CHelpViewer& Viewer();
    // Shows the page of a topic in the help window, above the modal window
    // open now; false when the topic has no page that can be read.
    bool ShowTopic(const QString& sHelpFolder, const QString& sTopic);
    // Closes the help window when it is open; the program calls it on exit.
    void Close();

private:
    QPointer<CHelpViewer> m_viewer;
};

} // namespace kelton
