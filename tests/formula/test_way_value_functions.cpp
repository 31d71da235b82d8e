// Int, Dec, Iss, Abs, Max, Min, App, Des, Iif, Iis and Onl over six draws:
// 384, 159, 203, 786, 421, 123 (hundreds, tens, units).

#include <gtest/gtest.h>

#include "formula/way.h"
#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

using test::CheckCases;

constexpr int32_t N = test::kNextIssue;

TEST(WayValueFunctionsTest, Arithmetic)
{
    CheckCases({
        {"Int({-1.5;2.5})", N, "{-1;2}"},
        {"Int({1.2;4.6;8.4})", N, "{1;4;8}"},
        {"Int({})", N, ""},
        {"Int({1e20})", N, "{100000000000000000000}"},
        {"Int({1e400})", N, "FAIL Int函数：数值溢出"},
        {"Int({-0.5})", N, "{0}"},
        {"Dec({1.2;4.6;8.4})", N, "{0.2;0.6;0.4}"},
        {"Dec({-1.25})", N, "{-0.25}"},
        {"Dec({1.23456})", N, "{0.2346}"},
        {"Dec({3})", N, "{0}"},
        {"Dec({1e20})", N, "FAIL Dec函数：数值溢出"},
        {"Abs({-05;3})", N, "{5;3}"},
        {"Abs({1.23456})", N, "{1.2346}"},
        {"Onl({1;2;1;3})", N, "{2;1;3}"},
    });
}

TEST(WayValueFunctionsTest, IssueNumber)
{
    CheckCases({{"Iss()", 0, "0"}, {"Iss()", N, "246"}, {"Iss()", 1, "241"}, {"Iss(5)", N, "246"}});
    CheckCases({{"Iss()", N, "005"}}, test::SixDraws(), 2006000);
    CheckCases({{"Iss()", 2, "7"}}, test::SixDraws(), 6);
}

TEST(WayValueFunctionsTest, PickingAndExtending)
{
    CheckCases({
        {"Max({3;9;1})", N, "{9}"},
        {"Max({3;9;1},5)", N, "{9;3;1}"},
        {"Max({3;9;9;1},2)", N, "{9;9}"},
        {"Max({1;01;1.0},2)", N, "{1;01}"},
        {"Min({3;9;1},0)", N, ""},
        {"Min({3;9;1},{2})", N, "{1;3}"},
        {"Min({},2)", N, ""},
        {"Max({1},40000)", N, "FAIL Max函数：数值溢出"},
        {"App({1;5},0)", N, "1;5"},
        {"App({1},1001)", N, ""},
        {"App({1},-1)", N, ""},
        {"App({1},1,101)", N, ""},
        {"App({1},2,-1)", N, "{1;0;-1}"},
        {"App({1;5},2,3)", N, "{1;4;7;5;8;11}"},
        {"App({05})", N, "{5;6}"},
        {"App({1},1,0)", N, "1"},
        {"App({},2)", N, ""},
        {"Des({1;5;9})", N, "{1;5;9}"},
        {"Des({1;5;9},,5)", N, "{5;9}"},
        {"Des({1;5;9},{},5)", N, "{5;9}"},
        {"Des({1;5;9},{0},5)", N, "{1;5}"},
        {"Des({1;5;9},1,5)", N, "{1;5}"},
        {"Des({1;5;9},,10)", N, ""},
        {"Des({4.5;5.5},,5)", N, "{5.5}"},
        {"Iif({},1,2)", N, "2"},
        {"Iif( ,1,2)", N, "ERR 5,1"},  // a blank is no literal
        {"Iif(0,1,2)", N, "1"},
        {"Iif({0},1,2)", N, "1"},
        {"Iif(Val(0,6,50,60),1,2)", N, "2"},
        {"Iif(1,{1;2},2)", N, "1;2"},
    });
}

// App makes at most 32767 items.
TEST(WayValueFunctionsTest, AppendingPastTheLimit)
{
    QString items;
    for (int i = 1; i <= 33; ++i)
        items += (i > 1 ? QStringLiteral(";") : QString()) + QString::number(i);
    test::FakeWayHistory history(test::SixDraws());
    const QString failed = test::Evaluate(QStringLiteral("App({%1},1000)").arg(items), N, &history);
    EXPECT_EQ(failed, QStringLiteral("FAIL App函数：结果超过32767个号码"));

    items.truncate(items.lastIndexOf(QLatin1Char(';')));  // 32 items: 32032 in the result
    const QString made = test::Evaluate(QStringLiteral("App({%1},1000)").arg(items), N, &history);
    EXPECT_EQ(made.count(QLatin1Char(';')) + 1, 32032);
    EXPECT_TRUE(made.startsWith(QStringLiteral("{1;2;3;")));
    EXPECT_TRUE(made.endsWith(QStringLiteral(";1032}")));
}

TEST(WayValueFunctionsTest, Predicates)
{
    const char* all = "{0;1;2;3;4;5;6;7;8;9}";
    auto kind = [all](int k) { return QStringLiteral("Iis(%1,%2)").arg(QString::fromLatin1(all)).arg(k); };
    CheckCases({
        {"Iis({1;2;3;-3})", N, "{1;3}"},
        {"Iis({1;2;3;-3},1)", N, "{2}"},
        {"Iis({0;1;4;7},3)", N, "{0;4}"},
        {"Iis({0;1;4;7},2)", N, "{1;7}"},
        {"Iis({199;200;201},2)", N, "{199}"},
        {"Iis({-3;-2;3;6;5},7)", N, "{-3;3;6}"},
        {"Iis({-3;-2;3;4;5},8)", N, "{4}"},
        {"Iis({-3;-2;3;4;5},9)", N, "{5}"},
        // Hot: 1, 2, 3; warm: 4, 8; cold: 0, 5, 6, 7, 9 (the six draws).
        {"Iis({3;5;3},4)", N, "{3}"},
        {"Iis({5;3},4)", N, "{3}"},
        {"Iis({3},4,8)", N, ""},
        {"Iis({3},4,Max({8}))", N, "{3}"},
        {"Iis({9;8;7;4;10;-1},5)", N, "{4;8}"},
        {"Iis({0;1;2;3;4;5;6;7;8;9},6)", N, "{0;5;6;7;9}"},
        {"Iis({0;1;2;3;4;5;6;7;8;9},6,1)", N, "{4;5;6;8;9}"},
        {"Iis({1;2;5},15)", N, "{1;2}"},
        {"Iis({1;2;5},16)", N, "{5}"},
        {"Iis({1;5;9},20,{5;1})", N, "{5;1}"},
        {"Iis({1;5;9},20,{05})", N, ""},
        {"Iis({1;5;9},20)", N, ""},
        {"Iis({1;5;9},21,{2;4})", N, "{5;9}"},
        {"Iis({1;5;9},22,{2;4})", N, "{1}"},
        {"Iis({-200000000;200000000},21,{-300000000})", N, "{200000000}"},
        {"Iis({-200000000;200000000},22,{300000000})", N, "{-200000000}"},
        {"Iis({1;5;9},21)", N, ""},
        {"Iis({1;2},17)", N, ""},
        {"Iis({1;2},23)", N, ""},
        {"Iis({},0)", N, ""},
        {"Iis({3000000000})", N, "FAIL Iis函数：数值溢出"},
    });
    // Neighbour, isolated, pass, gap and middle: none at the first draw, no
    // gap at the second.
    const struct {
        int32_t draw;
        const char* expected[5];  // kinds 10..14
    } classes[] = {
        {0, {"", "", "", "", ""}},
        {1, {"{2;5;7;9}", "{0;1;6}", "{3;4;8}", "", "{0;1;2;5;6;7;9}"}},
        {2, {"{0;2;4;6;8}", "{3;7}", "{1;5;9}", "{3;4;8}", "{0;2;6;7}"}},
    };
    for (const auto& c : classes) {
        for (int k = 10; k <= 14; ++k) {
            test::FakeWayHistory history(test::SixDraws());
            EXPECT_EQ(test::Evaluate(kind(k), c.draw, &history), QString::fromLatin1(c.expected[k - 10]))
                << "kind " << k << " at " << c.draw;
        }
    }
}

}  // namespace
}  // namespace kelton
