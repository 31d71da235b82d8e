#include "support/test_support.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>

#include <sched.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
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

namespace {

constexpr char kFillerName[] = ".filler";

// The calling thread's own mount namespace, made once, whose mounts do not
// reach the rest of the system. Empty on success, else why not.
QString PrivateMountNamespace()
{
    static thread_local QString reason = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return QStringLiteral("no mount namespace of its own: ") + QString::fromLocal8Bit(std::strerror(errno));
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return QStringLiteral("mounts not private: ") + QString::fromLocal8Bit(std::strerror(errno));
        return QString();
    }();
    return reason;
}

} // namespace

SmallDisk::SmallDisk(qint64 bytes)
{
    if (!m_dir.isValid()) {
        m_skipReason = QStringLiteral("no temporary folder");
        return;
    }
    m_skipReason = PrivateMountNamespace();
    if (!m_skipReason.isEmpty())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_skipReason = QStringLiteral("cannot mount a small file system: ") +
                       QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallDisk::Fill(qint64 leave)
{
    QFile filler(FilePath(QString::fromLatin1(kFillerName)));
    if (!m_mounted || !filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return false;
    // Down to single bytes, so that not even a part of a block is left.
    for (qint64 block = 1 << 16; block > 0; block /= 2) {
        const QByteArray bytes(block, 'x');
        while (filler.write(bytes) == block) {
        }
    }
    QFile probe(FilePath(QStringLiteral(".probe")));
    const bool full = probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && probe.write("x", 1) != 1;
    probe.remove();
    return full && (leave <= 0 || filler.resize(std::max<qint64>(0, filler.size() - leave)));
}

void SmallDisk::Free()
{
    QFile::remove(FilePath(QString::fromLatin1(kFillerName)));
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                  QDir::Name);
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
