// Formulas over a real game: its draws and the statistics of its views, read
// through GameWayHistory, agree with the plain fake of the other formula
// tests wherever the fake follows the statistics exactly (drawn numbers,
// view 0, sums, issue numbers, class flags).

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "formula/game_way_history.h"
#include "formula/way.h"
#include "support/draw_rows.h"
#include "support/test_support.h"
#include "way_test_support.h"

namespace kelton {
namespace {

class GameWayHistoryTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QString file = Path(QStringLiteral("g.dat"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(
                QStringLiteral("[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"), file, 1000));
        }
        ASSERT_FALSE(m_game.OpenData(8, file));
        std::vector<const char*> rows;
        for (const std::string& d : m_draws)
            rows.push_back(d.c_str());
        ASSERT_EQ(m_game.Add(test::Draws(rows, 2006241)), static_cast<int16_t>(rows.size()));
        ASSERT_FALSE(m_game.UpData());
    }

    std::vector<std::string> m_draws = test::SixDraws();
    CLottorData m_game;
};

TEST_F(GameWayHistoryTest, AgreesWithThePlainHistory)
{
    GameWayHistory real(m_game);
    test::FakeWayHistory fake(m_draws);
    EXPECT_EQ(real.NumCount(), fake.NumCount());
    EXPECT_EQ(real.BcMain(), 3);
    EXPECT_EQ(real.BcDataLen(), 9);
    EXPECT_TRUE(real.HasView(7));
    EXPECT_FALSE(real.HasView(8));

    const char* const formulas[] = {
        "Num(1,3)",
        "Num(1,3,0)",
        "Num(2,3,2)",
        "Bal(0,9)",
        "Fil(1)",
        "Iss()",
        "TiR()",
        "TiR(0,1,1,1,2)",
        "TiL(0,8,1,1,1)",
        "Rep(0,1,1,3)",
        "Rep(3)",
        "a={0;1;2;3;4;5;6;7;8;9}\r\nIis(a,4)|Iis(a,5)|Iis(a,6)",
        "a={0;1;2;3;4;5;6;7;8;9}\r\nIis(a,10)|Iis(a,11)|Iis(a,12)|Iis(a,13)|Iis(a,14)",
    };
    for (const char* formula : formulas) {
        for (int32_t draw = 0; draw <= test::kNextIssue; ++draw) {
            EXPECT_EQ(test::Evaluate(QString::fromLatin1(formula), draw, &real),
                      test::Evaluate(QString::fromLatin1(formula), draw, &fake))
                << formula << " at " << draw;
        }
    }
}

TEST_F(GameWayHistoryTest, RankingsAndViewsOfTheRealStatistics)
{
    GameWayHistory real(m_game);
    for (int16_t v = 0; v < 8; ++v) {
        for (int16_t kind = 0; kind < 8; ++kind) {
            // Every value stands at one rank; every view value stands for one number.
            const QString formula = QStringLiteral("Onl(Sor(0,%1,0,9,0,%2))").arg(kind).arg(v);
            EXPECT_EQ(test::Evaluate(formula, test::kNextIssue, &real).count(QLatin1Char(';')), 9) << formula.toStdString();
        }
        const QString all = QStringLiteral("Onl(Bal(0,9,0,%1))").arg(v);
        EXPECT_EQ(test::Evaluate(all, test::kNextIssue, &real).count(QLatin1Char(';')), 9) << all.toStdString();
        const QString counted = QStringLiteral("Val(0,0,0,100,0,%1)").arg(v);
        EXPECT_EQ(test::Evaluate(counted, test::kNextIssue, &real).count(QLatin1Char(';')), 9) << counted.toStdString();
    }
}

}  // namespace
}  // namespace kelton
