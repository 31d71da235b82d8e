// Parsing formula texts: statements, definitions, the grammar, error pieces,
// the literal range check and the limits of text length and nesting.

#include <gtest/gtest.h>

#include "formula/way.h"
#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

using test::Evaluate;

QString Value(const char* formula)
{
    test::FakeWayHistory history(test::SixDraws());
    return Evaluate(QString::fromUtf8(formula), test::kNextIssue, &history);
}

TEST(WayParserTest, StatementsAndGrammar)
{
    const struct {
        const char* formula;
        const char* expected;  // value, or "ERR position,length"
    } cases[] = {
        // Empty formulas.
        {"", ""},
        {"  \r\n' only a comment\r\n", ""},
        // Definitions and names.
        {"a=Num(1,3,0)\r\na|Num(1,3,1)", "{0;0;0;3;2;1}"},
        {"a=1\r\nb=a\r\nb+1", "{2}"},
        {"a=a+1", "ERR 3,1"},
        {"x=", ""},
        {"x=  \r\n5", "5"},
        {"x=1=2", "ERR 4,1"},
        {"a=1\r\na=2\r\na+1", "{2}"},
        {"a=1\r\n(a)", "ERR 7,1"},
        {"a = 1\r\na +1", "{2}"},
        {"a = Num(1,3,0)", "ERR 4,11"},
        {"a=5\r\na", "5"},
        // Comments, lines and blanks.
        {"5'comment", "5"},
        {"{1;2'}", "ERR 1,4"},
        {"1\r2", "ERR 1,3"},
        {"1\n2", "ERR 1,3"},
        {"  7  \r\n", "7"},
        // Calls.
        {"Num (1,3,0)", "{0;0;0}"},
        {" Num(1,3,0)", "{0;0;0}"},
        {"1+ Num(1,3,0)", "ERR 3,11"},
        {"num(1,3,0)", "{0;0;0}"},
        {"NUM(1,3,0)", "{0;0;0}"},
        {"Numx(1)", "ERR 4,4"},
        {"Num", "ERR 4,0"},
        {"Nu(1)", "ERR 1,5"},
        {"Max(Num(1,3,1),2)", "{3;2}"},
        {"Max({1;2},2)", "{2;1}"},
        {"Max(1,2))", "ERR 7,2"},
        {"Max((1,2)", "ERR 5,4"},
        {"Max(1,2)),3)", "ERR 5,7"},
        {"Max(Num(1,3,1)", "ERR 8,6"},
        // Literals and operators.
        {"1+2*3", "{9}"},
        {"{1;-2}+1", "{2;-1}"},
        {"-5", "-5"},
        {"3*-2", ""},  // (3 * "") - 2
        {"((7))", "7"},
        {"({1;2})", "1;2"},
        {"(1)+(2)", "{3}"},
        {"((1)+(2))*2", "{6}"},
        {"1e-5+1", "{1}"},
        {"+", ""},
        {"1+", ""},
        {"{1;2", "ERR 1,4"},
        {"{1;2}}", "ERR 1,6"},
        {"(1", "ERR 1,2"},
        // An error in the third line counts the first two with their line ends.
        {"1+2+3\r\n4+5+6+7\r\nx", "ERR 17,1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Value(c.formula), QString::fromUtf8(c.expected)) << c.formula;
}

TEST(WayParserTest, NodesOfAnEmptyFormula)
{
    CWay way;
    int32_t start = -1, count = -1;
    EXPECT_FALSE(way.TestStrWay(QStringLiteral("'x\r\n\r\n  "), start, count));
    EXPECT_EQ(way.NodeCount(), 0);
    EXPECT_EQ(start, -1);  // untouched
    EXPECT_TRUE(way.GetWayResult(0, nullptr).Ok());
    EXPECT_EQ(way.GetWayResult(0, nullptr).Value, QString());
    // A name standing for another creates no node.
    EXPECT_FALSE(way.TestStrWay(QStringLiteral("a=1\r\nb=a\r\nb"), start, count));
    EXPECT_EQ(way.NodeCount(), 1);
    EXPECT_EQ(way.DefCount(), 2);
    // A failed parse leaves nothing to evaluate.
    EXPECT_TRUE(way.TestStrWay(QStringLiteral("a=1\r\nx"), start, count));
    EXPECT_EQ(way.GetWayResult(0, nullptr).Value, QString());
}

TEST(WayParserTest, LiteralRangeCheck)
{
    const struct {
        const char* formula;
        const char* message;
    } cases[] = {
        {"{40000}", "40000"},
        {"{40000;1}", nullptr},
        {"Num(1, 32767.4 ,0)", nullptr},
        {"Num(1, 32767.5 ,0)", "32767.5"},
        {"Num(-32768)", nullptr},
        {"1+(-32769)", "-32769"},
        {"Max({1;2},2)|1e9", "1e9"},
        {"a=70000\r\nb=1", "70000"},
        {"x", nullptr},
    };
    for (const auto& c : cases) {
        CWay way;
        int32_t start = 0, count = 0;
        // The literals are checked whether or not the formula parses.
        static_cast<void>(way.TestStrWay(QString::fromUtf8(c.formula), start, count));
        const QString expected =
            c.message ? QStringLiteral("参数的值不能小于-32768或大于32767：") + QString::fromUtf8(c.message) : QString();
        EXPECT_EQ(way.FilterWay(), expected) << c.formula;
    }
}

// Long texts, long chains and deep nesting end in a value or an ordinary
// error, never in a crash.
TEST(WayParserTest, Limits)
{
    CWay way;
    int32_t start = 0, count = 0;

    const QString longest = QString(CWay::kMaxTextLength, QLatin1Char(' '));
    EXPECT_FALSE(way.TestStrWay(longest, start, count));
    EXPECT_TRUE(way.TestStrWay(longest + QLatin1Char('1'), start, count));
    EXPECT_EQ(start, CWay::kMaxTextLength + 1);
    EXPECT_EQ(count, 1);

    // 16000 operators in a row: one chain, evaluated without deep recursion.
    QString chain = QStringLiteral("1");
    for (int i = 0; i < 16000; ++i)
        chain += QStringLiteral("+1");
    chain.truncate(CWay::kMaxTextLength);
    EXPECT_EQ(Evaluate(chain, 0, nullptr), QStringLiteral("{16001}"));

    auto nested = [](int depth) {
        QString text;
        for (int i = 0; i < depth; ++i)
            text += QStringLiteral("Abs(");
        text += QLatin1Char('1');
        for (int i = 0; i < depth; ++i)
            text += QLatin1Char(')');
        return text;
    };
    EXPECT_EQ(Evaluate(nested(CWay::kMaxNesting), 0, nullptr), QStringLiteral("{1}"));
    const QString tooDeep = nested(CWay::kMaxNesting + 1);
    EXPECT_TRUE(way.TestStrWay(tooDeep, start, count));
    EXPECT_EQ(start, 4 * CWay::kMaxNesting + 1);  // the innermost call
    EXPECT_EQ(count, 6);
    EXPECT_TRUE(way.TestStrWay(nested(5000), start, count));

    // Parentheses around a literal are no nesting; around operators they are.
    const QString wrapped = QString(10000, QLatin1Char('(')) + QLatin1Char('7') + QString(10000, QLatin1Char(')'));
    EXPECT_EQ(Evaluate(wrapped, 0, nullptr), QStringLiteral("7"));
    QString deepSum;
    for (int i = 0; i < 3000; ++i)
        deepSum += QStringLiteral("1+(");
    deepSum += QLatin1Char('1') + QString(3000, QLatin1Char(')'));
    EXPECT_TRUE(way.TestStrWay(deepSum, start, count));
    EXPECT_GE(start, 1);
    EXPECT_LE(start + count - 1, deepSum.size());
}

}  // namespace
}  // namespace kelton
