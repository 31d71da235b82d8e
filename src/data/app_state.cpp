#include "data/app_state.h"

namespace kelton {

AppState& Mmain()
{
    static AppState state;
    return state;
}

}  // namespace kelton
