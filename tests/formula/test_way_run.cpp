// A formula run: joining continuation lines, checking both formulas,
// evaluating them over the last periods and counting the hits per period.

#include "formula/way_run.h"

#include <gtest/gtest.h>

#include "formula/way.h"
#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

TEST(WayRunTest, JoinWayLines)
{
    const struct {
        const char* text;
        const char* joined;
    } cases[] = {
        {"Num(1,3,0)", "Num(1,3,0)"},
        // A line without "=" continues the line before it.
        {"x=Num(1,\r\n3,0)", "x=Num(1,3,0)"},
        {"x=1\r\n+2\r\n+3", "x=1+2+3"},
        // An empty line, a comment or a definition starts a statement.
        {"x=1\r\n\r\nx", "x=1\r\n\r\nx"},
        {"x=1 'one\r\nx", "x=1 'one\r\nx"},
        {"a\r\nb=2", "a\r\nb=2"},
        {"a\r\n  'note\r\nb", "a\r\n  'note\r\nb"},
        {"a\r\nb 'c\r\nd", "ab 'c\r\nd"},
        // A "=" after the comment mark does not count.
        {"a\r\nb 'x=1", "ab 'x=1"},
        {"\r\nb", "\r\nb"},
        {"'c\r\nb", "'c\r\nb"},
        // Only an empty line closes; a blank one does not.
        {"a\r\n   \r\nb", "a\r\n   b"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinWayLines(QString::fromUtf8(c.text)), QString::fromUtf8(c.joined)) << c.text;
}

TEST(WayRunTest, HitsAreCountedAsMultisetsOfDecimals)
{
    const struct {
        const char* consult;
        const char* selection;
        int32_t hits;
        int32_t size;
    } cases[] = {
        {"1;1;2", "1;2;2", 2, 3},
        {"1;2;2", "1;1;2", 2, 3},
        {"3;4", "1;2", 0, 2},
        {"", "1;2", 0, 2},
        {"1;2", "", 0, 0},
        // Values, not texts; and beyond 16 bits.
        {"1.5;2", "1.50;2.0", 2, 2},
        {"40000;70000", "70000", 1, 1},
        {"1", "1.4", 0, 1},
        // Bare digits read as any other writing of the same value.
        {"007;0;12", "7;-0;+12", 3, 3},
        {" 5 ;6", "5;6", 2, 2},
        {"12345678901234567890", "12345678901234567890.0", 1, 1},
        // Empty pieces are no number.
        {"1;;2;", "2;;1", 2, 2},
        // Pieces that are no number are dropped.
        {"1;x;2", "2;y", 1, 1},
    };
    for (const auto& c : cases) {
        const WayHits hits = CountWayHits(QString::fromUtf8(c.consult), QString::fromUtf8(c.selection));
        EXPECT_EQ(hits.Hits, c.hits) << c.consult << " / " << c.selection;
        EXPECT_EQ(hits.Size, c.size) << c.consult << " / " << c.selection;
    }
}

TEST(WayRunTest, StripWayBraces)
{
    EXPECT_EQ(StripWayBraces(QStringLiteral("{1;2}")), QStringLiteral("1;2"));
    EXPECT_EQ(StripWayBraces(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(StripWayBraces(QStringLiteral("{}")), QString());
    EXPECT_EQ(StripWayBraces(QString()), QString());
}

TEST(WayRunTest, CheckStopsAtTheFirstFailure)
{
    const struct {
        const char* selection;
        const char* consult;
        WayCheck::Fault fault;
        const char* message;
        int32_t start;
        int32_t count;
    } cases[] = {
        {"Num(1,3,1)", "Num(1,3,0)", WayCheck::Fault::None, "", 0, 0},
        // The consult formula is checked first, its literals before the
        // selection formula is parsed.
        {"Nu(1)", "Max(1,2))", WayCheck::Fault::Consult, "参照公式中存在错误：2)", 7, 2},
        {"Nu(1)", "40000", WayCheck::Fault::Literal, nullptr, 0, 0},
        {"Nu(1)", "Num(1,3,0)", WayCheck::Fault::Selection, "选值公式中存在错误：Nu(1)", 1, 5},
        // A piece past the end of the text cannot be shown.
        {"Num", "Num(1,3,0)", WayCheck::Fault::Selection, "选值公式中存在无法自动检测的错误！", 0, 0},
        {"1", "Num", WayCheck::Fault::Consult, "参照公式中存在无法自动检测的错误！", 0, 0},
        {"1", "1", WayCheck::Fault::None, "", 0, 0},
    };
    for (const auto& c : cases) {
        CWay way;
        const WayCheck check = CheckWayTexts(way, QString::fromUtf8(c.selection), QString::fromUtf8(c.consult));
        EXPECT_EQ(check.Failure, c.fault) << c.selection << " / " << c.consult;
        if (c.message)
            EXPECT_EQ(check.Message, QString::fromUtf8(c.message)) << c.selection << " / " << c.consult;
        else
            EXPECT_TRUE(check.Message.contains(QStringLiteral("40000"))) << check.Message.toStdString();
        EXPECT_EQ(check.ErrStart, c.start) << c.selection << " / " << c.consult;
        EXPECT_EQ(check.ErrCount, c.count) << c.selection << " / " << c.consult;
    }
}

TEST(WayRunTest, CheckShowsTheJoinedTexts)
{
    CWay way;
    const WayCheck check =
        CheckWayTexts(way, QStringLiteral("x=Num(1,\r\n3,1)\r\n\r\nx"), QStringLiteral("Num(1,\r\n3,0)"));
    EXPECT_TRUE(check.Ok());
    EXPECT_EQ(check.Selection, QStringLiteral("x=Num(1,3,1)\r\n\r\nx"));
    EXPECT_EQ(check.Consult, QStringLiteral("Num(1,3,0)"));
}

// A parse error is marked in the formula as the user wrote it: the line
// ends that joining took out are counted back into the piece's place.
TEST(WayRunTest, TheFailingPieceIsFoundInTheTextAsWritten)
{
    const struct {
        const char* selection;
        const char* piece;  // as the message quotes it, from the joined text
        const char* marked; // the same piece in the text as written
    } cases[] = {
        // No join: both the same.
        {"Nu(1)", "Nu(1)", "Nu(1)"},
        // After an empty line, which stays.
        {"1\r\n\r\nNu(1)", "Nu(1)", "Nu(1)"},
        // Across two joined line ends.
        {"x=Num(1,\r\n3,1)\r\nx+Nu(1)", "(1,3,1)x", "(1,\r\n3,1)\r\nx"},
        // Starting right after a joined line end, on the second line.
        {"x=1+\r\nNu(1)", "Nu(1)", "Nu(1)"},
        // Ending right before one: the line end is no part of it.
        {"x=1+Nu(1)\r\n+1", "Nu(1)", "Nu(1)"},
    };
    for (const auto& c : cases) {
        CWay way;
        const QString selection = QString::fromUtf8(c.selection);
        const WayCheck check = CheckWayTexts(way, selection, QStringLiteral("1"));
        ASSERT_EQ(check.Failure, WayCheck::Fault::Selection) << c.selection;
        EXPECT_EQ(check.Message, QStringLiteral("选值公式中存在错误：") + QString::fromUtf8(c.piece)) << c.selection;
        EXPECT_EQ(selection.mid(check.TextErrStart - 1, check.TextErrCount), QString::fromUtf8(c.marked))
            << c.selection;
    }
}

// A formula over the parser's limits is told which limit it passed.
TEST(WayRunTest, TheLimitPassedIsNamed)
{
    const QString longest = QString(CWay::kMaxTextLength, QLatin1Char(' ')) + QStringLiteral("1");
    QString deep;
    for (int i = 0; i <= CWay::kMaxNesting; ++i)
        deep += QStringLiteral("Abs(");
    deep += QStringLiteral("1") + QString(CWay::kMaxNesting + 1, QLatin1Char(')'));
    const struct {
        QString consult;
        QString message;
    } cases[] = {
        {longest, QStringLiteral("参照公式长32768个字符，超过了32767个字符的长度限制！")},
        {deep, QStringLiteral("参照公式中括号和函数的嵌套超过了256层的限制：Abs(1)")},
    };
    for (const auto& c : cases) {
        CWay way;
        const WayCheck check = CheckWayTexts(way, QStringLiteral("1"), c.consult);
        EXPECT_EQ(check.Failure, WayCheck::Fault::Consult);
        EXPECT_EQ(check.Message, c.message);
        EXPECT_GE(check.TextErrStart, 1);
    }
}

class WayRunHistoryTest : public ::testing::Test {
protected:
    WayRun Run(const char* selection, const char* consult, const QString& periods,
               std::vector<std::string> draws = test::SixDraws())
    {
        m_history = std::make_unique<test::FakeWayHistory>(std::move(draws));
        const WayCheck check = CheckWayTexts(m_way, QString::fromUtf8(selection), QString::fromUtf8(consult));
        EXPECT_TRUE(check.Ok()) << check.Message.toStdString();
        return EvaluateWays(m_way, *m_history, check, periods, QStringLiteral("原来的说明"));
    }

    CWay m_way;
    std::unique_ptr<test::FakeWayHistory> m_history;
};

// The last two draws 421 and 123, then the next issue: the selection repeats
// the draw before each period (units first, as Num lists them).
TEST_F(WayRunHistoryTest, HitTableOverTheLastPeriods)
{
    const WayRun run = Run("Num(1,3,1)", "Num(1,3,0)", QStringLiteral("3"));
    ASSERT_TRUE(run.Ok) << run.Message.toStdString();
    ASSERT_EQ(run.Results.N, 3);
    EXPECT_EQ(run.Results.Consult[1], QStringLiteral("1;2;4"));
    EXPECT_EQ(run.Results.Selection[1], QStringLiteral("6;8;7"));
    EXPECT_EQ(run.Results.Consult[2], QStringLiteral("3;2;1"));
    EXPECT_EQ(run.Results.Selection[2], QStringLiteral("1;2;4"));
    EXPECT_EQ(run.Results.Consult[3], QString());
    EXPECT_EQ(run.Results.Selection[3], QStringLiteral("3;2;1"));

    const ChartData table = WayHitTable(run.Results, *m_history);
    ASSERT_EQ(table.PointCount(), 3);
    ASSERT_EQ(table.SeriesCount(), 2);
    const QVariant expected[4][3] = {
        {QStringLiteral(" "), QStringLiteral("中出号码"), QStringLiteral("选出号码")},
        {2006245, 0, 3},
        {2006246, 2, 3},
        {QStringLiteral("下期"), QString(), 3},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(table.At(r, c), expected[r][c]) << r << "," << c;
    }
    EXPECT_EQ(NextIssueSelection(run.Results), QStringLiteral("3 2 1"));
}

TEST_F(WayRunHistoryTest, OnePeriodIsTheNextIssueAlone)
{
    const WayRun run = Run("Num(1,3,1)", "Num(1,3,0)", QStringLiteral("1"));
    ASSERT_TRUE(run.Ok);
    const ChartData table = WayHitTable(run.Results, *m_history);
    ASSERT_EQ(table.PointCount(), 1);
    EXPECT_EQ(table.At(1, 0), QVariant(QStringLiteral("下期")));
    EXPECT_EQ(table.At(1, 1), QVariant(QString()));
    EXPECT_EQ(table.At(1, 2), QVariant(3));
}

TEST_F(WayRunHistoryTest, AnEmptySelectionCountsNothing)
{
    // Iss() of a draw is its issue number; "&" with it selects nothing.
    const WayRun run = Run("Num(1,3,1)&Iss()", "Num(1,3,0)", QStringLiteral("2"));
    ASSERT_TRUE(run.Ok);
    const ChartData table = WayHitTable(run.Results, *m_history);
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(table.At(r, 1), QVariant(0)) << r;
        EXPECT_EQ(table.At(r, 2), QVariant(0)) << r;
    }
    EXPECT_EQ(NextIssueSelection(run.Results), QString());
}

TEST_F(WayRunHistoryTest, NoPeriodsToRun)
{
    const QString notice = QStringLiteral("原来的说明\r\n统计期数的选择错误或者没有历史数据，都无法运算公式！");
    const struct {
        const char* periods;
        std::vector<std::string> draws;
    } cases[] = {
        {"", {}},
        {"1", {}},
        {"", test::SixDraws()},
        {"0", test::SixDraws()},
        {"7", test::SixDraws()},
        {"x", test::SixDraws()},
    };
    for (const auto& c : cases) {
        const WayRun run = Run("1", "1", QString::fromUtf8(c.periods), c.draws);
        EXPECT_FALSE(run.Ok) << c.periods;
        EXPECT_EQ(run.Message, notice) << c.periods;
        EXPECT_TRUE(run.Results.Empty());
    }
}

// A run's step sees every evaluation before it is made and can stop it:
// the run then has neither results nor a message.
TEST_F(WayRunHistoryTest, AStepCanStopTheRun)
{
    m_history = std::make_unique<test::FakeWayHistory>(test::SixDraws());
    const WayCheck check = CheckWayTexts(m_way, QStringLiteral("Num(1,3,1)"), QStringLiteral("Num(1,3,0)"));
    ASSERT_TRUE(check.Ok());
    std::vector<int32_t> seen;
    const auto stopAt = [&](int32_t last) {
        seen.clear();
        return EvaluateWays(m_way, *m_history, check, QStringLiteral("4"), QString(), [&](int32_t done, int32_t total) {
            EXPECT_EQ(total, 7);
            seen.push_back(done);
            return done < last;
        });
    };
    const WayRun stopped = stopAt(4);
    EXPECT_TRUE(stopped.Cancelled);
    EXPECT_FALSE(stopped.Ok);
    EXPECT_TRUE(stopped.Message.isEmpty());
    EXPECT_TRUE(stopped.Results.Empty());
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 2, 3, 4}));

    const WayRun whole = stopAt(7);
    EXPECT_TRUE(whole.Ok);
    EXPECT_FALSE(whole.Cancelled);
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(WayRunHistoryTest, AFailedEvaluationNamesTheIssueAndTheCause)
{
    WayRun run = Run("Num(1,3,1)", "Mod(1,Num(2,2,0))", QStringLiteral("6"));
    EXPECT_FALSE(run.Ok);
    // Draw 2006243 is 203: its tens digit is 0.
    EXPECT_EQ(run.Message, QStringLiteral("公式运算出错：参照公式，2006243期，Mod函数：除数为0"));
    EXPECT_TRUE(run.Results.Empty());

    run = Run("Mod(1,Num(3,3,0))", "Num(1,3,0)", QStringLiteral("2"));
    EXPECT_FALSE(run.Ok);
    // The next issue's numbers are 0.
    EXPECT_EQ(run.Message, QStringLiteral("公式运算出错：选值公式，下期，Mod函数：除数为0"));
}

}  // namespace
}  // namespace kelton
