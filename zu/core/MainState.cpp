#include "zu/core/MainState.h"

namespace app {

MainState& AppState() {
    static MainState state;
    return state;
}

void ResetMainState() { AppState() = MainState{}; }

}  // namespace app
