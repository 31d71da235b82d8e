#include "analysis/condition_link.h"

#include "data/app_tables.h"
#include "filter/filter_form_rules.h"

namespace kelton {

int16_t ShownConditionKind(std::span<const QString> captions, int16_t bcMain, const QString& viewName)
{
    const int last = 42 + bcMain;
    for (int k = 0; k <= last && k < static_cast<int>(captions.size()); ++k) {
        if (captions[static_cast<size_t>(k)] == viewName)
            return static_cast<int16_t>(k);
    }
    return -1;
}

bool ConditionBoxEnabled(int16_t kind, int16_t bcMain, bool directBets)
{
    return kind >= 0 && kind <= 42 + bcMain && ConditionAppliesTo(directBets, kind, kGroupIndicatorFlag);
}

} // namespace kelton
