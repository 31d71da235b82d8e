#include "data/draw_text.h"

#include <optional>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

namespace {

bool IsNumberToken(QChar c)
{
    return c == QLatin1Char('N') || c == QLatin1Char('X') || c == QLatin1Char('Y');
}

}  // namespace

QString Padded(int64_t value, int width)
{
    QString digits = QString::number(value < 0 ? -value : value);
    if (digits.size() < width)
        digits.prepend(QString(width - digits.size(), QLatin1Char('0')));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

bool LineToNum(const CLottorHead& head, const FormatTokens& sFormat, QStringView sStr, Draw& oDraw,
               LineFault* oFault)
{
    if (oFault)
        *oFault = LineFault::Unreadable;
    const int bcMain = head.BcMain;
    const int bm = head.BM;
    if (bm < 0 || sFormat.empty())
        return false;
    // A field that is a number, only too large for its place.
    const auto tooLarge = [oFault](QStringView field) {
        if (oFault && IsNumberText(field))
            *oFault = LineFault::TooLarge;
        return false;
    };

    std::vector<int16_t> num(static_cast<size_t>(bm) + 1, 0);
    int32_t issue = 0;
    qsizetype j = 0;  // cursor into the line
    int k = 1;        // next main entry
    int s = 1;        // next secondary entry
    const size_t last = sFormat.size() - 1;

    for (size_t t = 1; t <= last; ++t) {
        const QChar c = sFormat[t];
        if (IsNumberToken(c)) {
            QStringView field;
            if (t == last) {
                field = sStr.mid(j);
            } else if (IsNumberToken(sFormat[t + 1])) {
                // Two number tokens side by side: a fixed width at the cursor.
                const qsizetype width = c == QLatin1Char('N')   ? 1
                                        : c == QLatin1Char('X') ? head.BcNumMaxLen
                                                                : head.MrNumMaxLen;
                field = sStr.mid(j, width);
                j += width;
            } else {
                // Up to the next token's character, searched past the cursor.
                const qsizetype at = sStr.indexOf(sFormat[t + 1], j + 1, Qt::CaseInsensitive);
                if (at < 0)
                    return false;
                field = sStr.mid(j, at - j);
                j = at;
            }

            if (c == QLatin1Char('N')) {
                const std::optional<int32_t> value = NumberTextToInt32(field);
                if (!value)
                    return tooLarge(field);
                issue = *value;
                continue;
            }
            const std::optional<int16_t> value = NumberTextToInt16(field);
            if (!value)
                return tooLarge(field);
            // A format with more numbers than the draw has positions cannot
            // be read: refuse rather than run past the draw.
            const int entry = c == QLatin1Char('X') ? k++ : bcMain + s++;
            if (entry < 1 || entry > bm)
                return false;
            num[static_cast<size_t>(entry)] = *value;
        } else if (c == QLatin1Char('T')) {
            if (t != last && sFormat[t + 1] != QLatin1Char('T')) {
                const qsizetype at = sStr.indexOf(sFormat[t + 1], j, Qt::CaseInsensitive);
                if (at < 0)
                    return false;
                j = at;
            }
        } else if (c == QLatin1Char(' ')) {
            while (t < last && sFormat[t + 1] == QLatin1Char(' '))
                ++t;
            while (j < sStr.size() && sStr[j] == QLatin1Char(' '))
                ++j;
        } else {
            ++j;
        }
    }

    oDraw.Issue = issue;
    oDraw.Num = std::move(num);
    return true;
}

bool IsEmptyDrawList(QStringView text)
{
    const QStringList lines = SplitLines(text);
    for (const QString& line : lines) {
        if (!TrimBlanks(line).isEmpty())
            return false;
    }
    return true;
}

int32_t StrToNum(CLottorHead& head, const QString& sFormat, QStringView sStrNum, std::vector<Draw>& oDraws,
                 bool sShowPrg)
{
    FormatTokens tokens;
    if (!head.StrToFormat(sFormat, tokens))
        return 0;

    const QStringList lines = SplitLines(sStrNum);
    std::optional<MsgProgressGuard> progress;
    if (sShowPrg && !lines.isEmpty())
        progress.emplace(head.msg, QString(), static_cast<int32_t>(lines.size() - 1), 0, 0, false);

    std::vector<Draw> read;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (progress)
            progress->Step(static_cast<int32_t>(i));
        Draw draw;
        if (LineToNum(head, tokens, lines[i], draw))
            read.push_back(std::move(draw));
    }
    if (read.empty())
        return 0;
    oDraws = std::move(read);
    return static_cast<int32_t>(oDraws.size());
}

bool AppendNumLine(const CLottorHead& head, const FormatTokens& tokens, const Draw& draw, int issueWidth,
                   QString& oLine)
{
    const int bcMain = head.BcMain;
    const int bm = head.BM;
    int x = 0;
    int y = 0;
    for (size_t t = 1; t < tokens.size(); ++t) {
        const QChar c = tokens[t];
        if (c == QLatin1Char('X') || c == QLatin1Char('Y')) {
            int position;
            int width;
            if (c == QLatin1Char('X')) {
                ++x;
                position = x <= bcMain ? bcMain - x + 1 : x;
                width = x <= bcMain ? head.BcNumMaxLen : head.MrNumMaxLen;
            } else {
                ++y;
                position = bcMain + y;
                width = head.MrNumMaxLen;
            }
            if (position < 1 || position > bm || position >= static_cast<int>(draw.Num.size()))
                return false;
            oLine += Padded(draw.Num[static_cast<size_t>(position)], width);
        } else if (c == QLatin1Char('N')) {
            oLine += Padded(draw.Issue, issueWidth);
        } else if (c != QLatin1Char('T')) {
            oLine += c;
        }
    }
    return true;
}

bool NumToStr(const CLottorHead& head, const QString& sFormat, const std::vector<Draw>& sDraws,
              QString& oStrNum)
{
    if (sFormat.isEmpty())
        return true;
    FormatTokens tokens;
    if (!head.StrToFormat(sFormat, tokens))
        return true;
    if (sDraws.empty())
        return true;

    const int issueWidth = static_cast<int>(QString::number(sDraws.size() - 1).size());

    QStringList lines;
    lines.reserve(static_cast<qsizetype>(sDraws.size()));
    for (const Draw& draw : sDraws) {
        // Token 0 is the empty element and writes the leading blank.
        QString line(QLatin1Char(' '));
        if (!AppendNumLine(head, tokens, draw, issueWidth, line))
            return true;
        lines << line;
    }
    oStrNum = lines.join(QStringLiteral("\r\n"));
    return false;
}

}  // namespace kelton
