#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

#include "data/value_set.h"

namespace kelton {

class CLottorHead;

// One item of the match filter: which numbers a candidate must (or must not)
// hit, and how many hits are allowed. Flags hold 0 or 1.
struct MatchItem {
    int16_t Active = 0;
    // Rows 0..BcMain, each a flag per number 0..BcDataLen. Row p flags the
    // numbers set for position p, row 0 those set for any position.
    std::vector<std::vector<int16_t>> Numbers;
    ValueSet Counts;  // allowed numbers of hits, 0..BcMain
    int16_t Remove = 0;
    int16_t Tolerant = 0;
    int16_t AnyPosition = 0;  // 1 = row 0 of Numbers is used, 0 = rows 1..BcMain
};

// One item of the history-draw filter.
struct HistoryItem {
    int16_t Active = 0;
    int16_t Remove = 0;
    int16_t Tolerant = 0;
    int16_t View = 0;    // data view 0..7 (stored unchecked)
    int16_t Issues = 0;  // issues looked back, at most 301; 0 or less = all
    ValueSet Counts;     // allowed numbers of matching draws, 0..50
    int16_t Kind = 0;    // 0 straight, 1 group, 2 all numbers but one
};

// One item of the generating/restraining filter.
struct GatherItem {
    int16_t Active = 0;
    int16_t Remove = 0;
    int16_t Tolerant = 0;
    int16_t View = 0;
    int16_t Kind = 0;  // 0 group, 1 hundreds-tens, 2 tens-units, 3 units-hundreds
    int16_t Master = 0;
    ValueSet Partners;  // 0..20
};

// The most items an other-filter list holds (its count is 16-bit).
inline constexpr int kMaxFilterItems = 32767;

// The text marks of an item line.
inline constexpr char16_t kMarkYes = u'\u221A';  // "√"
inline constexpr char16_t kMarkNo = u'\u0425';   // "Х"

// The part every other-filter list shares: the switches, the item array with
// its placeholder element 0, and the item line as the one way items enter
// and leave the list. Item is the record; the list class supplies the line
// fields through ParseItem and PrintItem.
template <class Item>
class FilterItemList {
public:
    int16_t Sel = 0;        // 1 = the filter takes part in a run
    int16_t ErrSel = 0;     // 1 = a failure of the filter counts as one error
    int16_t SubErrSel = 0;  // 1 = tolerant items count errors inside the list
    ValueSet SubErrVal;     // the allowed numbers of such errors

    // The items: element 0 is a placeholder, items are 1..ItemCount().
    const std::vector<Item>& ValData() const { return m_items; }

    // Binds the list to a game definition and empties it; a null definition
    // changes nothing. The switches and SubErrVal are kept.
    void IniClass(const CLottorHead* head);

    // Parses one item line and appends the item. False when nothing changed:
    // no definition, a full list (kMaxFilterItems), a wrong field count or a
    // number that overflows.
    bool AddPerVal(QStringView line);

    // The line of item i (1-based); the empty text outside 1..ItemCount().
    QString PerVal(int16_t i) const;

    int16_t ItemCount() const { return static_cast<int16_t>(m_items.size() - 1); }

protected:
    FilterItemList() = default;
    FilterItemList(const FilterItemList&) = default;
    FilterItemList& operator=(const FilterItemList&) = default;
    virtual ~FilterItemList() = default;

    virtual int FieldCount() const = 0;
    virtual Item IniItemTemplate() const = 0;
    // Fills item from the blank-trimmed fields; false on an overflow.
    virtual bool ParseItem(const QStringList& fields, Item& item) const = 0;
    virtual QStringList PrintItem(const Item& item) const = 0;

    bool m_bound = false;   // IniClass received a definition
    int16_t m_bcMain = 0;   // numbers per draw
    int16_t m_bcDataLen = 0;  // largest main-area number

private:
    std::vector<Item> m_items = std::vector<Item>(1);
    Item m_template{};
};

class CFilterMatch : public FilterItemList<MatchItem> {
protected:
    int FieldCount() const override { return 5; }
    MatchItem IniItemTemplate() const override;
    bool ParseItem(const QStringList& fields, MatchItem& item) const override;
    QStringList PrintItem(const MatchItem& item) const override;
};

class CFilterHistory : public FilterItemList<HistoryItem> {
protected:
    int FieldCount() const override { return 7; }
    HistoryItem IniItemTemplate() const override { return HistoryItem{}; }
    bool ParseItem(const QStringList& fields, HistoryItem& item) const override;
    QStringList PrintItem(const HistoryItem& item) const override;
};

class CFilterGather : public FilterItemList<GatherItem> {
protected:
    int FieldCount() const override { return 7; }
    GatherItem IniItemTemplate() const override { return GatherItem{}; }
    bool ParseItem(const QStringList& fields, GatherItem& item) const override;
    QStringList PrintItem(const GatherItem& item) const override;
};

extern template class FilterItemList<MatchItem>;
extern template class FilterItemList<HistoryItem>;
extern template class FilterItemList<GatherItem>;

}  // namespace kelton
