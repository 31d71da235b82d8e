#include "data/number_format.h"

namespace kelton {

QString DefaultNumFormat(int16_t bcMain, int16_t mrMain)
{
    QString text = QStringLiteral("N:");
    for (int i = 0; i < bcMain; ++i)
        text += i == 0 ? QStringLiteral("X") : QStringLiteral(" X");
    for (int i = 0; i < mrMain; ++i)
        text += QStringLiteral(" Y");
    return text;
}

namespace {

// Counts the letter the way the format check does: while the rest holds the
// upper-case letter, count one and cut after the first letter of either
// case. Returns the count; rest is what is left. One pass over the text: a
// long format (a game of many numbers) must not be copied for every letter.
int CountUpper(QStringView& rest, QChar upper)
{
    const QChar lower = upper.toLower();
    const qsizetype last = rest.lastIndexOf(upper);
    int count = 0;
    qsizetype at = 0;
    while (at <= last) {
        // An upper-case letter lies ahead, so a letter of either case does.
        while (rest[at] != upper && rest[at] != lower)
            ++at;
        ++count;
        ++at;
    }
    rest = rest.mid(at);
    return count;
}

}  // namespace

bool NumFormatValid(QStringView sFormat, int16_t bcMain, int16_t mrMain)
{
    QStringView rest = sFormat;
    const int x = CountUpper(rest, QLatin1Char('X'));
    const int y = CountUpper(rest, QLatin1Char('Y'));
    if (x != bcMain || y != mrMain)
        return false;
    // Readers and writers upper-case the format: letters of either case
    // beyond the game's positions would index past the draw.
    const QString upper = sFormat.toString().toUpper();
    return upper.count(QLatin1Char('X')) <= bcMain && upper.count(QLatin1Char('Y')) <= mrMain;
}

bool ParseNumFormat(QStringView sFormat, int16_t bcMain, int16_t mrMain, FormatTokens& oFormat)
{
    const int16_t bm = static_cast<int16_t>(bcMain + mrMain);
    const QString upper = sFormat.toString().toUpper();
    if (upper.size() < bm)
        return false;
    FormatTokens tokens(static_cast<size_t>(upper.size()) + 1);
    int x = 0;
    int y = 0;
    for (qsizetype k = 0; k < upper.size(); ++k) {
        const QChar c = upper[k];
        tokens[static_cast<size_t>(k) + 1] = c;
        if (k > 0) {
            const QChar before = upper[k - 1];
            const bool field = c == QLatin1Char('X') || c == QLatin1Char('Y') || c == QLatin1Char('N');
            if (before == QLatin1Char('T') && field)
                return false;
            const bool beforeField = before == QLatin1Char('X') || before == QLatin1Char('Y') ||
                                     before == QLatin1Char('N') || before == QLatin1Char('T');
            if (c == QLatin1Char('T') && beforeField)
                return false;
        }
        if (c == QLatin1Char('X'))
            ++x;
        else if (c == QLatin1Char('Y'))
            ++y;
    }
    // More "X" than main numbers are usable: the extra ones take the
    // secondary positions in turn. A format holding more numbers than a
    // draw has positions is refused.
    if (x < bcMain || y > mrMain || x + y > bcMain + mrMain)
        return false;
    oFormat = std::move(tokens);
    return true;
}

}  // namespace kelton
