#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

namespace kelton {

class IWayHistory;

// Why an evaluation failed.
enum class WayFault : uint8_t {
    None,
    Overflow,      // a number outside the range it is read into or computed in
    DivideByZero,  // Mod by a divisor that rounds to 0
    TooManyItems,  // App would make more than 32767 items
    ValueTooLarge, // a value longer than CWay::kMaxValueChars
    Budget,        // more work than CWay::kWorkBudget for one evaluation
};

// Why a formula text could not be parsed.
enum class WayParseFault : uint8_t {
    None,
    Syntax,   // the text breaks the grammar at the piece reported
    TooLong,  // longer than CWay::kMaxTextLength characters
    TooDeep,  // parentheses and calls nested deeper than CWay::kMaxNesting
};

// The value of a formula for one draw, or why there is none.
struct WayResult {
    QString Value;       // a number-set text; empty on failure
    WayFault Fault = WayFault::None;
    int16_t FaultOrder = -1;  // the operator or function that failed, -1 if none
    QString Cause;       // the failure in words, for the user

    bool Ok() const { return Fault == WayFault::None; }
};

// The formula engine: the table of the 34 orders of the formula language
// (the identity, nine infix operators and 24 functions) and one parsed
// formula, which it evaluates for any draw of a history.
//
// A formula is lines separated by CR LF; "'" starts a comment; a line is an
// expression or a definition "name=expression"; the last statement's value
// is the formula's value. Operators have one precedence and group to the
// left: "1+2*3" is (1+2)*3.
class CWay {
public:
    static constexpr int16_t OrderCount = 34;
    // Longest formula text accepted, and deepest nesting of parentheses
    // and calls.
    static constexpr int32_t kMaxTextLength = 32767;
    static constexpr int kMaxNesting = 256;
    // Limits of one evaluation: the length of any value, and the work done
    // (one unit per node evaluated and per character of every argument read
    // and value made, eight per statistics read): some hundredths of a
    // second at most.
    static constexpr int32_t kMaxValueChars = 1 << 19;
    static constexpr int64_t kWorkBudget = int64_t{1} << 20;

    CWay();

    // The order table. Out-of-range indexes give the empty text or 0.
    QString OrderName(int16_t sIndex) const;
    int16_t OrderParaCount(int16_t sIndex) const;
    // Help text sParaIndex of an order: for a function 0 the signature, 1 the
    // description, k + 1 the help of parameter k; an operator has text 0.
    QString OrderParaHelp(int16_t sIndex, int16_t sParaIndex) const;

    // Parses a formula text, replacing the formula held. False when it is
    // parsed; true on an error, with the 1-based position of the offending
    // piece of the text and its length (a piece of length 0 may stand just
    // past the end of the text).
    [[nodiscard]] bool TestStrWay(const QString& sStr, int32_t& oErrStart, int32_t& oErrStrCount);
    // Why the last TestStrWay failed; None after one that parsed.
    WayParseFault ParseFault() const { return m_parseFault; }

    // Empty when every numeric literal of the formula fits -32768..32767,
    // else the message naming the first that does not.
    QString FilterWay() const;

    // The formula's value at draw index sCurIss (NumCount for the next issue)
    // over the history given (none: the history functions find no draws).
    // Each node is evaluated at most once per call; turning that off gives
    // the plain walk, which re-evaluates shared nodes (for tests).
    WayResult GetWayResult(int32_t sCurIss, IWayHistory* history);
    void SetMemoise(bool on) { m_memoise = on; }

    int32_t NodeCount() const { return static_cast<int32_t>(m_nodes.size()); }
    int32_t DefCount() const { return static_cast<int32_t>(m_defs.size()); }

    // The cause of a failure in words: "Mod函数：除数为0".
    QString FaultText(WayFault fault, int16_t order) const;

private:
    friend class WayParser;
    friend class WayEvaluator;

    struct Order {
        QString Name;
        int16_t ParaCount = 0;
        QStringList ParaHelp;
    };
    // One parameter of a node: a literal's stored text, or the node that
    // computes it.
    struct Para {
        int32_t Node = -1;  // -1: literal
        QString Text;
    };
    struct Node {
        int16_t Order = 0;
        int32_t FirstPara = 0;  // into m_paras
        int32_t ParaCount = 0;
    };
    struct Def {
        int32_t Node = 0;
        QString Name;
    };

    void IniOrder();

    std::array<Order, OrderCount> m_orders;
    std::vector<Node> m_nodes;
    std::vector<Para> m_paras;
    std::vector<Def> m_defs;
    int32_t m_resultNode = 0;
    bool m_parsed = false;
    WayParseFault m_parseFault = WayParseFault::None;
    bool m_memoise = true;
};

}  // namespace kelton
