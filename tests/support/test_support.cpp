#include "support/test_support.h"

#include <ostream>

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

QString FixturePath(const QString& relative)
{
    return QStringLiteral(KELTON_TEST_DATA_DIR "/") + relative;
}

QString SampleHistoryPath()
{
    return QStringLiteral(KELTON_SAMPLE_HISTORY);
}

}  // namespace kelton::test

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
