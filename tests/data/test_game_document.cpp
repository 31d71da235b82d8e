#include "data/game_document.h"

#include <array>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::ProgramFolderTest;

// Every signal of a document, in the order it came: a letter per kind, and
// the cell of each mark.
class SignalLog {
public:
    explicit SignalLog(GameDocument& doc)
    {
        QObject::connect(&doc, &GameDocument::statisticsRebuilt, [this] { Kinds += 'S'; });
        QObject::connect(&doc, &GameDocument::markChanged, [this](int16_t pos, int16_t ball) {
            Kinds += 'M';
            Marks.push_back({pos, ball});
        });
        QObject::connect(&doc, &GameDocument::conditionsChanged, [this] { Kinds += 'C'; });
        QObject::connect(&doc, &GameDocument::betsChanged, [this] { Kinds += 'B'; });
        QObject::connect(&doc, &GameDocument::betTypeChanged, [this] { Kinds += 'T'; });
        QObject::connect(&doc, &GameDocument::targetChanged, [this] { Kinds += 'I'; });
    }
    void Clear()
    {
        Kinds.clear();
        Marks.clear();
    }

    std::string Kinds;
    std::vector<std::array<int, 2>> Marks;
};

class GameDocumentTest : public ProgramFolderTest {
protected:
    // A three-digit game with one secondary number 1..12, open in the
    // document.
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QString def = QStringLiteral(
            "[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n");
        const QString file = Path(QStringLiteral("game"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(def, file, 1000));
        }
        ASSERT_FALSE(m_game->OpenData(1, file));
        m_doc.Open(m_game, m_game->HeadData.BM);
        m_log.Clear();
    }

    std::shared_ptr<CLottorData> m_game = std::make_shared<CLottorData>();
    GameDocument m_doc;
    SignalLog m_log{m_doc};
};

TEST_F(GameDocumentTest, OpeningStartsAFreshSession)
{
    m_doc.ChangeBets([](BetList& bets) { bets.AddBet(std::vector<int16_t>{0, 1, 2, 3, 4}); });
    m_doc.SetBetType(BetType::Group6);
    m_doc.SetTargetIssue(0, QStringLiteral("下期"));
    m_log.Clear();

    m_doc.Open(m_game, 3);
    EXPECT_EQ(m_doc.Game(), m_game);
    EXPECT_EQ(m_doc.Bets().BetCount(), 0);
    EXPECT_EQ(m_doc.Bets().BM(), 3);
    EXPECT_TRUE(m_doc.DirectBets());
    EXPECT_EQ(m_doc.TargetIssue(), -1);
    EXPECT_TRUE(m_doc.TargetIssueText().isEmpty());
    EXPECT_EQ(m_log.Kinds, "BTI");
}

// The document follows the game the application holds and lets it go.
TEST_F(GameDocumentTest, TheGameGoesWithItsOwner)
{
    m_game.reset();
    EXPECT_EQ(m_doc.Game(), nullptr);
    m_doc.SetMark(1, 1, -1);
    m_doc.ToggleMark(1, 1);
    EXPECT_EQ(m_doc.Mark(1, 1), 0);
    EXPECT_FALSE(m_doc.RebuildStatistics());
    EXPECT_TRUE(m_log.Kinds.empty());
}

TEST_F(GameDocumentTest, EachMarkChangeIsAnnouncedWithItsCell)
{
    m_doc.ToggleMark(2, 5);
    EXPECT_EQ(m_doc.Mark(2, 5), -1);
    EXPECT_EQ(m_game->SelectBall(2, 5), -1);
    m_doc.SetMark(4, 12, -1); // the secondary number
    m_doc.ToggleMark(2, 5);
    EXPECT_EQ(m_doc.Mark(2, 5), 0);
    EXPECT_EQ(m_log.Kinds, "MMM");
    EXPECT_EQ(m_log.Marks, (std::vector<std::array<int, 2>>{{2, 5}, {4, 12}, {2, 5}}));

    // A cell the game does not have changes nothing and is not announced.
    m_log.Clear();
    m_doc.SetMark(1, 10, -1);
    m_doc.ToggleMark(5, 0);
    EXPECT_TRUE(m_log.Kinds.empty());
}

// A change of the conditions is announced once, after the marks it changed
// (main and secondary positions, each cell that differs).
TEST_F(GameDocumentTest, ConditionChangesAnnounceTheMarksTheyChanged)
{
    m_game->SelectBall(1, 3, -1);
    CStat& view = *m_game->StatView(0);
    const int answer = m_doc.ChangeConditions([&view](CLottorData& game) {
        view.SetShrinkSel(5, 1);
        game.ShrinkAllErrSel = 1;
        game.SelectBall(1, 3, -1); // as it was
        game.SelectBall(2, 7, -1);
        game.SelectBall(4, 1, -1);
        return 7;
    });
    EXPECT_EQ(answer, 7);
    EXPECT_EQ(view.ShrinkSel(5), 1);
    EXPECT_EQ(m_game->ShrinkAllErrSel, 1);
    EXPECT_EQ(m_log.Kinds, "MMC");
    EXPECT_EQ(m_log.Marks, (std::vector<std::array<int, 2>>{{2, 7}, {4, 1}}));
}

TEST_F(GameDocumentTest, BetChangesAreAnnounced)
{
    const int32_t count = m_doc.ChangeBets([](BetList& bets) {
        bets.AddBet(std::vector<int16_t>{0, 1, 2, 3, 4});
        return bets.BetCount();
    });
    EXPECT_EQ(count, 1);
    EXPECT_EQ(m_doc.Bets().BetCount(), 1);
    EXPECT_EQ(m_log.Kinds, "B");
}

// The bet type and the target issue are announced when they change.
TEST_F(GameDocumentTest, SessionChoicesAreAnnouncedWhenTheyChange)
{
    m_doc.SetBetType(BetType::Group3);
    m_doc.SetBetType(BetType::Group3);
    EXPECT_FALSE(m_doc.DirectBets());
    EXPECT_EQ(m_doc.OfferedBetType(), BetType::Group3);
    m_doc.SetTargetIssue(2, QStringLiteral("2024003"));
    m_doc.SetTargetIssue(2, QStringLiteral("2024003"));
    EXPECT_EQ(m_doc.TargetIssue(), 2);
    EXPECT_EQ(m_doc.TargetIssueText(), QStringLiteral("2024003"));
    m_doc.SetTargetIssue(3, QStringLiteral("下期"));
    EXPECT_EQ(m_log.Kinds, "TII");
}

TEST_F(GameDocumentTest, RebuildingTheStatisticsIsAnnounced)
{
    EXPECT_FALSE(m_doc.RebuildStatistics());
    EXPECT_EQ(m_log.Kinds, "S");
}

} // namespace
} // namespace kelton
