#include "results/bet_file.h"

#include <memory>
#include <vector>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "platform/gbk.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;
using Result = BetFileOutcome::Result;

const QString kThreeDigits = u"[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;
const QString kTwoAreas =
    u"[LOTTONAME]\r\n双色\r\n[BCDATALEN]\r\n33\r\n[BCMAIN]\r\n6\r\n[MRDATALEN]\r\n16\r\n[MRMAIN]\r\n1\r\n"_s;
const QString kTitle = u"彩票分析"_s;

// A list of bets 000, 001, ... (hundreds first), the first few removed in
// two steps and the second step undone.
BetList Numbered(int32_t count)
{
    BetList list(3);
    for (int32_t v = 0; v < count; ++v)
        list.AddBet(std::vector<int16_t>{0, static_cast<int16_t>(v % 10), static_cast<int16_t>(v / 10 % 10),
                                         static_cast<int16_t>(v / 100 % 10)});
    for (int32_t i : {0, 1}) {
        EXPECT_EQ(list.BeginStep(), BetList::StepResult::Ok);
        list.MarkRemoved(i);
        list.CloseStep();
    }
    list.Undo(); // step 2 undone: bet 1 is live again, bet 0 stays removed
    return list;
}

// The live bets written hundreds first without blanks ("123").
QStringList Texts(const BetList& list)
{
    QStringList out;
    for (int32_t i = 0; i < list.BetCount(); ++i)
        if (list.IsLive(i))
            out << list.BetText(i, 3, 1).remove(u' ');
    return out;
}

class BetFileTest : public test::HeadlessMsgTest {
protected:
    void SetUp() override
    {
        HeadlessMsgTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_game.HeadData.SetHeadStr(kThreeDigits);
        ASSERT_TRUE(m_game.HeadData.Enable());
    }

    CLottorHead& Head() { return m_game.HeadData; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Format() const { return m_game.HeadData.NumFormatStr(0); }

    BetFileProgress Progress()
    {
        return BetFileProgress{m_msg,
                               [this](const QString& question, const QString& title) {
                                   m_asked << title + u'|' + question;
                                   const bool stop = !m_answers.empty() && m_answers.front();
                                   if (!m_answers.empty())
                                       m_answers.erase(m_answers.begin());
                                   return stop;
                               },
                               [this] { ++m_busy; }};
    }

    BetFileOutcome Save(const QString& path, const BetList& list, const QString& format = QString())
    {
        return SaveBetFile(path, format.isNull() ? Format() : format, Head(), kTitle, list, Progress());
    }
    BetFileOutcome Load(const QString& path, BetList& list, const QString& format = QString())
    {
        return LoadBetFile(path, format.isNull() ? Format() : format, Head(), list, Progress());
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // A step with a stop request: the bar is clicked at every pass.
    void ClickEveryStep()
    {
        m_display.OnPump = [](int) { MsgProgressClicked(); };
    }

    QTemporaryDir m_dir;
    CLottorData m_game;
    QStringList m_asked;
    std::vector<bool> m_answers; // answers to the stop question in turn; then Cancel (go on)
    int m_busy = 0;
};

TEST_F(BetFileTest, WritesTitlesAndOneLinePerLiveBet)
{
    BetList list(3);
    list.AddBet(std::vector<int16_t>{0, 5, 0, 9}); // Id 1: 9 0 5
    list.AddBet(std::vector<int16_t>{0, 1, 2, 3}); // Id 2: removed below
    list.AddBet(std::vector<int16_t>{0, 7, 7, 0}); // Id 3
    ASSERT_EQ(list.BeginStep(), BetList::StepResult::Ok);
    list.MarkRemoved(1);
    list.CloseStep();

    const QString path = Path(u"bets.voskr"_s);
    const BetFileOutcome out = Save(path, list);
    ASSERT_TRUE(out.Ok()) << out.Message().toStdString();
    EXPECT_EQ(out.Records, 2);
    EXPECT_EQ(out.Notice(), u"已保存2注投注。"_s);
    EXPECT_EQ(Bytes(path), ToGbk(kTitle + u"\r\n3D 投注单\r\n1:9 0 5\r\n3:0 7 7\r\n"_s));
    EXPECT_EQ(QByteArray(" \xCD\xB6\xD7\xA2\xB5\xA5"), ToGbk(u" 投注单"_s));
    EXPECT_EQ(m_busy, 1);
    EXPECT_EQ(m_display.StatusTexts.value(0), u"正在保存投注"_s);
    EXPECT_EQ(m_display.ShownMax, 4);
    EXPECT_FALSE(m_msg.PrgVisible());
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST_F(BetFileTest, AThousandBetsComeBackLiveInOrderRenumbered)
{
    const BetList saved = Numbered(1000);
    const QString path = Path(u"bets.txt"_s);
    ASSERT_TRUE(Save(path, saved).Ok());
    // The removed bet 000 is not written; the Ids in the file are the old ones.
    const QList<QByteArray> lines = Bytes(path).split('\n');
    EXPECT_EQ(lines.value(2), "2:0 0 1\r");
    EXPECT_EQ(lines.value(1000), "1000:9 9 9\r");

    BetList loaded = Numbered(20);
    m_display = HeadlessMsgDisplay();
    m_busy = 0;
    const BetFileOutcome out = Load(path, loaded);
    ASSERT_TRUE(out.Ok()) << out.Message().toStdString();
    EXPECT_EQ(out.Records, 999);
    EXPECT_EQ(out.Unreadable, 0); // the title lines are no skipped lines
    EXPECT_EQ(out.Notice(), u"已加载999注投注。"_s);
    EXPECT_EQ(loaded.BetCount(), 999);
    EXPECT_EQ(loaded.BetStep(), 1);
    EXPECT_EQ(loaded.BetLastStep(), 0);
    EXPECT_EQ(loaded.LiveCount(), 999);
    EXPECT_EQ(Texts(loaded), Texts(saved));
    EXPECT_EQ(loaded.Id(0), 1);
    EXPECT_EQ(loaded.Digits(0)[1], 1); // units first
    // Progress every ten lines below the bar's end: 1, 11, 21, ...
    EXPECT_EQ(m_display.StatusTexts.value(0), u"正在加载"_s);
    EXPECT_EQ(m_display.ShownMax, static_cast<int32_t>(Bytes(path).size() / 3));
    ASSERT_FALSE(m_display.Values.empty());
    EXPECT_EQ(m_display.Values.front(), 1);
    EXPECT_EQ(m_display.Values[1], 11);
    EXPECT_EQ(m_busy, 1);
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST_F(BetFileTest, AHistoryFileLoadsAsBets)
{
    std::vector<Draw> draws;
    for (int32_t i = 0; i < 25; ++i)
        draws.push_back(
            Draw{2025001 + i, {0, static_cast<int16_t>(i % 10), 4, static_cast<int16_t>(9 - i % 10)}});
    ASSERT_EQ(m_game.Add(draws), 25);

    const QString path = Path(u"history.voskr"_s);
    const BetFileOutcome out = ExportHistoryFile(path, Format(), m_game, kTitle, Progress());
    ASSERT_TRUE(out.Ok()) << out.Message().toStdString();
    EXPECT_EQ(out.Records, 25);
    EXPECT_EQ(out.Notice(), u"已导出25期开奖号码。"_s);
    const QList<QByteArray> lines = Bytes(path).split('\n');
    EXPECT_EQ(lines.value(1), ToGbk(u"3D 历史数据\r"_s));
    EXPECT_EQ(lines.value(2), "2025001:0 4 9\r"); // as read: hundreds first
    EXPECT_EQ(lines.value(26), "2025025:4 4 5\r");
    EXPECT_EQ(m_display.StatusTexts.value(0), u"正在保存历史数据"_s);

    BetList bets = Numbered(5);
    const BetFileOutcome loaded = Load(path, bets);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.Unreadable, 0);
    ASSERT_EQ(bets.BetCount(), 25);
    for (int32_t i = 0; i < 25; ++i) {
        EXPECT_EQ(bets.Id(i), i + 1);
        for (int16_t p = 1; p <= 3; ++p)
            EXPECT_EQ(bets.Digits(i)[p], m_game.Num(p, i)) << i;
    }
}

TEST_F(BetFileTest, SecondaryNumbersComeBackInTheirPlaces)
{
    CLottorData game;
    game.HeadData.SetHeadStr(kTwoAreas);
    ASSERT_TRUE(game.HeadData.Enable());
    ASSERT_EQ(game.Add({Draw{2025001, {0, 1, 5, 9, 20, 27, 33, 16}}}), 1);

    const QString history = Path(u"h.txt"_s);
    ASSERT_TRUE(ExportHistoryFile(history, game.HeadData.NumFormatStr(0), game, kTitle, Progress()).Ok());
    EXPECT_EQ(Bytes(history).split('\n').value(2), "2025001:01 05 09 20 27 33 16\r");

    BetList bets(game.HeadData.BM);
    ASSERT_TRUE(LoadBetFile(history, game.HeadData.NumFormatStr(0), game.HeadData, bets, Progress()).Ok());
    ASSERT_EQ(bets.BetCount(), 1);
    for (int16_t p = 1; p <= 7; ++p)
        EXPECT_EQ(bets.Digits(0)[p], game.Num(p, 0)) << p;

    const QString saved = Path(u"b.txt"_s);
    ASSERT_TRUE(
        SaveBetFile(saved, game.HeadData.NumFormatStr(0), game.HeadData, kTitle, bets, Progress()).Ok());
    EXPECT_EQ(Bytes(saved).split('\n').value(2), "1:01 05 09 20 27 33 16\r");
}

TEST_F(BetFileTest, AFormatThatReadsNoLineKeepsTheOldList)
{
    const QString path = Path(u"bets.txt"_s);
    ASSERT_TRUE(Save(path, Numbered(30)).Ok());
    const BetList before = Numbered(7);

    BetList list = before;
    // Valid for the game, but the file has no "-" between the numbers.
    const BetFileOutcome out = Load(path, list, u"N:X-X-X"_s);
    EXPECT_EQ(out.Code, Result::NothingRead);
    EXPECT_EQ(out.Message(),
              u"加载失败，文件中没有按此格式可以读出的投注，原有投注未改变！（29行无法按此格式读出）"_s);
    EXPECT_EQ(list.BetCount(), before.BetCount());
    EXPECT_EQ(list.BetStep(), before.BetStep());
    EXPECT_EQ(list.BetLastStep(), before.BetLastStep());
    EXPECT_EQ(Texts(list), Texts(before));
}

TEST_F(BetFileTest, ChecksComeFirstAndTouchNoFile)
{
    const QString path = Path(u"old.txt"_s);
    Write(path, "old");
    BetList none(3);
    BetList removedOnly(3);
    removedOnly.AddBet(std::vector<int16_t>{0, 1, 2, 3});
    ASSERT_EQ(removedOnly.BeginStep(), BetList::StepResult::Ok);
    removedOnly.MarkRemoved(0);
    removedOnly.CloseStep();

    struct Row {
        const char* Name;
        BetFileOutcome Out;
        QString Message;
    };
    BetList list = Numbered(3);
    const std::vector<Row> rows = {
        {"blank path", Save(u"  "_s, list), u"保存失败，文件路径错误！"_s},
        {"format of four numbers", Save(path, list, u"N:X X X X"_s), u"保存失败，数据的格式不准确！"_s},
        // Three "X" each, but no line can be written or read with them.
        {"T after the last number", Save(path, list, u"X X XT"_s), u"保存失败，数据的格式不准确！"_s},
        {"a number after T", Save(path, list, u"XTXX"_s), u"保存失败，数据的格式不准确！"_s},
        {"export, a number after T",
         ExportHistoryFile(path, u"NTX X X"_s, m_game, kTitle, Progress()), u"保存失败，数据的格式不准确！"_s},
        {"load, a number after T", Load(path, list, u"NTX X X"_s), u"加载失败，数据的格式不准确！"_s},
        {"no bet at all", Save(path, none), u"保存失败，没有投注可以保存"_s},
        {"only removed bets", Save(path, removedOnly), u"保存失败，没有投注可以保存"_s},
        {"export without draws", ExportHistoryFile(path, Format(), m_game, kTitle, Progress()),
         u"保存失败，没有历史开奖数据"_s},
        {"export to a blank path", ExportHistoryFile(u""_s, Format(), m_game, kTitle, Progress()),
         u"保存失败，文件路径错误！"_s},
        {"load of a missing file", Load(Path(u"missing.txt"_s), list), u"加载失败，加载文件不存在！"_s},
        {"load of a folder", Load(m_dir.path(), list), u"加载失败，加载文件不存在！"_s},
        {"load with a bad format", Load(path, list, u"N:X X"_s), u"加载失败，数据的格式不准确！"_s},
    };
    for (const Row& r : rows) {
        EXPECT_FALSE(r.Out.Ok()) << r.Name;
        EXPECT_EQ(r.Out.Message(), r.Message) << r.Name;
    }
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(m_busy, 0);
    EXPECT_EQ(m_display.ShowCount, 0);
    EXPECT_EQ(Texts(list), Texts(Numbered(3)));
}

TEST_F(BetFileTest, NumbersOutOfRangeAreLeftOutAndCounted)
{
    const QString path = Path(u"range.txt"_s);
    // Out of range: 12, -1, 10, a number past 16 bits and an Id past 32
    // bits; unreadable: the first line, the blanks, the short last line.
    Write(path, "title\r\n5:12 0 -1\r\n6:1 2 3\r\n7:1 2 10\n\n8:4 5 6\r\n9:-1 0 0\r\n   \r\n"
                "11:1 70000 3\r\n99999999999:1 2 3\r\n10:1 2");
    BetList list = Numbered(4);
    const BetFileOutcome out = Load(path, list);
    ASSERT_TRUE(out.Ok());
    EXPECT_EQ(out.Records, 2);
    EXPECT_EQ(out.OutOfRange, 5);
    EXPECT_EQ(out.Unreadable, 3);
    EXPECT_EQ(out.Notice(), u"已加载2注投注。另有5行的号码超出范围，3行无法按此格式读出，未加载。"_s);
    EXPECT_EQ(Texts(list), (QStringList{u"123"_s, u"456"_s}));

    Write(path, "5:12 0 -1\r\n6:1 2\r\n");
    const BetFileOutcome none = Load(path, list);
    EXPECT_EQ(none.Code, Result::NothingRead);
    EXPECT_EQ(none.Message(), u"加载失败，文件中没有按此格式可以读出的投注，原有投注未改变！"
                              u"（1行的号码超出范围，1行无法按此格式读出）"_s);
    EXPECT_EQ(Texts(list), (QStringList{u"123"_s, u"456"_s}));
}

TEST_F(BetFileTest, EmptyAndShortFilesKeepTheOldList)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("1"), QByteArray("\r\n\r\n")}) {
        const QString path = Path(u"short.txt"_s);
        Write(path, bytes);
        BetList list = Numbered(6);
        const BetFileOutcome out = Load(path, list);
        EXPECT_EQ(out.Code, Result::NothingRead) << bytes.toStdString();
        EXPECT_EQ(list.BetCount(), 6);
        EXPECT_EQ(list.BetStep(), 2);
        EXPECT_EQ(list.BetLastStep(), 2);
        EXPECT_FALSE(m_msg.IsBusy());
    }
}

TEST_F(BetFileTest, AStopAskedAtAStepCancelsOnOkAndGoesOnOnCancel)
{
    const QString path = Path(u"bets.txt"_s);
    ASSERT_TRUE(Save(path, Numbered(200)).Ok());
    const QByteArray written = Bytes(path);
    ClickEveryStep();

    // Saving: Cancel goes on, a later request asks again, OK stops; the old
    // file stays whole.
    m_answers = {false, true};
    const BetFileOutcome save = Save(path, Numbered(300));
    EXPECT_EQ(save.Code, Result::Cancelled);
    EXPECT_EQ(save.Message(), u"保存失败，手动操作取消保存。"_s);
    EXPECT_EQ(m_asked, QStringList(2, u"保存投注|你确定要退出保存投注吗？按确定退出！"_s));
    EXPECT_EQ(Bytes(path), written);
    EXPECT_FALSE(m_msg.PrgVisible());

    // Exporting stops the same way and leaves no file behind.
    std::vector<Draw> draws;
    for (int32_t i = 0; i < 30; ++i)
        draws.push_back(Draw{1000 + i, {0, 1, 2, 3}});
    ASSERT_EQ(m_game.Add(draws), 30);
    m_answers = {true};
    EXPECT_EQ(ExportHistoryFile(Path(u"h.txt"_s), Format(), m_game, kTitle, Progress()).Code,
              Result::Cancelled);
    EXPECT_FALSE(QFile::exists(Path(u"h.txt"_s)));

    // Loading: the old list and its steps stay.
    m_asked.clear();
    m_answers = {false, false, true};
    BetList list = Numbered(8);
    const BetFileOutcome load = Load(path, list);
    EXPECT_EQ(load.Code, Result::Cancelled);
    EXPECT_EQ(load.Message(), u"加载失败，手动操作取消保存。"_s);
    EXPECT_EQ(m_asked, QStringList(3, u"加载投注|你确定要退出正在加载的投注吗？按确定退出！"_s));
    EXPECT_EQ(list.BetCount(), 8);
    EXPECT_EQ(list.BetStep(), 2);
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST_F(BetFileTest, AWriteThatFailsSaysWhy)
{
    const QString folder = Path(u"folder"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char* Name;
        QString Path;
        QString Message;
    } rows[] = {
        {"missing folder", Path(u"no/such/folder/bets.txt"_s),
         u"保存失败，文件夹不存在："_s + QDir::toNativeSeparators(Path(u"no/such/folder"_s))},
        {"a folder", folder, u"保存失败，这是一个文件夹，不是文件："_s + QDir::toNativeSeparators(folder)},
    };
    for (const auto& r : rows) {
        const BetFileOutcome out = Save(r.Path, Numbered(3));
        EXPECT_EQ(out.Code, Result::Failed) << r.Name;
        EXPECT_EQ(out.Message(), r.Message) << r.Name;
    }
    std::vector<Draw> draws{Draw{2025001, {0, 1, 2, 3}}};
    ASSERT_EQ(m_game.Add(draws), 1);
    EXPECT_EQ(ExportHistoryFile(folder, Format(), m_game, kTitle, Progress()).Message(), rows[1].Message);
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST_F(BetFileTest, ASaveThatWritesNoBetLeavesTheOldFile)
{
    // Bets of three numbers saved with the format of a game of seven: the
    // writer refuses every bet.
    CLottorHead twoAreas;
    twoAreas.SetHeadStr(kTwoAreas);
    ASSERT_TRUE(twoAreas.Enable());
    const QString path = Path(u"old.txt"_s);
    Write(path, "old");
    const BetFileOutcome out =
        SaveBetFile(path, twoAreas.NumFormatStr(0), twoAreas, kTitle, Numbered(5), Progress());
    EXPECT_EQ(out.Code, Result::NothingWritten);
    EXPECT_EQ(out.Message(), u"保存失败，按此格式写不出任何投注，原有文件未改变！"_s);
    EXPECT_TRUE(out.Notice().isEmpty());
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST(BetLineReader, GrowsAsLinesComeAndReadsGbkLines)
{
    CLottorHead head;
    head.SetHeadStr(kThreeDigits);
    FormatTokens tokens;
    ASSERT_TRUE(head.StrToFormat(u"第N期：X X X"_s, tokens));
    BetLineReader reader(head, tokens);
    // CR CR LF, as a file whose line ends were converted twice, ends a line
    // as CR LF does.
    ReadBetLines(ToGbk(u"第1期：1 2 3\n第2期：4 5 6\r\n第3期：7 8\n第4期：9 0 1\r\r\n\r\r\n第5期：2 3 4\r\r\n"_s),
                 reader);
    EXPECT_EQ(reader.NonEmptyLines(), 5);
    EXPECT_EQ(reader.Bets(), 4);
    EXPECT_EQ(reader.Unreadable(), 1);
    EXPECT_EQ(reader.TakeDigits(), (std::vector<int16_t>{0, 3, 2, 1, 0, 6, 5, 4, 0, 1, 0, 9, 0, 4, 3, 2}));
}

// The two title lines of a bet or history file are not counted as skipped;
// the same lines at the head of another file are.
TEST(BetLineReader, TitleLinesAreNoSkippedLines)
{
    CLottorHead head;
    head.SetHeadStr(kThreeDigits);
    FormatTokens tokens;
    ASSERT_TRUE(head.StrToFormat(u"N:X X X"_s, tokens));
    const struct {
        const char* Text;
        int32_t Unreadable;
    } cases[] = {
        {"Kelton\r\n3D \xCD\xB6\xD7\xA2\xB5\xA5\r\n1:1 2 3\r\n", 0},        // " 投注单"
        {"Kelton\r\n3D \xC0\xFA\xCA\xB7\xCA\xFD\xBE\xDD\r\n1:1 2 3\r\n", 0}, // " 历史数据"
        {"Kelton\r\n3D\r\n1:1 2 3\r\nbad\r\n", 3},
    };
    for (const auto& c : cases) {
        BetLineReader reader(head, tokens);
        ReadBetLines(QByteArray(c.Text), reader);
        EXPECT_EQ(reader.Bets(), 1) << c.Text;
        EXPECT_EQ(reader.Unreadable(), c.Unreadable) << c.Text;
    }
}

} // namespace
} // namespace kelton
