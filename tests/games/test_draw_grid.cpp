#include "games/draw_grid.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/lottor_data.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;
// Two main numbers 0..12 and one secondary number 0..30: the secondary
// area is wider than the main one.
const QString kTwoAreas =
    u"[LOTTONAME]\r\n两区\r\n[BCDATALEN]\r\n12\r\n[BCMAIN]\r\n2\r\n[MRDATALEN]\r\n30\r\n[MRMAIN]\r\n1\r\n"_s;

// A draw table over plain cells, with rows given as "issue:numbers".
class DrawRowsTest : public ::testing::Test {
protected:
    void Define(const QString& text)
    {
        m_head.SetHeadStr(text);
        ASSERT_TRUE(m_head.Enable());
    }
    void SetRows(const QStringList& lines)
    {
        m_rows.ClearRows();
        for (const QString& line : lines) {
            const qsizetype colon = line.indexOf(u':');
            m_rows.InsertRow(m_rows.Rows(), line.left(colon), line.mid(colon + 1));
        }
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (int r = 1; r < m_rows.Rows(); ++r)
            lines << m_rows.TextMatrix(r, kIssueCol) + u':' + m_rows.TextMatrix(r, kNumbersCol);
        return lines;
    }

    CLottorHead m_head;
    CGridData m_cells;
    CGridDataRows m_rows{m_cells};
};

TEST_F(DrawRowsTest, FindGridRowGivesTheRowOrWhereToInsert)
{
    const struct {
        QStringList rows;
        int64_t issue;
        bool found;
        int row;
    } cases[] = {
        {{}, 5, false, 1}, // empty history
        {{u"101:1 2 3"_s}, 101, true, 1},
        {{u"101:1 2 3"_s}, 100, false, 1},
        {{u"101:1 2 3"_s}, 102, false, 2},
        {{u"101:1 2 3"_s, u"103:1 2 3"_s}, 102, false, 2}, // between two issues
        {{u"101:1 2 3"_s, u"103:1 2 3"_s, u"110:0 0 0"_s}, 110, true, 3},
        {{u"101:1 2 3"_s, u"103:1 2 3"_s, u"110:0 0 0"_s}, 111, false, 4},
        // Compared as numbers, not as text: "99" < "100", typed zeros count for nothing.
        {{u"99:1 2 3"_s, u"0100:1 2 3"_s, u"1000:1 2 3"_s}, 100, true, 2},
        {{u"99:1 2 3"_s, u"0100:1 2 3"_s, u"1000:1 2 3"_s}, 999, false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows.join(u' ').toStdString() + " ? " + std::to_string(c.issue));
        SetRows(c.rows);
        const GridRowFind place = FindGridRow(m_rows, c.issue);
        EXPECT_EQ(place.Found, c.found);
        EXPECT_EQ(place.Row, c.row);
    }
    // Every row of a long table is found by bisection.
    QStringList many;
    for (int i = 0; i < 1000; ++i)
        many << QString::number(2000 + 2 * i) + u":1 2 3"_s;
    SetRows(many);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(FindGridRow(m_rows, 2000 + 2 * i).Row, i + 1);
        ASSERT_FALSE(FindGridRow(m_rows, 2001 + 2 * i).Found);
        ASSERT_EQ(FindGridRow(m_rows, 2001 + 2 * i).Row, i + 2);
    }
}

TEST_F(DrawRowsTest, TheHistoryFillsTheTableAndComesBackUnchanged)
{
    for (const QString& definition : {kThreeDigits, kTwoAreas}) {
        CLottorData game;
        game.HeadData.SetHeadStr(definition);
        const bool threeDigits = definition == kThreeDigits;
        // Read as written: "7 12 30" is main 7 and 12, secondary 30.
        const QString written = threeDigits ? u"2024001:0 7 3\r\n2024002:9 9 1\r\n"_s
                                            : u"2024001:7 12 30\r\n2024002:0 1 9\r\n"_s;
        ASSERT_EQ(game.AddStrNum(game.HeadData.GetDefFormat(), written), 2);

        FillDrawRows(m_rows, game);
        const QStringList expected = threeDigits ? QStringList{u"2024001:0 7 3"_s, u"2024002:9 9 1"_s}
                                                 : QStringList{u"2024001:07 12 30"_s, u"2024002:00 01 09"_s};
        EXPECT_EQ(Lines(), expected);

        // The text the editor hands back reads as the same history.
        const std::vector<int16_t> before(game.NumData().begin(), game.NumData().end());
        ASSERT_EQ(game.AddStrNum(game.HeadData.GetDefFormat(), GridToNumStr(m_rows)), 2);
        EXPECT_EQ(std::vector<int16_t>(game.NumData().begin(), game.NumData().end()), before);
    }
}

TEST_F(DrawRowsTest, AnEmptyHistoryLeavesTheTitleRowAlone)
{
    SetRows({u"1:1 2 3"_s});
    CLottorData game;
    game.HeadData.SetHeadStr(kThreeDigits);
    FillDrawRows(m_rows, game);
    EXPECT_EQ(m_rows.Rows(), 1);
    EXPECT_EQ(GridToNumStr(m_rows), QString());
}

TEST_F(DrawRowsTest, NumStrIsOneLinePerRowEachEndingInCrLf)
{
    SetRows({u"101:1 2 3"_s, u"102:4 5 6"_s});
    EXPECT_EQ(GridToNumStr(m_rows), u"101:1 2 3\r\n102:4 5 6\r\n"_s);
}

TEST(DrawEditorRules, OpeningScrollsToTheLatestDraws)
{
    EXPECT_EQ(OpeningTopRow(1), 0);
    EXPECT_EQ(OpeningTopRow(21), 0);
    EXPECT_EQ(OpeningTopRow(22), 1);
    EXPECT_EQ(OpeningTopRow(31), 10); // 30 draws
}

TEST(DrawEditorRules, TheTabKeyChoosesTheOpeningTab)
{
    const std::pair<const char*, int> cases[] = {{"Chang", 2},  {"Delect", 3}, {"DownLoad", 4}, {"Import", 5},
                                                 {"", 1},       {"Add", 1},    {"download", 1}, {"Delete", 1}};
    for (const auto& [key, tab] : cases)
        EXPECT_EQ(OpeningTab(QString::fromLatin1(key)), tab) << key;
}

TEST_F(DrawRowsTest, TheNumbersBoxTakesBmNumbersWithinTheirAreas)
{
    const struct {
        const QString* game;
        const char* typed;
        const char* numbers; // nullptr: refused
    } cases[] = {
        {&kThreeDigits, "1 2 3", "1 2 3"},
        {&kThreeDigits, "  1 2 3 ", "1 2 3"},  // trimmed
        {&kThreeDigits, "1 2 3 4", "1 2 3"},   // four numbers: the first three
        {&kThreeDigits, "07 0 9", "07 0 9"},   // as typed, leading zero kept
        {&kThreeDigits, "1  2 3", nullptr},    // a double blank
        {&kThreeDigits, "1 2", nullptr},       // too few
        {&kThreeDigits, "1 2 10", nullptr},    // above BcDataLen
        {&kThreeDigits, "1 2 x", nullptr},
        {&kThreeDigits, "1 2 -3", nullptr},
        {&kThreeDigits, "1 2 1.5", nullptr},   // the history would round it
        {&kThreeDigits, "", nullptr},
        {&kTwoAreas, "12 0 30", "12 0 30"},    // the secondary number up to MrDataLen
        {&kTwoAreas, "12 0 31", nullptr},
        {&kTwoAreas, "13 0 3", nullptr},
        {&kTwoAreas, "1 2 000000000030", "1 2 000000000030"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CLottorHead head;
        head.SetHeadStr(*c.game);
        const std::optional<QString> numbers = CheckDrawNumbers(head, QString::fromLatin1(c.typed));
        if (c.numbers)
            EXPECT_EQ(numbers, QString::fromLatin1(c.numbers));
        else
            EXPECT_FALSE(numbers);
    }
}

TEST_F(DrawRowsTest, ANewIssueMustBeAPositiveNumberNotInTheTable)
{
    SetRows({u"101:1 2 3"_s, u"103:1 2 3"_s});
    const struct {
        const char* typed;
        bool ok;
        int row;
        const char* message; // when refused
    } cases[] = {
        {"102", true, 2, nullptr},
        {" 104 ", true, 3, nullptr},
        {"0100", true, 1, nullptr},
        {"103", false, 0, "输入开奖数据错误，期号已经存在。103请检查后再增加！"},
        {"00103", false, 0, "输入开奖数据错误，期号已经存在。00103请检查后再增加！"},
        {"abc", false, 0, "输入开奖数据错误，期号必须是数字。请检查后再增加！"},
        {"", false, 0, "输入开奖数据错误，期号必须是数字。请检查后再增加！"},
        {"10 2", false, 0, "输入开奖数据错误，期号必须是数字。请检查后再增加！"},
        {"0", false, 0, "输入开奖数据错误，期号必须大于零。请检查后再增加！"},
        {"-5", false, 0, "输入开奖数据错误，期号必须大于零。请检查后再增加！"},
        {"2147483648", false, 0, "输入开奖数据错误，请检查后再增加！"}, // past 32 bits
        {"99999999999999999999999", false, 0, "输入开奖数据错误，请检查后再增加！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const IssueCheck check = CheckNewIssue(m_rows, QString::fromLatin1(c.typed));
        EXPECT_EQ(check.Ok, c.ok);
        if (c.ok)
            EXPECT_EQ(check.Row, c.row);
        else
            EXPECT_EQ(DrawEntryErrorText(check.Reason), QString::fromUtf8(c.message));
    }
}

TEST_F(DrawRowsTest, DeletingRemovesTheSelectedRowsOrEmptiesTheTable)
{
    const QStringList five = {u"1:0 0 1"_s, u"2:0 0 2"_s, u"3:0 0 3"_s, u"4:0 0 4"_s, u"5:0 0 5"_s};
    const struct {
        int row, rowSel;
        QStringList left;
    } cases[] = {
        {2, 4, {u"1:0 0 1"_s, u"5:0 0 5"_s}},
        {4, 2, {u"1:0 0 1"_s, u"5:0 0 5"_s}}, // selected upwards
        {5, 5, {u"1:0 0 1"_s, u"2:0 0 2"_s, u"3:0 0 3"_s, u"4:0 0 4"_s}},
        {1, 5, {}},
    };
    for (const auto& c : cases) {
        SetRows(five);
        DeleteDrawRows(m_rows, c.row, c.rowSel);
        EXPECT_EQ(Lines(), c.left) << c.row << ".." << c.rowSel;
    }
    // Nothing to delete: still nothing, and no failure.
    SetRows({});
    DeleteDrawRows(m_rows, 0, 0);
    EXPECT_EQ(m_rows.Rows(), 1);
}

TEST_F(DrawRowsTest, ParsedDrawsAreInsertedInOrderOnceEach)
{
    Define(kThreeDigits);
    SetRows({u"101:1 2 3"_s, u"105:5 5 5"_s});
    const QString text = u"junk line\r\n"
                         u"104:4 4 4\r\n"  // descending order in the file
                         u"103:3 3 3\r\n"
                         u"105:9 9 9\r\n"  // already in the table: its row stays
                         u"103:0 0 0\r\n"  // came earlier in the text
                         u"106:1 2\r\n"    // does not read
                         u"0:1 1 1\r\n"    // the history keeps no issue 0
                         u"102:07 1 2\n"   // LF only
                         u"107:2 2 2"_s;
    const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s);
    EXPECT_TRUE(read.Read);
    EXPECT_FALSE(read.Failed);
    EXPECT_EQ(read.Inserted, 4);
    EXPECT_EQ(read.LastRow, 6);
    // 105 is in the table, 103 came earlier; three lines give no draw, the
    // first of them the first line.
    EXPECT_EQ(read.Known, 2);
    EXPECT_EQ(read.Skipped, 3);
    EXPECT_EQ(FirstSkippedLineText(read), u"第1行“junk line”：不符合数据格式。"_s);
    EXPECT_EQ(Lines(), QStringList({u"101:1 2 3"_s, u"102:7 1 2"_s, u"103:3 3 3"_s, u"104:4 4 4"_s, u"105:5 5 5"_s,
                                    u"107:2 2 2"_s}));
}

TEST_F(DrawRowsTest, ParsedNumbersArePaddedAndOutOfRangeDrawsLeftOut)
{
    Define(kTwoAreas);
    const QString text = u"1 7,3,30\r\n2 13,1,1\r\n3 1,2,31\r\n4 1,2,-1\r\n5 12,12,12\r\n"_s;
    const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N X,X,Y"_s);
    EXPECT_EQ(read.Inserted, 2);
    EXPECT_EQ(Lines(), QStringList({u"1:07 03 30"_s, u"5:12 12 12"_s}));
}

TEST_F(DrawRowsTest, EachSkippedLineIsCountedAndTheFirstNamed)
{
    Define(kThreeDigits);
    const QString longLine = u"9:1 2 3 "_s + QString(60, u'x');
    const struct {
        QString text;
        int skipped;
        QString first;
    } cases[] = {
        {u"\r\n   \r\n1:1 2 3\r\n\r\n"_s, 0, QString()}, // blank lines are no data
        {u"1:1 2 3\r\n0:4 5 6\r\n2:7 8 9"_s, 1, u"第2行“0:4 5 6”：期号必须大于零。"_s},
        {u"\r\n1:1 2 3\r\n3:1 2 x\r\n"_s, 1, u"第3行“3:1 2 x”：不符合数据格式。"_s},
        {u"1:1 2 3\n2:1 2 30\n"_s, 1, u"第2行“2:1 2 30”：号码超出了范围。"_s},
        // A long line is cut.
        {u"1:1 2 3\r\n"_s + longLine, 1, u"第2行“"_s + longLine.left(40) + u"…”：不符合数据格式。"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SetRows({});
        const DrawTextRead read = ParseDrawText(m_rows, m_head, c.text, u"N:X X X"_s);
        EXPECT_EQ(read.Skipped, c.skipped);
        EXPECT_EQ(FirstSkippedLineText(read), c.first);
    }
}

TEST_F(DrawRowsTest, DrawsInAnyOrderEndInIssueOrderWithTheirOwnNumbers)
{
    Define(kThreeDigits);
    constexpr int kCount = 2000;
    std::vector<int> ascending(kCount);
    std::iota(ascending.begin(), ascending.end(), 1);
    std::vector<int> shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    std::vector<int> latestOnTop = ascending; // the newest draw first, then the list
    std::rotate(latestOnTop.begin(), latestOnTop.end() - 1, latestOnTop.end());
    std::vector<int> interleaved; // high and low issues in turn
    for (int i = 0; i < kCount / 2; ++i)
        interleaved.insert(interleaved.end(), {kCount - i, i + 1});
    const std::pair<const char*, std::vector<int>> orders[] = {
        {"ascending", ascending},
        {"descending", {ascending.rbegin(), ascending.rend()}},
        {"shuffled", shuffled},
        {"latest on top", latestOnTop},
        {"interleaved", interleaved},
    };
    // Each draw's numbers follow from its issue.
    const auto numbers = [](int issue) { return u"%1 %2 %3"_s.arg(issue / 100 % 10).arg(issue / 10 % 10).arg(issue % 10); };
    for (const auto& [name, issues] : orders) {
        SCOPED_TRACE(name);
        // Every tenth issue is in the table already.
        QStringList table;
        for (int issue = 10; issue <= kCount; issue += 10)
            table << QString::number(issue) + u':' + numbers(issue);
        SetRows(table);
        QString text;
        for (const int issue : issues)
            text += QString::number(issue) + u':' + numbers(issue) + u"\r\n"_s;
        const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s);
        EXPECT_EQ(read.Inserted, kCount - kCount / 10);
        EXPECT_EQ(read.Known, kCount / 10);
        ASSERT_EQ(m_rows.Rows(), kCount + 1);
        for (int r = 1; r <= kCount; ++r) {
            ASSERT_EQ(m_rows.TextMatrix(r, kIssueCol), QString::number(r));
            ASSERT_EQ(m_rows.TextMatrix(r, kNumbersCol), numbers(r));
        }
        // The draw of the last line is current.
        EXPECT_EQ(m_rows.TextMatrix(read.LastRow, kIssueCol),
                  QString::number(issues.back() % 10 ? issues.back() : issues[issues.size() - 2]));
    }
}

TEST_F(DrawRowsTest, ANewestFirstListFillsTheTableUpToItsLimit)
{
    Define(kThreeDigits);
    // Two draws in the table; the list runs from issue limit + 5 down to 1.
    SetRows({u"2:0 0 2"_s, u"4:0 0 4"_s});
    const int limit = MaxDrawRows();
    ASSERT_EQ(limit, 32766);
    QString text;
    for (int issue = limit + 5; issue >= 1; --issue)
        text += QString::number(issue) + u":1 2 "_s + QString::number(issue % 10) + u"\r\n"_s;
    const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s);
    // Room for limit - 2 draws, taken in the order of the list.
    EXPECT_EQ(read.Inserted, limit - 2);
    EXPECT_TRUE(read.Full);
    EXPECT_EQ(read.StoppedLine, limit - 1);
    EXPECT_EQ(m_rows.Rows() - 1, limit);
    EXPECT_TRUE(DrawTableFull(m_rows));
    // In issue order: the old draws at the top, the list from issue 8 on.
    EXPECT_EQ(Lines().mid(0, 3), QStringList({u"2:0 0 2"_s, u"4:0 0 4"_s, u"8:1 2 8"_s}));
    EXPECT_EQ(Lines().back(), QString::number(limit + 5) + u":1 2 1"_s);
    for (int r = 2; r < m_rows.Rows(); ++r)
        ASSERT_LT(IssueValue(m_rows.TextMatrix(r - 1, kIssueCol)), IssueValue(m_rows.TextMatrix(r, kIssueCol)));
    // The draw of the latest line taken is current.
    EXPECT_EQ(m_rows.TextMatrix(read.LastRow, kIssueCol), u"8"_s);

    // Full: a known draw is still known, a new one stops the reading.
    const DrawTextRead more = ParseDrawText(m_rows, m_head, u"4:0 0 4\r\n1:0 0 1\r\n"_s, u"N:X X X"_s);
    EXPECT_EQ(more.Known, 1);
    EXPECT_EQ(more.Inserted, 0);
    EXPECT_TRUE(more.Full);
    EXPECT_EQ(more.StoppedLine, 2);
}

TEST_F(DrawRowsTest, ALongTextShowsItsProgressAndAStopLeavesTheTable)
{
    Define(kThreeDigits);
    SetRows({u"1:1 2 3"_s});
    QString text;
    for (int issue = kDrawTextProgressLines + 100; issue >= 2; --issue)
        text += QString::number(issue) + u":1 2 3\r\n"_s;
    MsgState state;
    const ScopedService<MsgState> inForce(&state);
    HeadlessMsgDisplay display;
    const ScopedService<IMsgDisplay> installed(&display);
    int busy = 0;
    display.OnPump = [](int pass) {
        if (pass == 3)
            CMsg().SetIsClick(true);
    };
    const DrawTextRead stopped = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s, [&] { ++busy; });
    EXPECT_TRUE(stopped.Cancelled);
    EXPECT_EQ(stopped.Inserted, 0);
    EXPECT_EQ(Lines(), QStringList({u"1:1 2 3"_s}));
    EXPECT_EQ(busy, 1);
    EXPECT_TRUE(display.ShownCanClick);
    EXPECT_FALSE(CMsg().PrgVisible());

    display.OnPump = nullptr;
    const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s, [&] { ++busy; });
    EXPECT_EQ(read.Inserted, kDrawTextProgressLines + 99);
    EXPECT_EQ(m_rows.Rows(), kDrawTextProgressLines + 101);
    EXPECT_EQ(busy, 2);
    // A short text shows nothing.
    SetRows({});
    ParseDrawText(m_rows, m_head, u"1:1 2 3\r\n"_s, u"N:X X X"_s, [&] { ++busy; });
    EXPECT_EQ(busy, 2);
}

TEST_F(DrawRowsTest, TextThatReadsNowhereChangesNothing)
{
    Define(kThreeDigits);
    SetRows({u"101:1 2 3"_s});
    for (const QString& text : {u""_s, u"nothing here\r\n"_s, u"102 1 2 3\r\n"_s}) {
        const DrawTextRead read = ParseDrawText(m_rows, m_head, text, u"N:X X X"_s);
        EXPECT_FALSE(read.Read) << text.toStdString();
        EXPECT_EQ(read.Inserted, 0);
    }
    // A format that does not fit the game reads nothing either.
    EXPECT_FALSE(ParseDrawText(m_rows, m_head, u"102:1 2\r\n"_s, u"N:X X"_s).Read);
    // Lines that read but hold no new draw: read, nothing inserted.
    const DrawTextRead again = ParseDrawText(m_rows, m_head, u"101:9 9 9\r\n"_s, u"N:X X X"_s);
    EXPECT_TRUE(again.Read);
    EXPECT_EQ(again.Inserted, 0);
    EXPECT_EQ(again.Known, 1);
    EXPECT_EQ(Lines(), QStringList({u"101:1 2 3"_s}));
}

} // namespace
} // namespace kelton
