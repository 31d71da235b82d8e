#include <gtest/gtest.h>

#include "shell/main_window_size.h"

namespace kelton {
namespace {

TEST(MainWindowStartGeometry, GrowsWithTheScreenNeverBelowTheDesign)
{
    struct Case {
        QRect available, expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1040}, {96, 52, 1728, 936}},
        {{0, 0, 1280, 800}, {64, 40, 1152, 720}},  // the design's height is more than nine tenths
        {{0, 0, 800, 600}, {0, 0, 1024, 720}},     // a small screen keeps the design
        {{1920, 30, 2560, 1410}, {2048, 100, 2304, 1269}}, // a second screen below a panel
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainWindowStartGeometry(c.available), c.expected) << c.available.width();
}

} // namespace
} // namespace kelton
