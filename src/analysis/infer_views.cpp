#include "analysis/infer_views.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

struct TabInfo {
    const char16_t* Caption;
    const char* Key;
};
const TabInfo kTabs[kTabCount] = {
    {u"排行分布", "Sort"},      {u"数据分析", "Data"}, {u"循环分析", "Cycle"}, {u"特征分析", "Character"},
    {u"位码分析", "Pos"},       {u"关系分析", "Relate"}, {u"遗漏分析", "Miss"}, {u"隐藏分析栏", "Hide"},
};

} // namespace

QString TabCaption(int tab)
{
    return tab >= 1 && tab <= kTabCount ? QString::fromUtf16(kTabs[tab - 1].Caption) : QString();
}

QString TabKey(int tab)
{
    return tab >= 1 && tab <= kTabCount ? QString::fromLatin1(kTabs[tab - 1].Key) : QString();
}

int16_t TopBarKindOf(ViewFamily family)
{
    switch (family) {
    case ViewFamily::ListAll:
    case ViewFamily::List:
        return 0;
    case ViewFamily::Stat:
        return 1;
    case ViewFamily::StatAll:
        return 2;
    case ViewFamily::Gather:
        return 3;
    case ViewFamily::Filter:
        return 4;
    case ViewFamily::Cycle:
        return 5;
    case ViewFamily::All:
        return 6;
    case ViewFamily::FilterMiss:
        return 7;
    case ViewFamily::FilterMiss2:
        return 8;
    }
    return 0;
}

int TabOf(ViewFamily family, int16_t index)
{
    switch (family) {
    case ViewFamily::ListAll:
    case ViewFamily::List:
    case ViewFamily::Stat:
    case ViewFamily::StatAll:
        return 1;
    case ViewFamily::All:
        return 2;
    case ViewFamily::Cycle:
        return 3;
    case ViewFamily::Gather:
        return 6;
    case ViewFamily::FilterMiss:
    case ViewFamily::FilterMiss2:
        return 7;
    case ViewFamily::Filter:
        if (index <= 18)
            return 2;
        if (index == 19)
            return 3;
        if (index <= 36)
            return 4;
        return 5;
    }
    return 1;
}

ViewId DefaultTabView(int tab)
{
    switch (tab) {
    case 1:
        return {ViewFamily::ListAll, 0};
    case 2:
        return {ViewFamily::Filter, 0};
    case 3:
        return {ViewFamily::Filter, 19};
    case 4:
        return {ViewFamily::Filter, 20};
    case 5:
        return {ViewFamily::Filter, 37};
    case 6:
        return {ViewFamily::Gather, 0};
    case 7:
        return {ViewFamily::FilterMiss, 0};
    default:
        return {ViewFamily::ListAll, -1};
    }
}

std::vector<ViewOption> DispatchOrder(const ViewCaptions& c)
{
    std::vector<ViewOption> order;
    const auto add = [&](ViewFamily family, int16_t index, const QString& caption) {
        order.push_back(ViewOption{{family, index}, caption, TabOf(family, index)});
    };
    add(ViewFamily::ListAll, 0, c.ListAll);
    for (int16_t k = 0; k < 8; ++k) {
        add(ViewFamily::List, k, c.List[static_cast<size_t>(k)]);
        add(ViewFamily::Stat, k, c.Stat[static_cast<size_t>(k)]);
    }
    for (size_t k = 0; k < c.Filter.size(); ++k)
        add(ViewFamily::Filter, static_cast<int16_t>(k), c.Filter[k]);
    for (int16_t k = 0; k < 4; ++k)
        add(ViewFamily::FilterMiss, k, c.FilterMiss[static_cast<size_t>(k)]);
    for (int16_t k = 0; k < 5; ++k)
        add(ViewFamily::FilterMiss2, k, c.FilterMiss2[static_cast<size_t>(k)]);
    add(ViewFamily::Cycle, 0, c.Cycle);
    add(ViewFamily::StatAll, 0, c.StatAll);
    add(ViewFamily::All, 0, c.All);
    for (int16_t k = 0; k < 4; ++k)
        add(ViewFamily::Gather, k, c.Gather[static_cast<size_t>(k)]);
    return order;
}

ViewOption FindView(const ViewCaptions& captions, const QString& name)
{
    for (const ViewOption& option : DispatchOrder(captions)) {
        if (option.Caption == name)
            return option;
    }
    if (captions.List[4].contains(name, Qt::CaseSensitive))
        return ViewOption{{ViewFamily::List, 4}, captions.List[4], 1};
    return ViewOption{{ViewFamily::ListAll, 0}, captions.ListAll, 1};
}

// ---------------------------------------------------------------------------

TopBarGeometry TopBarDesign()
{
    TopBarGeometry g;
    const auto set = [&](TopCtl c, int left, int top, int width, int height) {
        g[static_cast<size_t>(c)] = QRect(left, top, width, height);
    };
    // The period lists are wide enough for a seven-digit issue number; the
    // controls right of the range label stand clear of its last word.
    set(TopCtl::LblPT1, 0, 60, 4590, 255);
    set(TopCtl::cboPTStart, 1200, 0, 1335, 300);
    set(TopCtl::cboPTEnd, 2895, 0, 1335, 300);
    set(TopCtl::LblPT2, 0, 60, 2655, 255);
    set(TopCtl::cboPTIndex, 960, 0, 1335, 300);
    set(TopCtl::picPTKind, 4680, 40, 3495, 255);
    set(TopCtl::picPTList, 2880, 40, 2415, 255);
    set(TopCtl::chkPTShowHit, 8280, 40, 1575, 255);
    set(TopCtl::chkPTColor, 9960, 40, 1215, 255);
    set(TopCtl::chkPTColorUpDown, 8280, 40, 1455, 255);
    set(TopCtl::chkPTSort, 5280, 40, 1575, 255);
    set(TopCtl::LblPT3, 5400, 75, 2055, 255);
    set(TopCtl::cboPTBcTaxis, 6360, 0, 735, 300);
    set(TopCtl::lblPT4, 7560, 60, 2055, 255);
    set(TopCtl::cboPTSubarea, 8760, 0, 1335, 300);
    set(TopCtl::cboPTSubarea2, 8760, 0, 1335, 300);
    set(TopCtl::cboPTFilter, 4680, 0, 1575, 300);
    set(TopCtl::cboPTFilter2, 6720, 0, 1575, 300);
    return g;
}

namespace {

// target.Left := ref.Left (+ ref.Width when withWidth) + offset
struct Placement {
    TopCtl Target;
    TopCtl Ref;
    bool WithWidth;
    int Offset;
};

struct KindRow {
    std::initializer_list<TopCtl> Shown;
    std::initializer_list<Placement> Placed;
    const char16_t* ColorCaption; // nullptr: unchanged
    int ColorWidth;
    bool Chart;
};

using C = TopCtl;

// A label's word right of a list: drawn this far right of the list, and
// a control that follows the word keeps clear of it.
constexpr int kWordAfterList = 30;
constexpr int kLabelWordGap = 360;
const KindRow kKinds[] = {
    // 0 distribution tables
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::picPTKind, C::chkPTShowHit, C::chkPTColor, C::cboPTSubarea},
     {{C::chkPTShowHit, C::picPTKind, false, 3800},
      {C::chkPTColor, C::chkPTShowHit, false, 1800},
      {C::cboPTSubarea, C::chkPTColor, false, 1010}},
     u"行颜色", 1000, false},
    // 1 ranking bar chart
    {{C::LblPT2, C::cboPTIndex, C::chkPTSort, C::cboPTSubarea2},
     {{C::chkPTSort, C::cboPTIndex, true, kLabelWordGap}, {C::cboPTSubarea2, C::chkPTSort, true, 30}},
     nullptr, -1, false},
    // 2 combined ranking table
    {{C::LblPT2, C::cboPTIndex, C::picPTList, C::LblPT3, C::cboPTBcTaxis, C::cboPTSubarea},
     {{C::cboPTBcTaxis, C::LblPT3, false, 600}, {C::cboPTSubarea, C::cboPTBcTaxis, false, 1120}},
     nullptr, -1, false},
    // 3 relation view
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::chkPTSort, C::chkPTColor},
     {{C::chkPTSort, C::cboPTEnd, true, kLabelWordGap}, {C::chkPTColor, C::cboPTEnd, true, kLabelWordGap}},
     u"行颜色", 1000, false},
    // 4 indicator trend chart
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd}, {}, nullptr, -1, true},
    // 5 cycle grid
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::picPTKind, C::chkPTShowHit, C::chkPTColor},
     {{C::chkPTShowHit, C::picPTKind, false, 3800}, {C::chkPTColor, C::chkPTShowHit, false, 1800}},
     u"突出循环码", 2000, false},
    // 6 table of all indicators: the colour switch right of its neighbour
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::picPTKind, C::chkPTColorUpDown, C::chkPTColor},
     {{C::chkPTColor, C::chkPTColorUpDown, true, 30}},
     u"行颜色", 1000, false},
    // 7 miss statistics of one indicator
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::cboPTFilter}, {}, nullptr, -1, false},
    // 8 miss statistics of a pair
    {{C::LblPT1, C::cboPTStart, C::cboPTEnd, C::cboPTFilter, C::cboPTFilter2}, {}, nullptr, -1, false},
};
const KindRow kOtherKind = {
    {C::LblPT1, C::cboPTStart, C::cboPTEnd, C::picPTKind, C::chkPTShowHit, C::chkPTColor}, {}, u"行颜色", 1000,
    false};

} // namespace

TopBarPlan PlanTopBar(int kind, const TopBarGeometry& current)
{
    const KindRow& row = kind >= 0 && kind < static_cast<int>(std::size(kKinds)) ? kKinds[kind] : kOtherKind;
    TopBarPlan plan;
    plan.Geometry = current;
    for (const TopCtl c : row.Shown)
        plan.Shown[static_cast<size_t>(c)] = true;
    if (row.ColorCaption) {
        plan.ColorCaption = QString::fromUtf16(row.ColorCaption);
        plan.ColorWidth = row.ColorWidth;
        plan.Geometry[static_cast<size_t>(C::chkPTColor)].setWidth(row.ColorWidth);
    }
    for (const Placement& p : row.Placed) {
        const QRect& ref = plan.Geometry[static_cast<size_t>(p.Ref)];
        QRect& target = plan.Geometry[static_cast<size_t>(p.Target)];
        target.moveLeft(ref.left() + (p.WithWidth ? ref.width() : 0) + p.Offset);
    }
    plan.ShowChart = row.Chart;
    return plan;
}

TopBarLabelMarks TopBarMarks()
{
    const TopBarGeometry design = TopBarDesign();
    const TopBarGeometry combined = PlanTopBar(2, design).Geometry; // where the ranking-place list stands
    const auto after = [](const TopBarGeometry& g, TopCtl list, TopCtl label) {
        const QRect& box = g[static_cast<size_t>(list)];
        return box.left() + box.width() + kWordAfterList - g[static_cast<size_t>(label)].left();
    };
    TopBarLabelMarks marks;
    marks.RangeTo = after(design, C::cboPTStart, C::LblPT1);
    marks.RangeEnd = after(design, C::cboPTEnd, C::LblPT1);
    marks.PeriodEnd = after(design, C::cboPTIndex, C::LblPT2);
    marks.PlacesEnd = after(combined, C::cboPTBcTaxis, C::LblPT3);
    return marks;
}

int TopBarExtent()
{
    int extent = 0;
    for (int kind = 0; kind < static_cast<int>(std::size(kKinds)); ++kind) {
        const TopBarPlan plan = PlanTopBar(kind, TopBarDesign());
        for (size_t c = 0; c < plan.Shown.size(); ++c) {
            if (plan.Shown[c])
                extent = std::max(extent, plan.Geometry[c].left() + plan.Geometry[c].width());
        }
    }
    return extent;
}

} // namespace kelton
