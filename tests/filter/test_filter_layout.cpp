#include "filter/filter_layout.h"

#include <gtest/gtest.h>

namespace kelton {
namespace {

struct FrameCase {
    const char* name;
    int32_t width, height;
    int16_t resultWidth, resultPanelWidth; // before
    FilterFrameLayout expected;
};

TEST(FilterLayoutTest, FramesFollowTheWindow)
{
    const FrameCase cases[] = {
        {"as designed", 11975, 7635, 3255, 3175, {6975, 6615, 3255, 3175}},
        {"wider: only the results frame grows", 15000, 9000, 3255, 3175, {8340, 7980, 6280, 6200}},
        {"below the least size counts as it", 2000, 3000, 3255, 3175, {6340, 5980, 3255, 3175}},
        {"results frame too narrow for its box keeps the box",
         8790,
         7635,
         3255,
         3175,
         {6975, 6615, 70, 3175}},
        {"just wide enough for the box", 8801, 7635, 3255, 3175, {6975, 6615, 81, 1}},
        {"past 16 bits counts as 32767", 90000, 90000, 3255, 3175, {32107, 31747, 24047, 23967}},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(LayoutFilterFrames(c.width, c.height, c.resultWidth, c.resultPanelWidth), c.expected)
            << c.name;
}

struct SetCase {
    const char* name;
    int16_t panelHeight;
    SetPanelLayout expected;
};

TEST(FilterLayoutTest, BetTypesSpreadBetweenTheSeparators)
{
    const std::array<int16_t, 5> designTops{4080, 4440, 4800, 5160, 5520};
    const std::array<int16_t, 5> heights{255, 255, 255, 255, 255};
    const SetCase cases[] = {
        // gap 6000 - 3600 = 2400; (2400 - 1275) \ 6 = 187
        {"as designed", 6615, {6000, {3787, 4229, 4671, 5113, 5555}, 6240}},
        // (785 - 1275) \ 6 truncates to -81: the options close up
        {"no room for six gaps", 5000, {4385, {3519, 3693, 3867, 4041, 4215}, 4625}},
        {"separator above the options: they stay", 4000, {3385, designTops, 3625}},
        {"panel no higher than 615: separator at 0", 615, {0, designTops, 240}},
    };
    for (const SetCase& c : cases)
        EXPECT_EQ(LayoutSetPanel(c.panelHeight, FilterDesign::kLineSet3Y, designTops, heights), c.expected)
            << c.name;
}

struct ResultCase {
    const char* name;
    int16_t panelWidth, panelHeight, gridWidth, gridHeight, fixedCols;
    ResultPanelLayout expected;
};

TEST(FilterLayoutTest, ResultsGridAndButtonsFollowThePanel)
{
    const ResultCase cases[] = {
        // the buttons share 3175 - 1710 = 1465 in three gaps of 488.3
        {"as designed", 3175, 6615, 3135, 4485, 800, {6000, 3135, 5120, 2055, 5720, 6240, 488, 1831}},
        {"secondary column takes its share",
         3175,
         6615,
         3135,
         4485,
         1200,
         {6000, 3135, 5120, 1655, 5720, 6240, 488, 1831}},
        {"wider", 6200, 7980, 3135, 4485, 800, {7365, 6160, 6485, 5080, 7085, 7605, 1497, 3849}},
        {"no room for the numbers column",
         1000,
         6615,
         3135,
         4485,
         800,
         {6000, 960, 5120, -1, 5720, 6240, -237, 381}},
        {"panel of 40: grid keeps its width",
         40,
         6615,
         3135,
         4485,
         800,
         {6000, -1, 5120, 2055, 5720, 6240, -557, -259}},
        {"grid top below the separator: grid keeps its height",
         3175,
         1000,
         3135,
         4485,
         800,
         {385, 3135, -1, 2055, 5085, 625, 488, 1831}},
    };
    for (const ResultCase& c : cases)
        EXPECT_EQ(LayoutResultPanel(c.panelWidth, c.panelHeight, FilterDesign::msgResult.Top, c.gridWidth,
                                    c.gridHeight, c.fixedCols, FilterDesign::kResultButtonWidth),
                  c.expected)
            << c.name;
}

TEST(FilterLayoutTest, ConditionPanelFollowsItsHeight)
{
    EXPECT_EQ(LayoutChipPanel(6615, 250), (ChipPanelLayout{6270, 6240, 6240, 6015, 5635, 310, 5635}));
    // Taller tabs push the rows' box down and keep its bottom.
    EXPECT_EQ(LayoutChipPanel(6615, 375), (ChipPanelLayout{6270, 6240, 6240, 6015, 5635, 395, 5550}));
}

struct ScrollCase {
    const char* name;
    int16_t inner, rows;
    bool otherTab;
    ConditionScroll expected;
};

TEST(FilterLayoutTest, RowsScrollBar)
{
    const ScrollCase cases[] = {
        {"box below 5480: bar 5000 high", 5479, 16100, false, {5000, 11071, true}},
        {"box of 5480: bar fills it under the header", 5480, 16100, false, {5030, 11070, true}},
        {"rows fit: no scrolling", 16550, 16100, false, {16100, 1, false}},
        {"rows overflow by one twip: still no bar", 16551 - 2, 16100, false, {16099, 1, false}},
        {"other-filter tab hides it", 5635, 16100, true, {5185, 10915, false}},
    };
    for (const ScrollCase& c : cases)
        EXPECT_EQ(LayoutConditionScroll(c.inner, FilterDesign::picChipInHeader.Height, c.rows, c.otherTab),
                  c.expected)
            << c.name;
    EXPECT_EQ(ConditionRowsTop(0), 480);
    EXPECT_EQ(ConditionRowsTop(1000), -520);
}

TEST(FilterLayoutTest, ConditionRowsAndDigitGrids)
{
    EXPECT_EQ(ConditionRowAt(0),
              (ConditionRowBoxes{
                  {120, 60, 255, 225}, {420, 80, 975, 240}, {1560, 40, 2175, 270}, {4080, 60, 255, 255}}));
    EXPECT_EQ(ConditionRowAt(45).Check.Top, 15810);
    EXPECT_EQ(ConditionRowAt(45).Name.Top, 15830);
    EXPECT_EQ(ConditionRowAt(45).Value.Top, 15790);
    EXPECT_EQ(ConditionRowsHeight(3), 16100);
    EXPECT_EQ(ConditionRowsHeight(1), 15400);

    const std::pair<int16_t, int16_t> rows[] = {{4, 1}, {5, 2}, {9, 2}, {10, 3}, {14, 3}, {15, 4}};
    for (const auto& [len, expected] : rows)
        EXPECT_EQ(DigitGridRows(len), expected) << "largest value " << len;
}

} // namespace
} // namespace kelton
