// Kills a process that keeps saving the user's bet file at random moments
// and checks that the file it leaves is whole: one of the versions written,
// byte for byte, and readable as bets again.

#include <csignal>
#include <random>

#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include "core/bet_list.h"
#include "core/msg_service.h"
#include "data/lottor_data.h"
#include "results/bet_file.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

constexpr char kChildVariable[] = "KELTON_USER_FILE_CHILD";
const QString kThreeDigits = u"[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;
const QString kTitle = u"彩票分析"_s;
constexpr int kVersions = 4;

CLottorHead ThreeDigits()
{
    CLottorHead head;
    head.SetHeadStr(kThreeDigits);
    EXPECT_TRUE(head.Enable());
    return head;
}

// The bets of version v: 20,000 + 7,000 v of them, counted up from 000, so
// that every version has another length and a torn write shows.
BetList Version(int v)
{
    BetList list(3);
    for (int32_t n = 0; n < 20000 + 7000 * v; ++n)
        list.AddBet(std::vector<int16_t>{0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                                         static_cast<int16_t>(n / 100 % 10)});
    return list;
}

BetFileOutcome Save(const QString& path, const CLottorHead& head, const BetList& list)
{
    CMsg msg;
    return SaveBetFile(path, head.NumFormatStr(0), head, kTitle, list,
                       BetFileProgress{msg, [](const QString&, const QString&) { return false; }, {}});
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The child: saves the versions in turn without end until it is killed.
// Disabled, so that only the harness runs it, in a process of its own.
TEST(UserFileCrashChild, DISABLED_SavesBetsUntilKilled)
{
    const QString path = qEnvironmentVariable(kChildVariable);
    ASSERT_FALSE(path.isEmpty());
    const CLottorHead head = ThreeDigits();
    std::vector<BetList> versions;
    for (int v = 0; v < kVersions; ++v)
        versions.push_back(Version(v));
    for (int round = 1;; ++round)
        ASSERT_TRUE(Save(path, head, versions[static_cast<size_t>(round % kVersions)]).Ok());
}

TEST(UserFileCrashSafety, AKilledBetSaveLeavesAWholeFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CLottorHead head = ThreeDigits();
    // Every version's bytes, as a completed save writes them.
    std::vector<QByteArray> written;
    for (int v = 0; v < kVersions; ++v) {
        const QString path = dir.filePath(u"v%1.txt"_s.arg(v));
        ASSERT_TRUE(Save(path, head, Version(v)).Ok());
        written.push_back(ReadAll(path));
    }
    const QString path = dir.filePath(u"bets.txt"_s);
    ASSERT_TRUE(Save(path, head, Version(0)).Ok());

    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delayMs(30, 400);
    for (int kill = 0; kill < 10; ++kill) {
        QProcess child;
        test::StartChildTest(child, u"UserFileCrashChild.DISABLED_SavesBetsUntilKilled"_s,
                             {{QString::fromLatin1(kChildVariable), path}});
        ASSERT_FALSE(HasFatalFailure());
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished());
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

        const QByteArray bytes = ReadAll(path);
        const auto version = std::find(written.begin(), written.end(), bytes);
        ASSERT_NE(version, written.end()) << "kill " << kill << " left " << bytes.size() << " bytes";
        BetList loaded(3);
        CMsg msg;
        const BetFileOutcome read = LoadBetFile(
            path, head.NumFormatStr(0), head, loaded,
            BetFileProgress{msg, [](const QString&, const QString&) { return false; }, {}});
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(loaded.LiveCount(), 20000 + 7000 * (version - written.begin())) << "kill " << kill;
    }
}

} // namespace
} // namespace kelton
