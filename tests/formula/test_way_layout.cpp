// The formula window's layout in twips.

#include "formula/way_layout.h"

#include <gtest/gtest.h>

namespace kelton {
namespace {

TEST(WayLayoutTest, ChartTakesWhatThePanelLeaves)
{
    const struct {
        int32_t width, height;
        int32_t chartHeight, tabWidth, editorWidth, sideWidth;
    } cases[] = {
        // Chart height = height - 3855; tab strip = width - 3400; editor =
        // tab strip - 100; signature line and message box = editor - 1560.
        {12000, 8000, 4145, 8600, 8500, 6940},
        {12000, 3855, 0, 8600, 8500, 6940},
        {12000, 1000, 0, 8600, 8500, 6940},
        {5000, 8000, 4145, 1600, 1500, 0},
        {3450, 8000, 4145, 50, 0, 0},
        {3400, 8000, 4145, 0, 0, 0},
        {0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const WayLayout l = ComputeWayLayout(c.width, c.height);
        EXPECT_EQ(l.Chart, (QRect{0, 0, c.width, c.chartHeight})) << c.width << "x" << c.height;
        EXPECT_EQ(l.Panel, (QRect{0, c.chartHeight, c.width, WayLayout::kPanelHeight}));
        EXPECT_EQ(l.TabStrip.width(), c.tabWidth) << c.width;
        EXPECT_EQ(l.Consult.width(), c.editorWidth) << c.width;
        EXPECT_EQ(l.Editor.width(), c.editorWidth) << c.width;
        EXPECT_EQ(l.Signature.width(), c.sideWidth) << c.width;
        EXPECT_EQ(l.Message.width(), c.sideWidth) << c.width;
    }
}

TEST(WayLayoutTest, EditorMovesBelowTheConsultListOnTab2)
{
    const WayLayout l = ComputeWayLayout(12000, 8000);
    EXPECT_EQ(EditorOnTab(l, 1), (QRect{3360, 600, 8500, 2055}));
    EXPECT_EQ(EditorOnTab(l, 2), (QRect{3360, 960, 8500, 1695}));
}

}  // namespace
}  // namespace kelton
