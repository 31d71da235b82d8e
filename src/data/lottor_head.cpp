#include "data/lottor_head.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"

namespace kelton {

namespace {

int16_t Saturate16(int64_t value)
{
    return static_cast<int16_t>(std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

// A name goes on one line of the definition text: a line break inside it
// would end the name and start a line of its own. A name starting with "'"
// gets a blank in front, which the reader trims, so that it is not read as
// a comment.
QString SingleLine(const QString& name)
{
    QString line = name;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (line.startsWith(QLatin1Char('\'')))
        line.prepend(QLatin1Char(' '));
    return line;
}

}  // namespace

CLottorHead::CLottorHead() = default;

void CLottorHead::Reset()
{
    LottorName.clear();
    BcDataLen = 0;
    BcNumMaxLen = 0;
    BcDataName.clear();
    BcMain = 0;
    MrDataName.clear();
    MrDataLen = 0;
    MrNumMaxLen = 0;
    MrMain = 0;
    BM = 0;
    CustomStat = 0;
    ListAsc = 0;
    CycleColor = 0;
    BcMainColor = 0;
    MrMainColor = 0;
    InferShowCourse = 0;
    DefNumFormat.clear();
    m_rowColor = {};
    m_rankColor = {};
    m_sources = {};
    m_numFormat = {};
    m_winMod.clear();
    m_shrinkHL.clear();
    m_ways.Clear();
}

void CLottorHead::SetHeadStr(const QString& sHead)
{
    if (m_enable || sHead.isEmpty())
        return;
    // Every text starts from an empty definition: nothing of an earlier,
    // refused text may slip into this one.
    Reset();
    ParseHead(sHead);
}

bool CLottorHead::ParseHead(const QString& sHead)
{
    QString options;
    // A carriage return inside a line is read as the blank the writer makes
    // of it, so that a line reads the same before and after a save.
    QStringList lines = SplitLines(sHead);
    for (QString& line : lines)
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    IniReader reader(std::move(lines));
    while (reader.Next()) {
        const QString& section = reader.Section();
        const QString& line = reader.Line();
        const QString value = TrimBlanks(line);
        if (value.isEmpty())
            continue;

        QString* text = nullptr;
        int16_t* number = nullptr;
        if (section == QLatin1String("LOTTONAME"))
            text = &LottorName;
        else if (section == QLatin1String("BCDATANAME"))
            text = &BcDataName;
        else if (section == QLatin1String("MRDATANAME"))
            text = &MrDataName;
        else if (section == QLatin1String("BCDATALEN"))
            number = &BcDataLen;
        else if (section == QLatin1String("BCMAIN"))
            number = &BcMain;
        else if (section == QLatin1String("MRDATALEN"))
            number = &MrDataLen;
        else if (section == QLatin1String("MRMAIN"))
            number = &MrMain;

        if (text) {
            *text = value;
        } else if (number) {
            if (!IsNumberText(value))
                continue;
            const std::optional<int16_t> n = NumberTextToInt16(value);
            if (!n)
                return false;  // out of range: the text is refused
            *number = *n;
        } else {
            options += QLatin1Char('[') + section + QStringLiteral("]\r\n") + value + QStringLiteral("\r\n");
        }
    }

    // Acceptance.
    if (LottorName.isEmpty())
        return false;
    if (BcDataName.isEmpty())
        BcDataName = QStringLiteral("常规");
    if (BcDataLen <= 0 || BcMain <= 0 || BcMain > BcDataLen)
        return false;
    if (MrDataName.isEmpty())
        MrDataName = QStringLiteral("特别");
    if (MrMain > MrDataLen)
        return false;
    if (MrMain == 0 || MrDataLen == 0) {
        MrMain = 0;
        MrDataLen = 0;
    }
    if (MrMain < 0)
        return false;
    const int32_t bm = static_cast<int32_t>(BcMain) + MrMain;
    if (bm > std::numeric_limits<int16_t>::max())
        return false;

    BcNumMaxLen = static_cast<int16_t>(QString::number(BcDataLen).size());
    MrNumMaxLen = static_cast<int16_t>(QString::number(MrDataLen).size());
    BM = static_cast<int16_t>(bm);
    m_winMod.clear();
    m_ways.SetBM(BM);
    if (!options.isEmpty())
        SetInfoStr(options);
    ApplyDefaults();
    m_enable = true;
    DefNumFormat = GetBDefFormat();
    m_numFormat[0] = DefNumFormat;
    BuildShrinkHL();
    m_ways.BuildConsult(BcMain, MrMain);
    return true;
}

void CLottorHead::ApplyDefaults()
{
    if (CustomStat == 0)
        CustomStat = 10;
    if (m_rowColor[0] == 0)
        m_rowColor[0] = Rgb(255, 255, 255);
    if (m_rowColor[1] == 0)
        m_rowColor[1] = Rgb(200, 255, 200);
    if (m_rankColor[0] == 0)
        m_rankColor[0] = Rgb(255, 100, 100);
    if (m_rankColor[1] == 0)
        m_rankColor[1] = Rgb(100, 100, 255);
    if (CycleColor == 0)
        CycleColor = Rgb(200, 255, 200);
    if (BcMainColor == 0)
        BcMainColor = Rgb(255, 0, 0);
    if (MrMainColor == 0)
        MrMainColor = Rgb(0, 150, 255);
    if (InferShowCourse == 0)
        InferShowCourse = 40;
}

void CLottorHead::BuildShrinkHL()
{
    // Products in 64 bits, then held to the 16-bit range the conditions use:
    // a large game must not wrap its bounds around.
    const int64_t main = BcMain;
    const int64_t len = BcDataLen;
    const int rows = BcMain + kIndicatorCount + 1;
    m_shrinkHL.assign(static_cast<size_t>(rows) * 2, 0);
    auto set = [this](int row, int64_t low, int64_t high) {
        m_shrinkHL[static_cast<size_t>(row) * 2] = Saturate16(low);
        m_shrinkHL[static_cast<size_t>(row) * 2 + 1] = Saturate16(high);
    };
    set(0, 1, main * (main - 1) / 2);
    set(1, 0, main * len);
    set(2, 0, 100);
    set(3, 0, 100);
    set(4, 0, len * (main * (main + 1) / 2));
    set(5, 0, 2 * len);
    set(6, 0, len);
    for (int row = 7; row <= 11; ++row)
        set(row, 0, 9);
    for (int row = 12; row <= 36; ++row)
        set(row, 0, main);
    for (int row = 37; row <= 42; ++row)
        set(row, 0, 26);
    for (int row = 43; row <= 42 + BcMain; ++row)
        set(row, 0, len);
    set(BcMain + 43, 0, main + 42);
}

int16_t CLottorHead::ShrinkHL(int16_t sFilter, int16_t sHL) const
{
    if (sFilter < 0 || sHL < 0 || sHL > 1)
        return 0;
    const size_t slot = static_cast<size_t>(sFilter) * 2 + static_cast<size_t>(sHL);
    return slot < m_shrinkHL.size() ? m_shrinkHL[slot] : 0;
}

QString CLottorHead::HeadStr()
{
    if (!m_enable || LottorName.isEmpty())
        return QString();
    m_ways.CompactWays();
    return BaseText() + m_ways.SectionsText();
}

int64_t CLottorHead::DefinitionBytes(FormulaStore ways) const
{
    if (!m_enable || LottorName.isEmpty())
        return 0;
    ways.CompactWays();
    return ToGbk(BaseText()).size() + ways.SectionsBytes();
}

QString CLottorHead::BaseText() const
{
    const QString end = QStringLiteral("\r\n");
    QString out;
    out += QStringLiteral("[LOTTONAME]") + end + SingleLine(LottorName) + end;
    out += QStringLiteral("[BCDATANAME]") + end + SingleLine(BcDataName) + end;
    out += QStringLiteral("[BCDATALEN]") + end + QString::number(BcDataLen) + end;
    out += QStringLiteral("[BCMAIN]") + end + QString::number(BcMain) + end;
    out += QStringLiteral("[MRDATANAME]") + end + SingleLine(MrDataName) + end;
    out += QStringLiteral("[MRDATALEN]") + end + QString::number(MrDataLen) + end;
    out += QStringLiteral("[MRMAIN]") + end + QString::number(MrMain) + end;
    return out + OptionsText();
}

int32_t CLottorHead::RowColor(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < 2 ? m_rowColor[static_cast<size_t>(sIndex)] : 0;
}

void CLottorHead::SetRowColor(int16_t sIndex, int32_t value)
{
    if (sIndex >= 0 && sIndex < 2 && value > 0)
        m_rowColor[static_cast<size_t>(sIndex)] = value;
}

int32_t CLottorHead::RankColor(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < 2 ? m_rankColor[static_cast<size_t>(sIndex)] : 0;
}

void CLottorHead::SetRankColor(int16_t sIndex, int32_t value)
{
    if (sIndex >= 0 && sIndex < 2 && value > 0)
        m_rankColor[static_cast<size_t>(sIndex)] = value;
}

QString CLottorHead::WwwNumLink(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < kSourceCount ? m_sources[static_cast<size_t>(sIndex)].Link : QString();
}

void CLottorHead::SetWwwNumLink(int16_t sIndex, const QString& value)
{
    if (sIndex >= 0 && sIndex < kSourceCount)
        m_sources[static_cast<size_t>(sIndex)].Link = value;
}

QString CLottorHead::WwwNumFormat(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < kSourceCount ? m_sources[static_cast<size_t>(sIndex)].Format : QString();
}

void CLottorHead::SetWwwNumFormat(int16_t sIndex, const QString& value)
{
    if (sIndex >= 0 && sIndex < kSourceCount)
        m_sources[static_cast<size_t>(sIndex)].Format = value;
}

QString CLottorHead::WwwNumCaption(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < kSourceCount ? m_sources[static_cast<size_t>(sIndex)].Caption : QString();
}

void CLottorHead::SetWwwNumCaption(int16_t sIndex, const QString& value)
{
    if (sIndex >= 0 && sIndex < kSourceCount)
        m_sources[static_cast<size_t>(sIndex)].Caption = value;
}

QString CLottorHead::NumFormatStr(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < kFormatCount ? m_numFormat[static_cast<size_t>(sIndex)] : QString();
}

void CLottorHead::SetNumFormatStr(int16_t sIndex, const QString& value)
{
    if (sIndex >= 0 && sIndex < kFormatCount && FormatVail(value))
        m_numFormat[static_cast<size_t>(sIndex)] = value;
}

size_t CLottorHead::WinModSlot(int16_t x, int16_t z, int16_t l) const
{
    return (static_cast<size_t>(x) * static_cast<size_t>(MrMain + 1) + static_cast<size_t>(z)) * 2 +
           static_cast<size_t>(l);
}

Currency CLottorHead::WinMod(int16_t x, int16_t z, int16_t l) const
{
    if (x < 0 || x > BcMain || z < 0 || z > MrMain || l < 0 || l > 1)
        return Currency();
    const auto it = m_winMod.find(WinModSlot(x, z, l));
    return it != m_winMod.end() ? it->second : Currency();
}

void CLottorHead::SetWinMod(int16_t x, int16_t z, int16_t l, Currency value)
{
    if (!m_enable || x < 0 || x > BcMain || z < 0 || z > MrMain || l < 0 || l > 1 || value < Currency())
        return;
    if (value == Currency())
        m_winMod.erase(WinModSlot(x, z, l));
    else
        m_winMod[WinModSlot(x, z, l)] = value;
}

QString CLottorHead::GetDefFormat() const
{
    return m_enable ? DefaultNumFormat(BcMain, MrMain) : QString();
}

QString CLottorHead::GetBDefFormat() const
{
    return GetDefFormat();
}

bool CLottorHead::FormatVail(const QString& sFormat) const
{
    if (!m_enable)
        return false;
    return NumFormatValid(sFormat, BcMain, MrMain);
}

bool CLottorHead::StrToFormat(const QString& sFormat, FormatTokens& oFormat) const
{
    if (!m_enable)
        return false;
    return ParseNumFormat(sFormat, BcMain, MrMain, oFormat);
}

}  // namespace kelton
