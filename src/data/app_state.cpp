#include "data/app_state.h"

#include <vector>

#include "data/lottor_data.h"

namespace kelton {

namespace {

// The live states, oldest first; the last one is in force.
std::vector<AppState*>& LiveStates()
{
    static std::vector<AppState*> states;
    return states;
}

} // namespace

AppState::AppState()
{
    LiveStates().push_back(this);
}

AppState::~AppState()
{
    std::erase(LiveStates(), this);
}

AppState& Mmain()
{
    std::vector<AppState*>& live = LiveStates();
    if (live.empty()) {
        static AppState state; // registers itself: in force from now on, under any later one
        (void)state;
    }
    return *live.back();
}

}  // namespace kelton
