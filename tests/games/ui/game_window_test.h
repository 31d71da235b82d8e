#pragma once

// What the game window tests share: the main-window fixture (fresh program
// folder, message boxes answered), the shipped templates in the program
// folder, and the modal dialogs worked by the test through handlers picked
// by the dialog's name.

#include <deque>
#include <functional>
#include <map>

#include <QDialog>
#include <QDir>
#include <QFile>

#include "data/first_start.h"
#include "platform/program_folder.h"
#include "platform/ui/color_dialog.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"

namespace kelton::test {

// Answers the colour choices in turn; nothing (cancel) once they run out.
class FakeColours : public IColorDialogs {
public:
    std::optional<QColor> Choose(QWidget*, const QString& title, const QColor& initial) override
    {
        Titles << title;
        Initial.push_back(initial);
        if (Answers.empty())
            return std::nullopt;
        const std::optional<QColor> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::deque<std::optional<QColor>> Answers;
    QStringList Titles;
    std::vector<QColor> Initial;
};

class GameWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        const QDir shipped(DefaultsFolder() + QLatin1Char('/') + QLatin1String(kTemplateFolder));
        const QString target = ProgramPath(QLatin1String(kTemplateFolder));
        ASSERT_TRUE(QDir().mkpath(target));
        for (const QString& name : shipped.entryList({QStringLiteral("*.Ltr")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), target + QLatin1Char('/') + name));
        State().SettingRecord = SettingRecordType::Defaults();
    }

    void TearDown() override
    {
        for (const auto& [name, queue] : m_handlers)
            EXPECT_TRUE(queue.empty()) << "dialog never shown: " << name.toStdString();
        MainWindowTest::TearDown();
    }

    // The next modal showing of the dialog of that class is worked by
    // handler; the dialog is cancelled unless the handler closes it.
    template <class Dialog> void OnModal(std::function<void(Dialog&)> handler)
    {
        m_handlers[QString::fromLatin1(Dialog::staticMetaObject.className())
                       .section(QStringLiteral("::"), -1)]
            .push_back([handler](QDialog& dialog) {
                auto* typed = qobject_cast<Dialog*>(&dialog);
                ASSERT_NE(typed, nullptr);
                handler(*typed);
            });
    }

    FakeColours m_colours;
    std::map<QString, std::deque<std::function<void(QDialog&)>>> m_handlers;
    ScopedService<IColorDialogs> m_coloursInstalled{&m_colours};
    // Every modal dialog is worked by the next handler queued for its class.
    ScopedService<ModalRunner> m_runner{[this](QDialog& dialog) {
        auto& queue = m_handlers[dialog.objectName()];
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
            return int(QDialog::Rejected);
        }
        const auto handler = std::move(queue.front());
        queue.pop_front();
        handler(dialog);
        return dialog.result();
    }};
};

} // namespace kelton::test
