#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include <QString>

#include "core/msg_service.h"
#include "data/currency.h"
#include "data/formula_store.h"
#include "data/number_format.h"

namespace kelton {

// A colour value as stored: red + 256 * green + 65536 * blue; 0 = not set.
constexpr int32_t Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

// A stored colour of 0 means "not set" and takes its default, so black is
// stored as kStoredBlack: a value above the colour bytes, which are all 0.
// Whoever shows a stored colour takes its colour bytes (ColorRgb).
inline constexpr int32_t kStoredBlack = 0x01000000;

// The value that stores a colour (red + 256 * green + 65536 * blue).
constexpr int32_t StoredColor(int32_t rgb)
{
    rgb &= 0xFFFFFF;
    return rgb == 0 ? kStoredBlack : rgb;
}

// The colour a stored value shows.
constexpr int32_t ColorRgb(int32_t stored)
{
    return stored & 0xFFFFFF;
}

// The definition of one lottery game: the shape of a draw, its display
// options, number formats, download sources, prize table, default condition
// bounds and the user's formulas. Usable only once a definition text has been
// accepted (Enable); acceptance fills the defaults and freezes the shape of
// the draw. No member throws: bad indexes read as 0 or the empty text and
// are ignored on write.
class CLottorHead {
public:
    static constexpr int16_t kSourceCount = 10;  // download sources 0..9
    static constexpr int16_t kFormatCount = 10;  // NumFormatStr 0..9
    static constexpr int16_t kIndicatorCount = 43;

    CLottorHead();

    // The progress and message service of every long operation on this game.
    CMsg msg;

    // The shape of the draw (fixed once accepted) and the display options.
    QString LottorName;
    int16_t BcDataLen = 0;     // main numbers run 0..BcDataLen
    int16_t BcNumMaxLen = 0;   // decimal digits of BcDataLen
    QString BcDataName;
    int16_t BcMain = 0;        // main numbers per draw, positions 1..BcMain
    QString MrDataName;
    int16_t MrDataLen = 0;     // largest secondary value; 0 = no secondary area
    int16_t MrNumMaxLen = 0;
    int16_t MrMain = 0;        // secondary numbers, positions BcMain+1..BM
    int16_t BM = 0;            // BcMain + MrMain
    int16_t CustomStat = 0;    // period of the custom statistic
    int16_t ListAsc = 0;       // list the draws from the bottom up
    int32_t CycleColor = 0;
    int32_t BcMainColor = 0;
    int32_t MrMainColor = 0;
    int16_t InferShowCourse = 0;  // draws shown in the analysis windows
    QString DefNumFormat;

    // The definition text: the seven base sections, then the options text.
    // Empty while not accepted. Writing parses and accepts a text; ignored
    // once accepted.
    QString HeadStr();
    void SetHeadStr(const QString& sHead);
    // The length in bytes (GBK) of the definition text HeadStr would give
    // with `ways` as the formula store, its deleted rows and groups dropped
    // as HeadStr drops them; this head is not changed. 0 while not accepted.
    int64_t DefinitionBytes(FormulaStore ways) const;

    bool Enable() const { return m_enable; }

    // Row and rank colours, index 0..1; values <= 0 are ignored.
    int32_t RowColor(int16_t sIndex) const;
    void SetRowColor(int16_t sIndex, int32_t value);
    int32_t RankColor(int16_t sIndex) const;
    void SetRankColor(int16_t sIndex, int32_t value);

    // Download sources, index 0..9; any text is stored unchanged.
    QString WwwNumLink(int16_t sIndex) const;
    void SetWwwNumLink(int16_t sIndex, const QString& value);
    QString WwwNumFormat(int16_t sIndex) const;
    void SetWwwNumFormat(int16_t sIndex, const QString& value);
    QString WwwNumCaption(int16_t sIndex) const;
    void SetWwwNumCaption(int16_t sIndex, const QString& value);

    // Number formats, index 0..9 (0 = the default); a text is stored only
    // when FormatVail accepts it.
    QString NumFormatStr(int16_t sIndex) const;
    void SetNumFormatStr(int16_t sIndex, const QString& value);

    // Prize table (x 0..BcMain, Z 0..MrMain, l 0..1): l = 1 the amount,
    // l = 0 an integer 0..100 kept with it. Written only in range and >= 0.
    Currency WinMod(int16_t x, int16_t z, int16_t l) const;
    void SetWinMod(int16_t x, int16_t z, int16_t l, Currency value);

    // Default low (sHL 0) and high (sHL 1) bound of condition sFilter
    // (0..BcMain + 43, FilterKind numbering); 0 out of range. Bounds beyond
    // the 16-bit range are held at 32767.
    int16_t ShrinkHL(int16_t sFilter, int16_t sHL) const;

    // The options text (download sources, formats, prizes, display options,
    // formulas). Reading compacts the formula store first.
    QString InfoStr();
    void SetInfoStr(const QString& sInfo);

    // Number formats.
    QString GetDefFormat() const;
    QString GetBDefFormat() const;
    bool FormatVail(const QString& sFormat) const;
    bool StrToFormat(const QString& sFormat, FormatTokens& oFormat) const;

    // Formula store.
    int16_t WayCount() const { return m_ways.WayCount(); }
    QString WayGet(int16_t sIndex, int16_t sKind) const { return m_ways.WayGet(sIndex, sKind); }
    void WaySet(int16_t sIndex, int16_t sKind, const QString& sNewValue)
    {
        m_ways.WaySet(sIndex, sKind, sNewValue);
    }
    bool WayAdd(int16_t sWayGroupIndex, const QString& sName, const QString& sWay, int16_t sConsultIndex,
                const QString& sConsult)
    {
        return m_ways.WayAdd(sWayGroupIndex, sName, sWay, sConsultIndex, sConsult);
    }
    bool WayDel(int16_t sIndex) { return m_ways.WayDel(sIndex); }
    int16_t WayGroupCount() const { return m_ways.WayGroupCount(); }
    QString WayGroupGet(int16_t sIndex) const { return m_ways.WayGroupGet(sIndex); }
    void WayGroupSet(int16_t sIndex, const QString& sNewValue) { m_ways.WayGroupSet(sIndex, sNewValue); }
    bool WayGroupAdd(const QString& sName) { return m_ways.WayGroupAdd(sName); }
    bool WayGroupDel(int16_t sIndex) { return m_ways.WayGroupDel(sIndex); }
    QString WayDefConsult(int16_t sRow, int16_t sCol) const { return m_ways.WayDefConsult(sRow, sCol); }
    void CompactWays() { m_ways.CompactWays(); }
    const FormulaStore& Ways() const { return m_ways; }

private:
    struct Source {
        QString Link;
        QString Format;
        QString Caption;
    };

    void Reset();
    bool ParseHead(const QString& sHead);
    // HeadStr and InfoStr without the formula sections that end them.
    QString BaseText() const;
    QString OptionsText() const;
    void ApplyDefaults();
    void BuildShrinkHL();
    void ParseWinModLines(const QStringList& lines);
    size_t WinModSlot(int16_t x, int16_t z, int16_t l) const;

    bool m_enable = false;
    std::array<int32_t, 2> m_rowColor{};
    std::array<int32_t, 2> m_rankColor{};
    std::array<Source, kSourceCount> m_sources;
    std::array<QString, kFormatCount> m_numFormat;
    // The (BcMain + 1) x (MrMain + 1) x 2 prize table by slot, holding only
    // the entries set; the others are 0. A large game's table would not fit
    // in memory as a whole.
    std::map<size_t, Currency> m_winMod;
    std::vector<int16_t> m_shrinkHL;    // (BcMain + 44) x 2
    FormulaStore m_ways;
};

}  // namespace kelton
