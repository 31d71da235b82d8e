#include "results/print_plan.h"

#include <algorithm>
#include <cmath>

#include <QLocale>

#include "core/bet_list.h"
#include "data/text_helpers.h"
#include "platform/chinese_locale.h"

namespace kelton {

using namespace Qt::StringLiterals;

PageSizeTwips PageSizeFromPaper(const std::optional<PrinterPaper>& paper)
{
    if (!paper || paper->Width <= 0 || paper->Height <= 0)
        return kDefaultPrintPage;
    if (paper->Portrait)
        return {paper->Width, paper->Height};
    return {paper->Height, paper->Width};
}

int32_t PrintColumns::ColumnLeft(int32_t c) const
{
    return c / 2 * PairWidth() + (c % 2 == 1 ? SerialWidth : 0);
}

PrintColumns PrintColumnsFor(int32_t numbersPerBet)
{
    if (numbersPerBet <= 3)
        return {6, 600, 1100};
    if (numbersPerBet <= 12)
        return {3, 700, 2800};
    return {1, 700, 9800};
}

PrintColumns FitPrintColumns(const PrintColumns& columns, int32_t serialNeed)
{
    PrintColumns fitted = columns;
    const int32_t pair = columns.PairWidth();
    if (serialNeed <= columns.SerialWidth)
        return fitted;
    fitted.SerialWidth = std::min(serialNeed, pair);
    fitted.NumberWidth = pair - fitted.SerialWidth;
    return fitted;
}

namespace {

void AppendPadded(QString& out, int16_t value, int16_t width)
{
    const QString digits = QString::number(value);
    for (qsizetype k = digits.size(); k < width; ++k)
        out += u'0';
    out += digits;
    out += u' ';
}

} // namespace

QString BetNumberText(const int16_t* digits, int32_t positions, const BetNumberFormat& format)
{
    QString text;
    text.reserve((format.BcMain + format.MrMain) * (std::max(format.BcNumMaxLen, format.MrNumMaxLen) + 1));
    for (int32_t j = format.MrMain; j >= 1; --j) {
        const int32_t pos = format.BcMain + j;
        if (pos < positions)
            AppendPadded(text, digits[pos], format.MrNumMaxLen);
    }
    for (int32_t j = format.BcMain; j >= 1; --j) {
        if (j < positions)
            AppendPadded(text, digits[j], format.BcNumMaxLen);
    }
    return text;
}

int32_t PrintPlan::PageFirst(int32_t page) const
{
    if (page < 1 || page > PageCount())
        return 0;
    return m_pageFirst[static_cast<size_t>(page - 1)];
}

int32_t PrintPlan::PageBets(int32_t page) const
{
    if (page < 1 || page > PageCount())
        return 0;
    const int32_t end = page < PageCount() ? m_pageFirst[static_cast<size_t>(page)] : LiveCount();
    return end - PageFirst(page);
}

QString PrintPlan::NumberText(int32_t index) const
{
    return BetNumberText(m_digits.data() + static_cast<size_t>(index) * static_cast<size_t>(m_stride),
                         m_stride, m_format);
}

size_t PrintPlan::MemoryBytes() const
{
    return m_ids.capacity() * sizeof(int32_t) + m_digits.capacity() * sizeof(int16_t) +
           m_pageFirst.capacity() * sizeof(int32_t);
}

PrintPlan BuildPrintPlan(const BetList& bets, const BetNumberFormat& format,
                         const std::function<void()>& betweenPages)
{
    PrintPlan plan;
    plan.m_format = format;
    plan.m_columns = PrintColumnsFor(format.BcMain + format.MrMain);
    // The numbers kept: the game's positions, never more than a bet holds.
    const int32_t wanted = std::max(1, format.BcMain + format.MrMain + 1);
    plan.m_stride = std::min<int32_t>(wanted, bets.Stride());

    // The copy of the live bets, and whether removed bets follow the last.
    const int32_t count = bets.BetCount();
    const int32_t live = bets.LiveCount();
    plan.m_ids.reserve(static_cast<size_t>(std::max(live, 0)));
    plan.m_digits.reserve(static_cast<size_t>(std::max(live, 0)) * static_cast<size_t>(plan.m_stride));
    int32_t lastLive = -1;
    for (int32_t i = 0; i < count; ++i) {
        if (!bets.IsLive(i))
            continue;
        plan.m_ids.push_back(bets.Id(i));
        plan.m_maxSerial = std::max(plan.m_maxSerial, bets.Id(i));
        const auto digits = bets.Digits(i);
        plan.m_digits.insert(plan.m_digits.end(), digits.begin(), digits.begin() + plan.m_stride);
        lastLive = i;
    }
    if (count == 0)
        return plan;

    // Pages close when full or when the list ends; the list ends on the
    // page after a full one only when removed bets follow the last live one.
    const int32_t perPage = plan.m_columns.BetsPerPage();
    const int32_t liveCount = plan.LiveCount();
    const bool removedAfterLast = lastLive < count - 1;
    int32_t pages = (liveCount + perPage - 1) / perPage;
    if (pages == 0 || (liveCount % perPage == 0 && removedAfterLast))
        ++pages;
    plan.m_pageFirst.reserve(static_cast<size_t>(pages));
    for (int32_t p = 0; p < pages; ++p) {
        if (p > 0 && betweenPages)
            betweenPages();
        plan.m_pageFirst.push_back(std::min(p * perPage, liveCount));
    }
    return plan;
}

QString PrintTitleText(const QString& lottorName)
{
    return lottorName + u"投注打印单"_s;
}

QString PrintDateText(const QString& appTitle, const QDate& date)
{
    return appTitle + u"  时间:"_s + ChineseLocale().toString(date, QLocale::ShortFormat);
}

QString PrintPageLine(int32_t page, int32_t count)
{
    return u"当前第%1页   共%2页"_s.arg(page).arg(count);
}

PrintPageLayout LayOutPrintPage(const PageSizeTwips& page, const PageTextSize& title,
                                const PageTextSize& date, const PageTextSize& pageLine)
{
    const double marginX = (page.Width - kPrintTableWidth) / 2.0;
    const double marginY = (page.Height - kPrintTableHeight) / 2.0;
    const double right = page.Width - marginX;
    const double bottom = page.Height - marginY;
    PrintPageLayout layout;
    layout.Table = {marginX, marginY};
    layout.Title = {(page.Width - title.Width) / 2.0, marginY - 2 * title.Height};
    layout.Date = {right - date.Width, bottom + date.Height};
    layout.PageLine = {right - pageLine.Width, bottom + 3 * pageLine.Height};
    return layout;
}

SheetPlacement PlacePageOnSheet(const PageSizeTwips& page, double sheetWidth, double sheetHeight)
{
    SheetPlacement placement;
    if (page.Width <= 0 || page.Height <= 0)
        return placement;
    placement.Scale = std::min({1.0, sheetWidth / page.Width, sheetHeight / page.Height});
    placement.Left = (sheetWidth - page.Width * placement.Scale) / 2;
    placement.Top = (sheetHeight - page.Height * placement.Scale) / 2;
    return placement;
}

PageStep PrevPrintPage(int32_t current, int32_t count)
{
    if (current > 1)
        return {current - 1, {}};
    if (count > 1)
        return {count, u"已到最前一页,跳到最后一页"_s};
    return {current, {}};
}

PageStep NextPrintPage(int32_t current, int32_t count)
{
    if (current < count)
        return {current + 1, {}};
    if (count > 1)
        return {1, u"已到最后一页,跳到最前一页"_s};
    return {current, {}};
}

double FrameLeftForScroll(double marginX, int32_t value)
{
    return 2 * marginX - value;
}

double FrameTopForScroll(double marginY, int32_t value)
{
    return marginY - value;
}

void PlaceShadows(PreviewLayout& layout)
{
    const TwipsRect& f = layout.Frame;
    layout.ShadowBottom = {f.Left + 50, f.Top + f.Height, f.Left + f.Width, f.Top + f.Height};
    layout.ShadowRight = {f.Left + f.Width, f.Top + 50, f.Left + f.Width, f.Top + f.Height};
}

namespace {

int32_t Round(double value)
{
    return static_cast<int32_t>(RoundHalfEven(value));
}

// One direction of the actual-size view: the margin and the bar's maximum.
void ScrollAxis(double view, int32_t page, double& margin, int32_t& maximum)
{
    if (view < page) {
        margin = 0.1 * view;
        maximum = Round(page - view);
    } else {
        margin = (view - page) / 2;
        maximum = 0;
    }
    maximum = Round(maximum + 2 * margin);
}

void SetSteps(PreviewScrollBar& bar)
{
    bar.SmallStep = Round(bar.Maximum / 10.0);
    bar.LargeStep = 2 * bar.SmallStep;
}

} // namespace

std::optional<PreviewLayout> LayOutPreview(bool fit, const PageSizeTwips& page, double viewWidth,
                                           double viewHeight, double barHeight, double barWidth)
{
    if (viewWidth <= 0 || viewHeight <= 0 || page.Width <= 0 || page.Height <= 0)
        return std::nullopt;
    PreviewLayout layout;
    layout.Fit = fit;
    if (fit) {
        TwipsRect& f = layout.Frame;
        if (page.Width < page.Height) {
            f.Height = 0.98 * viewHeight;
            layout.Scale = f.Height / page.Height;
            f.Width = page.Width * layout.Scale;
            f.Top = 0.01 * viewHeight;
            f.Left = (viewWidth - f.Width) / 2;
        } else {
            f.Width = 0.98 * viewWidth;
            layout.Scale = f.Width / page.Width;
            f.Height = page.Height * layout.Scale;
            f.Left = 0.01 * viewWidth;
            f.Top = (viewHeight - f.Height) / 2;
        }
        PlaceShadows(layout);
        return layout;
    }

    PreviewScrollBar& h = layout.Horizontal;
    PreviewScrollBar& v = layout.Vertical;
    h.Place.Left = 0;
    h.Place.Width = std::max(0.0, viewWidth - barWidth);
    h.Place.Height = barHeight;
    h.Place.Top = std::max(0.0, viewHeight - barHeight);
    v.Place.Left = h.Place.Width;
    v.Place.Top = 0;
    v.Place.Width = barWidth;
    v.Place.Height = h.Place.Top;
    layout.Corner = {h.Place.Width, v.Place.Height, barWidth, barHeight};

    ScrollAxis(viewWidth, page.Width, layout.MarginX, h.Maximum);
    ScrollAxis(viewHeight, page.Height, layout.MarginY, v.Maximum);
    SetSteps(h);
    SetSteps(v);
    h.Value = Round(h.Maximum / 2.0);
    v.Value = 0;

    layout.Scale = 1;
    layout.ScrollBars = true;
    layout.Frame = {FrameLeftForScroll(layout.MarginX, h.Value), FrameTopForScroll(layout.MarginY, v.Value),
                    static_cast<double>(page.Width), static_cast<double>(page.Height)};
    PlaceShadows(layout);
    return layout;
}

} // namespace kelton
