#pragma once

// What the draw editor's window tests share: a current game held in memory,
// answered message boxes and file dialogs, and the editor loaded over the
// game without its modal loop.

#include <memory>
#include <vector>

#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "games/ui/data_set_form.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton::test {

// Answers every message box with Answer and remembers what was asked.
class AnsweringBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons) override
    {
        Titles << title;
        Texts << text;
        if (OnShow)
            OnShow();
        return Answer;
    }
    QMessageBox::StandardButton Answer = QMessageBox::Ok;
    QStringList Titles;
    QStringList Texts;
    std::function<void()> OnShow;
};

// Answers the file-open dialog with Path (empty: cancelled).
class AnsweringFileDialogs : public IFileDialogs {
public:
    QString GetOpenFile(QWidget*, const QString& title, const QString& filter, const QString&) override
    {
        Asked << title + u'|' + filter;
        return Path;
    }
    QString Path;
    QStringList Asked;
};

inline const QString kThreeDigitGame = QStringLiteral("[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");

class DataSetTest : public ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test

    void TearDown() override
    {
        m_form.reset();
        ProgramFolderTest::TearDown();
    }

    // A current game with draws of issues first, first + 1, .. as written
    // ("123": hundreds 1, tens 2, units 3).
    CLottorData& MakeGame(const QStringList& digits, int32_t first = 101, const QString& text = kThreeDigitGame)
    {
        auto game = std::make_shared<CLottorData>();
        game->HeadData.SetHeadStr(text);
        QString lines;
        for (int i = 0; i < digits.size(); ++i) {
            QStringList numbers;
            for (const QChar c : digits[i])
                numbers << QString(c);
            lines += QString::number(first + i) + u':' + numbers.join(u' ') + QStringLiteral("\r\n");
        }
        if (!lines.isEmpty()) {
            EXPECT_EQ(game->AddStrNum(game->HeadData.GetDefFormat(), lines), digits.size());
        }
        m_state.CurLottorData = game;
        return *game;
    }

    // The editor loaded over the current game, shown without its modal loop.
    FDataSet& Open(const QString& selTsp = QString())
    {
        if (!m_form)
            m_form = std::make_unique<FDataSet>(m_state);
        m_form->SetSelTsp(selTsp);
        m_form->Form_Load();
        m_form->show();
        Settle();
        return *m_form;
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // The data rows as "issue:numbers".
    QStringList Rows() const
    {
        QStringList rows;
        const CFlexGrid* grid = m_form->Grid();
        for (int r = 1; r < grid->Rows(); ++r)
            rows << grid->TextMatrix(r, 0) + u':' + grid->TextMatrix(r, 1);
        return rows;
    }

    MsgState m_msgState;
    HeadlessMsgDisplay m_display;
    AnsweringBoxes m_boxes;
    AnsweringFileDialogs m_files;
    ScopedService<MsgState> m_msgInForce{&m_msgState};
    ScopedService<IMsgDisplay> m_displayInstalled{&m_display};
    ScopedService<IMessageBoxes> m_boxesInstalled{&m_boxes};
    ScopedService<IFileDialogs> m_filesInstalled{&m_files};
    std::unique_ptr<FDataSet> m_form;
};

} // namespace kelton::test
