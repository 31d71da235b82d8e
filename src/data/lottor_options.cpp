// The options text of a game definition: download sources, number formats,
// prize table, display options and the formula sections.
#include <optional>

#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

namespace {

const QString kEnd = QStringLiteral("\r\n");

QString Section(const char* name)
{
    return QLatin1Char('[') + QLatin1String(name) + QLatin1Char(']') + kEnd;
}

}  // namespace

QString CLottorHead::InfoStr()
{
    m_ways.CompactWays();
    return OptionsText() + m_ways.SectionsText();
}

QString CLottorHead::OptionsText() const
{

    QString out = Section("WWWNUM");
    for (const Source& source : m_sources) {
        // A source with a caption alone is kept too, so that what was stored
        // reads back as it was.
        if (source.Link.isEmpty() && source.Format.isEmpty() && source.Caption.isEmpty())
            continue;
        out += QStringLiteral("URL=") + source.Link + kEnd;
        out += QStringLiteral("FORMAT=") + source.Format + kEnd;
        out += QStringLiteral("CAPTION=") + source.Caption + kEnd;
    }

    out += Section("FORMAT");
    for (int i = 1; i < kFormatCount; ++i) {
        if (!m_numFormat[static_cast<size_t>(i)].isEmpty())
            out += m_numFormat[static_cast<size_t>(i)] + kEnd;
    }

    out += Section("WINMOD");
    // The entries set, from the highest x and Z down: the slots in reverse.
    for (auto it = m_winMod.rbegin(); it != m_winMod.rend(); ++it) {
        if (it->first % 2 != 1 || it->second <= Currency())
            continue;
        const size_t zs = static_cast<size_t>(MrMain) + 1;
        const auto x = static_cast<int16_t>(it->first / 2 / zs);
        const auto z = static_cast<int16_t>(it->first / 2 % zs);
        out += QStringLiteral("MODX=") + QString::number(x);
        if (MrMain > 0)
            out += QStringLiteral(",MODZ=") + QString::number(z);
        out += QStringLiteral(",MODL0=") + WinMod(x, z, 0).ToText();
        out += QStringLiteral(",MODL1=") + it->second.ToText() + kEnd;
    }

    out += Section("CUSTOMSTAT") + QString::number(CustomStat) + kEnd;
    out += Section("ROWCOLOR1") + QString::number(m_rowColor[0]) + kEnd;
    out += Section("ROWCOLOR2") + QString::number(m_rowColor[1]) + kEnd;
    out += Section("RANKCOLOR1") + QString::number(m_rankColor[0]) + kEnd;
    out += Section("RANKCOLOR2") + QString::number(m_rankColor[1]) + kEnd;
    out += Section("CYCLECOLOR") + QString::number(CycleColor) + kEnd;
    out += Section("INFERSHOWCOURSE") + QString::number(InferShowCourse) + kEnd;
    out += Section("BCMAINCOLOR") + QString::number(BcMainColor) + kEnd;
    out += Section("MRMAINCOLOR") + QString::number(MrMainColor) + kEnd;
    out += Section("ListAsc") + QString::number(ListAsc) + kEnd;
    return out;
}

void CLottorHead::SetInfoStr(const QString& sInfo)
{
    if (sInfo.isEmpty())
        return;

    int nextSource = 0;     // sources are numbered in the order of their URL lines
    int source = -1;        // the source opened by the most recent URL line
    int nextFormat = 1;
    QStringList winModLines;

    IniReader reader(SplitLines(sInfo));
    while (reader.Next()) {
        const QString& section = reader.Section();
        const QString& line = reader.Line();
        QString key;
        QString value;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            key = TrimBlanks(QStringView(line).left(eq));
            value = TrimBlanks(QStringView(line).mid(eq + 1));
        } else {
            value = TrimBlanks(line);
        }

        if (section == QLatin1String("WWWNUM")) {
            if (key == QLatin1String("URL")) {
                // An empty address still opens its source, so that the format
                // and caption after it cannot land on the source before.
                if (nextSource < kSourceCount) {
                    source = nextSource++;
                    m_sources[static_cast<size_t>(source)].Link = value;
                } else {
                    source = -1;
                }
            } else if (!value.isEmpty() && source >= 0) {
                if (key == QLatin1String("FORMAT"))
                    m_sources[static_cast<size_t>(source)].Format = value;
                else if (key == QLatin1String("CAPTION"))
                    m_sources[static_cast<size_t>(source)].Caption = value;
            }
            continue;
        }
        if (value.isEmpty())
            continue;

        if (section == QLatin1String("FORMAT")) {
            // The whole line: formats are written without a key, and one may
            // hold "=" itself.
            m_numFormat[static_cast<size_t>(nextFormat)] = TrimBlanks(line);
            if (nextFormat < kFormatCount - 1)
                ++nextFormat;
        } else if (section == QLatin1String("CUSTOMSTAT") || section == QLatin1String("INFERSHOWCOURSE")) {
            const std::optional<int16_t> n = NumberTextToInt16(value);
            if (n && *n >= 1 && *n <= 499)
                (section == QLatin1String("CUSTOMSTAT") ? CustomStat : InferShowCourse) = *n;
        } else if (section == QLatin1String("ListAsc")) {
            if (const std::optional<int16_t> n = NumberTextToInt16(value))
                ListAsc = *n;
        } else if (section == QLatin1String("WINMOD")) {
            winModLines << line;
        } else if (section == QLatin1String("WAY_GROUP")) {
            m_ways.ReadGroupValue(value);
        } else if (section == QLatin1String("WAY")) {
            m_ways.ReadWayValue(value);
        } else {
            int32_t* colour = nullptr;
            if (section == QLatin1String("ROWCOLOR1"))
                colour = &m_rowColor[0];
            else if (section == QLatin1String("ROWCOLOR2"))
                colour = &m_rowColor[1];
            else if (section == QLatin1String("RANKCOLOR1"))
                colour = &m_rankColor[0];
            else if (section == QLatin1String("RANKCOLOR2"))
                colour = &m_rankColor[1];
            else if (section == QLatin1String("CYCLECOLOR"))
                colour = &CycleColor;
            else if (section == QLatin1String("BCMAINCOLOR"))
                colour = &BcMainColor;
            else if (section == QLatin1String("MRMAINCOLOR"))
                colour = &MrMainColor;
            if (colour) {
                const std::optional<int32_t> n = NumberTextToInt32(value);
                if (n && *n > 0)
                    *colour = *n;
            }
        }
    }

    if (!winModLines.isEmpty())
        ParseWinModLines(winModLines);
}

void CLottorHead::ParseWinModLines(const QStringList& lines)
{
    std::map<size_t, Currency> table;
    for (const QString& line : lines) {
        int16_t x = 0;
        int16_t z = 0;
        int16_t c = 0;
        Currency v;
        for (const QString& piece : line.split(QLatin1Char(','))) {
            const QStringList parts = piece.split(QLatin1Char('='));
            if (parts.size() < 2)
                continue;
            const QString& key = parts[0];
            const QString& value = parts[1];
            if (key == QLatin1String("MODL1")) {
                if (const std::optional<Currency> amount = Currency::FromText(value))
                    v = *amount;
                continue;
            }
            int16_t* target = nullptr;
            if (key == QLatin1String("MODX"))
                target = &x;
            else if (key == QLatin1String("MODZ"))
                target = &z;
            else if (key == QLatin1String("MODL0"))
                target = &c;
            if (!target)
                continue;
            if (const std::optional<int16_t> n = NumberTextToInt16(value))
                *target = *n;
        }
        if (v > Currency() && x >= 0 && x <= BcMain && z >= 0 && z <= MrMain && c >= 0 && c <= 100) {
            if (c != 0)
                table[WinModSlot(x, z, 0)] = Currency::FromUnits(c);
            else
                table.erase(WinModSlot(x, z, 0));
            table[WinModSlot(x, z, 1)] = v;
        }
    }
    m_winMod = std::move(table);
}

}  // namespace kelton
