#pragma once

#include <cstdint>

#include <QRect>

namespace kelton {

// The layout of the formula window in twips: the hit chart over the whole
// width at the top, below it the panel of fixed height with the tree, the
// tab strip with the editor, the buttons and the message box. The chart
// takes the height the panel leaves; the tab strip, the editor, the
// signature line and the message box take the width the panel has beyond
// their design left edges. Panel controls are placed inside the panel.
struct WayLayout {
    static constexpr int32_t kPanelHeight = 3855;
    // The editor's place on the two tabs: below the consult list on tab 2.
    static constexpr int32_t kEditorTop1 = 600;
    static constexpr int32_t kEditorHeight1 = 2055;
    static constexpr int32_t kEditorTop2 = 960;
    static constexpr int32_t kEditorHeight2 = 1695;

    QRect Chart;
    QRect Panel;
    QRect Tree;
    QRect TabStrip;
    QRect Consult;
    QRect Editor;   // as on tab 1; tab 2 moves it down (EditorOnTab)
    QRect Signature;
    QRect Message;
};

// The layout for a client area of that size in twips.
WayLayout ComputeWayLayout(int32_t clientWidth, int32_t clientHeight);

// The editor's rectangle on tab 1 or 2 of a layout.
QRect EditorOnTab(const WayLayout& layout, int tab);

}  // namespace kelton
