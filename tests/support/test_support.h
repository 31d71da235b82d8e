#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <utility>

class QProcess;

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "platform/services.h"

namespace kelton::test {

// A fixture whose program folder is a fresh temporary folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString Path(const QString& relative) const;

    QTemporaryDir m_dir;
};

// A fixture with the progress service idle and a recording display
// installed; both put back afterwards.
class HeadlessMsgTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMsgService(); }
    void TearDown() override { ResetMsgService(); }

    HeadlessMsgDisplay m_display;
    ScopedService<IMsgDisplay> m_displayed{&m_display};
    CMsg m_msg;
};

// Starts one test of this test program in a process of its own, with the
// environment variables given added. The test is a disabled one
// ("Suite.DISABLED_Name"), so that only the test that starts it runs it.
void StartChildTest(QProcess& child, const QString& test, const QList<std::pair<QString, QString>>& env);

// A file under tests/fixtures.
QString FixturePath(const QString& relative);

// The real draw history shipped as sample data (issue, date, three digits).
QString SampleHistoryPath();

} // namespace kelton::test

// Lets gtest print QStrings readably.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os);
QT_END_NAMESPACE
