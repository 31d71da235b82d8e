// The editor's help for the text left of the caret.

#include "formula/way_help.h"

#include <gtest/gtest.h>

#include "formula/way.h"
#include "platform/string_table.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using Kind = WayHelp::Kind;

// String ids of the help texts: Num's signature, description and parameter
// helps, the same of Sor, and the "+" operator.
constexpr int kNum = 1130;
constexpr int kSor = 1150;
constexpr int kPlus = 1011;

struct HelpCase {
    int caret;     // characters left of the caret
    Kind kind;
    int text;      // string id of the message text; 0 none
    const char* bold;  // the bold part of the signature, for Signature
};

TEST(WayHelpTest, HelpAtEachCaretPosition)
{
    const QString sample = QStringLiteral("Num(1,Sor(2,3),4,0)+x");
    const HelpCase cases[] = {
        {0, Kind::General, 0, nullptr},
        {1, Kind::General, 0, nullptr},
        {2, Kind::General, 0, nullptr},
        {3, Kind::Text, kNum + 1, nullptr},             // "Num"
        {4, Kind::Signature, kNum + 2, "第几位"},       // "Num("
        {5, Kind::Signature, kNum + 2, "第几位"},
        {6, Kind::Signature, kNum + 3, "至第几位"},     // "Num(1,"
        {7, Kind::Signature, kNum + 3, "至第几位"},
        {8, Kind::Signature, kNum + 3, "至第几位"},
        {9, Kind::Text, kSor + 1, nullptr},             // "...Sor"
        {10, Kind::Signature, kSor + 2, nullptr},       // "...Sor("
        {11, Kind::Signature, kSor + 2, nullptr},
        {12, Kind::Signature, kSor + 3, nullptr},       // "...Sor(2,"
        {13, Kind::Signature, kSor + 3, nullptr},
        {14, Kind::Signature, kNum + 3, "至第几位"},    // "...Sor(2,3)": back in Num
        {15, Kind::Signature, kNum + 4, "第前几期"},
        {16, Kind::Signature, kNum + 4, "第前几期"},
        {17, Kind::Signature, kNum + 5, "某种转换数据"},
        {18, Kind::Signature, kNum + 5, "某种转换数据"},
        {19, Kind::General, 0, nullptr},                // the call is complete
        {20, Kind::Text, kPlus, nullptr},               // "+"
        {21, Kind::General, 0, nullptr},
    };
    const CWay way;
    for (const HelpCase& c : cases) {
        const WayHelp help = WayHelpAt(way, QStringView(sample).left(c.caret));
        EXPECT_EQ(help.What, c.kind) << c.caret;
        EXPECT_EQ(help.Text, c.text ? LoadResString(c.text) : QString()) << c.caret;
        if (c.kind != Kind::Signature)
            continue;
        EXPECT_EQ(help.Signature, LoadResString(c.text < kSor ? kNum : kSor)) << c.caret;
        if (c.bold) {
            EXPECT_EQ(help.Signature.mid(help.BoldStart, help.BoldLength), QString::fromUtf8(c.bold))
                << c.caret;
        }
    }
}

TEST(WayHelpTest, OtherTexts)
{
    const struct {
        const char* before;
        Kind kind;
        int text;
    } cases[] = {
        {"x+num", Kind::Text, kNum + 1},   // any letter case
        {"nUM(", Kind::Signature, kNum + 2},
        {"a*", Kind::Text, kPlus + 2},
        // A fifth argument of Num, which has four: nothing changes.
        {"Num(1,2,3,4,", Kind::Keep, 0},
        // Fewer than three characters before "(", or no function's name.
        {"ab(", Kind::General, 0},
        {"(", Kind::General, 0},
        {"abc(1", Kind::General, 0},
        {"Num((", Kind::General, 0},
        // An unclosed inner bracket keeps the outer call's help away.
        {"Num(1,(2", Kind::General, 0},
    };
    const CWay way;
    for (const auto& c : cases) {
        const WayHelp help = WayHelpAt(way, QString::fromUtf8(c.before));
        EXPECT_EQ(help.What, c.kind) << c.before;
        EXPECT_EQ(help.Text, c.text ? LoadResString(c.text) : QString()) << c.before;
    }
}

TEST(WayHelpTest, CutParaBracket)
{
    const struct {
        const char* text;
        const char* cut;
    } cases[] = {
        {"Num(1,Sor(1,2),3,", "Num(1,Sor,3,"},
        {"Num(1,Sor(1,Val(2)),3", "Num(1,Sor,3"},
        // A last "(" still open after completed calls leaves the text as it is.
        {"Max(1,2)+Num(", "Max(1,2)+Num("},
        {"Max(1,2)+Min(3,4)", "Max+Min"},
        {"Num(", "Num("},
        {"a)b(", "a)b("},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutParaBracket(QString::fromUtf8(c.text), QLatin1Char('('), QLatin1Char(')')),
                  QString::fromUtf8(c.cut))
            << c.text;
    }
}

TEST(WayHelpTest, ParaSpan)
{
    const struct {
        const char* signature;
        int p;
        const char* bold;
    } cases[] = {
        {"Num(第几位,至第几位,第前几期,某种转换数据)", 0, "第几位"},
        {"Num(第几位,至第几位,第前几期,某种转换数据)", 1, "至第几位"},
        {"Num(第几位,至第几位,第前几期,某种转换数据)", 3, "某种转换数据"},
        {"Num(第几位,至第几位,第前几期,某种转换数据)", 9, "某种转换数据"},
        {"Mod(被除数,除数)", 1, "除数"},
        // Without ")" the last character is left out.
        {"Abc(x,yz", 1, "y"},
        {"Abc", 0, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        const QString signature = QString::fromUtf8(c.signature);
        const TextSpan span = ParaSpan(signature, c.p);
        EXPECT_EQ(signature.mid(span.Start, span.Length), QString::fromUtf8(c.bold)) << c.signature << " " << c.p;
    }
}

}  // namespace
}  // namespace kelton
