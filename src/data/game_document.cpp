#include "data/game_document.h"

#include "data/lottor_data.h"

namespace kelton {

GameDocument::GameDocument(QObject* parent) : QObject(parent) {}

GameDocument::~GameDocument() = default;

void GameDocument::Open(std::shared_ptr<CLottorData> game, int16_t bm)
{
    m_game = std::move(game);
    m_bets.Reset(bm);
    m_betType = BetType::Direct;
    m_targetIssue = -1;
    m_targetText.clear();
    Q_EMIT betsChanged();
    Q_EMIT betTypeChanged();
    Q_EMIT targetChanged();
}

bool GameDocument::RebuildStatistics()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return false;
    const bool failed = game->ReStat();
    Q_EMIT statisticsRebuilt();
    return failed;
}

int16_t GameDocument::Mark(int16_t pos, int16_t ball) const
{
    const std::shared_ptr<CLottorData> game = Game();
    return game ? game->SelectBall(pos, ball) : int16_t(0);
}

void GameDocument::SetMark(int16_t pos, int16_t ball, int16_t flag)
{
    if (const std::shared_ptr<CLottorData> game = Game(); game && game->SelectBall(pos, ball, flag))
        Q_EMIT markChanged(pos, ball);
}

void GameDocument::ToggleMark(int16_t pos, int16_t ball)
{
    if (const std::shared_ptr<CLottorData> game = Game(); game && game->AutoSelectBall(pos, ball))
        Q_EMIT markChanged(pos, ball);
}

void GameDocument::SetBetType(BetType type)
{
    if (type == m_betType)
        return;
    m_betType = type;
    Q_EMIT betTypeChanged();
}

void GameDocument::SetTargetIssue(int32_t index, const QString& text)
{
    Q_ASSERT(index >= -1);
    if (index == m_targetIssue && text == m_targetText)
        return;
    m_targetIssue = index;
    m_targetText = text;
    Q_EMIT targetChanged();
}

GameDocument::ConditionsNotice::ConditionsNotice(GameDocument& doc)
    : m_doc(doc), m_game(doc.Game()), m_main(m_game->SelBc()), m_secondary(m_game->SelMr())
{
}

GameDocument::ConditionsNotice::~ConditionsNotice()
{
    CLottorData& game = *m_game;
    const int16_t bcMain = game.HeadData.BcMain;
    // Main rows are positions 0..BcMain; secondary row r is position
    // BcMain + r (its row 0 is never addressed).
    const auto announce = [this](const std::vector<std::vector<int16_t>>& before,
                                 const std::vector<std::vector<int16_t>>& after, size_t firstRow, int16_t offset) {
        for (size_t r = firstRow; r < before.size() && r < after.size(); ++r) {
            for (size_t v = 0; v < before[r].size() && v < after[r].size(); ++v) {
                if (before[r][v] != after[r][v])
                    Q_EMIT m_doc.markChanged(static_cast<int16_t>(r + static_cast<size_t>(offset)),
                                             static_cast<int16_t>(v));
            }
        }
    };
    announce(m_main, game.SelBc(), 0, 0);
    announce(m_secondary, game.SelMr(), 1, bcMain);
    Q_EMIT m_doc.conditionsChanged();
}

} // namespace kelton
