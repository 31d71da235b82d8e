#include "formula/way_layout.h"

namespace kelton {

namespace {

// What stays of a length once the margin is taken off; 0 when it does not
// exceed the margin.
int32_t Beyond(int32_t length, int32_t margin)
{
    return length > margin ? length - margin : 0;
}

}  // namespace

WayLayout ComputeWayLayout(int32_t clientWidth, int32_t clientHeight)
{
    WayLayout l;
    const int32_t width = clientWidth > 0 ? clientWidth : 0;
    l.Chart = {0, 0, width, Beyond(clientHeight, WayLayout::kPanelHeight)};
    l.Panel = {0, l.Chart.height(), width, WayLayout::kPanelHeight};

    l.Tree = {0, 240, 3135, 2535};
    l.TabStrip = {3300, 240, Beyond(width, 3300 + 100), 2535};
    const int32_t inner = Beyond(l.TabStrip.width(), 100);
    l.Consult = {3360, 600, inner, 315};
    l.Editor = {3360, WayLayout::kEditorTop1, inner, WayLayout::kEditorHeight1};
    const int32_t side = Beyond(inner, 1560);
    l.Signature = {4920, 270, side, 255};
    l.Message = {4980, 2880, side, 855};
    return l;
}

QRect EditorOnTab(const WayLayout& layout, int tab)
{
    QRect r = layout.Editor;
    if (tab == 2) {
        r.moveTop(WayLayout::kEditorTop2);
        r.setHeight(WayLayout::kEditorHeight2);
    }
    return r;
}

}  // namespace kelton
