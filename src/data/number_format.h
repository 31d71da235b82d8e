#pragma once

#include <cstdint>
#include <vector>

#include <QChar>
#include <QString>
#include <QStringView>

namespace kelton {

// A number format split into its one-character tokens: element 0 is unused
// (a null QChar), element k (1..length) is the k-th character of the
// upper-cased format. Tokens: "N" issue, "X" next main number (highest place
// first), "Y" next secondary number, "T" text to skip up to the next token's
// character, " " a run of blanks, anything else one character taken as is.
using FormatTokens = std::vector<QChar>;

// The default format of a game: "N:" then "X", " X" for each further main
// number and " Y" for each secondary number ("N:X X X" for three digits).
QString DefaultNumFormat(int16_t bcMain, int16_t mrMain);

// Whether a format holds exactly bcMain "X" and mrMain "Y". Only upper-case
// letters start a count; a format whose letters of either case are more than
// the game's positions is refused too.
bool NumFormatValid(QStringView sFormat, int16_t bcMain, int16_t mrMain);

// Tokenizes a format for reading and writing draws. Refused (false, oFormat
// untouched): shorter than bm characters, "X"/"Y"/"N" right after "T", "T"
// right after "X"/"Y"/"N"/"T", fewer "X" than bcMain, more "Y" than mrMain,
// or more "X" and "Y" together than bcMain + mrMain.
bool ParseNumFormat(QStringView sFormat, int16_t bcMain, int16_t mrMain, FormatTokens& oFormat);

}  // namespace kelton
