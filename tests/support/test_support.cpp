#include "support/test_support.h"

#include <ostream>

#include <QFileInfo>
#include <QProcess>

#include "platform/program_folder.h"

namespace kelton::test {

void ProgramFolderTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    SetProgramFolder(m_dir.path());
}

void ProgramFolderTest::TearDown()
{
    SetProgramFolder(QString());
}

QString ProgramFolderTest::Path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

void StartChildTest(QProcess& child, const QString& test, const QList<std::pair<QString, QString>>& env)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : env)
        variables.insert(name, value);
    child.setProcessEnvironment(variables);
    child.setProgram(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    child.setArguments(
        {QStringLiteral("--gtest_filter=") + test, QStringLiteral("--gtest_also_run_disabled_tests")});
    child.start();
    ASSERT_TRUE(child.waitForStarted());
}

QString FixturePath(const QString& relative)
{
    return QStringLiteral(KELTON_TEST_DATA_DIR "/") + relative;
}

QString SampleHistoryPath()
{
    return QStringLiteral(KELTON_SAMPLE_HISTORY);
}

} // namespace kelton::test

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
