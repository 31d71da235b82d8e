#include "analysis/relation_matrix.h"

#include <algorithm>
#include <numeric>

#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

RelationPositions RelationKindPositions(int16_t kind)
{
    switch (kind) {
    case 1:
        return {3, 2};
    case 2:
        return {2, 1};
    case 3:
        return {1, 3};
    default:
        return {0, 0};
    }
}

bool RelationKindAvailable(int16_t kind, int16_t bcMain)
{
    if (kind == 0)
        return bcMain >= 2;
    if (kind < 0 || kind >= kRelationKinds)
        return false;
    const RelationPositions p = RelationKindPositions(kind);
    return std::max(p.First, p.Second) <= bcMain;
}

RelationTexts RelationKindTexts(int16_t kind)
{
    switch (kind) {
    case 1:
        return {QStringLiteral("百位号码"), QStringLiteral("十位号码"), QStringLiteral("与十位的号码相克情况")};
    case 2:
        return {QStringLiteral("十位号码"), QStringLiteral("个位号码"), QStringLiteral("与个位的号码相克情况")};
    case 3:
        return {QStringLiteral("个位号码"), QStringLiteral("百位号码"), QStringLiteral("与百位的号码相克情况")};
    default:
        return {QStringLiteral("组选号码"), QStringLiteral("组选号码"), QStringLiteral("与其它号码相克情况")};
    }
}

PairMatrix CountPairs(std::span<const int16_t> numbers, int stride, int16_t bcMain, int16_t largest, int32_t drawn,
                      int32_t start, int32_t end, int16_t kind)
{
    PairMatrix m;
    m.Largest = std::max<int16_t>(largest, -1);
    const auto size = static_cast<size_t>(m.Size());
    m.Counts.assign(size * size, 0);
    if (stride <= 0 || !RelationKindAvailable(kind, bcMain) || stride <= bcMain)
        return m;
    end = std::min<int32_t>(end, drawn - 1);
    end = std::min<int32_t>(end, static_cast<int32_t>(numbers.size() / static_cast<size_t>(stride)) - 1);
    start = std::max<int32_t>(start, 0);
    auto digit = [&](const int16_t* rec, int p) -> int { return rec[p] >= 0 && rec[p] <= largest ? rec[p] : -1; };
    if (kind != 0) {
        const RelationPositions pos = RelationKindPositions(kind);
        for (int32_t i = start; i <= end; ++i) {
            const int16_t* rec = numbers.data() + static_cast<size_t>(i) * static_cast<size_t>(stride);
            const int x = digit(rec, pos.First);
            const int y = digit(rec, pos.Second);
            if (x >= 0 && y >= 0)
                ++m.Counts[static_cast<size_t>(x) * size + static_cast<size_t>(y)];
        }
        return m;
    }
    // One count per cell and draw: a stamp per cell says which draw last
    // counted it.
    std::vector<int32_t> stamp(size * size, -1);
    for (int32_t i = start; i <= end; ++i) {
        const int16_t* rec = numbers.data() + static_cast<size_t>(i) * static_cast<size_t>(stride);
        for (int p = 1; p < bcMain; ++p) {
            const int x = digit(rec, p);
            if (x < 0)
                continue;
            for (int q = p + 1; q <= bcMain; ++q) {
                const int y = digit(rec, q);
                if (y < 0)
                    continue;
                for (const size_t cell : {static_cast<size_t>(x) * size + static_cast<size_t>(y),
                                          static_cast<size_t>(y) * size + static_cast<size_t>(x)}) {
                    if (stamp[cell] != i) {
                        stamp[cell] = i;
                        ++m.Counts[cell];
                    }
                }
            }
        }
    }
    return m;
}

PairMatrix GetPairMatrix(const CStat& stat, int32_t start, int32_t end, int16_t kind)
{
    const CLottorHead* head = stat.HeadData();
    if (!head)
        return {};
    const int stride = head->BcMain + head->MrMain + 1;
    const std::vector<int16_t>& table = stat.NumTable();
    return CountPairs(table, stride, head->BcMain, head->BcDataLen, stat.BallCount() - 1, start, end, kind);
}

const PairMatrix& RelationCache::Matrix(const CStat& stat, int32_t start, int32_t end, int16_t kind)
{
    m_counted = !m_held || m_start != start || m_end != end || m_kind != kind || m_view != &stat ||
                m_revision != stat.Revision();
    if (m_counted) {
        m_matrix = GetPairMatrix(stat, start, end, kind);
        m_held = true;
        m_start = start;
        m_end = end;
        m_kind = kind;
        m_view = &stat;
        m_revision = stat.Revision();
    }
    return m_matrix;
}

ChartData RelationChart(const PairMatrix& matrix, int16_t digit, bool sorted, int16_t kind, const QString& itemText)
{
    const int n = matrix.Largest;
    ChartData data(n + 1, 1);
    // Points in digit order, or from the highest digit down before sorting;
    // the stable sort keeps that order among equal counts.
    std::vector<int> order(static_cast<size_t>(n + 1));
    std::iota(order.begin(), order.end(), 0);
    if (sorted) {
        std::reverse(order.begin(), order.end());
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return matrix.At(digit, a) > matrix.At(digit, b); });
    }
    for (int p = 0; p <= n; ++p) {
        const int i = order[static_cast<size_t>(p)];
        data.Set(p + 1, 0, QString::number(i) + u' ');
        data.Set(p + 1, 1, matrix.At(digit, i));
    }
    const RelationTexts texts = RelationKindTexts(kind);
    data.Set(0, 0, QStringLiteral(" "));
    data.Set(0, 1, texts.RowLabel + itemText + texts.Suffix);
    return data;
}

void RelationTableCells(const PairMatrix& matrix, const CLottorHead& head, int16_t kind, bool rowColours,
                        const GridCellSink& out)
{
    const RelationTexts texts = RelationKindTexts(kind);
    const int n = head.BcDataLen;
    out({0, 0, u"号码"_s, {}, {}});
    out({1, 0, u"号码"_s, {}, {}});
    for (int d = 0; d <= n; ++d) {
        out({0, d + 2, texts.ColLabel, {}, {}});
        out({1, d + 2, QString::number(d), {}, {}});
        out({d + 2, 0, texts.RowLabel, {}, {}});
        out({d + 2, 1, QString::number(d), {}, {}});
    }
    for (int r = 0; r <= n; ++r) {
        const int32_t back = ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>((r + 2) % 2) : 0));
        for (int c = 0; c <= n; ++c)
            out({r + 2, c + 2, QString::number(matrix.At(r, c)), back, {}});
    }
}

} // namespace kelton
