#include "zu/main/ObjectPosition.h"

#include <cmath>

#include "astro/AsteroidPosition.h"
#include "astro/AstroConstants.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "skydata/Catalogs.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

constexpr double kDaysPerYear = 365.25;
constexpr double kArcsecPerDegree = 3600;

// A number read from the key text with the lenient rule, rounded to a whole
// number (halves to even); nullopt when it does not fit an index.
std::optional<long> IndexOf(std::string_view text) {
    const double value = std::nearbyint(skydata::PlainNumberOrZero(text));
    if (!std::isfinite(value) || value < 0 || value > 2.0e9) return std::nullopt;
    return static_cast<long>(value);
}

template <typename List>
bool InRange(const List& list, long index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

// Places computed for the chart date are brought to J2000 when the chart is
// drawn in the J2000 frame.
void ToChartFrameOfBody(const skydata::SettingsSnapshot& s, double& ra, double& dec) {
    if (s.calcprecession) return;
    const double ra_date = ra, dec_date = dec;
    astro::PrecessByMatrix(s.CurrentJD, astro::kJ2000, ra_date, dec_date, ra, dec);
}

}  // namespace

std::optional<ObjectPlace> GetObjectPosition(std::string_view key) {
    if (key.empty()) return std::nullopt;
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const char letter = key[0];
    const double target_jd = s.calcprecession ? s.CurrentJD : astro::kJ2000;

    ObjectPlace place;
    float pm_ra = 0, pm_dec = 0;
    const skydata::CatalogState& catalogs = skydata::Catalogs();

    switch (letter) {
        case 'S':
        case 'E': {
            const std::string_view rest = key.substr(1);
            const std::size_t colon = rest.find(':');
            if (colon == std::string_view::npos) return std::nullopt;
            const auto zone = IndexOf(rest.substr(0, colon));
            const auto index = IndexOf(rest.substr(colon + 1));
            if (!zone || !index || *zone >= skydata::kStarZoneCount) return std::nullopt;
            if (letter == 'S') {
                const auto& list = catalogs.BscStar[*zone];
                if (!InRange(list, *index)) return std::nullopt;
                const skydata::BscStarRecord& star = list[*index];
                place.Name = "HR " + std::to_string(star.HR);
                place.RA_deg = star.RA_deg;
                place.Dec_deg = star.Dec_deg;
                if (s.calcpropermotion) {
                    pm_ra = star.PmRA_arcsecPerYear;
                    pm_dec = star.PmDec_arcsecPerYear;
                }
            } else {
                const skydata::S2kZone& list = catalogs.S2kStar[*zone];
                if (!InRange(list, *index)) return std::nullopt;
                const auto i = static_cast<std::size_t>(*index);
                const skydata::S2kStarPlace& star = list.Place(i);
                place.Name = "Sky2000 " + skydata::TrimBlanks(list.Id(i));
                place.RA_deg = star.RA_deg;
                place.Dec_deg = star.Dec_deg;
                if (s.calcpropermotion) {
                    pm_ra = static_cast<float>(star.PmRA_arcsecPerYear);
                    pm_dec = static_cast<float>(star.PmDec_arcsecPerYear);
                }
            }
            break;
        }
        case 'P': {
            const auto index = IndexOf(key.substr(1));
            if (!index || *index >= astro::kPlanetCount) return std::nullopt;
            astro::CalcPlanets(s.CurrentJD);
            const astro::PlanetRecord& body = astro::Planets().PlanetTable[*index];
            place.Name = body.Name;
            place.RA_deg = body.TopoRA;
            place.Dec_deg = body.TopoDec;
            ToChartFrameOfBody(s, place.RA_deg, place.Dec_deg);
            return place;
        }
        case 'C':
        case 'A': {
            const auto index = IndexOf(key.substr(1));
            if (!index) return std::nullopt;
            astro::SmallBodyState& bodies = astro::SmallBodies();
            astro::BodyPosition position;
            if (letter == 'C') {
                if (!InRange(bodies.CometElementList, *index)) return std::nullopt;
                const astro::CometElements& element = bodies.CometElementList[*index];
                astro::ComputeCometPosition(s.CurrentJD, element, position);
                place.Name = element.Name;
            } else {
                if (!InRange(bodies.AsteroidElementList, *index)) return std::nullopt;
                const astro::AsteroidElements& element = bodies.AsteroidElementList[*index];
                astro::ComputeAsteroidPosition(s.CurrentJD, element, position);
                place.Name = element.Name;
            }
            if (!position.Valid) return std::nullopt;
            place.RA_deg = position.TopoRA;
            place.Dec_deg = position.TopoDec;
            ToChartFrameOfBody(s, place.RA_deg, place.Dec_deg);
            return place;
        }
        case 'M': {
            const auto index = IndexOf(key.substr(1));
            if (!index || !InRange(catalogs.DeepSkyObject, *index)) return std::nullopt;
            const skydata::DeepSkyObjectRecord& dso = catalogs.DeepSkyObject[*index];
            const std::string first = skydata::TrimBlanks(dso.Name1);
            place.Name = first.empty() ? dso.ID1 : dso.Name1 + "(" + dso.ID1 + ")";
            place.RA_deg = dso.RA_deg;
            place.Dec_deg = dso.Dec_deg;
            break;
        }
        case '(': {
            const auto entry = skydata::LookupUserCatObject(key);
            if (!entry) return std::nullopt;
            place.Name = entry->Name;
            place.CoordKind = entry->CoordKind;
            if (entry->CoordKind == "a") {
                astro::HorizontalToEquatorial(entry->RA, entry->Dec, AppState().LocalSiderealTime, s.lat,
                                              place.RA_deg, place.Dec_deg);
                return place;
            }
            const skydata::CustomCatalog& catalog = skydata::UserCatalogModule().Catalogs[entry->Slot - 1];
            double ra = entry->RA, dec = entry->Dec;
            if (entry->HasProperMotion && s.calcpropermotion) {
                const double years = (s.CurrentJD - catalog.Epoch) / kDaysPerYear;
                ra += entry->PmRA / kArcsecPerDegree * years;
                dec += entry->PmDec / kArcsecPerDegree * years;
            }
            astro::PrecessByMatrix(catalog.Epoch, astro::kJ2000, ra, dec, place.RA_deg, place.Dec_deg);
            break;
        }
        default:
            return std::nullopt;
    }

    const double ra2000 = place.RA_deg, dec2000 = place.Dec_deg;
    astro::PrecessFromJ2000(target_jd, ra2000, dec2000, pm_ra, pm_dec, place.RA_deg, place.Dec_deg);
    return place;
}

}  // namespace zu
