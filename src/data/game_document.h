#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <QObject>
#include <QString>

#include "core/bet_list.h"

namespace kelton {

class CLottorData;

// The open game as the windows share it: the game itself (its draws, its
// statistics views with their conditions, its tolerances and its marks)
// and the filter session (the bet list, the bet type the filter window
// offers, the target issue). Whatever several windows show changes only
// through the functions here, and each kind of change is announced by a
// signal: a window subscribes to what it shows and repaints itself, and
// nobody tells another window what to repaint.
class GameDocument : public QObject {
    Q_OBJECT

public:
    explicit GameDocument(QObject* parent = nullptr);
    ~GameDocument() override;

    // ---- the game ---------------------------------------------------------
    // The open game; nullptr when none is open. The application state
    // owns the game: the document follows it and lets it go with it.
    std::shared_ptr<CLottorData> Game() const { return m_game.lock(); }
    // Makes game the open game (nullptr: none). The filter session starts
    // afresh: an empty bet list for positions 0..bm, direct bets offered,
    // no target issue. Announces the bets, the bet type and the target.
    void Open(std::shared_ptr<CLottorData> game, int16_t bm);

    // ---- draws ------------------------------------------------------------
    // Regenerates the open game's statistics from its draws and announces
    // it (also when the files could not be written: the views in memory
    // are rebuilt). True when writing failed; false without a game.
    [[nodiscard]] bool RebuildStatistics();

    // ---- marks ("下期" selections) ------------------------------------------
    // The mark of value ball at position pos (0 off, -1 on); 0 without a
    // game or out of range.
    int16_t Mark(int16_t pos, int16_t ball) const;
    // Stores flag / flips the mark between 0 and -1, and announces the
    // cell; out of range (or without a game) nothing changes and nothing
    // is announced.
    void SetMark(int16_t pos, int16_t ball, int16_t flag);
    void ToggleMark(int16_t pos, int16_t ball);

    // ---- conditions and tolerances ------------------------------------------
    // Runs change over the open game (its own tolerances and other filters,
    // and the conditions of its views), then announces the conditions and
    // every mark change made meanwhile. Answers what change answers. Only
    // while a game is open.
    template <class Change> decltype(auto) ChangeConditions(Change&& change);

    // ---- the filter session -------------------------------------------------
    const BetList& Bets() const { return m_bets; }
    // Runs change over the bet list, then announces the bets. Answers what
    // change answers.
    template <class Change> decltype(auto) ChangeBets(Change&& change);

    // The bet type the filter window offers for the next bets and runs;
    // direct bets let every condition take part, the group types only the
    // group-bet indicators.
    BetType OfferedBetType() const { return m_betType; }
    bool DirectBets() const { return m_betType == BetType::Direct; }
    void SetBetType(BetType type);

    // The target issue of the filter run and the condition hints: an index
    // into the draws, or their count for "下期"; -1 (and an empty text)
    // while none is chosen.
    int32_t TargetIssue() const { return m_targetIssue; }
    // The chosen issue as the filter window lists it (an issue number or
    // "下期").
    const QString& TargetIssueText() const { return m_targetText; }
    void SetTargetIssue(int32_t index, const QString& text);

Q_SIGNALS:
    // The open game's statistics views were rebuilt from its draws.
    void statisticsRebuilt();
    // The mark of value ball at position pos changed.
    void markChanged(int16_t pos, int16_t ball);
    // A condition, a tolerance or an other filter of the open game changed.
    void conditionsChanged();
    // The bet list changed (bets, steps or type).
    void betsChanged();
    // The offered bet type changed.
    void betTypeChanged();
    // The target issue changed.
    void targetChanged();

private:
    // Notes the marks before a change and announces the conditions and the
    // marks that differ after it, on every way out.
    class ConditionsNotice {
    public:
        explicit ConditionsNotice(GameDocument& doc);
        ~ConditionsNotice();
        ConditionsNotice(const ConditionsNotice&) = delete;
        ConditionsNotice& operator=(const ConditionsNotice&) = delete;
        CLottorData& Game() const { return *m_game; }

    private:
        GameDocument& m_doc;
        std::shared_ptr<CLottorData> m_game;
        std::vector<std::vector<int16_t>> m_main;
        std::vector<std::vector<int16_t>> m_secondary;
    };
    class BetsNotice {
    public:
        explicit BetsNotice(GameDocument& doc) : m_doc(doc) {}
        ~BetsNotice() { Q_EMIT m_doc.betsChanged(); }
        BetsNotice(const BetsNotice&) = delete;
        BetsNotice& operator=(const BetsNotice&) = delete;

    private:
        GameDocument& m_doc;
    };

    std::weak_ptr<CLottorData> m_game;
    BetList m_bets;
    BetType m_betType = BetType::Direct;
    int32_t m_targetIssue = -1;
    QString m_targetText;
};

template <class Change> decltype(auto) GameDocument::ChangeConditions(Change&& change)
{
    Q_ASSERT(Game()); // conditions belong to an open game; callers check
    const ConditionsNotice notice(*this);
    return std::forward<Change>(change)(notice.Game());
}

template <class Change> decltype(auto) GameDocument::ChangeBets(Change&& change)
{
    const BetsNotice notice(*this);
    return std::forward<Change>(change)(m_bets);
}

} // namespace kelton
