#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QRect>
#include <QString>

namespace kelton {

// ---------------------------------------------------------------------------
// The views of an analysis window: one per option button, told apart by the
// button's family and index. The caption of the button is the view's name.

enum class ViewFamily : int8_t {
    ListAll,     // "历史分布图"
    List,        // distribution tables, index = ranking kind 0..7
    Stat,        // ranking bar charts, index = ranking kind 0..7
    StatAll,     // "综合排行"
    All,         // "综合"
    Filter,      // indicator trends, index = indicator 0 .. 42 + BM
    Cycle,       // "循环分布数据"
    Gather,      // relation views 0..3
    FilterMiss,  // miss statistics of one indicator 0..3
    FilterMiss2, // miss statistics of a pair 0..4
};

struct ViewId {
    ViewFamily Family = ViewFamily::ListAll;
    int16_t Index = 0;
    friend bool operator==(const ViewId&, const ViewId&) = default;
};

// Tabs of the tab strip, counted from 1; tab 8 "隐藏分析栏" holds no page.
inline constexpr int kTabCount = 8;
inline constexpr int kHideTab = 8;
QString TabCaption(int tab);
QString TabKey(int tab);

// The top-bar kind (0..8) each view sets up before it draws.
int16_t TopBarKindOf(ViewFamily family);

// One option button as the dispatcher sees it.
struct ViewOption {
    ViewId Id;
    QString Caption;
    int Tab = 1;
};

// What the dispatcher matches against: the option captions as they stand,
// indexed like the buttons. Filter holds 0 .. 42 + B + R.
struct ViewCaptions {
    QString ListAll;
    std::array<QString, 8> List;
    std::array<QString, 8> Stat;
    QString StatAll;
    QString All;
    std::vector<QString> Filter;
    QString Cycle;
    std::array<QString, 4> Gather;
    std::array<QString, 4> FilterMiss;
    std::array<QString, 5> FilterMiss2;
};

// The option buttons in the order the dispatcher tries them, each with its
// tab.
std::vector<ViewOption> DispatchOrder(const ViewCaptions& captions);

// The view a name opens: the first option whose caption equals it; else
// the custom-period distribution table when the name is part of its caption
// (an empty name is part of any caption); else "历史分布图" on tab 1.
ViewOption FindView(const ViewCaptions& captions, const QString& name);

// The tab an option lies on, and the view each tab remembers after
// construction.
int TabOf(ViewFamily family, int16_t index);
ViewId DefaultTabView(int tab);

// ---------------------------------------------------------------------------
// The top bar: one set of controls serving every view; each kind shows some
// of them, some at places computed from others.

enum class TopCtl : int8_t {
    LblPT1,
    cboPTStart,
    cboPTEnd,
    picPTKind,
    chkPTShowHit,
    chkPTColor,
    LblPT2,
    cboPTIndex,
    chkPTSort,
    picPTList,
    LblPT3,
    lblPT4,
    cboPTBcTaxis,
    cboPTSubarea,
    cboPTSubarea2,
    chkPTColorUpDown,
    cboPTFilter,
    cboPTFilter2,
    Count
};
inline constexpr int kTopCtlCount = static_cast<int>(TopCtl::Count);
using TopBarGeometry = std::array<QRect, kTopCtlCount>; // twips

// The design places of the top-bar controls.
TopBarGeometry TopBarDesign();

struct TopBarPlan {
    std::array<bool, kTopCtlCount> Shown{};
    TopBarGeometry Geometry; // every control's place after the kind's placements
    bool ShowChart = false;  // kind 4 shows the chart itself
    QString ColorCaption;    // chkPTColor's caption; empty: unchanged
    int ColorWidth = -1;     // chkPTColor's width; -1: unchanged
};

// The plan of kind for a top bar whose controls stand at current (the
// places earlier kinds gave them). Unknown kinds show the kind-0 set
// without the area choice and without placing anything.
TopBarPlan PlanTopBar(int kind, const TopBarGeometry& current);

// The words of the labels that frame the lists ("到" and "期" of the range
// label, "期" of the period label, "位" of the ranking-place label): where
// each is drawn, in twips from its label's left, just right of its list.
struct TopBarLabelMarks {
    int RangeTo = 0;
    int RangeEnd = 0;
    int PeriodEnd = 0;
    int PlacesEnd = 0;
};
TopBarLabelMarks TopBarMarks();

// The right end of the widest top bar any kind shows, from the design
// places, in twips from the bar's left.
int TopBarExtent();

} // namespace kelton
