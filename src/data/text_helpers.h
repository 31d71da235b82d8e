#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

namespace kelton {

// Flags stored in 16-bit integers follow one convention: True is -1.
inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;
inline constexpr int16_t Flag(bool b) { return b ? kTrue : kFalse; }

// Removes blanks (U+0020) at both ends; tabs and other white space stay.
QString TrimBlanks(QStringView text);
QStringView TrimBlanksView(QStringView text);

// True for characters that do not show as themselves: controls, format
// characters (Cf, which reorder or hide text, as U+202E does) and the line
// and paragraph separators.
bool IsHiddenCharacter(char32_t c);

// Rounds half to even, the way integer conversion of stored values rounds.
int64_t RoundHalfEven(double value);

// Splits a text into lines at CR LF or at a bare LF. A final line end adds
// no empty last line.
QStringList SplitLines(QStringView text);

// Converts a blank-separated digit text between radixes ("2 1 0" in radix 3
// is "2 1" in radix 10). Bad input gives the empty text; an empty text "0".
QString ChangeRadix(QStringView digits, int16_t from, int16_t to);

// Escapes (bUnescape false) or unescapes the characters that would break a
// line of INI-like text: CR LF, "=", "[", "]", "'", TAB, ":" and ",".
QString CodeIniStr(const QString& text, bool bUnescape);

// The section name of an INI-like line: the text inside "[" .. "]" of a
// blank-trimmed line longer than two characters, else the empty text.
QString GetSectionName(QStringView line);

// Walks the lines of an INI-like text: skips empty lines and comments (a
// "'" first; blanks before it make no comment), follows the section lines
// and stops at every other line, with the section it stands in (the empty
// name before the first section line).
//
//   IniReader reader(SplitLines(text));
//   while (reader.Next()) { use reader.Section() and reader.Line() }
class IniReader {
public:
    explicit IniReader(QStringList lines) : m_lines(std::move(lines)) {}

    bool Next()
    {
        while (m_next < m_lines.size()) {
            const QString& line = m_lines[m_next++];
            if (line.isEmpty() || line.front() == QLatin1Char('\''))
                continue;
            QString name = GetSectionName(line);
            if (name.isEmpty())
                return true;
            m_section = std::move(name);
        }
        return false;
    }
    const QString& Section() const { return m_section; }
    const QString& Line() const { return m_lines[m_next - 1]; }

private:
    QStringList m_lines;
    qsizetype m_next = 0;
    QString m_section;
};

}  // namespace kelton
