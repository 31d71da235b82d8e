#include <gtest/gtest.h>

#include "platform/ui/label_fit.h"

namespace kelton {
namespace {

TEST(FittedLinePercent, KeepsTheLastLineWhole)
{
    struct Case {
        int lines, lineSpacing, available, percent;
    };
    const Case cases[] = {
        {3, 17, 60, 100}, // fits as it is
        {1, 17, 10, 100}, // one line has nothing to move closer
        {3, 17, 41, 70},  // two gaps of 12 and a whole last line of 17
        {3, 20, 41, 52},
        {3, 20, 30, 50},  // never closer than half the spacing
        {2, 0, 10, 100},  // no font metrics
    };
    for (const Case& c : cases) {
        const int percent = FittedLinePercent(c.lines, c.lineSpacing, c.available);
        EXPECT_EQ(percent, c.percent) << c.lines << " lines of " << c.lineSpacing << " in " << c.available;
        if (percent > 50 && percent < 100) {
            EXPECT_LE((c.lines - 1) * c.lineSpacing * percent / 100 + c.lineSpacing, c.available);
        }
    }
}

} // namespace
} // namespace kelton
