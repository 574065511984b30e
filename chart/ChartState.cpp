#include "chart/ChartState.h"

namespace chart {

ChartState& Chart() {
    static ChartState state;
    return state;
}

void ResetChart() { Chart() = ChartState{}; }

std::size_t ScreenObjectCount() {
    const auto& list = Chart().ScreenObjects;
    if (list.size() == kScreenObjectInitialEntries && list.front().Key.IsEmpty()) return 0;
    return list.size();
}

void ScreenToSky(double x, double y, double centerLon_deg, double centerLat_deg, double& lon_deg, double& lat_deg,
                 bool applyRefraction) {
    Chart().Projection.ScreenToSky(x, y, centerLon_deg, centerLat_deg, lon_deg, lat_deg, applyRefraction);
}

}  // namespace chart
