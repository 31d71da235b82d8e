#include "data/value_set.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

struct RangeCase {
    const char* text;
    int16_t low;
    int16_t high;
    const char* canonical;
};

class StrToRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(StrToRangeTest, ParsesMergesAndPrints)
{
    const RangeCase& c = GetParam();
    EXPECT_EQ(RangeToStr(StrToRange(QString::fromUtf8(c.text), c.low, c.high)), QString::fromUtf8(c.canonical))
        << "input: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToRangeTest,
    ::testing::Values(
        RangeCase{"", 0, 99, ""},
        RangeCase{"    ", 0, 99, ""},
        RangeCase{"3 5-9 13", 0, 99, "3 5-9 13"},
        RangeCase{"9-3", 0, 99, "3-9"},
        RangeCase{"3-", 0, 99, "3"},
        RangeCase{"-5", 0, 99, "5"},          // absolute value
        RangeCase{"-3-5", 0, 99, "3"},        // empty first part leaves the low end open
        RangeCase{"1-2-3", 0, 99, "1-2"},     // parts after the second are ignored
        RangeCase{"3.7", 0, 99, "3"},
        RangeCase{".5", 0, 99, "0"},
        RangeCase{"-.5", 0, 99, "0"},         // a bare sign after the cut reads as 0
        RangeCase{"+.5", 0, 99, "0"},
        RangeCase{"-.5-4", 0, 99, "0"},      // only the first two parts count
        RangeCase{"123456", 0, 99, "99"},     // last five digits, then clamped
        RangeCase{"123456", 0, 32767, "23456"},
        RangeCase{"150", 0, 99, "99"},
        RangeCase{"5", 10, 20, "10"},
        RangeCase{"1e2", 0, 999, "100"},
        RangeCase{"9e99", 0, 999, "999"},     // beyond 32 bits: the high bound
        RangeCase{"1 2 x 5", 0, 99, "1-2"},   // the parse stops at x
        RangeCase{"3 4", 0, 99, "3-4"},
        RangeCase{"5 3", 0, 99, "3 5"},
        RangeCase{"3-4 6-7 1-10", 0, 99, "1-10"},
        RangeCase{"1-5 7-8 2-10", 0, 99, "1-10"},
        RangeCase{"10-20 1-5", 0, 99, "1-5 10-20"},
        RangeCase{"1\t2", 0, 99, ""},         // a tab is no separator
        RangeCase{"  7   8  ", 0, 99, "7-8"},
        RangeCase{"32766 32767 1-3", 0, 32767, "1-3 32766-32767"},
        RangeCase{"32767 32767", 0, 32767, "32767"}));

TEST(ValueSetTest, MembershipWalksRangesInOrder)
{
    const ValueSet set = StrToRange(u"3 5-9 13", 0, 99);
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(set[0], (ValueRange{0, 0}));
    for (int v : {3, 5, 7, 9, 13})
        EXPECT_TRUE(set.Contains(v)) << v;
    for (int v : {0, 2, 4, 10, 12, 14, 99})
        EXPECT_FALSE(set.Contains(v)) << v;
}

TEST(ValueSetTest, RangesOfAMergedSetNeverTouch)
{
    const ValueSet set = StrToRange(u"1 3 5 7 6 2 9", 0, 99);
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(set[1], (ValueRange{1, 3}));
    EXPECT_EQ(set[2], (ValueRange{5, 7}));
    EXPECT_EQ(set[3], (ValueRange{9, 9}));
}

}  // namespace
}  // namespace kelton
