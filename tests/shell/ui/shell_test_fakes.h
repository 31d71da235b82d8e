#pragma once

// What the main-window tests share: message boxes that answer at once, an
// empty child window, a loader of stand-in games and a fixture that starts
// the main window over a fresh program folder.

#include <deque>
#include <memory>
#include <optional>
#include <utility>

#include <QApplication>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include "core/infer_form_factory.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/settings.h"
#include "data/text_helpers.h"
#include "host/ui/app_context.h"
#include "host/ui/child_form.h"
#include "host/ui/shell_windows.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/shell_open.h"
#include "shell/win_history.h"
#include "support/test_support.h"

namespace kelton::test {

// Answers every message box with Answer and remembers what was asked.
class FakeBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons) override
    {
        Titles << title;
        Texts << text;
        return Answer;
    }
    QMessageBox::StandardButton Answer = QMessageBox::Ok;
    QStringList Titles;
    QStringList Texts;
};

// Answers the file dialogs with the paths queued, cancelling once they run
// out; notes the titles, filters and the names save dialogs start with.
class FakeFileDialogs : public IFileDialogs {
public:
    QString GetOpenFile(QWidget*, const QString& title, const QString& filter, const QString&) override
    {
        return Answer(title, filter);
    }
    QString GetSaveFile(QWidget*, const QString& title, const QString& filter, const QString& fileName) override
    {
        FileNames << fileName;
        return Answer(title, filter);
    }
    std::deque<QString> Paths;
    QStringList Titles;
    QStringList Filters;
    QStringList FileNames;

private:
    QString Answer(const QString& title, const QString& filter)
    {
        Titles << title;
        Filters << filter;
        if (Paths.empty())
            return QString();
        QString path = Paths.front();
        Paths.pop_front();
        return path;
    }
};

// A child window with nothing in it.
class TestForm : public CChildForm {
public:
    using CChildForm::CChildForm;
};

// The main window over a fresh program folder and a fresh application
// context (no windows installed), with the message boxes answered by
// m_boxes. Start() makes the window; the fixture deletes it. The services it
// installs (the loader, the message boxes) go with it.
class MainWindowTest : public ProgramFolderTest {
protected:
    void TearDown() override
    {
        delete m_main;
        m_main = nullptr;
        FlushDeletes();
        ProgramFolderTest::TearDown();
    }

    // The registry of windows the main window is made with, and the state
    // it works on.
    ShellWindows& Windows() { return m_context.Windows; }
    AppState& State() { return m_context.State; }
    const AppState& State() const { return m_context.State; }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // Lets the activation of a child window, which follows the code that
    // caused it, take place.
    static void Settle() { QApplication::processEvents(); }

    // A settings file with the chooser flag, the games (name, data path as
    // stored) and the default game.
    void WriteSettings(bool showChooser, const QList<std::pair<QString, QString>>& games, int16_t select = 0)
    {
        AppState written; // what an earlier run left
        IniSystem(written);
        written.SettingRecord.SetShowChooser(Flag(showChooser));
        for (const auto& [name, path] : games)
            written.LottoItems.LottoAdd(QStringLiteral("0"), name, path);
        written.LottoItems.SetSelectItem(select);
        ASSERT_TRUE(SaveSetFile(written, QString::fromLatin1(kSetFileKey)));
    }

    // A loader that records what it opens (LoadedFiles, LoadedViews) and
    // opens every file whose name does not end in "bad". The lottery is an
    // empty one, without views (so without analysis windows); Released
    // counts its releases.
    void InstallFakeLoader(int16_t mrMain = 0)
    {
        m_loader.emplace([this, mrMain](const QString& sFile, int16_t nViews) -> std::optional<LoadedLottor> {
            LoadedFiles << sFile;
            LoadedViews = nViews;
            if (sFile.endsWith(QLatin1String("bad")))
                return std::nullopt;
            LoadedLottor game;
            game.Lottor = std::shared_ptr<CLottorData>(new CLottorData, [this](CLottorData* lottor) {
                ++Released;
                delete lottor;
            });
            game.LottorName = QFileInfo(sFile).fileName();
            game.BM = static_cast<int16_t>(3 + mrMain);
            game.MrMain = mrMain;
            game.MrDataName = QStringLiteral("蓝球");
            return game;
        });
    }

    MDIMain& Start()
    {
        m_main = new MDIMain(m_context);
        m_main->MDIForm_Load();
        QApplication::setActiveWindow(m_main);
        return *m_main;
    }

    AppContext m_context{AppContext::Start::Bare};
    // The progress state of what runs without the window; the window puts
    // its own in force while it lives.
    MsgState m_msgState;
    ScopedService<MsgState> m_msgInForce{&m_msgState};
    FakeBoxes m_boxes;
    ScopedService<IMessageBoxes> m_boxesInstalled{&m_boxes};
    // The loader a test puts in force (m_loader.emplace(...)); none until then.
    std::optional<ScopedService<LottorLoader>> m_loader;
    MDIMain* m_main = nullptr;
    QStringList LoadedFiles;
    int16_t LoadedViews = 0;
    int Released = 0;
};

} // namespace kelton::test
