#include "almanac/PhenomenaSeries.h"

namespace almanac {

double ConjunctionTime(double, int, int, const JDToDateFn&) { return 0; }
double GreatestElongationTime(double, int, int, const JDToDateFn&) { return 0; }
double StationTime(double, int, int, const JDToDateFn&) { return 0; }
void PhenomenonConstants(int, int, double&, double&, double&, double&) {}
double ConjunctionTerms(int, int, double, double, double, double, double, double, double, double, double) {
    return 0;
}
double ElongationTerms(int, int, double, double) { return 0; }
double StationTerms(int, int, double, double, double, double, double, double) { return 0; }

}  // namespace almanac
