#include "filter/filter_layout.h"

#include <algorithm>
#include <cmath>

namespace kelton {

namespace {

// A layout number as the 16-bit twips the window keeps.
int16_t Twips16(int32_t v)
{
    return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

// A floating-point result made whole, halves to even.
int32_t Whole(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}

} // namespace

FilterFrameLayout LayoutFilterFrames(int32_t windowWidth, int32_t windowHeight, int16_t resultWidth,
                                     int16_t resultPanelWidth)
{
    const int32_t h = std::clamp<int32_t>(windowHeight, FilterDesign::kMinWindowHeight, INT16_MAX);
    const int32_t w = std::clamp<int32_t>(windowWidth, FilterDesign::kMinWindowWidth, INT16_MAX);
    FilterFrameLayout out;
    out.FrameHeight = Twips16(h - 660);
    out.PanelHeight = Twips16(out.FrameHeight - 360);
    out.ResultWidth = resultWidth;
    out.ResultPanelWidth = resultPanelWidth;
    const int32_t left = FilterDesign::FraResult.Left;
    if (left + 200 < w)
        out.ResultWidth = Twips16(w - left - 200);
    if (out.ResultWidth > 80)
        out.ResultPanelWidth = Twips16(out.ResultWidth - 80);
    return out;
}

SetPanelLayout LayoutSetPanel(int16_t panelHeight, int16_t line3Y, const std::array<int16_t, 5>& optTop,
                              const std::array<int16_t, 5>& optHeight)
{
    SetPanelLayout out;
    out.LineY = panelHeight > 615 ? Twips16(panelHeight - 615) : int16_t(0);
    out.OptTop = optTop;
    int32_t gap = out.LineY - line3Y;
    if (gap >= 1) {
        gap = (gap - 5 * optHeight[0]) / 6; // integer division truncates
        out.OptTop[0] = Twips16(line3Y + gap);
        for (size_t i = 1; i < out.OptTop.size(); ++i)
            out.OptTop[i] = Twips16(out.OptTop[i - 1] + optHeight[i - 1] + gap);
    }
    out.SingleTop = Twips16(out.LineY + 240);
    return out;
}

ResultPanelLayout LayoutResultPanel(int16_t panelWidth, int16_t panelHeight, int16_t gridTop,
                                    int16_t gridWidth, int16_t gridHeight, int16_t fixedColsWidth,
                                    int16_t getWidth)
{
    ResultPanelLayout out;
    out.LowY = Twips16(panelHeight - 615);
    if (panelWidth > 40)
        out.GridWidth = Twips16(panelWidth - 40);
    const int16_t width = out.GridWidth >= 0 ? out.GridWidth : gridWidth;
    if (gridTop + 40 < out.LowY)
        out.GridHeight = Twips16(out.LowY - gridTop - 400);
    const int16_t height = out.GridHeight >= 0 ? out.GridHeight : gridHeight;
    if (fixedColsWidth + 280 < width)
        out.NumbersWidth = Twips16(width - fixedColsWidth - 280);
    out.CountTop = Twips16(gridTop + height + 120);
    out.ButtonTop = Twips16(out.LowY + 240);
    const int32_t share = Whole(panelWidth - 2.0 * FilterDesign::kResultButtonWidth);
    out.GetLeft = Twips16(Whole(share / 3.0));
    out.PrintLeft = Twips16(Whole(out.GetLeft + getWidth + share / 3.0));
    return out;
}

ChipPanelLayout LayoutChipPanel(int16_t panelHeight, int16_t tabsHeight)
{
    ChipPanelLayout out;
    out.ErrTop = Twips16(panelHeight - 345);
    out.TxtErrTop = Twips16(panelHeight - 375);
    out.ButtonTop = out.TxtErrTop;
    out.TabHeight = Twips16(panelHeight - 600);
    out.OtherHeight = Twips16(out.TabHeight - 380);
    const int16_t designTop = FilterDesign::picChipIn1.Top;
    out.InnerTop = std::max<int16_t>(designTop, Twips16(tabsHeight + 20));
    out.InnerHeight = Twips16(out.OtherHeight - (out.InnerTop - designTop));
    return out;
}

ConditionScroll LayoutConditionScroll(int16_t innerHeight, int16_t headerHeight, int16_t rowsHeight,
                                      bool otherTab)
{
    ConditionScroll out;
    const int32_t room = innerHeight - headerHeight;
    out.BarHeight = innerHeight >= 5480 ? Twips16(room) : int16_t(5000);
    out.Max = room >= rowsHeight ? int16_t(1) : Twips16(rowsHeight - room);
    out.Visible = out.Max > 1 && !otherTab;
    return out;
}

int16_t ConditionRowsTop(int16_t scrollValue)
{
    return Twips16(FilterDesign::kRowsTop - scrollValue);
}

ConditionRowBoxes ConditionRowAt(int16_t row)
{
    const int16_t top = Twips16(row * 350 + 60);
    // The name sits 20 lower and the value box 20 higher, reckoned in
    // single precision from the on flag's top.
    const auto offset = [top](float by) { return Twips16(Whole(static_cast<float>(top) + by)); };
    return {
        {120, top, 255, 225},
        {420, offset(20.0f), 975, 240},
        {1560, offset(-20.0f), 2175, 270},
        {4080, top, 255, 255},
    };
}

int16_t ConditionRowsHeight(int16_t bcMain)
{
    return Twips16((bcMain + 43) * 350);
}

int16_t DigitGridRows(int16_t bcDataLen)
{
    return static_cast<int16_t>(std::max<int32_t>(bcDataLen, 0) / 5 + 1);
}

} // namespace kelton
