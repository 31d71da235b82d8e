#pragma once

// The two checks of the filter scheme that report into the main window's
// side panel: the check of a drawn issue against every switched-on
// condition and other filter (no tolerance applied), and the settings check
// before a run. Both give the rows the panel shows; the panel places them.
// Also the panel's own rules: its layout, the splitter and its links.

#include <cstdint>
#include <vector>

#include <QString>

namespace kelton {

class CLottorData;
struct SettingsFindings;

// How a row moves the running top down once placed.
enum class RowAdvance : uint8_t {
    TextHeight, // the label's height as its text makes it
    Placed,     // the height set at placing (180): the text comes later
    None,       // the row stays where the last check put it
};

struct PanelRow {
    bool Header = true; // a section row (LblStat), else an item row (LblFilter)
    int16_t Index = 0;  // the element of its label array
    QString Text;
    QString Tag; // item rows: "v|name", "Match", "History", "Gather"
    QString Tip;
    RowAdvance Advance = RowAdvance::TextHeight;
};

struct PanelContent {
    QString Title;
    std::vector<PanelRow> Rows; // in placing order
    int16_t HeadersUsed = 0;    // LblStat elements 0..HeadersUsed-1 stay
    int16_t ItemsUsed = 0;      // LblFilter elements 0..ItemsUsed-1 stay
    bool Show = true;           // false: the panel is hidden
    int32_t Total = 0;          // findings counted in the title
};

// The row texts of the panel.
QString ConditionTip();   // "点击查看具体走势"
QString OtherFilterTip(); // "点击查看具体情况"

// The check of the drawn issue `issue` (its list text issueText; itemCount
// items in the list, the last "下期"): every switched-on condition of every
// view whose value set does not hold the view's value at that issue, then
// the items of the three other filters the drawn numbers fail. An issue
// that is not drawn gives the refusal row.
PanelContent VerifyScheme(CLottorData& game, int32_t issue, int32_t itemCount, const QString& issueText);

// The settings check's rows from its findings (filter_run.h).
PanelContent SettingsCheckPanel(const SettingsFindings& findings);

// --- The panel's rules (twips) -----------------------------------------------

struct SidePanelLayout {
    int32_t ScrollLeft = 0;
    int32_t ScrollHeight = 0;
    bool ScrollVisible = false;
    int32_t ScrollMax = 0;
    int32_t ScrollUnit = 1; // twips per scroll step: 1 or 100
    int32_t LargeChange = 0;
    int32_t ContentTop = 0; // when the bar is hidden
    int32_t ContentWidth = 0;
    int32_t SplitterLeft = 0;
};

// W, H the panel's size, headerHeight its header, contentHeight the rows'
// area, scrollWidth and splitterWidth the bar's and the splitter's widths.
SidePanelLayout LayOutSidePanel(int32_t width, int32_t height, int32_t headerHeight, int32_t contentHeight,
                                int32_t scrollWidth, int32_t splitterWidth);

// The width a splitter drag gives: width + x when that lies strictly
// between 300 and the main window's width - 300, else the width unchanged.
// Only the left button alone drags.
int32_t DraggedPanelWidth(int32_t width, int32_t x, int32_t mainWidth, bool leftButtonOnly);

// Where a row's tag leads.
struct RowLink {
    enum Kind : uint8_t { Nothing, View, Match, History, Gather } Target = Nothing;
    int16_t ViewIndex = -1;
    QString ViewName;
};
RowLink ParseRowTag(const QString& tag, int16_t viewCount);

} // namespace kelton
