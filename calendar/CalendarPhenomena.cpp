#include "calendar/CalendarPhenomena.h"

#include "calendar/CalendarState.h"

namespace vu {

PhenomenaListStatus ListPlanetPhenomena(double, double, double, const DeltaTRule&, std::vector<double>&,
                                        std::vector<std::string>&) {
    return PhenomenaListStatus::Unchanged;
}
PhenomenaListStatus ListPlanetPhenomena(double, double) { return PhenomenaListStatus::Unchanged; }

}  // namespace vu
