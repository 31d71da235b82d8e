#include "pickers/quick_choice.h"

#include "data/prime_table.h"
#include "platform/string_table.h"

namespace kelton {

namespace {
constexpr int kFirstQuickChoiceText = 101;
}

QStringList QuickChoiceTexts()
{
    QStringList texts;
    for (int i = 0; i < kQuickChoiceCount; ++i)
        texts << LoadResString(kFirstQuickChoiceText + i);
    return texts;
}

std::optional<bool> QuickChoiceVerdict(int entry, int k, int v, int smallEnd, int largeStart)
{
    // Remainders of negative values are taken as for their magnitude.
    const int rest2 = (v < 0 ? -v : v) % 2;
    const int rest3 = (v < 0 ? -v : v) % 3;
    switch (static_cast<QuickChoice>(entry)) {
    case QuickChoice::Clear:
        return false;
    case QuickChoice::All:
        return true;
    case QuickChoice::Small:
        return k < smallEnd;
    case QuickChoice::Middle:
        return k >= smallEnd && k < largeStart;
    case QuickChoice::Large:
        return k >= largeStart;
    case QuickChoice::Odd:
        return rest2 == 1;
    case QuickChoice::Even:
        return rest2 == 0;
    case QuickChoice::Rest0:
        return rest3 == 0;
    case QuickChoice::Rest1:
        return rest3 == 1;
    case QuickChoice::Rest2:
        return rest3 == 2;
    case QuickChoice::Prime:
    case QuickChoice::Composite:
        if (v < 0 || v >= static_cast<int>(kPrimeTable.size()))
            return std::nullopt;
        return kPrimeTable[static_cast<size_t>(v)] == (entry == static_cast<int>(QuickChoice::Prime));
    }
    return std::nullopt;
}

} // namespace kelton
