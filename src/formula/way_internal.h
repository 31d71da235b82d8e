#pragma once

// Shared by the parts of the formula engine: order numbers, the state of one
// evaluation and the readers of arguments.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>
#include <QStringView>

#include "formula/way.h"
#include "formula/way_number.h"

namespace kelton {

class IWayHistory;

namespace way {

enum OrderIndex : int16_t {
    kIdentity = 0,
    kAdd, kSub, kMul, kDiv, kUnion, kIntersect, kExcept, kEither, kIntDiv,
    kMod,
    kNum, kSor, kVal, kTiR, kTiL, kRep, kCyc, kBtn, kFil, kNtb, kBal, kBet,
    kInt, kDec, kIss, kAbs, kMax, kMin, kApp, kDes, kIif, kIis, kOnl,
};

// The state of one evaluation: the draw, the history, the work done so far
// and the first failure.
struct Eval {
    int32_t CurIss = 0;
    IWayHistory* History = nullptr;
    int64_t Work = 0;
    WayFault Fault = WayFault::None;

    bool Failed() const { return Fault != WayFault::None; }
    // Records the first failure; returns the empty text for convenience.
    QString Fail(WayFault fault)
    {
        if (Fault == WayFault::None)
            Fault = fault;
        return QString();
    }
    // Counts work; false, with the failure recorded, past the budget.
    bool Charge(int64_t units)
    {
        Work += units;
        if (Work <= CWay::kWorkBudget)
            return true;
        Fail(WayFault::Budget);
        return false;
    }
};

using Args = std::span<const QString>;

// Orders 1..10, 11..22 and 23..33. Each takes exactly its order's parameter
// count of arguments; a failure is recorded in ev and the text is then
// of no use.
QString Operate(int16_t order, Args args, Eval& ev);
QString HistoryFunction(int16_t order, Args args, Eval& ev);
QString ValueFunction(int16_t order, Args args, Eval& ev);

// The fixed-point value of an item known to be a number item.
std::optional<WayFixed> FixedOf(QStringView item);
// The whole value (halves to even) of an item known to be a number item, in
// lo..hi.
std::optional<int64_t> IntegerOf(QStringView item, int64_t lo, int64_t hi);

// The first item of an argument read as a 32-bit integer: def when the
// argument has no item; false, with an overflow recorded, when it does not
// fit (a 16-bit range where the caller asks for one).
bool FirstInteger(QStringView arg, int32_t def, Eval& ev, int32_t& out, int64_t lo = INT32_MIN,
                  int64_t hi = INT32_MAX);

// Integers written as a braced list; the empty text for none.
QString JoinIntegers(std::span<const int32_t> values);

}  // namespace way
}  // namespace kelton
