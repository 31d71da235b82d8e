#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>

#include "data/number_format.h"

namespace kelton {

class CLottorHead;

// One draw: its issue number and its numbers by position 0..BM (position 0
// always 0). Read from text, positions 1..BcMain hold the main numbers in
// the order written (highest place first) and BcMain+1..BM the secondary
// numbers; stored in the history, positions 1..BcMain run from the lowest
// place up (position 1 = units).
struct Draw {
    int32_t Issue = 0;
    std::vector<int16_t> Num;

    friend bool operator==(const Draw&, const Draw&) = default;
};

// A number written with zeros on the left up to width digits (7 in two
// digits is "07"); a minus sign goes before the zeros.
QString Padded(int64_t value, int width);

// Why LineToNum refused a line.
enum class LineFault : uint8_t {
    Unreadable,  // the line does not follow the format
    TooLarge,    // it does, but a number of it does not fit its field
                 // (an issue 32 bits, a drawn number 16 bits)
};

// Reads one line with a tokenized format (CLottorHead::StrToFormat). True
// when the line was read; on a refusal oDraw is untouched and *oFault (when
// given) says why. A line the format would take past the draw's BM
// positions is refused.
bool LineToNum(const CLottorHead& head, const FormatTokens& sFormat, QStringView sStr, Draw& oDraw,
               LineFault* oFault = nullptr);

// A draw list without a single draw line: nothing, or lines of blanks only
// (an edited list from which the user removed every draw).
bool IsEmptyDrawList(QStringView text);

// Reads every line of a text (CR LF or LF line ends) with a format and
// returns the count of lines read; oDraws then holds exactly those draws in
// text order. With no line read (or a refused format) the result is 0 and
// oDraws is untouched. sShowPrg shows the progress of head.msg, one step per
// line, without a stop.
int32_t StrToNum(CLottorHead& head, const QString& sFormat, QStringView sStrNum, std::vector<Draw>& oDraws,
                 bool sShowPrg);

// Appends one draw in stored form to oLine as NumToStr writes its line,
// without the leading blank, the "N" field padded with zeros to issueWidth
// digits. False when the format reaches past the draw's positions; oLine
// then holds part of the line.
bool AppendNumLine(const CLottorHead& head, const FormatTokens& tokens, const Draw& draw, int issueWidth,
                   QString& oLine);

// Writes draws in stored form as one line each, joined by CR LF. Every line
// begins with a blank; issues are padded with zeros to the digits of the
// highest draw index. Returns the error flag: true when the format is empty
// or refused, when there is no draw, or when the format reaches past a
// draw's positions; oStrNum is then untouched.
[[nodiscard]] bool NumToStr(const CLottorHead& head, const QString& sFormat, const std::vector<Draw>& sDraws,
                            QString& oStrNum);

}  // namespace kelton
