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

TEST(FitInside, ShrinksOnlyWhatTheAreaCannotHold)
{
    struct Case {
        QRect window;
        QRect expected;
    };
    const QSize area(1000, 600);
    const Case cases[] = {
        {{100, 50, 400, 300}, {100, 50, 400, 300}}, // inside: as it was
        {{700, 400, 400, 300}, {600, 300, 400, 300}}, // past the corner: moved, not shrunk
        {{300, 100, 1200, 300}, {0, 100, 1000, 300}}, // wider than the area: as wide as it
        {{50, 200, 800, 900}, {50, 0, 800, 600}},     // taller: as tall
        {{-40, -40, 1400, 900}, {0, 0, 1000, 600}},   // larger both ways: the whole area
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitInside(c.window, area), c.expected) << c.window.x() << "," << c.window.y();
}

TEST(CascadePlaces, KeepTheSizesAndShowEveryTitle)
{
    // Sizes kept, each a step further; shortened at the edge.
    EXPECT_EQ(CascadePlaces({{800, 400}, {300, 200}, {900, 580}}, {1000, 600}, 25),
              (std::vector<QRect>{{0, 0, 800, 400}, {25, 25, 300, 200}, {50, 50, 900, 550}}));
    // A window larger than the area is the area's size.
    EXPECT_EQ(CascadePlaces({{1400, 900}}, {1000, 600}, 25), (std::vector<QRect>{{0, 0, 1000, 600}}));
    // Past half the area the cascade starts again at the top left.
    const std::vector<QRect> many = CascadePlaces(std::vector<QSize>(9, QSize(300, 200)), {400, 300}, 40);
    ASSERT_EQ(many.size(), 9U);
    EXPECT_EQ(many[3], QRect(120, 120, 280, 180));
    EXPECT_EQ(many[4], QRect(0, 0, 300, 200));
    for (const QRect& place : many)
        EXPECT_TRUE(QRect(0, 0, 400, 300).contains(place)) << place.x();
    EXPECT_TRUE(CascadePlaces({}, {400, 300}, 40).empty());
}

TEST(TilePlaces, ShareTheAreaInRowsOrColumns)
{
    // 100 in three: the rounding spread, no gap and nothing past the edge.
    EXPECT_EQ(TilePlaces(3, {100, 50}, true),
              (std::vector<QRect>{{0, 0, 100, 16}, {0, 16, 100, 17}, {0, 33, 100, 17}}));
    EXPECT_EQ(TilePlaces(3, {100, 50}, false),
              (std::vector<QRect>{{0, 0, 33, 50}, {33, 0, 33, 50}, {66, 0, 34, 50}}));
    EXPECT_EQ(TilePlaces(1, {100, 50}, true), (std::vector<QRect>{{0, 0, 100, 50}}));
    EXPECT_TRUE(TilePlaces(0, {100, 50}, false).empty());
}

TEST(IconPlaces, RowsAlongTheBottomWrappingUpwards)
{
    // Two fit in the first row; the third starts a row above it, as high as
    // the first row's tallest.
    EXPECT_EQ(IconPlaces({{40, 20}, {50, 30}, {40, 20}, {70, 10}}, {100, 200}),
              (std::vector<QPoint>{{0, 180}, {40, 170}, {0, 150}, {0, 140}}));
    // A window wider than the area still takes the row's first place.
    EXPECT_EQ(IconPlaces({{150, 20}, {10, 10}}, {100, 200}), (std::vector<QPoint>{{0, 180}, {0, 170}}));
    EXPECT_TRUE(IconPlaces({}, {100, 200}).empty());
}

} // namespace
} // namespace kelton
