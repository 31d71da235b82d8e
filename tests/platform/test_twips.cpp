#include <gtest/gtest.h>

#include "platform/twips.h"

namespace kelton {
namespace {

TEST(Twips, PixelsRoundHalfToEven)
{
    struct Case {
        double twips;
        double dpi;
        int pixels;
    };
    const Case cases[] = {
        {1440, 96, 96}, {15, 96, 1},    {30, 96, 2},     {270, 96, 18}, {1000, 96, 67},
        {0, 96, 0},     {-15, 96, -1},  {1440, 120, 120},
        // At 120 dpi a pixel is 12 twips: halves go to the even pixel.
        {6, 120, 0},    {18, 120, 2},   {30, 120, 2},    {42, 120, 4},  {-6, 120, 0},
        {1440, 144, 144}, {5, 144, 0},  {15, 144, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
}

TEST(Twips, PixelsBackToTwips)
{
    EXPECT_DOUBLE_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1, 96), 15);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1, 120), 12);
    EXPECT_DOUBLE_EQ(PixelsToTwips(10, 0), 0);
}

} // namespace
} // namespace kelton
