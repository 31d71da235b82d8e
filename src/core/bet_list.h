#pragma once

// The bet list: the candidate bets of the filter window with their removal
// steps. Self-contained (standard library and QString only).
//
// Storage is flat: every bet takes Stride() = BM + 1 numbers in one array
// (index 0 unused and 0, index p = position p, 1 = units), its Level in a
// second array. A bet's Id is always its position + 1: bets are only
// appended, edited in place or compacted with renumbering.
//
// Steps: a removing operation marks the live bets it removes with BetStep
// and closes the step (BeginStep, MarkRemoved, CloseStep). Steps
// 1 .. BetStep - 1 are in force, BetStep .. BetLastStep are undone and can
// be redone. A bet is live when its Level is 0 or not below BetStep.
// After every operation: BetStepCount(k) = the number of bets with Level k
// for k = 1 .. BetLastStep, every Level <= BetLastStep, BetStep <=
// BetLastStep + 1, and an empty list has BetStep = BetLastStep = 0.
//
// The list knows how its bets were made (Type): a list of group bets is
// filtered as group bets, whatever bet type the filter window offers next.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <QString>

namespace kelton {

// How the bets of a list were made, by the index of the filter window's
// bet-type option.
enum class BetType : int16_t {
    Direct = 0,   // "单选投注": every position counts
    AllGroup = 1, // "所有组选"
    Group3 = 2,   // "组３投注"
    Group6 = 3,   // "组６投注"
    Triple = 4,   // "豹子号"
};

class BetList {
public:
    // The highest step number a removing operation may write: BetStep must
    // still be able to move past it.
    static constexpr int16_t kMaxStep = 32766;

    // Why a removing operation does not go ahead.
    enum class StepResult : int8_t {
        Ok,
        NoBets,    // the list is empty
        StepLimit, // BetStep has reached 32767: compact first
    };

    // A list for a game with positions 0..3 (three main numbers).
    BetList() = default;
    // An empty list for a game with positions 0..bm.
    explicit BetList(int16_t bm) { Reset(bm); }

    // Empties the list for a newly loaded game with positions 0..bm:
    // BetStep = BetLastStep = 0, no counts, direct bets.
    void Reset(int16_t bm);

    // Replaces the whole list by digits.size() / Stride() bets of the given
    // type (positions 0..BM each, Stride() numbers per bet; index 0 is
    // stored as 0), all live, Id 1..n, BetStep 1 and BetLastStep 0 (both 0
    // when no bet is given). False, and the list unchanged, when the size
    // is not a multiple of Stride().
    bool AssignBets(std::vector<int16_t> digits, BetType type = BetType::Direct);

    // ---- reading -------------------------------------------------------
    int16_t BM() const { return static_cast<int16_t>(m_stride - 1); }
    int16_t Stride() const { return m_stride; }
    int32_t BetCount() const { return m_count; }
    int16_t BetStep() const { return m_step; }
    int16_t BetLastStep() const { return m_lastStep; }
    // How the bets were made; the group types leave out what does not
    // apply to group bets when the list is filtered.
    BetType Type() const { return m_type; }
    bool GroupBets() const { return m_type != BetType::Direct; }
    // Bets removed at step k (1..BetLastStep); 0 elsewhere.
    int32_t BetStepCount(int16_t k) const;

    int32_t Id(int32_t i) const { return i + 1; }
    int16_t Level(int32_t i) const { return m_level[static_cast<size_t>(i)]; }
    bool IsLive(int32_t i) const
    {
        const int16_t level = m_level[static_cast<size_t>(i)];
        return level == 0 || level >= m_step;
    }
    // Positions 0..BM of bet i (index 0 is 0).
    std::span<const int16_t> Digits(int32_t i) const
    {
        return {m_digits.data() + static_cast<size_t>(i) * static_cast<size_t>(m_stride),
                static_cast<size_t>(m_stride)};
    }

    // Sum of BetStepCount(k) for k = 1 .. BetStep - 1.
    int32_t Recoverable() const;
    // BetCount - Recoverable.
    int32_t LiveCount() const { return m_count - Recoverable(); }
    // The list positions of the live bets in list order (the result grid's
    // rows 1..n; each row's RowData).
    std::vector<int32_t> LivePositions() const;

    // The undo button: something recoverable and a bet in the list.
    bool CanUndo() const { return Recoverable() >= 1 && m_count >= 1; }
    // The redo button: an undone step and a bet in the list.
    bool CanRedo() const { return m_lastStep >= m_step && m_count != 0; }

    // ---- texts ---------------------------------------------------------
    // The count line: "投注数：" live " 可恢复：" recoverable.
    QString CountText() const;
    // Bet i as the result grid shows it: positions bcMain .. 1 (hundreds
    // first), each padded with "0" to width characters, one blank between.
    QString BetText(int32_t i, int16_t bcMain, int16_t width) const;
    // The secondary numbers of bet i (positions bcMain + 1 .. BM), each
    // padded with "0" to width, one blank between; empty without any.
    QString SecondaryText(int32_t i, int16_t bcMain, int16_t width) const;
    // The live bets as copied to the clipboard, in the order the result
    // grid shows their numbers: per bet the main positions bcMain .. 1
    // (hundreds first), then the secondary ones bcMain + 1 .. BM, in plain
    // decimal, one blank between; CR LF between the lines, none after the
    // last; empty without a live bet.
    QString CopyText(int16_t bcMain) const;

    // ---- steps ---------------------------------------------------------
    // Starts a removing operation that goes ahead. Refuses an empty list
    // (NoBets) and a list whose BetStep has reached kMaxStep + 1
    // (StepLimit), changing nothing. Otherwise it drops the redo history
    // first (every Level >= BetStep becomes 0, BetLastStep = BetStep - 1,
    // the counts past it dropped) and gives a list still at step 0 its
    // first step.
    StepResult BeginStep();
    // Marks live bet i as removed at the current step (Level = BetStep).
    // Between BeginStep and CloseStep only; a bet that is not live is left
    // alone.
    void MarkRemoved(int32_t i);
    // Closes the operation: with at least one bet marked, BetLastStep =
    // BetStep, BetStep + 1 and the step's count recorded. Returns the
    // number of bets marked.
    int32_t CloseStep();

    // Undo ("Prev"): BetStep - 1 when above 2, else 1. Redo ("Next"):
    // BetStep + 1 while a step is undone, else BetLastStep + 1. Neither
    // changes a bet, and neither acts on an empty list.
    void Undo();
    void Redo();
    // Compact ("Refresh"): the live bets move to the front in their order
    // with Level 0 and Id 1..n, the rest is dropped; BetStep 1, BetLastStep
    // 0, no counts. With no live bet the list is empty (steps 0).
    void Compact();

    // ---- editing -------------------------------------------------------
    // Appends a live bet (positions 0..BM; shorter spans leave the rest 0)
    // with Id BetCount + 1. A list at step 0 starts at step 1; an empty list
    // becomes a list of direct bets, any other keeps its type.
    void AddBet(std::span<const int16_t> digits);
    // Overwrites positions 1..BM of bet i from digits (indexes 0..BM;
    // shorter spans leave the rest). Id, Level and steps stay.
    void SetDigits(int32_t i, std::span<const int16_t> digits);

    // Bytes held by the list's arrays.
    size_t MemoryBytes() const;

private:
    int16_t m_stride = 4;
    int32_t m_count = 0;
    int16_t m_step = 0;
    int16_t m_lastStep = 0;
    BetType m_type = BetType::Direct;
    int32_t m_marked = 0;             // bets marked since BeginStep
    std::vector<int16_t> m_digits;    // m_count * m_stride
    std::vector<int16_t> m_level;     // m_count
    std::vector<int32_t> m_stepCount; // 0..m_lastStep, entry 0 unused
};

} // namespace kelton
