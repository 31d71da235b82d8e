#include "data/draw_text.h"

#include <memory>

#include <QFile>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// Three digits 0..9.
std::unique_ptr<CLottorHead> MakeThreeDigits()
{
    auto head = std::make_unique<CLottorHead>();
    head->SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    EXPECT_TRUE(head->Enable());
    return head;
}

// Six main numbers 1..33 and one secondary number 1..16.
std::unique_ptr<CLottorHead> MakeTwoAreas()
{
    auto head = std::make_unique<CLottorHead>();
    head->SetHeadStr(QStringLiteral("[LOTTONAME]\r\nSSQ\r\n[BCDATALEN]\r\n33\r\n[BCMAIN]\r\n6\r\n"
                                    "[MRDATALEN]\r\n16\r\n[MRMAIN]\r\n1\r\n"));
    EXPECT_TRUE(head->Enable());
    return head;
}

FormatTokens Tokens(const CLottorHead& head, const char* format)
{
    FormatTokens tokens;
    EXPECT_TRUE(head.StrToFormat(QString::fromUtf8(format), tokens)) << format;
    return tokens;
}

// A draw as read: positions 1..BM in the order written.
Draw Read(int32_t issue, std::vector<int16_t> numbers)
{
    numbers.insert(numbers.begin(), 0);
    return Draw{issue, numbers};
}

struct LineCase {
    const char* format;
    const char* line;
    bool ok;
    int32_t issue;
    std::vector<int16_t> numbers;  // positions 1..BM when ok
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << '"' << c.format << "\" / \"" << c.line << '"';
}

class LineToNumTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineToNumTest, ReadsTheLineByTheFormat)
{
    const LineCase& c = GetParam();
    auto head = MakeThreeDigits();
    const Draw untouched = Read(-7, {9, 9, 9});
    Draw draw = untouched;
    const bool ok = LineToNum(*head, Tokens(*head, c.format), QString::fromUtf8(c.line), draw);
    EXPECT_EQ(ok, c.ok);
    if (c.ok)
        EXPECT_EQ(draw, Read(c.issue, c.numbers));
    else
        EXPECT_EQ(draw, untouched);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeDigits, LineToNumTest,
    ::testing::Values(
        LineCase{"N:X X X", "101:1 2 3", true, 101, {1, 2, 3}},
        LineCase{"n:x x x", "101:1 2 3", true, 101, {1, 2, 3}},
        LineCase{"N:X X X", "101:1 a 3", false, 0, {}},
        LineCase{"N:X X X", "101 1 2 3", false, 0, {}},   // the separator must occur
        LineCase{"N:X X X", "", false, 0, {}},
        LineCase{"N XXX", "101 123", true, 101, {1, 2, 3}},  // fixed widths, the last takes the rest
        LineCase{"N XXX", "101 1234", true, 101, {1, 2, 34}},
        LineCase{"N XXX", "101 12", false, 0, {}},          // nothing left for the last field
        LineCase{"N:/X X X", "101:#1 2 3", true, 101, {1, 2, 3}},  // a separator skips any character
        LineCase{"N:X X X", " 101:1 2 3", true, 101, {1, 2, 3}},   // blanks around a number
        LineCase{"N:X X X", "101: 1 2 3 ", true, 101, {1, 2, 3}},
        LineCase{"N X X X", "101   1  2 3", true, 101, {1, 2, 3}},  // any run of blanks
        LineCase{"N   X X X", "101 1 2 3", true, 101, {1, 2, 3}},   // blank tokens act as one
        LineCase{"N T:X X X", "101 期号abc:4 5 6", true, 101, {4, 5, 6}},
        LineCase{"N T:X X X", "101 期号abc 4 5 6", false, 0, {}},  // nothing to skip to
        LineCase{"NAX X X", "101a7 8 9", true, 101, {7, 8, 9}},     // the search ignores letter case
        LineCase{"N:X X X T", "101:1 2 3 rest of line", true, 101, {1, 2, 3}},
        LineCase{"X X X", "4 5 6", true, 0, {4, 5, 6}},             // no issue token
        LineCase{"N:X X X", "-5:1 2 3", true, -5, {1, 2, 3}},
        LineCase{"N:X X X", "101:1.5 2 3", true, 101, {2, 2, 3}},
        LineCase{"N:X X X", "101:1 2 40000", false, 0, {}},         // beyond 16 bits
        LineCase{"N:X X X", "3000000000:1 2 3", false, 0, {}},      // beyond 32 bits
        LineCase{"N:X,X,X", "2002001:0,7,3", true, 2002001, {0, 7, 3}}));

TEST(DrawTextTest, TwoAreaLinesFillMainThenSecondary)
{
    auto head = MakeTwoAreas();
    Draw draw;
    ASSERT_TRUE(LineToNum(*head, Tokens(*head, "N:X X X X X X Y"), u"2024001:01 05 12 20 28 33 07", draw));
    EXPECT_EQ(draw, Read(2024001, {1, 5, 12, 20, 28, 33, 7}));

    // Side by side, main numbers take two characters each.
    ASSERT_TRUE(LineToNum(*head, Tokens(*head, "N XXXXXXY"), u"2024002 020406081012 16", draw));
    EXPECT_EQ(draw, Read(2024002, {2, 4, 6, 8, 10, 12, 16}));

    // An "X" beyond the main numbers takes the secondary number.
    ASSERT_TRUE(LineToNum(*head, Tokens(*head, "N:X X X X X X X"), u"2024003:01 05 12 20 28 33 07", draw));
    EXPECT_EQ(draw, Read(2024003, {1, 5, 12, 20, 28, 33, 7}));
    QString text;
    ASSERT_FALSE(NumToStr(*head, QStringLiteral("N:X X X X X X X"),
                          {Draw{2024003, {0, 33, 28, 20, 12, 5, 1, 7}}}, text));
    EXPECT_EQ(text, QStringLiteral(" 2024003:01 05 12 20 28 33 07"));
}

// Whatever a token array holds, a line never reaches past the draw.
TEST(DrawTextTest, TokensBeyondTheDrawRefuseTheLine)
{
    auto head = MakeThreeDigits();
    const FormatTokens fourMain = {QChar(), u'X', u' ', u'X', u' ', u'X', u' ', u'X'};
    const FormatTokens secondary = {QChar(), u'X', u' ', u'X', u' ', u'X', u' ', u'Y'};
    Draw draw = Read(1, {1, 1, 1});
    EXPECT_FALSE(LineToNum(*head, fourMain, u"1 2 3 4", draw));
    EXPECT_FALSE(LineToNum(*head, secondary, u"1 2 3 4", draw));
    EXPECT_FALSE(LineToNum(*head, FormatTokens{}, u"1 2 3", draw));
    EXPECT_EQ(draw, Read(1, {1, 1, 1}));
}

TEST(DrawTextTest, OnlyAListWithoutADrawLineIsEmpty)
{
    for (const char16_t* empty : {u"", u"\r\n", u"  \n\n  ", u"\r\n\r\n "})
        EXPECT_TRUE(IsEmptyDrawList(QStringView(empty))) << QString::fromUtf16(empty).size();
    for (const char16_t* draws : {u"2024001 1 2 3", u"\r\n \r\n2024001 1 2 3", u"x\n\n"})
        EXPECT_FALSE(IsEmptyDrawList(QStringView(draws))) << QString::fromUtf16(draws).size();
}

TEST(DrawTextTest, StrToNumKeepsTheLinesThatRead)
{
    auto head = MakeThreeDigits();
    const std::vector<Draw> sentinel = {Read(1, {1, 1, 1})};
    struct Case {
        const char* text;
        std::vector<Draw> expected;  // empty: the result is 0 and the output untouched
    };
    const Case cases[] = {
        {"", {}},
        {"bad\r\nworse", {}},
        {"101:1 2 3\r\nbad line\r\n102:4 5 6", {Read(101, {1, 2, 3}), Read(102, {4, 5, 6})}},
        {"101:1 2 3\n102:4 5 6\n", {Read(101, {1, 2, 3}), Read(102, {4, 5, 6})}},  // LF line ends
        {"101:1 2 3\r\n\r\n102:4 5 6\r\n", {Read(101, {1, 2, 3}), Read(102, {4, 5, 6})}},
        {"103:7 8 9", {Read(103, {7, 8, 9})}},
    };
    for (const Case& c : cases) {
        std::vector<Draw> draws = sentinel;
        const int32_t count = StrToNum(*head, QStringLiteral("N:X X X"), QString::fromUtf8(c.text), draws, false);
        EXPECT_EQ(count, static_cast<int32_t>(c.expected.size())) << c.text;
        EXPECT_EQ(draws, c.expected.empty() ? sentinel : c.expected) << c.text;
    }

    std::vector<Draw> draws = sentinel;
    EXPECT_EQ(StrToNum(*head, QStringLiteral("N:X X"), u"101:1 2", draws, false), 0);  // format refused
    EXPECT_EQ(StrToNum(*head, QStringLiteral("N:X X X X"), u"101:1 2 3 4", draws, false), 0);  // past the draw
    EXPECT_EQ(draws, sentinel);
}

TEST(DrawTextTest, StrToNumShowsOneProgressStepPerLine)
{
    auto head = MakeThreeDigits();
    MsgState state;
    const ScopedService<MsgState> inForce(&state);
    HeadlessMsgDisplay display;
    const ScopedService<IMsgDisplay> shown(&display);

    std::vector<Draw> draws;
    EXPECT_EQ(StrToNum(*head, QStringLiteral("N:X X X"), u"101:1 2 3\r\nbad\r\n102:4 5 6", draws, true), 2);
    EXPECT_EQ(display.ShowCount, 1);
    EXPECT_EQ(display.ShownMax, 2);
    EXPECT_EQ(display.ShownMin, 0);
    EXPECT_FALSE(display.ShownCanClick);
    EXPECT_EQ(display.Values, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(display.HideCount, 1);
    EXPECT_FALSE(head->msg.PrgVisible());
    EXPECT_FALSE(head->msg.IsBusy());

    HeadlessMsgDisplay quiet;
    const ScopedService<IMsgDisplay> quietShown(&quiet);
    EXPECT_EQ(StrToNum(*head, QStringLiteral("N:X X X"), u"101:1 2 3", draws, false), 1);
    EXPECT_EQ(StrToNum(*head, QStringLiteral("N:X X X"), u"", draws, true), 0);
    EXPECT_EQ(quiet.ShowCount, 0);
}

// A draw as stored: the main numbers from the lowest place up.
Draw Stored(int32_t issue, std::vector<int16_t> positions)
{
    positions.insert(positions.begin(), 0);
    return Draw{issue, positions};
}

TEST(DrawTextTest, NumToStrWritesOneLinePerDraw)
{
    auto head = MakeThreeDigits();
    struct Case {
        const char* format;
        std::vector<Draw> draws;
        const char* text;  // nullptr: failure, output untouched
    };
    std::vector<Draw> hundred;
    for (int i = 0; i < 100; ++i)
        hundred.push_back(Stored(i, {1, 2, 3}));
    const Case cases[] = {
        {"N:X X X", {Stored(101, {3, 2, 1})}, " 101:1 2 3"},
        {"n:x x x", {Stored(101, {3, 2, 1})}, " 101:1 2 3"},
        {"N T:X X X", {Stored(101, {3, 2, 1})}, " 101 :1 2 3"},  // T writes nothing
        {"N XXX", {Stored(7, {0, 5, 9})}, " 7 950"},
        {"N:X X X", {Stored(1, {1, 2, 3}), Stored(2, {4, 5, 6})}, " 1:3 2 1\r\n 2:6 5 4"},
        {"N:X X X", {Stored(-5, {0, 0, 0}), Stored(1, {0, 0, 0})}, " -5:0 0 0\r\n 1:0 0 0"},
        {"", {Stored(101, {3, 2, 1})}, nullptr},
        {"N:X X", {Stored(101, {3, 2, 1})}, nullptr},          // refused by the format check
        {"N:X X X X", {Stored(101, {3, 2, 1})}, nullptr},      // past the draw's last position
        {"N:X X X", {}, nullptr},                               // nothing to write
        {"N:X X X", {Stored(101, {3, 2})}, nullptr},           // the draw lacks a position
    };
    for (const Case& c : cases) {
        QString text = QStringLiteral("untouched");
        const bool failed = NumToStr(*head, QString::fromUtf8(c.format), c.draws, text);
        EXPECT_EQ(failed, c.text == nullptr) << c.format;
        EXPECT_EQ(text, c.text ? QString::fromUtf8(c.text) : QStringLiteral("untouched")) << c.format;
    }

    // Issues are padded to the digits of the highest draw index.
    QString text;
    ASSERT_FALSE(NumToStr(*head, QStringLiteral("N:X X X"), hundred, text));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 100);
    EXPECT_EQ(lines[7], QStringLiteral(" 07:3 2 1"));
    EXPECT_EQ(lines[99], QStringLiteral(" 99:3 2 1"));
    ASSERT_FALSE(NumToStr(*head, QStringLiteral("N:X X X"), {hundred[7]}, text));
    EXPECT_EQ(text, QStringLiteral(" 7:3 2 1"));
}

TEST(DrawTextTest, NumToStrPadsTwoAreaNumbers)
{
    auto head = MakeTwoAreas();
    QString text;
    const Draw draw = Stored(2024001, {33, 28, 20, 12, 5, 1, 7});
    ASSERT_FALSE(NumToStr(*head, head->GetDefFormat(), {draw}, text));
    EXPECT_EQ(text, QStringLiteral(" 2024001:01 05 12 20 28 33 07"));

    Draw back;
    FormatTokens tokens;
    ASSERT_TRUE(head->StrToFormat(head->GetDefFormat(), tokens));
    ASSERT_TRUE(LineToNum(*head, tokens, text, back));
    EXPECT_EQ(back, Read(2024001, {1, 5, 12, 20, 28, 33, 7}));
}

// The real history, written as "issue:h t u" lines, reads back draw for draw
// and writes out as the same lines.
TEST(DrawTextTest, RealHistoryRoundTrips)
{
    QFile file(test::SampleHistoryPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(rows.size(), 1000);

    QStringList lines;
    std::vector<Draw> expected;
    for (qsizetype r = 1; r < rows.size(); ++r) {  // row 0 is the header
        const QStringList cols = rows[r].trimmed().split(QLatin1Char(','));
        ASSERT_EQ(cols.size(), 3) << rows[r].toStdString();
        const QString digits = cols[2];
        ASSERT_EQ(digits.size(), 3);
        lines << QStringLiteral("%1:%2 %3 %4").arg(cols[0], digits.mid(0, 1), digits.mid(1, 1), digits.mid(2, 1));
        expected.push_back(Read(cols[0].toInt(), {static_cast<int16_t>(digits[0].digitValue()),
                                                  static_cast<int16_t>(digits[1].digitValue()),
                                                  static_cast<int16_t>(digits[2].digitValue())}));
    }

    auto head = MakeThreeDigits();
    std::vector<Draw> draws;
    ASSERT_EQ(StrToNum(*head, head->GetDefFormat(), lines.join(QStringLiteral("\r\n")), draws, false),
              static_cast<int32_t>(expected.size()));
    ASSERT_EQ(draws, expected);

    // Stored form: units at position 1.
    std::vector<Draw> stored;
    for (const Draw& d : draws)
        stored.push_back(Stored(d.Issue, {d.Num[3], d.Num[2], d.Num[1]}));
    QString text;
    ASSERT_FALSE(NumToStr(*head, head->GetDefFormat(), stored, text));
    const QStringList written = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(written.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        ASSERT_EQ(written[i], QLatin1Char(' ') + lines[i]) << i;
}

}  // namespace
}  // namespace kelton
