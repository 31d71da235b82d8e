#include "data/app_state.h"

#include "data/lottor_data.h"

namespace kelton {

AppState::AppState() = default;

AppState::~AppState() = default;

}  // namespace kelton
