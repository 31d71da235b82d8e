#pragma once

#include <span>
#include <vector>

#include <QString>
#include <QStringView>

namespace kelton {

// Number-set texts, the one kind of value of the formula language: "{1;5;9}",
// a bare item list "1;5;9", a single number "7", or the empty text (the
// empty set, which also means false; "{}" reads as empty too). Items keep
// their order, duplicates and the text they were written with.

// The text without blanks at both ends and, when its first "{" is its first
// character and its first "}" its last, without those two.
QStringView CutBrace(QStringView text);

// Calls f with each piece of the text split at ";" until f returns false;
// false when it did.
template <class F>
bool ForEachPiece(QStringView text, F&& f)
{
    for (qsizetype start = 0;;) {
        qsizetype end = text.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = text.size();
        if (!f(text.sliced(start, end - start)))
            return false;
        if (end == text.size())
            return true;
        start = end + 1;
    }
}

// The number items of a text, in order, each with its text unchanged (views
// into the text): one pair of braces removed, split at ";", pieces that are
// no number dropped. Appends to out after clearing it.
void StrToNums(QStringView text, std::vector<QStringView>& out);
std::vector<QStringView> StrToNums(QStringView text);

// The first number item of a text; an empty view when there is none.
QStringView FirstNum(QStringView text);

// The items that are number items, joined by ";" in braces; the empty text
// when there is none (never "{}").
QString NumsToStr(std::span<const QStringView> items);

// The same for items known to be number items.
QString JoinNums(std::span<const QStringView> items);

// Of equal items (same text) only the last stays, at its own place.
QString OnlyNums(QStringView text);

}  // namespace kelton
