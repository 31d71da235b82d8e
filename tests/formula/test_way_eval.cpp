// Evaluating formulas: the operators and Mod, failures with their cause, and
// the node values kept within one evaluation.

#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "formula/way.h"
#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

using test::Evaluate;

QString Value(const char* formula, int32_t draw = test::kNextIssue)
{
    test::FakeWayHistory history(test::SixDraws());
    return Evaluate(QString::fromUtf8(formula), draw, &history);
}

TEST(WayEvalTest, Operators)
{
    const struct {
        const char* formula;
        const char* expected;
    } cases[] = {
        {"{1;2}", "1;2"},
        {"{1;2}+{10;20}", "{11;12}"},
        {"{1;2}+{}", ""},
        {"{}+{5}", ""},
        {"{1;2}|{2;3}", "{1;2;2;3}"},
        {"{}|{}", ""},
        {"|{ 1; 2}", "{1; 2}"},
        {"{05;7}&{5}", "{05}"},
        {"{5;5;6}&{5.0}", "{5;5}"},
        {"{5}!{5.0}", ""},
        {"{5}#{05}", ""},
        {"{1;2}#{2;3}", "{1;3}"},
        {"{7}/{2}", "{3.5}"},
        {"{1}/{3}", "{0.333333333333333}"},
        {"{1}/{0}", ""},
        {"{1}/{0.00001}", ""},
        {"{-7}\\{2}", "{-3}"},
        {"{7}\\{2}", "{3}"},
        {"{7.5}\\{2}", "{3}"},
        {"{0.5}*{0.5}", "{0.25}"},
        {"{2}*{1;100}", "{2}"},
        {"{400000}*{400000}", "{160000000000}"},
        {"{1.5}-{2}", "{-0.5}"},
        {"{0.00005}+0", "{0}"},
        {"Mod({-7;7},{3})", "{2;1}"},
        {"Mod({8},{})", "8"},
        {"Mod({8},{-3})", "{2}"},
        {"Mod({2.5;3.5},{3.4})", "{2;1}"},
        {"Mod(,3)", ""},
        {"Iss()", "246"},
        {"a=Num(1,3,0)\r\na|a", "{0;0;0;0;0;0}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Value(c.formula), QString::fromUtf8(c.expected)) << c.formula;
}

// A failure ends the evaluation with its cause; it is never an empty value.
TEST(WayEvalTest, FailuresCarryTheirCause)
{
    const struct {
        const char* formula;
        WayFault fault;
        const char* cause;
    } cases[] = {
        {"Mod({8},{0})", WayFault::DivideByZero, "Mod函数：除数为0"},
        {"Mod({8},{0.4})", WayFault::DivideByZero, "Mod函数：除数为0"},
        {"Mod({8},{32768})", WayFault::Overflow, "Mod函数：数值溢出"},
        {"Mod({3000000000},{7})", WayFault::Overflow, "Mod函数：数值溢出"},
        {"{900000000000000}+{900000000000000}", WayFault::Overflow, "运算符“+”：数值溢出"},
        {"{1e15}*{1}", WayFault::Overflow, "运算符“*”：数值溢出"},
        {"{1}-{1e15}", WayFault::Overflow, "运算符“-”：数值溢出"},
        {"{1e15}/{2}", WayFault::Overflow, "运算符“/”：数值溢出"},
        {"{1;1e20}&{1}", WayFault::Overflow, "运算符“&”：数值溢出"},
        {"{1}!{2;1e20}", WayFault::Overflow, "运算符“!”：数值溢出"},
        {"{1}#{1e20}", WayFault::Overflow, "运算符“#”：数值溢出"},
        {"Num(Btn({99999;1}))", WayFault::Overflow, "Num函数：数值溢出"},
        {"1|Mod({8},{0})|2", WayFault::DivideByZero, "Mod函数：除数为0"},
    };
    for (const auto& c : cases) {
        test::FakeWayHistory history(test::SixDraws());
        CWay way;
        int32_t start = 0, count = 0;
        ASSERT_FALSE(way.TestStrWay(QString::fromUtf8(c.formula), start, count)) << c.formula;
        const WayResult r = way.GetWayResult(test::kNextIssue, &history);
        EXPECT_FALSE(r.Ok()) << c.formula;
        EXPECT_EQ(r.Fault, c.fault) << c.formula;
        EXPECT_EQ(r.Cause, QString::fromUtf8(c.cause)) << c.formula;
        EXPECT_EQ(r.Value, QString()) << c.formula;
    }
}

// Names used twice in each line would take 2^40 evaluations one by one.
TEST(WayEvalTest, SharedNodesAreEvaluatedOnce)
{
    QString doubling = QStringLiteral("n0={}");
    for (int i = 1; i <= 40; ++i)
        doubling += QStringLiteral("\r\nn%1=n%2|n%2").arg(i).arg(i - 1);
    EXPECT_EQ(Evaluate(doubling, 0, nullptr), QString());
    EXPECT_TRUE(Evaluate(doubling, 0, nullptr, false).startsWith(QStringLiteral("FAIL 公式的运算量")));

    // With a value each line doubles its size: stopped with a cause.
    QString growing = doubling;
    growing.replace(0, 5, QStringLiteral("n0=1"));
    CWay way;
    int32_t start = 0, count = 0;
    ASSERT_FALSE(way.TestStrWay(growing, start, count));
    WayResult r = way.GetWayResult(0, nullptr);
    EXPECT_EQ(r.Fault, WayFault::Budget);
    EXPECT_EQ(r.FaultOrder, -1);
    EXPECT_EQ(r.Cause, QStringLiteral("公式的运算量超过限制，请简化公式"));

    // 32032 items of 16 characters make a value too long to keep.
    QString items = QStringLiteral("-123456789012.25");
    for (int i = 1; i < 32; ++i)
        items += QStringLiteral(";-123456789012.25");
    ASSERT_FALSE(way.TestStrWay(QStringLiteral("App({%1},1000)").arg(items), start, count));
    r = way.GetWayResult(0, nullptr);
    EXPECT_EQ(r.Fault, WayFault::ValueTooLarge);
    EXPECT_EQ(r.Cause, QStringLiteral("App函数：号码集超过524288个字符"));
}

// Random small formulas over the history give the same value, or the same
// failure, with and without keeping node values.
TEST(WayEvalTest, KeepingNodeValuesChangesNoResult)
{
    std::mt19937 rng(20240611);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char* const leaves[] = {"1", "{1;2;2}", "{}", "-3", "0.5", "{9;0;05}", "Num(1,3,1)", "Iss()",
                                  "Bal(0,9)", "Fil(1)", "Rep()", "TiR(0,1,1,1,1)", "Sor(0,6,0,3)", ""};
    const char* const operators = "+-*/|&!#\\";
    const char* const unary[] = {"Max(%1,2)", "Min(%1,3)", "Onl(%1)",       "Abs(%1)",  "Int(%1)",
                                 "Dec(%1)",   "App(%1,2,3)", "Des(%1,,4)",  "Iis(%1,%2)", "Btn(%1)",
                                 "Mod(%1,%2)", "Iif(%1,%2,1)", "Bet(,1,2,%1,%2)", "Num(%1,3,%2)"};
    std::function<QString(int, const QStringList&)> expr = [&](int depth, const QStringList& names) -> QString {
        const int kind = depth <= 0 ? 0 : pick(3);
        if (kind == 0) {
            if (!names.isEmpty() && pick(2) == 0)
                return names[pick(static_cast<int>(names.size()))];
            return QString::fromLatin1(leaves[pick(std::size(leaves))]);
        }
        const QString a = expr(depth - 1, names);
        const QString b = expr(depth - 1, names);
        if (kind == 1)
            return QLatin1Char('(') + a + QLatin1Char(operators[pick(9)]) + b + QLatin1Char(')');
        return QString::fromLatin1(unary[pick(std::size(unary))]).replace(QLatin1String("%1"), a).replace(QLatin1String("%2"), b);
    };
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        QStringList names;
        QString formula;
        const int lines = 1 + pick(5);
        for (int l = 0; l < lines; ++l) {
            const QString name = QStringLiteral("v%1").arg(l);
            formula += name + QLatin1Char('=') + expr(1 + pick(3), names) + QStringLiteral("\r\n");
            names << name;
        }
        formula += expr(2, names);
        CWay way;
        int32_t start = 0, count = 0;
        if (way.TestStrWay(formula, start, count))
            continue;
        for (int32_t draw : {0, 1, 3, test::kNextIssue}) {
            test::FakeWayHistory history(test::SixDraws());
            way.SetMemoise(true);
            const WayResult kept = way.GetWayResult(draw, &history);
            way.SetMemoise(false);
            const WayResult plain = way.GetWayResult(draw, &history);
            if (plain.Fault == WayFault::Budget)
                continue;
            EXPECT_EQ(kept.Value, plain.Value) << formula.toStdString() << " at " << draw;
            EXPECT_EQ(kept.Cause, plain.Cause) << formula.toStdString() << " at " << draw;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace kelton
