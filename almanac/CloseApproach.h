#pragma once
// Close approaches of the Moon and the five bright planets, and gatherings
// of three or more of them inside a window of ecliptic longitude that does
// not hold the Sun, over a period of at most five years.
//
// The search steps through the period with the planet table of each scan
// instant; a pair that comes near is followed hour by hour over the civil
// day of the instant and then by a parabola through three hourly
// separations. The places are those the chart shows: ecliptic longitude and
// latitude (TopoEclLon, TopoEclLat) for the coarse scan and the gatherings,
// right ascension and declination (TopoRA, TopoDec) for the hourly and
// parabola steps, the Sun's always of the same kind; with psystem on they
// are geocentric. Every separation is a great-circle distance in degrees.
// Times are Julian days of local civil time.
//
// The planet tables come from a source passed in, computed by value: the
// shared planet table of the chart moment is never touched.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/Planets.h"
#include "platform/Services.h"

namespace almanac {

// Body numbers: 0 the Moon, 1 Mercury, 2 Venus, 3 Mars, 4 Jupiter, 5 Saturn.
inline constexpr int kApproachBodyCount = 6;
// The planet-table row of a body number.
int ApproachBodyRow(int body);

// The place of one body in one pair of coordinates, with its semi-diameter
// (the table's apparent diameter in arcseconds / 7200).
struct ApproachBody {
    double lon_deg = 0;
    double lat_deg = 0;
    double semi_diameter_deg = 0;
};
using ApproachBodies = std::array<ApproachBody, kApproachBodyCount>;

// How a pair stands; only Occultation and NearSun change the listed text.
enum ApproachStatus : std::uint8_t {
    kApproachNone = 0,         // 10 degrees apart or more
    kApproachWide = 1,         // 5 to 10 degrees
    kApproachNear = 2,         // 1 to 5 degrees
    kApproachClose = 3,        // closer than 1 degree
    kApproachOccultation = 4,  // one disc over the other
    kApproachNearSun = 5,      // either body within 5.1 degrees of the Sun
};

// The planet table of a local civil Julian day; at least the rows asked for
// must hold their values (a source may fill more).
using PlanetTableSource = std::function<astro::PlanetTableT(double jd_local, const astro::PlanetRows& rows)>;
// The chart's planet table (astro::ComputePlanetRows) at `site`.
PlanetTableSource SkyPlanetTableSource(const astro::SiteContext& site);
// The same at the site in force when it is made.
PlanetTableSource SkyPlanetTableSource();

// The tables of one search, each row of each instant computed once: the
// hourly tables of a civil day serve every pair of that day and the
// parabola steps, each pair adding only the rows it needs.
class ApproachTables {
public:
    explicit ApproachTables(PlanetTableSource source);
    // The table at jd_local with at least the Sun's row and those of the
    // body numbers asked for.
    const astro::PlanetTableT& At(double jd_local, std::initializer_list<int> bodies);
    // The same with all six bodies.
    const astro::PlanetTableT& AtAll(double jd_local);
    // Drops the tables of instants before jd_local.
    void ForgetBefore(double jd_local);

private:
    const astro::PlanetTableT& Fill(double jd_local, const astro::PlanetRows& rows);
    std::int64_t Key(double jd_local);
    struct Entry {
        astro::PlanetTableT table;
        astro::PlanetRows filled{};
    };
    PlanetTableSource source_;
    std::optional<double> origin_;          // the first instant asked for
    std::map<std::int64_t, Entry> tables_;  // by the instant in tenths of a second from origin_
};

// The six bodies in ecliptic (equatorial false) or equatorial coordinates
// (equatorial true) of a table, and the Sun's place of the same kind.
ApproachBodies ApproachBodiesOf(const astro::PlanetTableT& table, bool equatorial);
ApproachBody ApproachSunOf(const astro::PlanetTableT& table, bool equatorial);

// The separation of a and b in degrees, and their status: with both bodies
// 5.1 degrees or more from the Sun (sun_lon_deg, sun_lat_deg, in the
// bodies' coordinates) by their separation, where an occultation is a
// separation within half the sum of the semi-diameters; otherwise NearSun
// within 10 degrees, else None.
double ClassifyApproach(double sun_lon_deg, double sun_lat_deg, const ApproachBody& a, const ApproachBody& b,
                        std::uint8_t& status);

// The vertex of the parabola through the separations of one pair at tc - 1
// h, tc and tc + 1 h. Its least separation (never below 0) and the offset n
// of the vertex from tc in hours; status becomes Occultation when the sum of
// the semi-diameters reaches the least separation, else None. Samples on a
// straight line (no vertex) or a vertex more than an hour away give n = 0,
// the middle separation and the status of entry.
double ParabolaMinimum(const double (&sep_deg)[3], double semi_diameter_sum_deg, double& n_h, std::uint8_t& status);

// Refines a pair (i, j body numbers) near the hourly sample tc: the least
// separation of ParabolaMinimum in right ascension and declination, with
// time = tc + n / 24.
double RefineApproachMinimum(ApproachTables& tables, double tc, int i, int j, double& time, std::uint8_t& status);

// The least separation of bodies i and j over the 24 hourly samples of the
// civil day that holds t (the first of equal minima wins), refined when it
// is under 0.7 degree and not NearSun; time and status of that minimum.
double ScanApproachDay(ApproachTables& tables, double t, int i, int j, double& time, std::uint8_t& status);

// A gathering of at least min_count bodies within width_deg (taken modulo
// 360, at most 120) of ecliptic longitude, the Sun outside the window; the
// window with the most members wins, on a tie the one whose western end has
// the later body number. digits: the member body numbers in ascending order;
// spread_deg: the rounded longitude spread of the members, negative for a
// morning group (west of the Sun), positive for an evening group. False
// when no window qualifies.
bool FindGathering(double width_deg, double sun_lon_deg, int min_count, const ApproachBodies& bodies,
                   std::string& digits, double& spread_deg);

// "달, 목성, 토성" for "045": the names of the body digits joined by ", ";
// blanks around the digits are ignored, so a blank text gives "".
std::string BodyCodeNames(std::string_view digits);

struct ApproachRequest {
    double start_jd = 0;        // local civil Julian days
    double end_jd = 0;
    double step_days = 1;       // below 1 taken as 1
    double width_deg = 60;      // gathering window
    int min_count = 4;          // least number of bodies in a gathering
    double pair_limit_deg = 3;  // widest separation of a listed pair
    bool gathering = true;
    bool pairs = true;
};

inline constexpr double kMaxApproachSpan_days = 1827;

enum class ApproachSearchStatus {
    Done,       // the outputs hold the rows and one empty spare row (0, "")
    Refused,    // start after end, or a period over five years (with a message); outputs empty
    Cancelled,  // stopped through the progress; outputs empty
};

// The check a search makes before it scans: Refused (with the message of a
// period over five years) or Done. A caller that searches where no message
// may be shown (on another thread) checks first.
ApproachSearchStatus CheckApproachRequest(const ApproachRequest& request);

// The rows of a search, in scan order: per instant the gathering row first,
// then the pairs (0,1), (0,2) .. (4,5). A pair within the limit over several
// steps gives one row per step. A pair row is dated at its closest instant
// when refined, else at the scan instant; a gathering row at the scan
// instant. A period over 1827 days is refused with the message box
// "탐색 기간은 5년 이내로 해 주세요." (title "zu"). With `progress`: its total
// is the number of scan instants, each instant done advances it, and once it
// is cancelled the search stops and returns Cancelled.
ApproachSearchStatus FindApproaches(const ApproachRequest& request, const PlanetTableSource& source,
                                    std::vector<double>& times, std::vector<std::string>& texts,
                                    platform::WorkProgress* progress = nullptr);

}  // namespace almanac
