#pragma once

#include <array>
#include <cstdint>

namespace kelton {

// A control's place in twips, measured from the top left corner of the box
// that holds it. The filter window lays itself out in 16-bit twips.
struct TwipsBox {
    int16_t Left = 0;
    int16_t Top = 0;
    int16_t Width = 0;
    int16_t Height = 0;
    friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

// The filter window's design: where every control sits before the window's
// size moves anything. Three framed panels side by side, each with its inner
// box at (40, 240) inside the frame.
namespace FilterDesign {

// Frames in the window's client area, and the inner boxes in their frames.
inline constexpr TwipsBox FraSet{40, 120, 3450, 6975};
inline constexpr TwipsBox FraChipIn{3480, 120, 5055, 6975};
inline constexpr TwipsBox FraResult{8520, 120, 3255, 6975};
inline constexpr int16_t kPanelLeft = 40;
inline constexpr int16_t kPanelTop = 240;
inline constexpr int16_t kPanelHeight = 6615; // frame height - 360
// The window's outer size as designed: the three frames and their margins.
inline constexpr int16_t kWindowWidth = 11975;
inline constexpr int16_t kWindowHeight = 7635;
// What the window's frame adds to its client area (borders and title bar),
// so that the frames keep their design margins whatever frame the window
// system draws.
inline constexpr int16_t kChromeWidth = 120;
inline constexpr int16_t kChromeHeight = 450;
// The smallest size the layout computes with.
inline constexpr int16_t kMinWindowWidth = 8200;
inline constexpr int16_t kMinWindowHeight = 7000;

// Bet settings (inside picSet).
inline constexpr TwipsBox LblNumName{120, 180, 975, 255};
inline constexpr TwipsBox cboNumName{1080, 120, 1215, 300};
inline constexpr TwipsBox LblBall{2400, 180, 900, 255};
inline constexpr int16_t kLineSet1Y = 600;  // below the issue row
inline constexpr int16_t kLineSet3Y = 3600; // above the bet-type options
// Rows of the digit grids by grid index (0 group, 1 units, 2 tens,
// 3 hundreds): hundreds at the top, the group grid in the tens row.
inline constexpr std::array<int16_t, 4> kDigitRowTop{1920, 2880, 1920, 960};
inline constexpr int16_t kDigitLabelLeft = 120;
inline constexpr int16_t kDigitLabelWidth = 495;
inline constexpr int16_t kDigitGridLeft = 720;
inline constexpr int16_t kDigitColWidth = 270;
inline constexpr int16_t kDigitPresetLeft = 2400;
inline constexpr int16_t kDigitPresetWidth = 735;
inline constexpr int16_t kOptLeft = 1080;
inline constexpr int16_t kOptTop = 4080;
inline constexpr int16_t kOptPitch = 360;
inline constexpr int16_t kOptWidth = 1455;
inline constexpr int16_t kOptHeight = 255;
inline constexpr TwipsBox cmdSingle{1080, 6240, 1215, 375};

// Condition settings (inside picChipIn).
inline constexpr TwipsBox tspChipIn{75, 0, 4815, 6015};
inline constexpr TwipsBox picChipIn1{100, 310, 4710, 5520};
inline constexpr TwipsBox picChipInHeader{0, 0, 4665, 450};
inline constexpr int16_t kRowsTop = 480; // the rows' box and the other page
inline constexpr int16_t kRowsWidth = 4695;
inline constexpr TwipsBox PicChipInOther{0, 480, 4605, 4185};
inline constexpr TwipsBox vslChipIn{4455, 360, 255, 5115}; // at the inner box's right edge
inline constexpr TwipsBox ChkErr{120, 6270, 1335, 255};
inline constexpr TwipsBox TxtErr{1440, 6260, 1815, 270};
inline constexpr TwipsBox cmdChipInVali{3360, 6240, 600, 375}; // ends where 条件取值 starts
inline constexpr TwipsBox cmdChipInNearLay{3960, 6240, 975, 375};
// The headers of both pages.
inline constexpr TwipsBox cmdSelAll{0, 20, 495, 300};
inline constexpr TwipsBox chkFilterErr{600, 20, 855, 255};
inline constexpr TwipsBox chkOtherErr{600, 20, 735, 255};
inline constexpr TwipsBox TxtFilterErr{1560, 20, 2175, 270};
inline constexpr TwipsBox cmdSelErr{4080, 20, 495, 300};
inline constexpr int16_t kHeaderLineY = 360;
// The other page: three lines of switch, button and tolerance box.
inline constexpr std::array<int16_t, 3> kOtherTop{120, 600, 1080};
inline constexpr int16_t kOtherSwitchLeft = 120;
inline constexpr int16_t kOtherSwitchWidth = 1815;
inline constexpr int16_t kOtherButtonLeft = 2880;
inline constexpr int16_t kOtherButtonWidth = 855;
inline constexpr int16_t kOtherErrLeft = 4080;
inline constexpr int16_t kOtherLineHeight = 255;
inline constexpr TwipsBox LblOtherMsg{600, 3600, 3255, 255};

// Bet results (inside picResult).
inline constexpr TwipsBox tbrResult{60, 0, 1440, 390};
inline constexpr int16_t kLineResult3Y = 420; // below the toolbar
inline constexpr TwipsBox msgResult{0, 480, 3135, 4485};
inline constexpr TwipsBox lblCount{60, 5085, 3075, 255};
inline constexpr int16_t kResultButtonWidth = 855;
inline constexpr int16_t kResultButtonHeight = 375;
inline constexpr int16_t kResultIdWidth = 800;     // column 0 of the result grid
inline constexpr int16_t kResultNumberWidth = 400; // per number, columns 1 and 2

} // namespace FilterDesign

// Form_Resize: the heights of the three frames and their inner boxes, and
// the width of the results frame, for a window of that outer size. Only the
// results frame grows in width; a window narrower than the results frame's
// right margin keeps its width as it is (resultWidth, resultPanelWidth).
// The window counts as at least 8200 x 7000 and at most 32767 twips.
struct FilterFrameLayout {
    int16_t FrameHeight = 0;      // FraSet, FraChipIn, FraResult
    int16_t PanelHeight = 0;      // picSet, picChipIn, picResult
    int16_t ResultWidth = 0;      // FraResult
    int16_t ResultPanelWidth = 0; // picResult
    friend bool operator==(const FilterFrameLayout&, const FilterFrameLayout&) = default;
};
FilterFrameLayout LayoutFilterFrames(int32_t windowWidth, int32_t windowHeight, int16_t resultWidth,
                                     int16_t resultPanelWidth);

// picSet_Resize: the separator above the make-bets button at LineY, the
// five bet-type options spread with six equal gaps between the separator
// above them (line3Y) and LineY, and the button below LineY. Options keep
// their tops (optTop) when there is no room between the separators.
struct SetPanelLayout {
    int16_t LineY = 0;
    std::array<int16_t, 5> OptTop{};
    int16_t SingleTop = 0;
    friend bool operator==(const SetPanelLayout&, const SetPanelLayout&) = default;
};
SetPanelLayout LayoutSetPanel(int16_t panelHeight, int16_t line3Y, const std::array<int16_t, 5>& optTop,
                              const std::array<int16_t, 5>& optHeight);

// picResult_Resize: the separator above the two buttons at LowY, the grid's
// width and height and its numbers column (each only set where the rule
// allows: -1 keeps the old value), the count line under the grid and the
// two buttons sharing the width with three equal gaps. fixedColsWidth is
// what the other columns take (column 0, and the secondary numbers' column
// when there is one).
struct ResultPanelLayout {
    int16_t LowY = 0;
    int16_t GridWidth = -1;
    int16_t GridHeight = -1;
    int16_t NumbersWidth = -1;
    int16_t CountTop = 0;
    int16_t ButtonTop = 0;
    int16_t GetLeft = 0;
    int16_t PrintLeft = 0;
    friend bool operator==(const ResultPanelLayout&, const ResultPanelLayout&) = default;
};
ResultPanelLayout LayoutResultPanel(int16_t panelWidth, int16_t panelHeight, int16_t gridTop,
                                    int16_t gridWidth, int16_t gridHeight, int16_t fixedColsWidth,
                                    int16_t getWidth);

// The condition panel's resize (picChipIn): the bottom line and the tab
// strip follow the panel's height; the inner box takes the other page's
// height. The inner box sits below the tabs: at 310 as designed, lower (and
// that much shorter) where the tabs are drawn taller (tabsHeight).
struct ChipPanelLayout {
    int16_t ErrTop = 0;      // ChkErr
    int16_t TxtErrTop = 0;   // TxtErr
    int16_t ButtonTop = 0;   // cmdChipInVali, cmdChipInNearLay
    int16_t TabHeight = 0;   // tspChipIn
    int16_t OtherHeight = 0; // PicChipInOther
    int16_t InnerTop = 0;    // picChipIn1
    int16_t InnerHeight = 0;
    friend bool operator==(const ChipPanelLayout&, const ChipPanelLayout&) = default;
};
ChipPanelLayout LayoutChipPanel(int16_t panelHeight, int16_t tabsHeight);

// The inner box's resize (picChipIn1): the rows' scroll bar for an inner
// box innerHeight high under a header headerHeight high over rowsHeight of
// rows. The bar shows only on a data-view tab and only when the rows
// overflow by more than one twip.
struct ConditionScroll {
    int16_t BarHeight = 0;
    int16_t Max = 1;
    bool Visible = false;
    friend bool operator==(const ConditionScroll&, const ConditionScroll&) = default;
};
ConditionScroll LayoutConditionScroll(int16_t innerHeight, int16_t headerHeight, int16_t rowsHeight,
                                      bool otherTab);

// The top of the rows' box for a scroll bar value.
int16_t ConditionRowsTop(int16_t scrollValue);

// The four controls of condition row i (0 .. BcMain + 42) in the rows' box:
// on flag, name, value set, tolerance flag; rows 350 twips apart.
struct ConditionRowBoxes {
    TwipsBox Check;
    TwipsBox Name;
    TwipsBox Value;
    TwipsBox ErrCheck;
    friend bool operator==(const ConditionRowBoxes&, const ConditionRowBoxes&) = default;
};
ConditionRowBoxes ConditionRowAt(int16_t row);
// The rows' box height: one row per indicator and per main position.
int16_t ConditionRowsHeight(int16_t bcMain);

// A digit grid's rows: five values to a row, as many rows as the values 0
// .. bcDataLen need.
int16_t DigitGridRows(int16_t bcDataLen);

} // namespace kelton
