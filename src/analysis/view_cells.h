#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include <QString>

namespace kelton {

// Colours of the analysis views as the game definition stores them
// (red + 256 × green + 65536 × blue); the windows turn them into QColors.
constexpr int32_t ViewRgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}
inline constexpr int32_t kViewBlack = ViewRgb(0, 0, 0);
inline constexpr int32_t kViewWhite = ViewRgb(255, 255, 255);
inline constexpr int32_t kViewGrey = ViewRgb(150, 150, 150);
inline constexpr int32_t kViewBlue = ViewRgb(0, 0, 255);
inline constexpr int32_t kViewRed = ViewRgb(255, 0, 0);

// The colours of one painted cell.
struct ViewCellStyle {
    int32_t Back = kViewWhite;
    int32_t Fore = kViewBlack;
    friend bool operator==(const ViewCellStyle&, const ViewCellStyle&) = default;
};

// The texts of small numbers, each made once and shared by every cell
// that shows it: a table of the whole history repeats a few values, and a
// shared text costs its cell no memory of its own. A text stays where Of
// put it for the life of the NumberTexts.
class NumberTexts {
public:
    const QString& Of(int value)
    {
        const int at = value - kLowest;
        if (at < 0 || at >= kCount) {
            auto [other, made] = m_others.try_emplace(value);
            if (made)
                other->second = QString::number(value);
            return other->second;
        }
        QString& text = m_texts[static_cast<size_t>(at)];
        if (text.isNull())
            text = QString::number(value);
        return text;
    }

private:
    static constexpr int kLowest = -1;
    static constexpr int kCount = 1025;
    std::vector<QString> m_texts = std::vector<QString>(kCount);
    std::unordered_map<int, QString> m_others; // its texts stay where they are
};

// One cell of a table row as a view's build paints it.
struct ViewCell {
    QString Text;
    int32_t Back = kViewWhite;
    int32_t Fore = kViewGrey;
    friend bool operator==(const ViewCell&, const ViewCell&) = default;
};

// One cell a view's build writes to its grid: the text and, where given,
// the colours (a colour left out keeps what the grid has).
struct GridCell {
    int Row = 0;
    int Col = 0;
    QString Text;
    std::optional<int32_t> Back;
    std::optional<int32_t> Fore;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};
// Takes the cells of a view's build one by one as they are computed, so
// that a table of the whole history is never held twice.
using GridCellSink = std::function<void(const GridCell&)>;

// A run of a row's cells a view's build writes to its grid in one go: the
// texts of columns Col, Col + 1, .. (by address, mostly NumberTexts'
// shared ones), one back colour for them all or each cell's own (Backs,
// which then stands for Back), and each cell's text colour, where given
// (Fore and Backs are empty or as long as Texts; a colour left out keeps
// what the grid has). The spans and the texts live only for the call.
struct GridRow {
    int Row = 0;
    int Col = 0;
    std::span<const QString* const> Texts;
    std::optional<int32_t> Back;
    std::span<const std::optional<int32_t>> Fore;
    std::span<const std::optional<int32_t>> Backs;
};
// Takes a table's rows one by one as they are computed.
using GridRowSink = std::function<void(const GridRow&)>;
// The cells of each row, one by one, into out.
GridRowSink RowsAsCells(GridCellSink out);

} // namespace kelton
