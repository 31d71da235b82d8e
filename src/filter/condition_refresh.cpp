#include "filter/condition_refresh.h"

#include "core/child_forms.h"
#include "data/app_state.h"

namespace kelton {

void RefreshAllFilter()
{
    for (IInferForm* form : Mmain().InferForms) {
        if (form && form->FormOpen())
            form->RefreshFilter();
    }
    if (IConditionView* filter = Service<IFilterConditionView>(); filter && filter->FormOpen())
        filter->RefreshFilter();
    if (IConditionView* bound = Service<IFilterBoundConditionView>(); bound && bound->FormOpen())
        bound->RefreshFilter();
}

} // namespace kelton
