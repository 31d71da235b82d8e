#include "data/server_info.h"

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "support/test_support.h"

namespace kelton {
namespace {

ServerInfo Read(const char* text)
{
    ServerInfo info;
    info.FromText(QString::fromUtf8(text));
    return info;
}

TEST(ServerInfoTest, ReadsEverySection)
{
    const ServerInfo info =
        Read("[Address]\r\nData= http://a.example/\r\nhttp://b.example/?a=1\r\n"
             "[Notify]\r\nHello\thttp://n.example/\textra\r\nPlain notice\r\n"
             "[News]\r\nn1\r\n[Field]\r\nhttp://f.example/\r\n[Email]\r\nme@x\r\n"
             "[QQ]\r\n12345\r\n[Tel]\r\n010-1\r\n[ShowPage]\r\nhttp://s1/\r\nhttp://s2/\r\n"
             "[SendInfo]\r\nsend\r\n[LottoDataWebPath]\r\nhttp://d.example/\r\n"
             "[MenuSever]\r\nhttp://m.example/\r\n[MenuNew]\r\nhttp://new.example/\r\n");
    EXPECT_EQ(info.SysAddress, QStringList({"http://a.example/", "http://b.example/?a=1"}));
    ASSERT_EQ(info.SysNotify.size(), 2);
    EXPECT_EQ(info.SysNotify[0], (SysNotice{"Hello", "http://n.example/"}));
    EXPECT_EQ(info.SysNotify[1], (SysNotice{"Plain notice", ""}));
    EXPECT_EQ(info.SysNews, QStringList({"n1"}));
    EXPECT_EQ(info.SysField, QStringList({"http://f.example/"}));
    EXPECT_EQ(info.SysEmail, QStringList({"me@x"}));
    EXPECT_EQ(info.SysQQ, QStringList({"12345"}));
    EXPECT_EQ(info.SysTel, QStringList({"010-1"}));
    EXPECT_EQ(info.SysShowPage, QStringList({"http://s1/", "http://s2/"}));
    EXPECT_EQ(info.SysSendInfo, u"send");
    EXPECT_EQ(info.SysLottoDataWebPath, u"http://d.example/");
    EXPECT_EQ(info.SysMenuSever, u"http://m.example/");
    EXPECT_EQ(info.SysMenuNew, u"http://new.example/");
    EXPECT_TRUE(info.SysOther.isEmpty());
}

struct LineCase {
    const char* text;
    const char* news; // the News entries joined by "|"
};

class ServerInfoLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ServerInfoLineTest, ValueOfALine)
{
    const ServerInfo info = Read(GetParam().text);
    EXPECT_EQ(info.SysNews.join(u'|'), QString::fromUtf8(GetParam().news)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerInfoLineTest,
    ::testing::Values(LineCase{"[News]\r\nData=  x  \r\n", "x"},
                      LineCase{"[News]\r\ndata=x\r\n", "data=x"},      // "Data" is case-sensitive
                      LineCase{"[News]\r\nData =x\r\n", "Data =x"},    // no blank before "="
                      LineCase{"[News]\r\nData=\r\nData=   \r\n", ""}, // empty values are skipped
                      LineCase{"[News]\r\n'comment\r\n 'not a comment\r\n", "'not a comment"},
                      LineCase{"[News]\r\n\tTabbed\t\r\n", "\tTabbed\t"}, // tabs are no blanks
                      LineCase{"[News]\n a \n b\n", "a|b"},               // LF line ends too
                      LineCase{"early\r\n[News]\r\nlate\r\n", "late"},
                      LineCase{"[News]\r\n[Other]\r\nx\r\n[News]\r\ny\r\n", "y"},
                      LineCase{"[news]\r\nx\r\n", ""})); // section names are case-sensitive

TEST(ServerInfoTest, UnknownSectionsAreKeptValueByValue)
{
    const ServerInfo info = Read("[Extra]\r\none\r\nData=two\r\n[Mixed Case]\r\nthree\r\n");
    EXPECT_EQ(info.SysOther, QStringLiteral("[Extra]\r\nData=one\r\n[Extra]\r\nData=two\r\n"
                                            "[Mixed Case]\r\nData=three\r\n"));
    const ServerInfo again = Read(info.ToText().toUtf8().constData());
    EXPECT_EQ(again.SysOther, info.SysOther);
}

TEST(ServerInfoTest, ValuesBeforeTheFirstSectionAreDropped)
{
    const ServerInfo info = Read("stray\r\nData=also\r\n[Address]\r\nhttp://a/\r\n");
    EXPECT_TRUE(info.SysOther.isEmpty());
    EXPECT_EQ(info.SysAddress, QStringList({"http://a/"}));
    EXPECT_FALSE(info.ToText().contains(u"stray"));
}

TEST(ServerInfoTest, EmptyAddressListGetsTheMakersSite)
{
    for (const char* text : {"", "[News]\r\nx\r\n", "[Address]\r\n\r\n"}) {
        const ServerInfo info = Read(text);
        EXPECT_EQ(info.SysAddress, QStringList({QString::fromLatin1(kDefaultSiteAddress)})) << text;
        EXPECT_EQ(Read(info.ToText().toUtf8().constData()).SysAddress, info.SysAddress);
    }
}

struct EditionCase {
    const char* lines;
    const char* edition;
    const char* list;
};

class NewEditionTest : public ::testing::TestWithParam<EditionCase> {};

TEST_P(NewEditionTest, OnlyTheOfferForThisVersionCounts)
{
    ServerInfo info;
    info.SysNewEdition = QStringLiteral("stale");
    info.SysNewEditionList = QStringLiteral("http://stale/");
    info.FromText(QStringLiteral("[NewEdition3]\r\n") + QString::fromUtf8(GetParam().lines) +
                  QStringLiteral("\r\n[Email]\r\nafter@x\r\n"));
    EXPECT_EQ(info.SysNewEdition, QString::fromUtf8(GetParam().edition)) << GetParam().lines;
    EXPECT_EQ(info.SysNewEditionList, QString::fromUtf8(GetParam().list)) << GetParam().lines;
    EXPECT_EQ(info.SysEmail, QStringList({"after@x"})); // reading went on
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewEditionTest,
    ::testing::Values(EditionCase{"2.04\t2.10\thttp://up/list.txt", "2.10", "http://up/list.txt"},
                      EditionCase{"2.040\t 2.10 \t http://up/ ", "2.10", "http://up/"}, // read as numbers
                      EditionCase{"2.03\t2.10\thttp://old/", "", ""}, // another version's offer
                      EditionCase{"2.04\t2.10\thttp://up/\r\n2.03\t2.05\thttp://old/", "2.10", "http://up/"},
                      EditionCase{"beta\t2.10\thttp://x/\r\n2.04\t2.11\thttp://up/", "2.11", "http://up/"},
                      EditionCase{"2.04\t2.10", "", ""}, // too few fields
                      EditionCase{"", "", ""}));

TEST(ServerInfoTest, SomeSingleValuesSurviveATextWithoutThem)
{
    ServerInfo info =
        Read("[MenuSever]\r\nhttp://m/\r\n[MenuNew]\r\nhttp://n/\r\n[LottoDataWebPath]\r\nhttp://d/\r\n"
             "[SendInfo]\r\ns\r\n");
    info.FromText(QStringLiteral("[News]\r\nx\r\n"));
    EXPECT_EQ(info.SysMenuSever, u"http://m/");
    EXPECT_EQ(info.SysMenuNew, u"http://n/");
    EXPECT_EQ(info.SysLottoDataWebPath, u"http://d/");
    EXPECT_TRUE(info.SysSendInfo.isEmpty());
}

TEST(ServerInfoTest, WritesTheSectionsInOrder)
{
    ServerInfo info;
    info.SysAddress = {"http://a/"};
    info.SysNotify = {{"t", "http://l/"}};
    info.SysNewEdition = "2.10";
    info.SysNewEditionList = "http://up/";
    info.SysMenuSever = "http://m/";
    info.SysOther = "[X]\r\nData=1\r\n";
    EXPECT_EQ(info.ToText(), QStringLiteral("[Address]\r\nhttp://a/\r\n[Notify]\r\nt\thttp://l/\r\n[News]\r\n"
                                            "[Field]\r\n[Email]\r\n[QQ]\r\n[Tel]\r\n"
                                            "[NewEdition3]\r\n2.04\t2.10\thttp://up/\r\n[ShowPage]\r\n"
                                            "[MenuSever]\r\nhttp://m/\r\n[MenuNew]\r\n\r\n"
                                            "[X]\r\nData=1\r\n\r\n"));
}

TEST(ServerInfoTest, TextRoundTripKeepsEveryList)
{
    ServerInfo info =
        Read("[Address]\r\nhttp://a/\r\n[Notify]\r\n通知\thttp://n/\r\nNo link\r\n[News]\r\nn\r\n"
             "[Field]\r\nf\r\n[Email]\r\ne\r\n[QQ]\r\nq\r\n[Tel]\r\nt\r\n"
             "[NewEdition3]\r\n2.04\t2.10\thttp://up/\r\n[ShowPage]\r\np1\r\np2\r\n"
             "[SendInfo]\r\nsi\r\n[LottoDataWebPath]\r\nhttp://d/\r\n[MenuSever]\r\nms\r\n"
             "[MenuNew]\r\nmn\r\n[Unknown]\r\nu1\r\nu2\r\n");
    const ServerInfo again = Read(info.ToText().toUtf8().constData());
    EXPECT_EQ(again, info);
}

TEST(ServerInfoTest, OnlyATextWithAKnownSectionIsServerInformation)
{
    const struct {
        const char* text;
        bool info;
    } cases[] = {
        {"[Address]\r\nhttp://a/\r\n", true},
        {"' notes\r\n  [LottoDataWebPath]  \nData/\n", true}, // LF lines, blanks around
        {"[MenuNew]\r\n", true},                                // a known section without values
        {"", false},
        {"<html><body>Not found</body></html>", false},
        {"[Unknown]\r\nu\r\n", false},
        {"[address]\r\nhttp://a/\r\n", false}, // section names are exact
        {"Address=http://a/\r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsServerInfoText(QString::fromUtf8(c.text)), c.info) << c.text;
}

} // namespace
} // namespace kelton
