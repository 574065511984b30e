#include "almanac/PhenomenaList.h"

namespace almanac::zu {

PhenomenaStatus ListPlanetPhenomena(double, double, double, const CalendarServices&, std::vector<double>&,
                                    std::vector<std::string>&) {
    return PhenomenaStatus::Unchanged;
}

}  // namespace almanac::zu
