#pragma once

// The prize query: the live bets of the bet list held against one draw in a
// play mode, the hits listed and their prizes totalled from the game's prize
// table. Pure rules; the window (results/ui/hit_query_form.h) applies them.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

#include "data/currency.h"

namespace kelton {

class BetList;

// The play modes by their index in the mode list.
//   Direct: the bet equals the draw position by position.
//   Group3: the draw holds exactly two equal digits; the bet holds the same
//           three digits in any order.
//   Group6: the draw holds three different digits; the bet holds the same
//           three digits in any order.
enum class HitMode : int16_t { Direct = 0, Group3 = 1, Group6 = 2 };

// Hits listed at most; later hits are still counted and summed.
inline constexpr int32_t kMaxListedHits = 19999;

// The modes a game offers (its mode list holds modes 0 .. count - 1): all
// three for a game of three main numbers, the direct mode alone otherwise,
// since the group modes compare exactly three digits.
int16_t HitModeCount(int16_t bcMain);

// "单选", "组选三", "组选六".
QString HitModeName(HitMode mode);
// The prize table's caption of the mode: "单选奖金", "组选三奖金", "组选六奖金".
QString HitPrizeCaption(HitMode mode);
// The mode's entry x of the prize table (WinMod(x, 0, 1)): mode index + 1.
int16_t HitPrizeIndex(HitMode mode);

// Whether a draw (positions 0..bcMain, index 0 unused) can win in the mode:
// always in the direct mode; in the group modes only a draw of three main
// numbers with exactly two equal (group-3) or all different (group-6).
bool DrawQualifies(HitMode mode, std::span<const int16_t> draw, int16_t bcMain);

// Whether a bet (positions 0..BM) wins against the draw in the mode. The
// draw must qualify (DrawQualifies).
bool IsHit(HitMode mode, std::span<const int16_t> bet, std::span<const int16_t> draw, int16_t bcMain);

// The outcome of a query.
struct HitTally {
    std::vector<int32_t> Listed; // list positions of the first hits, at most kMaxListedHits
    int32_t Count = 0;           // every hit
    Currency Amount;             // the mode's prize per hit

    // Count x Amount as plain decimal text ("1000", "12.5"), exact however
    // large.
    QString TotalText() const;
};

// Walks the bet list once in list order and tests every live bet against
// the draw (positions 0..bcMain). A draw that does not qualify examines no
// bet: no hit, a total of 0.
HitTally QueryHits(const BetList& bets, HitMode mode, std::span<const int16_t> draw, int16_t bcMain,
                   Currency amount);

// The hit list's row of the bet at list position i: its Id, TAB, its
// digits from position bcMain down to 1 (each padded with "0" to width, one
// blank apart, in the bet's own order), TAB, the mode's name.
QString HitRowText(const BetList& bets, int32_t i, HitMode mode, int16_t bcMain, int16_t width);

// The two summary rows under the hits: " " TAB "统计", then the count
// followed by "注", TAB, "奖金:" and the total, TAB, the mode's name.
std::array<QString, 2> HitSummaryRows(const HitTally& tally, HitMode mode);

// ---- the prize editor -------------------------------------------------

// Largest amount the editor takes: 9 whole digits and 4 decimals.
inline constexpr int kPrizeWholeDigits = 9;
inline constexpr int kPrizeDecimals = 4;

enum class PrizeTextCheck : int8_t {
    Ok,
    NotNumber,       // letters, an empty box: nothing changes, nothing said
    Negative,
    TooManyDigits,   // more than 9 whole digits (leading zeros not counted)
    TooManyDecimals, // more than 4 decimals (trailing zeros not counted)
};

struct PrizeEntry {
    PrizeTextCheck Check = PrizeTextCheck::NotNumber;
    Currency Value; // the amount when Check is Ok
};

// Reads the editor's text as a prize amount: a plain decimal number (blanks
// around it, an optional sign, digits with an optional fraction), not
// negative, of at most 9 whole digits and 4 decimals. A refused text is
// never cut to fit.
PrizeEntry ReadPrizeText(QStringView text);

// What the editor says about a refused amount; empty for Ok and NotNumber.
QString PrizeRefusalText(PrizeTextCheck check);

// ---- layout, in twips --------------------------------------------------

// The fixed controls of the dialog for a game. The digit boxes stand one
// above the other with the highest place at the top (box k - 1 shows main
// position k, so the units box is the lowest of them); the secondary
// numbers' boxes follow below the units box, one per row. The buttons and
// the editor's hint sit below the last box.
struct HitQueryControls {
    QRect LblType;
    QRect CboType;
    QRect LblName;
    QRect CboName;
    std::vector<QRect> Boxes;  // index k - 1: position k (1..BcMain + MrMain)
    std::vector<QRect> Labels; // the captions beside them
    QRect CmdQuery;
    QRect CmdHelp;
    QRect Hint;
    QSize Outer;     // the dialog's first size, frame included
    QSize MinOuter;  // the smallest size that still shows the controls
};

HitQueryControls HitQueryOpenLayout(int16_t bcMain, int16_t mrMain);

// The frame with the two grids, laid out for the dialog's outer size. The
// frame keeps its left and top and leaves 200 to the right and 600 below;
// the grids are 100 narrower than the frame; the hit list runs from below
// the separator lines to 50 above the frame's bottom and keeps its height
// where the frame is too low for that (resultHeight is its height so far).
struct HitQueryFrameLayout {
    static constexpr int32_t kFrameLeft = 2640;
    static constexpr int32_t kFrameTop = 120;
    static constexpr int32_t kLine1Top = 1380;
    static constexpr int32_t kLine2Top = 1410;
    static constexpr int32_t kResultTop = 1500;

    QRect Frame;
    int32_t LineWidth = 0;
    QRect PrizeGrid;  // within the frame
    QRect ResultGrid; // within the frame
};

HitQueryFrameLayout HitQueryResize(QSize outer, int32_t resultHeight);

} // namespace kelton
