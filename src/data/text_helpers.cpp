#include "data/text_helpers.h"

#include <cmath>
#include <limits>

namespace kelton {

QStringView TrimBlanksView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimBlanks(QStringView text)
{
    return TrimBlanksView(text).toString();
}

bool IsHiddenCharacter(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

int64_t RoundHalfEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));  // default mode: to nearest, ties to even
}

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0) {
            lines << text.mid(start).toString();
            break;
        }
        qsizetype end = lf;
        if (end > start && text[end - 1] == QLatin1Char('\r'))
            --end;
        lines << text.mid(start, end - start).toString();
        start = lf + 1;
    }
    return lines;
}

QString ChangeRadix(QStringView digits, int16_t from, int16_t to)
{
    // A target radix below 2 would never end the division below.
    if (to <= 1)
        return QString();
    const QString trimmed = TrimBlanks(digits);
    if (trimmed.isEmpty())
        return QStringLiteral("0");

    const QStringList tokens = trimmed.split(QLatin1Char(' '));
    int64_t value = 0;
    for (const QString& token : tokens) {
        bool ok = false;
        const int digit = token.toShort(&ok);
        if (!ok)
            return QString();
        value = value * from + digit;
        if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
            return QString();
    }

    QStringList parts;
    while (value >= to) {
        parts.prepend(QString::number(value % to));
        value /= to;
    }
    parts.prepend(QString::number(value));
    return parts.join(QLatin1Char(' '));
}

namespace {

struct Escape {
    QLatin1StringView plain;
    QChar code;
};

constexpr char16_t kEsc = u'\x01';

const Escape kEscapes[] = {
    {QLatin1StringView("\r\n"), QChar(u'\x01')}, {QLatin1StringView("="), QChar(u'\x02')},
    {QLatin1StringView("["), QChar(u'\x03')},    {QLatin1StringView("]"), QChar(u'\x04')},
    {QLatin1StringView("'"), QChar(u'\x05')},    {QLatin1StringView("\t"), QChar(u'\x06')},
    {QLatin1StringView(":"), QChar(u'\x07')},    {QLatin1StringView(","), QChar(u'\x08')},
};

QString Escaped(QChar code)
{
    const QChar pair[2] = {QChar(kEsc), code};
    return QString(pair, 2);
}

}  // namespace

QString CodeIniStr(const QString& text, bool bUnescape)
{
    QString out = text;
    if (!bUnescape) {
        for (const Escape& e : kEscapes)
            out.replace(e.plain, Escaped(e.code));
        return out;
    }
    for (const Escape& e : kEscapes)
        out.replace(Escaped(e.code), e.plain);
    // The older one-character codes 1..6.
    for (int i = 0; i < 6; ++i)
        out.replace(kEscapes[i].code, kEscapes[i].plain);
    return out;
}

QString GetSectionName(QStringView line)
{
    const QString trimmed = TrimBlanks(line);
    if (trimmed.size() > 2 && trimmed.front() == QLatin1Char('[') && trimmed.back() == QLatin1Char(']'))
        return trimmed.mid(1, trimmed.size() - 2);
    return QString();
}

}  // namespace kelton
