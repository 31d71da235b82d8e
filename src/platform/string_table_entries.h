#pragma once

#include <span>

namespace kelton {

// One text of the string table, by number.
struct StringEntry {
    int id;
    const char16_t* text;
};

// Texts kept beside the table's own list, one block per subsystem.
std::span<const StringEntry> FormulaHelpTexts();

}  // namespace kelton
