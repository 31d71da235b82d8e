#include "data/filter_items.h"

#include <memory>

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// An accepted definition of a game with count main numbers 0..dataLen.
std::unique_ptr<CLottorHead> MakeHead(int bcMain, int dataLen)
{
    auto head = std::make_unique<CLottorHead>();
    head->SetHeadStr(QStringLiteral("[LOTTONAME]\r\nTest\r\n[BCDATALEN]\r\n%1\r\n[BCMAIN]\r\n%2\r\n")
                         .arg(dataLen)
                         .arg(bcMain));
    EXPECT_TRUE(head->Enable());
    return head;
}

enum class ListKind { Match, History, Gather };

// The three lists behind one face, so that one table covers them all.
struct AnyList {
    CFilterMatch match;
    CFilterHistory history;
    CFilterGather gather;
    ListKind kind = ListKind::Match;

    void IniClass(const CLottorHead* head)
    {
        match.IniClass(head);
        history.IniClass(head);
        gather.IniClass(head);
    }
    bool AddPerVal(const QString& line)
    {
        switch (kind) {
        case ListKind::Match: return match.AddPerVal(line);
        case ListKind::History: return history.AddPerVal(line);
        default: return gather.AddPerVal(line);
        }
    }
    QString PerVal(int16_t i) const
    {
        switch (kind) {
        case ListKind::Match: return match.PerVal(i);
        case ListKind::History: return history.PerVal(i);
        default: return gather.PerVal(i);
        }
    }
    int16_t ItemCount() const
    {
        switch (kind) {
        case ListKind::Match: return match.ItemCount();
        case ListKind::History: return history.ItemCount();
        default: return gather.ItemCount();
        }
    }
};

// "Y" and "N" in the table stand for the two marks.
QString Marks(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('Y'), QChar(kMarkYes));
    s.replace(QLatin1Char('N'), QChar(kMarkNo));
    return s;
}

struct LineCase {
    ListKind kind;
    const char* line;     // the item line given to AddPerVal
    const char* written;  // PerVal of the item; nullptr = the line is refused
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << static_cast<int>(c.kind) << " \"" << c.line << '"';
}

class ItemLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ItemLineTest, ReadsWritesAndRoundTrips)
{
    const LineCase& c = GetParam();
    auto head = MakeHead(3, 9);
    AnyList list;
    list.kind = c.kind;
    list.IniClass(head.get());
    const QString first = Marks("Y\t1\t\tN\tN");
    const QString firstHist = Marks("Y\t1\t全部\t\t0\tN\tN");
    const QString seed = c.kind == ListKind::Match ? first : firstHist;
    ASSERT_TRUE(list.AddPerVal(seed));
    const QString before = list.PerVal(1);

    const bool added = list.AddPerVal(Marks(c.line));
    if (c.written == nullptr) {
        EXPECT_FALSE(added);
        EXPECT_EQ(list.ItemCount(), 1);
        EXPECT_EQ(list.PerVal(1), before);
        EXPECT_EQ(list.PerVal(2), QString());
        return;
    }
    ASSERT_TRUE(added);
    ASSERT_EQ(list.ItemCount(), 2);
    const QString written = list.PerVal(2);
    EXPECT_EQ(written, Marks(c.written));

    // The written line reads back as the same item.
    ASSERT_TRUE(list.AddPerVal(written));
    EXPECT_EQ(list.PerVal(3), written);
}

// Lines of a game of three digits 0..9. Y = "√", N = "Х".
INSTANTIATE_TEST_SUITE_P(
    Match, ItemLineTest,
    ::testing::Values(
        LineCase{ListKind::Match, "Y\t1 3 5\t1-2\tY\tN", "Y\t1 3 5\t1-2\tY\tN"},
        LineCase{ListKind::Match, "N\t1 2,3,5 6\t0 3\tN\tY", "N\t1 2,3,5 6\t0 3\tN\tY"},
        LineCase{ListKind::Match, "", "N\t\t\tN\tN"},
        LineCase{ListKind::Match, "    ", "N\t\t\tN\tN"},
        LineCase{ListKind::Match, "\t\t\t\t", "N\t\t\tN\tN"},
        LineCase{ListKind::Match, " Y \t 5 1 \t 2 \t Y \t Y ", "Y\t1 5\t2\tY\tY"},
        LineCase{ListKind::Match, "True\t\t\tN\tY", "N\t\t\tN\tY"},   // only the check mark reads as yes
        LineCase{ListKind::Match, "N\t7 7 12\t\tN\tN", "N\t7\t\tN\tN"},  // repeats once, 12 > 9 dropped
        LineCase{ListKind::Match, "N\t5 x  3.6 -1\t\tN\tN", "N\t4 5\t\tN\tN"},  // non-numbers skipped, rounding
        LineCase{ListKind::Match, "N\t1,2,3,4\t\tN\tN", "N\t1,2,3\t\tN\tN"},   // groups past position 1 ignored
        LineCase{ListKind::Match, "N\t,,5\t\tN\tN", "N\t,,5\t\tN\tN"},
        LineCase{ListKind::Match, "N\t2,\t\tN\tN", "N\t2,,\t\tN\tN"},           // missing groups stay empty
        LineCase{ListKind::Match, "N\t,\t\tN\tN", "N\t,,\t\tN\tN"},
        LineCase{ListKind::Match, "N\t1\t7\tN\tN", "N\t1\t3\tN\tN"},            // counts clamped to 0..3
        LineCase{ListKind::Match, "N\t1\t1\tN", nullptr},                       // 4 fields
        LineCase{ListKind::Match, "N\t1\t1\tN\tN\tN", nullptr},                 // 6 fields
        LineCase{ListKind::Match, "N\t1 40000\t1\tN\tN", nullptr},              // 16-bit overflow
        LineCase{ListKind::Match, "N\t1,32767.5,2\t1\tN\tN", nullptr}));        // rounds past 16 bits

INSTANTIATE_TEST_SUITE_P(
    History, ItemLineTest,
    ::testing::Values(
        LineCase{ListKind::History, "Y\t2\t30\t0-1\t1\tN\tY", "Y\t2\t30\t0-1\t1\tN\tY"},
        LineCase{ListKind::History, "", "N\t0\t全部\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t500\t\t2\tY\tN", "N\t0\t301\t\t2\tY\tN"},
        LineCase{ListKind::History, "N\t0\t全部\t\t0\tN\tN", "N\t0\t全部\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t0\t\t0\tN\tN", "N\t0\t全部\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t-3\t\t0\tN\tN", "N\t0\t全部\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t10\t\t5\tN\tN", "N\t0\t10\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t10\t\t-1\tN\tN", "N\t0\t10\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t10\t\tx\tN\tN", "N\t0\t10\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t0\t10\t\t1=组选号码\tN\tN", "N\t0\t10\t\t0\tN\tN"},
        LineCase{ListKind::History, "N\t2.5\t10\t\t1.5\tN\tN", "N\t2\t10\t\t2\tN\tN"},  // halves to even
        LineCase{ListKind::History, "N\t1=转换数据一\t10\t60\t1\tN\tN", "N\t0\t10\t50\t1\tN\tN"},
        LineCase{ListKind::History, "Y\t-4\t10\t3 1 2\t1\tN\tN", "Y\t-4\t10\t1-3\t1\tN\tN"},
        LineCase{ListKind::History, "N\t0\t10\t\t0\tN\tN\tN", nullptr},  // 8 fields
        LineCase{ListKind::History, "N\t0\t10\t\t0\tN", nullptr},        // 6 fields
        LineCase{ListKind::History, "N\t99999\t10\t\t0\tN\tN", nullptr},
        LineCase{ListKind::History, "N\t0\t40000\t\t0\tN\tN", nullptr},  // overflow before the cap
        LineCase{ListKind::History, "N\t0\t10\t\t70000\tN\tN", nullptr}));

INSTANTIATE_TEST_SUITE_P(
    Gather, ItemLineTest,
    ::testing::Values(
        LineCase{ListKind::Gather, "Y\t3\t1\t5\t0 2-4\tN\tY", "Y\t3\t1\t5\t0 2-4\tN\tY"},
        LineCase{ListKind::Gather, "", "N\t0\t0\t0\t\tN\tN"},
        LineCase{ListKind::Gather, "N\t0\t5\t-2\t25\tY\tY", "N\t0\t5\t-2\t20\tY\tY"},  // kind stored unchecked
        LineCase{ListKind::Gather, "N\t0\t0=组选\t\t1\tN\tN", "N\t0\t0\t0\t1\tN\tN"},
        LineCase{ListKind::Gather, "N\t0\t0\t0\t\tN\tN\tN", nullptr},
        LineCase{ListKind::Gather, "N\t0\t0\t40000\t\tN\tN", nullptr},
        LineCase{ListKind::Gather, "N\t-40000\t0\t0\t\tN\tN", nullptr}));

TEST(FilterItemsTest, MatchRecordHoldsNumbersPerRow)
{
    auto head = MakeHead(3, 9);
    CFilterMatch list;
    list.IniClass(head.get());
    ASSERT_TRUE(list.AddPerVal(Marks("Y\t1 2,3,5 6\t1\tY\tN")));
    ASSERT_TRUE(list.AddPerVal(Marks("N\t0 9\t\tN\tY")));

    const MatchItem& perPosition = list.ValData()[1];
    EXPECT_EQ(perPosition.Active, 1);
    EXPECT_EQ(perPosition.AnyPosition, 0);
    EXPECT_EQ(perPosition.Remove, 1);
    EXPECT_EQ(perPosition.Tolerant, 0);
    ASSERT_EQ(perPosition.Numbers.size(), 4u);
    const std::vector<int16_t> none(10, 0);
    EXPECT_EQ(perPosition.Numbers[0], none);
    EXPECT_EQ(perPosition.Numbers[3], (std::vector<int16_t>{0, 1, 1, 0, 0, 0, 0, 0, 0, 0}));  // hundreds
    EXPECT_EQ(perPosition.Numbers[2], (std::vector<int16_t>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(perPosition.Numbers[1], (std::vector<int16_t>{0, 0, 0, 0, 0, 1, 1, 0, 0, 0}));  // units

    const MatchItem& any = list.ValData()[2];
    EXPECT_EQ(any.AnyPosition, 1);
    EXPECT_EQ(any.Numbers[0], (std::vector<int16_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_TRUE(any.Counts.IsEmpty());
}

TEST(FilterItemsTest, HistoryAndGatherRecords)
{
    auto head = MakeHead(3, 9);
    CFilterHistory history;
    history.IniClass(head.get());
    ASSERT_TRUE(history.AddPerVal(Marks("Y\t3\t500\t1-2\t2\tY\tY")));
    const HistoryItem& h = history.ValData()[1];
    EXPECT_EQ(h.Active, 1);
    EXPECT_EQ(h.View, 3);
    EXPECT_EQ(h.Issues, 301);
    EXPECT_EQ(RangeToStr(h.Counts), QStringLiteral("1-2"));
    EXPECT_EQ(h.Kind, 2);
    EXPECT_EQ(h.Remove, 1);
    EXPECT_EQ(h.Tolerant, 1);

    CFilterGather gather;
    gather.IniClass(head.get());
    ASSERT_TRUE(gather.AddPerVal(Marks("N\t7\t3\t4\t1 3\tY\tN")));
    const GatherItem& g = gather.ValData()[1];
    EXPECT_EQ(g.Active, 0);
    EXPECT_EQ(g.View, 7);
    EXPECT_EQ(g.Kind, 3);
    EXPECT_EQ(g.Master, 4);
    EXPECT_EQ(RangeToStr(g.Partners), QStringLiteral("1 3"));
    EXPECT_EQ(g.Remove, 1);
    EXPECT_EQ(g.Tolerant, 0);
}

TEST(FilterItemsTest, ListWithoutDefinitionRefusesItems)
{
    CFilterHistory list;
    EXPECT_FALSE(list.AddPerVal(QString()));
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.PerVal(1), QString());
    list.IniClass(nullptr);
    EXPECT_FALSE(list.AddPerVal(QString()));
}

TEST(FilterItemsTest, IniClassEmptiesItemsButKeepsSwitches)
{
    auto head = MakeHead(3, 9);
    CFilterGather list;
    EXPECT_EQ(list.Sel, 0);
    EXPECT_EQ(list.ErrSel, 0);
    EXPECT_EQ(list.SubErrSel, 0);
    list.IniClass(head.get());
    ASSERT_TRUE(list.AddPerVal(QString()));
    ASSERT_TRUE(list.AddPerVal(Marks("Y\t1\t2\t3\t4\tY\tY")));
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.PerVal(0), QString());
    EXPECT_EQ(list.PerVal(3), QString());
    EXPECT_EQ(list.PerVal(-1), QString());

    list.Sel = 1;
    list.ErrSel = 1;
    list.SubErrSel = 1;
    list.SubErrVal = StrToRange(u"0-1", 0, 9);

    list.IniClass(nullptr);  // no definition: nothing changes
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.PerVal(2), Marks("Y\t1\t2\t3\t4\tY\tY"));

    list.IniClass(head.get());
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.PerVal(1), QString());
    EXPECT_EQ(list.Sel, 1);
    EXPECT_EQ(list.ErrSel, 1);
    EXPECT_EQ(list.SubErrSel, 1);
    EXPECT_EQ(RangeToStr(list.SubErrVal), QStringLiteral("0-1"));
}

TEST(FilterItemsTest, ItemsKeepTheirOrder)
{
    auto head = MakeHead(3, 9);
    CFilterMatch list;
    list.IniClass(head.get());
    const QStringList lines = {Marks("Y\t1\t\tN\tN"), Marks("N\t2\t\tN\tN"), Marks("Y\t3\t\tY\tY")};
    for (const QString& line : lines)
        ASSERT_TRUE(list.AddPerVal(line));
    ASSERT_EQ(list.ItemCount(), 3);
    for (int16_t i = 1; i <= 3; ++i)
        EXPECT_EQ(list.PerVal(i), lines[i - 1]);
}

TEST(FilterItemsTest, ShapeFollowsTheGame)
{
    // A six-number game 1..33: the numbers field has six groups and numbers up to 33.
    auto six = MakeHead(6, 33);
    CFilterMatch match;
    match.IniClass(six.get());
    ASSERT_TRUE(match.AddPerVal(Marks("Y\t33,,,,,1 34\t6\tN\tN")));
    EXPECT_EQ(match.PerVal(1), Marks("Y\t33,,,,,1\t6\tN\tN"));
    EXPECT_EQ(match.ValData()[1].Numbers.size(), 7u);
    EXPECT_EQ(match.ValData()[1].Numbers[6][33], 1);

    // A one-number game writes a per-position item without a comma, so it
    // reads back as an any-position item.
    auto one = MakeHead(1, 9);
    CFilterMatch single;
    single.IniClass(one.get());
    ASSERT_TRUE(single.AddPerVal(Marks("N\t5,\t\tN\tN")));
    EXPECT_EQ(single.ValData()[1].AnyPosition, 0);
    const QString written = single.PerVal(1);
    EXPECT_EQ(written, Marks("N\t5\t\tN\tN"));
    ASSERT_TRUE(single.AddPerVal(written));
    EXPECT_EQ(single.ValData()[2].AnyPosition, 1);
}

}  // namespace
}  // namespace kelton
