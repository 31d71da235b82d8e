#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "data/filter_items.h"
#include "data/value_set.h"
#include "platform/save_file.h"

namespace kelton {

class CLottorData;

// Filter schemes (".voskc"): the whole setting of the filter window as one
// INI-like text, GBK with CR LF line ends, in this order:
//   [Issue]        the target issue as a position in the issue list
//                  (0..NumCount-1 the draws, NumCount the next issue)
//   [Ball]         the digit grids: BM+1 groups joined by ",", group 0 the
//                  group grid, group p position p (secondary positions with
//                  their own digits); digits padded to BcNumMaxLen, each
//                  after a blank when anything precedes it
//   [Throw]        the bet type 0..4
//   [AllErr]       Enabled=, Val= of the total tolerance
//   [Stat0]..[Stat7]  per data view: k=S,V,E'name (k = 0..42),
//                  Pos<p>=S,V,E (p = 1..BcMain), Err=S,V,E (the view's own
//                  tolerance slot)
//   [OtherFilter]  Enabled=, Val= of the other-filter tolerance
//   [FilterMatch] [FilterHistory] [FilterGather]  the item lists
//                  (otherfilter/other_sections.h, key "SubErrVal")
// Values are not escaped; a reader cuts every line at its first "'".

inline constexpr char16_t kSchemeFileFilter[] = u"投注方案(*.voskc)|*.voskc|文本文件(*.txt)|*.txt";
inline constexpr char16_t kSchemeSaveTitle[] = u"保存投注方案";
inline constexpr char16_t kSchemeOpenTitle[] = u"打开投注方案";
inline constexpr char16_t kSchemeSaveStatus[] = u"正在保存方案";
inline constexpr char16_t kSchemeOpenStatus[] = u"正在加载方案";
inline constexpr char16_t kSchemeLoaded[] = u"恭喜，成功导入方案！";
inline constexpr char16_t kSchemeRefused[] = u"导入方案失败，可能不是有效方案！";
inline constexpr char16_t kSchemeMessageTitle[] = u"操作提示";

// What the filter window holds of a scheme besides the game.
struct SchemeWindowPart {
    int32_t IssuePosition = -1; // the target-issue list's position; -1 none
    int16_t BetType = 0;        // the bet-type option 0..4
};

// The text of the current setting: the window's part, the game's digit
// grids, tolerances, item lists and the conditions of every view it has.
// Lines joined by CR LF, none after the last.
QString SchemeText(const CLottorData& game, const SchemeWindowPart& window);

// The largest scheme file read or written: a setting whose three item
// lists are at their limit fits many times over.
inline constexpr qint64 kMaxSchemeFileBytes = qint64(32) << 20;
inline constexpr char16_t kSchemeTooLarge[] = u"导入方案失败，文件大于 32 MB，不是有效的方案文件：";

// Writes sText and a final CR LF as GBK through SaveWholeFile: a failure
// leaves the file that was there whole and says why. A text over
// kMaxSchemeFileBytes, which no reader would take, is not written.
SaveOutcome WriteSchemeFile(const QString& path, const QString& sText);

// One condition slot as a scheme gives it.
struct SchemeSlot {
    int16_t Sel = 0;
    int16_t Err = 0;
    ValueSet Val;
};

// A scheme read for one game, starting from the empty setting: everything
// the text does not name stays cleared.
struct FilterScheme {
    SchemeWindowPart Window;
    // Digit flags by position 0..BM and digit 0..BcDataLen (MrDataLen for
    // the secondary positions).
    std::vector<std::vector<uint8_t>> Digits;
    int16_t AllErrSel = 0;
    ValueSet AllErrVal;
    int16_t OtherErrSel = 0;
    ValueSet OtherErrVal;
    // Per data view 0..7: slots 0..BcMain+43 (indicators, positions, the
    // view's own tolerance).
    std::array<std::vector<SchemeSlot>, 8> Views;
    CFilterMatch Match;
    CFilterHistory History;
    CFilterGather Gather;
};

// Parses a scheme text for the game. nullopt, for a text that is to change
// nothing: an empty text, one that names no section a scheme has, a digit,
// bet type or issue position too large for its field, or an item list of
// more than kMaxFilterItems rows (oRefusal then says which). Lines end at
// CR LF or LF.
std::optional<FilterScheme> ReadSchemeText(QStringView text, const CLottorData& game,
                                           QString* oRefusal = nullptr);

// The issue-list position a scheme selects: its own, or the next issue
// (numCount) when that is below 0 or above numCount.
int32_t SchemeIssuePosition(const FilterScheme& scheme, int32_t numCount);

// Writes the game's part of a scheme: the digit grids (every cell, through
// SelectBall, so open windows repaint), the two tolerances, the three item
// lists, and every view's conditions, each view normalised by
// IniShrinkData afterwards. The window's part is the caller's.
void ApplySchemeToGame(FilterScheme scheme, CLottorData& game);

} // namespace kelton
