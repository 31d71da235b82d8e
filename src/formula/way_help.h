#pragma once

#include <cstdint>

#include <QString>
#include <QStringView>

namespace kelton {

class CWay;

// The help the formula editor shows for the text left of the caret: the
// description of an operator or function name just typed, or inside a call
// the function's signature with the parameter being typed in bold and that
// parameter's description.
struct WayHelp {
    enum class Kind : uint8_t {
        General,    // the general help; the signature line hidden
        Text,       // Text in the message box; the signature line stays
        Signature,  // Text in the message box; Signature shown, the span bold
        Keep,       // both outputs keep what they show
    };
    Kind What = Kind::General;
    QString Text;  // empty for General: the window shows the general help
    QString Signature;
    int32_t BoldStart = 0;  // 0-based, into Signature
    int32_t BoldLength = 0;
};

WayHelp WayHelpAt(const CWay& way, QStringView before);

// The text with every completed call's brackets and what they hold removed,
// innermost last call first, until the last open bracket is one still open:
// "Num(1,Sor(1,2),3," becomes "Num(1,Sor,3,".
QString CutParaBracket(QStringView text, QChar open, QChar close);

// The part of a signature "Nam(a,b,c)" that names parameter p (0-based):
// the parameters start after the three-letter name and "(" and end before
// the first ")"; a p past the last parameter gives the last one.
struct TextSpan {
    int32_t Start = 0;
    int32_t Length = 0;
};
TextSpan ParaSpan(QStringView signature, int32_t p);

}  // namespace kelton
