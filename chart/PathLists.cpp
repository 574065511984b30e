#include "chart/PathLists.h"

namespace chart {

PathListState& PathLists() {
    static PathListState state;
    return state;
}

void ResetPathLists() { PathLists() = PathListState{}; }

}  // namespace chart
