#include <gtest/gtest.h>

#include "platform/window_place.h"

namespace kelton {
namespace {

TEST(PlaceOnScreen, GrowsWithTheScreenNeverBelowTheDesign)
{
    const Qt::Orientations both = Qt::Horizontal | Qt::Vertical;
    struct Case {
        QSize design;
        QRect available;
        Qt::Orientations grow;
        QRect expected;
    };
    const Case cases[] = {
        {{1024, 720}, {0, 0, 1920, 1040}, both, {96, 52, 1728, 936}},
        {{1024, 720}, {0, 0, 1280, 800}, both, {64, 40, 1152, 720}}, // the design is taller than nine tenths
        {{1024, 720}, {0, 0, 800, 600}, both, {0, 0, 800, 600}},     // a small screen shows it whole
        {{1024, 720}, {0, 0, 1024, 660}, {}, {0, 0, 1024, 660}},
        {{1024, 720}, {1920, 30, 2560, 1410}, both, {2048, 100, 2304, 1269}}, // a second screen below a panel
        {{840, 700}, {0, 0, 1920, 1080}, Qt::Vertical, {540, 54, 840, 972}},
        {{840, 700}, {0, 0, 1280, 800}, {}, {220, 50, 840, 700}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreen(c.design, c.available, c.grow), c.expected) << c.available.width();
}

TEST(KeepInside, MovesAWindowBackIntoTheWorkArea)
{
    struct Case {
        QRect window;
        QPoint expected;
    };
    const QSize area(1000, 600);
    const Case cases[] = {
        {{100, 50, 400, 300}, {100, 50}},   // inside: stays
        {{800, 50, 400, 300}, {600, 50}},   // past the right edge: moved left
        {{100, 450, 400, 300}, {100, 300}}, // past the bottom: moved up
        {{700, 400, 1200, 800}, {0, 0}},    // larger than the area: its top left
        {{-20, -5, 400, 300}, {0, 0}},      // before the top left: moved in
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepInside(c.window, area), c.expected) << c.window.x() << "," << c.window.y();
}

} // namespace
} // namespace kelton
