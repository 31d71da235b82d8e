#pragma once

#include <optional>

#include <QStringList>

namespace kelton {

// The twelve quick choices of the pickers' drop-down lists, in list order.
enum class QuickChoice : int {
    Clear = 0, // "重选"
    All,       // "全选"
    Small,     // "小数"
    Middle,    // "中数"
    Large,     // "大数"
    Odd,       // "奇数"
    Even,      // "偶数"
    Rest0,     // "０路": v mod 3 = 0
    Rest1,     // "１路"
    Rest2,     // "２路"
    Prime,     // "质数": 1 counts as prime
    Composite, // "合数": 0 counts as composite
};
inline constexpr int kQuickChoiceCount = 12;

// The list's texts, from the string table.
QStringList QuickChoiceTexts();

// Whether a quick choice marks the cell at index k (counted from the first
// cell) that stands for the value v. Small takes k below smallEnd, Large k
// from largeStart on, Middle the cells between. The prime choices know the
// values 0..200 only: above 200 they give no verdict and the cell keeps its
// state. An entry outside the list gives no verdict either.
std::optional<bool> QuickChoiceVerdict(int entry, int k, int v, int smallEnd, int largeStart);

} // namespace kelton
