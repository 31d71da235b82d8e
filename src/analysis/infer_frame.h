#pragma once

#include <cstdint>
#include <vector>

#include <QPoint>
#include <QRect>
#include <QString>

namespace kelton {

// The analysis window's frame from the top down, in twips: the top bar, the
// view area (grid and chart share it), the tab strip and, inside it, the
// page holder with the selected page and the condition frame at its right.

inline constexpr int kTopBarHeight = 375;
inline constexpr int kTopBarLeft = 120;
inline constexpr int kTabOpenHeight = 1575;
inline constexpr int kTabClosedHeight = 300;
inline constexpr int kFraFilterWidth = 1500;
// The pages and the condition frame fill the page holder of the open tab
// strip.
inline constexpr int kPageHeight = kTabOpenHeight - 400;
inline constexpr int kFraFilterHeight = kPageHeight;
inline constexpr int kOptionHeight = 255;
// The data page's four rows of options stand 240 apart: its options are no
// higher, so that no row covers the next.
inline constexpr int kDataOptionHeight = 240;
// The narrowest the character page (six columns of options) and the
// relation page (options and the number list) are laid out.
inline constexpr int kCharacterPageMin = 6 * (1215 + 105) + 240;
inline constexpr int kRelatePageMin = 5175;

struct FrameInput {
    int W = 0;                 // the window's outer width
    int H = 0;                 // and height
    int TabHeight = kTabOpenHeight;
    int HolderHeight = 0;      // the page holder's current height
    int FrameWidth = kFraFilterWidth;
    QString Key;               // key of the selected tab
    int PageLeft = 120;        // the page's current Left
    int PosPageWidth = 5700;
};

struct FrameLayout {
    QRect Top;      // ends where the view does, at the window's edge
    QRect View;     // msgMain and chMain
    QRect Tabs;     // Tsp1
    int BarTop = 0; // HsbTsp's Top
    QRect Holder;   // PicTsp
    QRect Frame;    // FraFilter inside the holder
    // The page of the selected tab (none for "Hide" and unknown keys).
    bool SizesPage = false;
    int PageLeft = 120;
    int PageWidth = 0;
    bool HideFrame = false; // "Sort" and "Miss"
    // The scroll bar: shown with Max and SmallChange, or hidden.
    bool BarVisible = false;
    int BarMax = 0;
    int BarSmallChange = 1;
};

// Form_Resize: the frame's places for a window of W x H with the given tab.
FrameLayout LayoutFrame(const FrameInput& in);

// PosPageWidth: the width the position page and the condition frame need
// for BM numbers per draw.
int PosPageWidth(int bm, int optionWidth = 1215, int frameWidth = kFraFilterWidth);

// Option grids of the pages for a page width P: the place (Left, Top) of
// every option, in the order named.
// Sort: OptListAll, OptList(0..7), then OptStatAll, OptStat(0..7); and the
// separator's X (-1: P below 9000, nothing moves, the design places hold).
struct SortPagePlaces {
    bool Applies = false;
    int SeparatorX = 0;
    std::vector<QPoint> List; // 9 places: OptListAll, OptList 0..7
    std::vector<QPoint> Stat; // 9 places: OptStatAll, OptStat 0..7
};
SortPagePlaces SortPage(int P, int optionWidth = 1455);
// Data: OptAll, OptFilter(0..18).
std::vector<QPoint> DataPage(int P, int optionWidth = 1095);
// Character: OptFilter(20..36).
std::vector<QPoint> CharacterPage(int P);
// Pos: OptFilter(37 .. 42 + BM).
std::vector<QPoint> PosPage(int P, int bm);
// Miss: optFilterMiss(0..3), then optFilterMiss2(0..4); empty below 6500.
struct MissPagePlaces {
    bool Applies = false;
    int SeparatorX = 0;
    std::vector<QPoint> Miss;
    std::vector<QPoint> Miss2;
};
MissPagePlaces MissPage(int P, int optionWidth = 1215);

} // namespace kelton
