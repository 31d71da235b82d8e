// The functions that read the draw history, and Btn, Ntb and Bet, over six
// draws: 384, 159, 203, 786, 421, 123 (hundreds, tens, units).

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

using test::CheckCases;

constexpr int32_t N = test::kNextIssue;

TEST(WayHistoryFunctionsTest, Num)
{
    CheckCases({
        {"Num()", N, "{1}"},
        {"Num(1,3)", N, "{3;2;1}"},
        {"Num(3,1)", N, ""},
        {"Num(1,3,0)", N, "{0;0;0}"},
        {"Num()", 0, ""},
        {"Num(1,3,6)", N, "{4;8;3}"},
        {"Num(1,3,7)", N, ""},
        {"Num(1,3,-1)", N, ""},
        {"Num(1,1,1,8)", N, ""},
        {"Num(1,1,1,-1)", N, ""},
        {"Num(1,3,1,3)", N, "{0;9;8}"},
        {"Num(0)", N, ""},
        {"Num(4)", N, ""},
        {"Num({2})", N, "{2}"},
        {"Num( 2 )", N, "{2}"},
        {"Num(Max({2}))", N, "{1}"},
        {"Num(Btn({2;3}))", N, "{2}"},
        {"Num(1.5)", N, "{2}"},
        {"Num(2.5)", N, "{2}"},
        {"Num(1,3,2)", 3, "{9;5;1}"},
    });
}

TEST(WayHistoryFunctionsTest, RankingsAndStatistics)
{
    // Counts before the next issue: 1, 2, 3 three times; 4, 8 twice; the rest once.
    CheckCases({
        {"Sor(0,0,5)", N, "{4}"},
        {"Sor(0,0,5,3)", N, ""},
        {"Sor(0,0,0,2)", N, "{0;5;6}"},
        {"Sor(0,0,-3,1)", N, "{0;5}"},
        {"Sor(0,0,9,10)", N, ""},
        {"Sor(4)", N, "{0}"},
        {"Sor(1,6,0)", N, "{1}"},
        {"Sor(0,8)", N, ""},
        {"Sor(5)", N, ""},
        {"Sor(0,0,0,0,7)", N, ""},
        {"Val(0,0,3)", N, "{1;2;3}"},
        {"Val(4,0,3)", N, "{1;2;3}"},
        {"Val(0,0,2,3)", N, "{1;2;3;4;8}"},
        {"Val(0,0,3,2)", N, ""},
        {"Val(0,6,50,60)", N, "{}"},
        {"Val(0,0,3,3,0,3)", N, "{3;1;2}"},
        {"Val(0,-1)", N, ""},
        {"Val(0,0,0,9,7)", N, ""},
    });
}

TEST(WayHistoryFunctionsTest, SlantsAndRepeats)
{
    CheckCases({
        {"TiR()", N, "{3;4;5;6;7;8;9}"},
        {"TiR(0,2)", N, "{1;3;4;5;6;7;8}"},
        {"TiR(0,2,2)", N, "{1;3;4;5;6;7;8}"},
        {"TiR(0,1,1,2)", N, "{0;2}"},
        {"TiR(0,1,1,1,1,1)", N, "{0;1;3}"},
        // Past the largest value the numbers wrap round to 0 and back.
        {"TiR(0,8,1,1,1)", N, "{3;4}"},
        {"TiL(0,8,1,1,1)", N, "{1;9}"},
        {"TiL(0,1,1,1)", N, "{2}"},
        {"TiR(0,1,1,0,9)", 0, "{0;1;2;3;4;5;6;7;8;9}"},
        {"TiR(0,0)", N, ""},
        {"TiR(0,10)", N, ""},
        {"TiR(0,1,7)", N, ""},
        {"TiR(0,1,1,2,1)", N, ""},
        {"TiR(0,1,1,0,0,0,8)", N, ""},
        {"Rep()", N, "{3}"},
        {"Rep(0,1,2)", N, "{1;2}"},
        {"Rep(0,0)", N, ""},
        {"Rep(0,1,0)", N, ""},
        {"Rep(3)", N, "{3}"},
        {"Rep(0,2)", N, "{1;4}"},
        {"Cyc(1)", N, "{1}"},
        {"Cyc()", N, "{1}"},
        {"Cyc(2)", N, "{2;8}"},
        {"Cyc(3,0,0)", N, "{3}"},
        {"Cyc(2,2)", N, "{8}"},
        {"Cyc(4)", N, ""},
        {"Cyc(0)", N, ""},
        {"Cyc(1)", 0, "{}"},
    });
    // Value 0 is never listed, cycle or not.
    CheckCases({{"Cyc(1)", 3, "{}"}, {"Cyc(3)", 3, "{}"}}, {"000", "000", "000"});
}

TEST(WayHistoryFunctionsTest, IndicatorsAndValues)
{
    CheckCases({
        {"Fil(1)", N, "6"},
        {"Fil(0)", N, "3"},
        {"Fil(1,0)", N, "0"},
        {"Fil(1,0)", 3, "21"},
        {"Fil(1,6)", N, "15"},
        {"Fil(1,7)", N, ""},
        {"Fil(43)", N, ""},
        {"Fil(-1)", N, ""},
        {"Fil(1,1,8)", N, ""},
        {"Fil(1)", 0, ""},
        {"Bal(0)", N, "{0}"},
        {"Bal()", N, "{1}"},
        {"Bal(5,99)", N, "{5;6;7;8;9}"},
        {"Bal(99)", N, "{9}"},
        {"Bal(-1)", N, ""},
        {"Bal(3,1)", N, ""},
        {"Bal(0,2,0,3)", N, "{3;4;5}"},
        {"Bal(0,0,7)", N, ""},
    });
}

TEST(WayHistoryFunctionsTest, NumbersPassedOnAndCounted)
{
    CheckCases({
        {"Btn({05;07})", N, "05"},
        {"Btn({})", N, ""},
        {"Btn(Num(1,3))", N, "3"},
        {"Ntb(Num(1,3))", N, "{3;2;1}"},
        {"Ntb({1;2})", N, "1;2"},
        {"Bet({},2,2,{1;2},{2;3})", N, "{2}"},
        {"Bet({1},2,2,{1;2},{2;3})", N, "{1;3}"},
        {"Bet(,0,,{4})", N, "{4}"},
        {"Bet({},1,1,{2.7;-2.7;5000})", N, "{-2;2}"},
        {"Bet(,2,2,{1;1})", N, "{1}"},
        {"Bet(,1,1,{1000.5;-1000.5;1000.6})", N, "{-1000;1000}"},
        {"Bet(,1,1)", N, "{}"},
        {"Bet(,3,2,{1})", N, ""},
        {"Bet(,40000,,{1})", N, ""},
        {"Bet(,1,1e9,{1})", N, ""},
        {"Bet(,1,1,{1e300})", N, "{}"},
        {"Bet(,1,9,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27)", N,
         "{1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26}"},
    });
}

}  // namespace
}  // namespace kelton
