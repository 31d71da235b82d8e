#include "analysis/cycle_view.h"

#include <algorithm>
#include <array>
#include <utility>

#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_record.h"

namespace kelton {

using namespace Qt::StringLiterals;

std::vector<CycleEntry> CycleEntries(const CStat& stat, int32_t p, int16_t k, int16_t d)
{
    std::vector<CycleEntry> out;
    const CLottorHead* head = stat.HeadData();
    if (!head || d < 0 || d > head->BcDataLen || k < 1 || k > head->BcMain)
        return out;
    std::array<int16_t, kCycleSlots> sp{};
    std::array<int16_t, kCycleSlots> count{};
    const int16_t c = stat.Cycle(p, k, d, sp, count);
    for (int i = 0; i < c && i < kCycleSlots; ++i) {
        const int n = sp[static_cast<size_t>(i)];
        const int m = count[static_cast<size_t>(i)];
        out.push_back({u"隔"_s + QString::number(n) + u"期循环"_s + QString::number(m) + u'次', n * 100000 + m});
    }
    return out;
}

namespace {

// The background of digit d's cell at position pos of a record: the cycle
// colour where the digit is in a cycle and cycles are coloured.
int32_t CycleBackOf(const CStat& stat, const StatRecord& record, int16_t pos, int16_t d, bool cycleColour)
{
    return cycleColour && record.CycleCountOf(pos, d) > 0 ? ColorRgb(stat.HeadData()->CycleColor) : kViewWhite;
}

// The cells of one block of the cycle grid at a record, as CycleRowCells
// gives them, cell by cell: the texts by address (NumberTexts' or the
// empty text).
struct CycleBlockCells {
    std::vector<const QString*> Texts;
    std::vector<std::optional<int32_t>> Backs;
    std::vector<std::optional<int32_t>> Fores;
};

const QString kNoText;

// The cells of one block of the cycle grid at record p into cells, the
// texts from texts.
void FillCycleRowCells(const CStat& stat, const CLottorData& game, int32_t p, int16_t pos, int mode,
                       bool showHitOnly, bool cycleColour, NumberTexts& texts, CycleBlockCells& cells)
{
    const CLottorHead& head = game.HeadData;
    const bool secondary = pos > head.BcMain;
    const int largest = secondary ? head.MrDataLen : head.BcDataLen;
    const int32_t main = ColorRgb(secondary ? head.MrMainColor : head.BcMainColor);
    // The record of p, read once for the whole block (the blank record for
    // a secondary block, which reads nothing from it).
    const StatRecord* record = secondary ? nullptr : &stat.LoadRecord(p);
    // A secondary number is never ranked: its column is its value, and its
    // draws come from the history.
    auto data = [&](int d, int16_t sort) {
        return secondary ? static_cast<int16_t>(d) : record->Data(sort, d);
    };
    auto text = [&](int d) -> const QString* {
        return &texts.Of(mode == 0 ? data(d, 1) : mode == 2 ? data(d, 0) : d);
    };
    const size_t n = static_cast<size_t>(largest + 1);
    cells.Texts.resize(n);
    cells.Backs.resize(n);
    cells.Fores.assign(n, kViewGrey);
    for (int d = 0; d <= largest; ++d) {
        const auto at = static_cast<size_t>(d);
        cells.Backs[at] = record ? CycleBackOf(stat, *record, pos, static_cast<int16_t>(d), cycleColour) : kViewWhite;
        cells.Texts[at] = showHitOnly ? &kNoText : text(d);
    }
    auto hit = [&](int d) {
        if (d >= 0 && d <= largest) {
            cells.Fores[static_cast<size_t>(d)] = main;
            cells.Texts[static_cast<size_t>(d)] = text(d);
        }
    };
    if (p < stat.BallCount() - 1) {
        hit(secondary ? game.Num(pos, p) : stat.Num(p, pos, 0));
    } else {
        for (int d = 0; d <= largest; ++d) {
            if (game.SelectBall(pos, data(d, 0)) != 0)
                hit(d);
        }
    }
}

} // namespace

std::vector<int32_t> CycleTableRows(const CStat& stat, const CLottorData& game, const GameSizes& sizes,
                                    const AreaNames& names, const CycleTableSetup& setup, const GridRowSink& out)
{
    const NumberGridLayout layout = NumberGrid(sizes, 2, names);
    const int count = setup.RangeCount;
    std::vector<int32_t> records(static_cast<size_t>(std::max(0, count) + 2), -1);
    const QString captions[] = {u"位码"_s, u"期数"_s};
    for (int r = 0; r < 2; ++r) {
        const QString* const caption = &captions[r];
        out({r, 0, std::span(&caption, 1), {}, {}, {}});
    }
    const int32_t next = stat.BallCount() - 1;
    NumberTexts texts;
    CycleBlockCells cells;
    for (int t = 0; t < count; ++t) {
        const int32_t p = setup.RangeStart + t;
        const int r = PeriodRow(t, count, setup.ListAsc);
        records[static_cast<size_t>(r)] = p;
        const QString issue = p == next ? u"下期"_s : QString::number(game.NumName(p));
        const QString* const issueText = &issue;
        out({r, 0, std::span(&issueText, 1), {}, {}, {}});
        for (const NumberBlock& block : layout.Blocks) {
            FillCycleRowCells(stat, game, p, block.Area, setup.Mode, setup.ShowHit, setup.CycleColour, texts, cells);
            const size_t n = std::min(static_cast<size_t>(std::max<int>(0, block.Digits)), cells.Texts.size());
            out({r, block.Start, std::span(cells.Texts).first(n), {}, std::span(cells.Fores).first(n),
                 std::span(cells.Backs).first(n)});
        }
    }
    return records;
}

std::vector<int32_t> CycleTableCells(const CStat& stat, const CLottorData& game, const GameSizes& sizes,
                                     const AreaNames& names, const CycleTableSetup& setup,
                                     const GridCellSink& out)
{
    return CycleTableRows(stat, game, sizes, names, setup, RowsAsCells(out));
}

int32_t CycleCellBack(const CStat& stat, int32_t p, int16_t pos, int16_t d, bool cycleColour)
{
    return cycleColour ? CycleBackOf(stat, stat.LoadRecord(p), pos, d, cycleColour) : kViewWhite;
}

std::vector<ViewCell> CycleRowCells(const CStat& stat, const CLottorData& game, int32_t p, int16_t pos, int mode,
                                    bool showHitOnly, bool cycleColour)
{
    NumberTexts texts;
    CycleBlockCells block;
    FillCycleRowCells(stat, game, p, pos, mode, showHitOnly, cycleColour, texts, block);
    std::vector<ViewCell> cells(block.Texts.size());
    for (size_t d = 0; d < cells.size(); ++d)
        cells[d] = {*block.Texts[d], *block.Backs[d], *block.Fores[d]};
    return cells;
}

int CycleGridCols(const CLottorHead& head)
{
    return (head.BcDataLen + 2) * head.BcMain + (head.MrDataLen + 2) * head.MrMain;
}

int CycleColumn(const CLottorHead& head, int block, int digit)
{
    return (head.BcDataLen + 2) * (block - 1) + digit + 1;
}

std::optional<CycleClick> LocateCycleClick(const CLottorHead& head, int col)
{
    const int width = head.BcDataLen + 2;
    if (col < 1 || col > width * head.BcMain - 1)
        return std::nullopt;
    const int b = col / width + 1;
    return CycleClick{static_cast<int16_t>(b), static_cast<int16_t>(col - (b - 1) * width - 1)};
}

std::optional<CycleHighlight> HighlightFromTags(const QString& rowTag, const QString& cellTag, int32_t itemData)
{
    bool ok = false;
    const int row = rowTag.toInt(&ok);
    if (!ok || cellTag.isEmpty())
        return std::nullopt;
    const QStringList parts = cellTag.split(u'|');
    if (parts.size() != 2)
        return std::nullopt;
    bool okBlock = false;
    bool okDigit = false;
    const int block = parts[0].toInt(&okBlock);
    const int digit = parts[1].toInt(&okDigit);
    if (!okBlock || !okDigit)
        return std::nullopt;
    CycleHighlight h;
    h.AnchorRow = static_cast<int16_t>(row);
    h.Block = static_cast<int16_t>(block);
    h.Digit = static_cast<int16_t>(digit);
    h.Distance = static_cast<int16_t>(itemData / 100000);
    h.Repeats = static_cast<int16_t>(itemData % 100000);
    return h;
}

std::vector<int> CycleHighlightRows(const CycleHighlight& h, bool newestOnTop, int rows)
{
    std::vector<int> out;
    if (h.AnchorRow == 0)
        return out;
    for (int i = 0; i <= h.Repeats; ++i) {
        const int row = newestOnTop ? h.AnchorRow + i * h.Distance : h.AnchorRow - i * h.Distance;
        if (row >= 2 && row <= rows - 1)
            out.push_back(row);
    }
    return out;
}

int32_t CycleHighlightFore(int32_t fore, int32_t mainColour, bool on)
{
    if (on)
        return fore == mainColour ? kViewBlack : fore;
    return fore == kViewBlack ? mainColour : fore;
}

} // namespace kelton
