#include "analysis/infer_layout.h"

#include <algorithm>

#include "data/lottor_head.h"
#include "platform/name_tables.h"

namespace kelton {

using namespace Qt::StringLiterals;

GameSizes SizesOf(const CLottorHead& head)
{
    return GameSizes{head.BcDataLen, head.BcMain, head.MrDataLen, head.MrMain};
}

QString AreaNames::PositionCaption(int16_t p) const
{
    if (p < 0 || static_cast<size_t>(p) >= kPlaceNames.size())
        return QString();
    return PlaceName(p) + u"位号码"_s;
}

QString AreaNames::SecondaryCaption(int16_t j, int16_t R) const
{
    return R > 1 ? MrDataName + QString::number(j) : MrDataName;
}

// ---------------------------------------------------------------------------

std::vector<int16_t> SubareaAreas(const GameSizes& g, int16_t choice)
{
    std::vector<int16_t> areas;
    const auto positionsDown = [&] {
        for (int16_t k = g.B; k >= 1; --k)
            areas.push_back(k);
        for (int16_t j = 1; j <= g.R; ++j)
            areas.push_back(static_cast<int16_t>(g.B + j));
    };
    if (choice == 0) {
        areas.push_back(0);
        positionsDown();
    } else if (choice == 1) {
        areas.push_back(0);
    } else if (choice == 2) {
        positionsDown();
    } else if (choice >= 3 && choice <= g.B + 2) {
        areas.push_back(static_cast<int16_t>(g.B + 3 - choice));
    } else if (choice > g.B + 2 && choice <= g.B + 2 + g.R) {
        areas.push_back(static_cast<int16_t>(choice - 2));
    }
    return areas;
}

NumberGridLayout NumberGrid(const GameSizes& g, int16_t choice, const AreaNames& names)
{
    NumberGridLayout layout;
    const std::vector<int16_t> areas = SubareaAreas(g, choice);
    int col = 1;
    for (size_t i = 0; i < areas.size(); ++i) {
        NumberBlock block;
        block.Area = areas[i];
        block.Start = static_cast<int16_t>(col);
        block.Secondary = areas[i] > g.B;
        block.Digits = static_cast<int16_t>((block.Secondary ? g.M : g.L) + 1);
        block.SeparatorAfter = i + 1 < areas.size();
        if (block.Area == 0)
            block.Caption = u"0至9号码"_s;
        else if (block.Secondary)
            block.Caption = names.SecondaryCaption(static_cast<int16_t>(block.Area - g.B), g.R);
        else
            block.Caption = names.PositionCaption(block.Area);
        col += block.Digits + (block.SeparatorAfter ? 1 : 0);
        layout.Blocks.push_back(block);
    }
    layout.Cols = static_cast<int16_t>(col);
    return layout;
}

std::optional<GridColumn> ColumnAt(const NumberGridLayout& layout, int col)
{
    for (size_t i = 0; i < layout.Blocks.size(); ++i) {
        const NumberBlock& b = layout.Blocks[i];
        if (col >= b.Start && col < b.Start + b.Digits)
            return GridColumn{static_cast<int16_t>(i), b.Area, static_cast<int16_t>(col - b.Start)};
        if (col == b.SeparatorCol())
            return GridColumn{static_cast<int16_t>(i), b.Area, -1};
    }
    return std::nullopt;
}

int DigitColumn(const NumberGridLayout& layout, int16_t area, int16_t d)
{
    for (const NumberBlock& b : layout.Blocks) {
        if (b.Area == area)
            return d >= 0 && d < b.Digits ? b.Start + d : -1;
    }
    return -1;
}

int ColumnTwips(const NumberGridLayout& layout, int col)
{
    if (col == 0)
        return kLabelColTwips;
    const std::optional<GridColumn> at = ColumnAt(layout, col);
    if (!at)
        return 0;
    return at->Digit < 0 ? kSeparatorColTwips : kDigitColTwips;
}

int PeriodRow(int m, int rangeCount, bool listAsc)
{
    return listAsc ? rangeCount - 1 - m + 2 : m + 2;
}

int BuildTopRow(bool listAsc, int rows, int fitRows)
{
    if (rows <= 2)
        return -1;
    if (listAsc)
        return 2;
    return rows > fitRows ? rows - 1 : 2;
}

// ---------------------------------------------------------------------------

PeriodChoice DefaultPeriods(int listCount, int showCourse)
{
    PeriodChoice c;
    if (listCount <= 0)
        return c;
    c.End = listCount - 1;
    c.Index = listCount - 1;
    if (showCourse <= 0)
        c.Start = listCount - 1; // a course of nothing shows the next issue alone
    else
        c.Start = showCourse < listCount ? listCount - showCourse : 0;
    return c;
}

TopBarRange StoreRange(int start, int end, int index)
{
    TopBarRange r;
    r.RangeStart = static_cast<int16_t>(start);
    r.RangeEnd = static_cast<int16_t>(end);
    r.RangeCount = static_cast<int16_t>(std::max(0, end - start + 1));
    r.StatPeriod = static_cast<int16_t>(index);
    return r;
}

QStringList BcTaxisItems(const GameSizes& g)
{
    QStringList items;
    for (int i = 0; i <= g.L / 2; ++i)
        items << QString::number(i);
    return items;
}

int BcTaxisDefault(const GameSizes& g)
{
    return std::clamp<int>(g.B, 0, std::max(0, g.L / 2));
}

namespace {

void AddAreaItems(QStringList& items, const GameSizes& g, const AreaNames& names)
{
    for (int16_t p = g.B; p >= 1; --p)
        items << names.PositionCaption(p);
    for (int16_t j = 1; j <= g.R; ++j)
        items << names.SecondaryCaption(j, g.R);
}

} // namespace

QStringList SubareaItems(const GameSizes& g, const AreaNames& names)
{
    QStringList items{u"全部号码"_s, u"0至%1分布"_s.arg(g.L), u"全部位码"_s};
    AddAreaItems(items, g, names);
    return items;
}

QStringList Subarea2Items(const GameSizes& g, const AreaNames& names)
{
    QStringList items{u"全部号码"_s};
    AddAreaItems(items, g, names);
    return items;
}

QStringList IndicatorItems(const GameSizes& g, const AreaNames& names)
{
    QStringList items;
    for (int k = 0; k <= 42; ++k)
        items << IndicatorName(k);
    for (int16_t p = 1; p <= g.B; ++p)
        items << names.PositionCaption(p);
    return items;
}

QStringList RelateItems(const GameSizes& g)
{
    QStringList items{u"全部号码"_s};
    for (int d = 0; d <= g.L; ++d)
        items << u"号码%1"_s.arg(d);
    return items;
}

namespace {

const char16_t* const kListCaptions[] = {u"历史出数分布", u"百期出数分布", u"50期出数分布", u"20期出数分布",
                                         u"",             u"间隔分布",     u"遗漏分布",     u"概率分布"};
const char16_t* const kStatCaptions[] = {u"历史出数排行", u"百期出数排行", u"50期出数排行", u"20期出数排行",
                                         u"",             u"间隔排行",     u"遗漏排行",     u"概率排行"};

} // namespace

QString OptListCaption(int16_t k, int16_t customStat)
{
    if (k == 4)
        return QString::number(customStat) + u"期出数分布"_s;
    return k >= 0 && k < 8 ? QString::fromUtf16(kListCaptions[k]) : QString();
}

QString OptStatCaption(int16_t k, int16_t customStat)
{
    if (k == 4)
        return QString::number(customStat) + u"期出数排行"_s;
    return k >= 0 && k < 8 ? QString::fromUtf16(kStatCaptions[k]) : QString();
}

QString RunTimeOptionCaption(int16_t k, const GameSizes& g, const AreaNames& names)
{
    const int p = k - 42;
    if (p >= 1 && p <= g.B)
        return names.PositionCaption(static_cast<int16_t>(p));
    const int j = p - g.B;
    if (j >= 1 && j <= g.R)
        return names.MrDataName + u"号码"_s + QString::number(j);
    return QString();
}

int32_t ConstructionProgressMax(int32_t draws, const GameSizes& g)
{
    return draws + 40 + 5 * (g.B + g.R);
}

} // namespace kelton
