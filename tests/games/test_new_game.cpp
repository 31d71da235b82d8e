#include "games/new_game.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/first_start.h"
#include "data/lottor_data.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class NewGameTest : public test::ProgramFolderTest {
protected:
    void Touch(const QString& relative, const QByteArray& bytes = "x")
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST(NewGameNumberTest, FirstFreeNumberFromThousand)
{
    struct Case {
        std::vector<int16_t> taken;
        int16_t expected;
    };
    const Case cases[] = {
        {{}, 1000},
        {{1000, 1001}, 1002},
        {{1001}, 1000},
        {{999, 1000, 1002}, 1001},
    };
    for (const Case& c : cases) {
        const auto taken = [&c](int16_t n) {
            return std::find(c.taken.begin(), c.taken.end(), n) != c.taken.end();
        };
        EXPECT_EQ(FirstFreeGameNumber(taken), c.expected);
    }
    EXPECT_EQ(FirstFreeGameNumber([](int16_t) { return true; }), -1);
}

TEST_F(NewGameTest, FirstFreeNumberLooksAtTheDataFiles)
{
    EXPECT_EQ(FirstFreeGameNumber(), 1000);
    Touch(u"Lottor/lottor1001"_s);
    EXPECT_EQ(FirstFreeGameNumber(), 1000);
    Touch(u"Lottor/lottor1000"_s);
    EXPECT_EQ(FirstFreeGameNumber(), 1002);
    EXPECT_EQ(GameDataPath(1002), u"Lottor/lottor1002"_s);
}

TEST(NewGameTextTest, DefinitionTextTakesTheBoxesAsTyped)
{
    GameParams p;
    p.LottorName = u" 福彩3D"_s;
    p.BcDataLen = u"9"_s;
    p.BcMain = u"3"_s;
    p.WinMod = u"[CUSTOMSTAT]\r\n20"_s;
    EXPECT_EQ(DefinitionText(p),
              u"[LOTTONAME]\r\n 福彩3D\r\n[BCDATANAME]\r\n\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
              "[MRDATANAME]\r\n\r\n[MRDATALEN]\r\n\r\n[MRMAIN]\r\n\r\n[CUSTOMSTAT]\r\n20\r\n"_s);
}

TEST(NewGameTextTest, ParamsOfADefinitionWithItsDefaults)
{
    GameParams typed;
    typed.LottorName = u"双色"_s;
    typed.BcDataLen = u"33"_s;
    typed.BcMain = u"6"_s;
    typed.MrDataLen = u"16"_s;
    typed.MrMain = u"1"_s;
    std::optional<GameParams> read = ParamsOfDefinition(DefinitionText(typed));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->LottorName, u"双色"_s);
    EXPECT_EQ(read->BcDataName, u"常规"_s); // a missing area name takes its default
    EXPECT_EQ(read->MrDataName, u"特别"_s);
    EXPECT_EQ(read->BcDataLen, u"33"_s);
    EXPECT_EQ(read->MrMain, u"1"_s);
    EXPECT_TRUE(read->WinMod.contains(u"[CUSTOMSTAT]\r\n10\r\n"_s));

    // A secondary largest value without a secondary count: no secondary area.
    typed.MrMain = u"0"_s;
    read = ParamsOfDefinition(DefinitionText(typed));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->MrDataLen, u"0"_s);
    EXPECT_EQ(read->MrMain, u"0"_s);

    // Refused: more secondary numbers than values, fewer main values than numbers.
    typed.MrMain = u"17"_s;
    EXPECT_FALSE(ParamsOfDefinition(DefinitionText(typed)));
    typed.MrMain = u"1"_s;
    typed.BcDataLen = u"5"_s;
    EXPECT_FALSE(ParamsOfDefinition(DefinitionText(typed)));
}

TEST(NewGameTextTest, NamesThatADefinitionCannotHold)
{
    struct Case {
        QString name;
        bool refused;
    };
    const Case cases[] = {
        {u"福彩3D"_s, false}, {u"[3D]"_s, true}, {u"  [3D] "_s, true}, {u"'3D"_s, true},  {u" '3D"_s, true},
        {u"3D's"_s, false},   {u"[3D"_s, false}, {u"[]"_s, false},     {u"a=b"_s, false}, {u""_s, false},
    };
    for (const Case& c : cases) {
        const QString problem = NameProblem(u"彩票名称"_s, c.name);
        EXPECT_EQ(!problem.isEmpty(), c.refused) << c.name.toStdString();
        if (c.refused) {
            EXPECT_TRUE(problem.contains(u"彩票名称"_s));
        }
    }
}

TEST_F(NewGameTest, CreatesTheDataFileUnderTheFirstFreeNumber)
{
    GameParams p;
    p.LottorName = u"新玩法"_s;
    p.BcDataLen = u"9"_s;
    p.BcMain = u"3"_s;
    Touch(u"Lottor/lottor1000"_s);
    const std::optional<CreatedGame> created = CreateGame(DefinitionText(p));
    ASSERT_TRUE(created);
    EXPECT_EQ(created->Path, u"Lottor/lottor1001"_s);
    EXPECT_EQ(created->Name, u"新玩法"_s);

    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, created->Path));
    EXPECT_EQ(game.HeadData.LottorName, u"新玩法"_s);
    EXPECT_EQ(game.NumCount(), 0);
    EXPECT_EQ(game.Header().FileTag, 1001);

    p.BcMain = u"10"_s; // more numbers than values
    EXPECT_FALSE(CreateGame(DefinitionText(p)));
    EXPECT_FALSE(CreateGame(QString()));
    EXPECT_FALSE(QFileInfo::exists(Path(u"Lottor/lottor1002"_s)));
}

TEST_F(NewGameTest, TemplatesAreTheLtrFilesDecodedFromGbk)
{
    EXPECT_TRUE(TemplateNames().isEmpty()); // no folder
    Touch(u"LottorTemplate/b.Ltr"_s, ToGbk(u"[LOTTONAME]\r\n排列三\r\n"_s));
    Touch(u"LottorTemplate/a.ltr"_s);
    Touch(u"LottorTemplate/notes.txt"_s);
    QDir().mkpath(Path(u"LottorTemplate/dir.Ltr"_s));
    EXPECT_EQ(TemplateNames(), (QStringList{u"a.ltr"_s, u"b.Ltr"_s}));
    EXPECT_EQ(ReadTemplate(u"b.Ltr"_s), u"[LOTTONAME]\r\n排列三\r\n"_s);
    EXPECT_FALSE(ReadTemplate(u"gone.Ltr"_s));
    EXPECT_FALSE(ReadTemplate(u"../Lottor/x"_s));
}

} // namespace
} // namespace kelton
