#include "almanac/CloseApproach.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"

namespace almanac {
namespace {

constexpr const char* kBodyNames[kApproachBodyCount] = {"달", "수성", "금성", "화성", "목성", "토성"};
constexpr double kArcsecDiameterToSemiDeg = 7200.0;
constexpr double kHoursPerDay = 24.0;

// Classification limits, degrees.
constexpr double kSunClearance_deg = 5.1;
constexpr double kWideLimit_deg = 10.0;
constexpr double kNearLimit_deg = 5.0;
constexpr double kCloseLimit_deg = 1.0;
constexpr double kNearSunLimit_deg = 10.0;
// The coarse separations below which a pair is followed through its day.
constexpr double kMoonFollow_deg = 13.0;
constexpr double kPlanetFollow_deg = 1.3;
// The hourly minimum below which the parabola refines it.
constexpr double kRefineBelow_deg = 0.7;
constexpr double kNoMinimum_deg = 50.0;
constexpr double kMaxGatheringWidth_deg = 120.0;
// Table instants are keyed in tenths of a second from the first one asked
// for (a search spans at most five years).
constexpr double kKeysPerDay = 864000.0;

double Separation(const ApproachBody& a, const ApproachBody& b) {
    return astro::AngularSeparation(a.lon_deg, a.lat_deg, b.lon_deg, b.lat_deg);
}

std::string PairText(int i, int j, double sep_deg, double time, std::uint8_t status) {
    std::string text = BodyCodeNames(std::to_string(i) + std::to_string(j)) +
                       " 접근(각거리: " + astro::FormatDigitPattern(sep_deg, "0.00") + "도) ";
    if (status == kApproachOccultation) text += "(엄폐최대시각: " + astro::ShortDateText(time, 1) + " 무렵)";
    if (status == kApproachNearSun) text += "(태양 근처라 관측 불가)";
    return text;
}

std::string GatheringText(const std::string& digits, double spread_deg) {
    return "(황경" + astro::FormatDigitPattern(std::fabs(spread_deg), "0") + "도이내" +
           std::to_string(digits.size()) + "개-" + (spread_deg >= 0 ? "저녁" : "새벽") + ")" + BodyCodeNames(digits);
}

}  // namespace

int ApproachBodyRow(int body) { return body == 0 ? astro::kPlanetMoon : body; }

PlanetTableSource SkyPlanetTableSource(const astro::SiteContext& site) {
    return [site](double jd_local, const astro::PlanetRows& rows) {
        return astro::ComputePlanetRows(jd_local, site, rows).table;
    };
}

PlanetTableSource SkyPlanetTableSource() { return SkyPlanetTableSource(astro::CurrentSite()); }

ApproachTables::ApproachTables(PlanetTableSource source) : source_(std::move(source)) {}

const astro::PlanetTableT& ApproachTables::At(double jd_local, std::initializer_list<int> bodies) {
    astro::PlanetRows rows{};
    rows[astro::kPlanetSun] = true;
    for (int b : bodies) rows[static_cast<std::size_t>(ApproachBodyRow(b))] = true;
    return Fill(jd_local, rows);
}

const astro::PlanetTableT& ApproachTables::AtAll(double jd_local) {
    return At(jd_local, {0, 1, 2, 3, 4, 5});
}

std::int64_t ApproachTables::Key(double jd_local) {
    if (!origin_) origin_ = jd_local;
    return static_cast<std::int64_t>(std::llround((jd_local - *origin_) * kKeysPerDay));
}

const astro::PlanetTableT& ApproachTables::Fill(double jd_local, const astro::PlanetRows& rows) {
    const std::int64_t key = Key(jd_local);
    Entry& entry = tables_[key];
    astro::PlanetRows missing{};
    bool any = false;
    for (std::size_t n = 0; n < rows.size(); ++n) {
        missing[n] = rows[n] && !entry.filled[n];
        any = any || missing[n];
    }
    if (any) {
        const astro::PlanetTableT computed = source_(jd_local, missing);
        for (std::size_t n = 0; n < rows.size(); ++n) {
            if (!missing[n]) continue;
            entry.table[n] = computed[n];
            entry.filled[n] = true;
        }
    }
    return entry.table;
}

void ApproachTables::ForgetBefore(double jd_local) {
    tables_.erase(tables_.begin(), tables_.lower_bound(Key(jd_local)));
}

ApproachBody ApproachSunOf(const astro::PlanetTableT& table, bool equatorial) {
    const astro::PlanetRecord& sun = table[astro::kPlanetSun];
    return equatorial ? ApproachBody{sun.TopoRA, sun.TopoDec, sun.Diameter / kArcsecDiameterToSemiDeg}
                      : ApproachBody{sun.TopoEclLon, sun.TopoEclLat, sun.Diameter / kArcsecDiameterToSemiDeg};
}

ApproachBodies ApproachBodiesOf(const astro::PlanetTableT& table, bool equatorial) {
    ApproachBodies bodies;
    for (int b = 0; b < kApproachBodyCount; ++b) {
        const astro::PlanetRecord& r = table[static_cast<std::size_t>(ApproachBodyRow(b))];
        const double semi = r.Diameter / kArcsecDiameterToSemiDeg;
        bodies[static_cast<std::size_t>(b)] =
            equatorial ? ApproachBody{r.TopoRA, r.TopoDec, semi} : ApproachBody{r.TopoEclLon, r.TopoEclLat, semi};
    }
    return bodies;
}

double ClassifyApproach(double sun_lon_deg, double sun_lat_deg, const ApproachBody& a, const ApproachBody& b,
                        std::uint8_t& status) {
    const double sep = Separation(a, b);
    const ApproachBody sun{sun_lon_deg, sun_lat_deg, 0};
    const double da = Separation(a, sun), db = Separation(b, sun);
    if (da >= kSunClearance_deg && db >= kSunClearance_deg) {
        // The occultation test at half the sum of the semi-diameters is kept
        // as it always was; the parabola step decides occultations by the
        // full sum.
        if (sep >= kWideLimit_deg) {
            status = kApproachNone;
        } else if (sep >= kNearLimit_deg) {
            status = kApproachWide;
        } else if (sep >= kCloseLimit_deg) {
            status = kApproachNear;
        } else if (sep <= (a.semi_diameter_deg + b.semi_diameter_deg) / 2) {
            status = kApproachOccultation;
        } else {
            status = kApproachClose;
        }
    } else {
        status = sep <= kNearSunLimit_deg ? kApproachNearSun : kApproachNone;
    }
    return sep;
}

double ParabolaMinimum(const double (&sep_deg)[3], double semi_diameter_sum_deg, double& n_h, std::uint8_t& status) {
    const std::uint8_t entry_status = status;
    const std::optional<astro::Extremum3> vertex = astro::InterpolateExtremum3(-sep_deg[0], -sep_deg[1], -sep_deg[2]);
    double least = sep_deg[1];
    n_h = 0;
    if (vertex && std::fabs(vertex->n) <= 1) {
        n_h = vertex->n;
        least = -vertex->y;
        status = semi_diameter_sum_deg >= least ? kApproachOccultation : kApproachNone;
    } else {
        status = entry_status;
    }
    // Two nearly equal samples after a wider one put the vertex a little
    // below zero; a distance is never negative.
    return std::max(least, 0.0);
}

double RefineApproachMinimum(ApproachTables& tables, double tc, int i, int j, double& time, std::uint8_t& status) {
    double sep[3];
    double semi_sum = 0;
    for (int k = 0; k < 3; ++k) {
        const ApproachBodies bodies = ApproachBodiesOf(tables.At(tc + (k - 1) / kHoursPerDay, {i, j}), true);
        const ApproachBody& a = bodies[static_cast<std::size_t>(i)];
        const ApproachBody& b = bodies[static_cast<std::size_t>(j)];
        sep[k] = Separation(a, b);
        if (k == 1) semi_sum = a.semi_diameter_deg + b.semi_diameter_deg;
    }
    double n_h = 0;
    const double least = ParabolaMinimum(sep, semi_sum, n_h, status);
    time = tc + n_h / kHoursPerDay;
    return least;
}

double ScanApproachDay(ApproachTables& tables, double t, int i, int j, double& time, std::uint8_t& status) {
    const double day0 = astro::RoundToHalf(t);
    double least = kNoMinimum_deg, best = day0;
    std::uint8_t best_status = kApproachNone;
    for (int hour = 0; hour < 24; ++hour) {
        const double s = day0 + hour / kHoursPerDay;
        const astro::PlanetTableT& table = tables.At(s, {i, j});
        const ApproachBodies bodies = ApproachBodiesOf(table, true);
        const ApproachBody sun = ApproachSunOf(table, true);
        std::uint8_t sample_status = kApproachNone;
        const double sep = ClassifyApproach(sun.lon_deg, sun.lat_deg, bodies[static_cast<std::size_t>(i)],
                                            bodies[static_cast<std::size_t>(j)], sample_status);
        if (sep < least) {
            least = sep;
            best = s;
            best_status = sample_status;
        }
    }
    if (least < kRefineBelow_deg && best_status < kApproachNearSun)
        least = RefineApproachMinimum(tables, best, i, j, best, best_status);
    time = best;
    status = best_status;
    return least;
}

bool FindGathering(double width_deg, double sun_lon_deg, int min_count, const ApproachBodies& bodies,
                   std::string& digits, double& spread_deg) {
    const double w = std::min(astro::Norm360(width_deg), kMaxGatheringWidth_deg);
    struct Window {
        int count = 0;
        std::string digits;
        double lowest = 720, highest = 0;
        bool qualifies = false;
    };
    Window windows[kApproachBodyCount];
    for (int m = 0; m < kApproachBodyCount; ++m) {
        Window& win = windows[m];
        const double lm = astro::Norm360(bodies[static_cast<std::size_t>(m)].lon_deg);
        // A window running past 360 counts the bodies just past 0 by their
        // longitude plus 360, and moves the Sun the same way.
        const bool wraps = lm + w > 360;
        for (int u = 0; u < kApproachBodyCount; ++u) {
            double lu = astro::Norm360(bodies[static_cast<std::size_t>(u)].lon_deg);
            if (wraps && lu < 180) lu += 360;
            if (lm <= lu && lu <= lm + w) {
                ++win.count;
                win.digits += static_cast<char>('0' + u);
                if (lu <= win.lowest) win.lowest = lu;
                if (lu >= win.highest) win.highest = lu;
            }
        }
        double s = astro::Norm360(sun_lon_deg);
        if (wraps && s < 180) s += 360;
        win.qualifies = win.count >= min_count && (win.lowest > s || s > win.highest);
    }
    int chosen = 0, best_count = 1;
    for (int m = 0; m < kApproachBodyCount; ++m) {
        if (windows[m].qualifies && windows[m].count >= best_count) {
            best_count = windows[m].count;
            chosen = m;
        }
    }
    const Window& win = windows[chosen];
    double spread = std::nearbyint(std::fabs(win.highest - win.lowest));
    double side = astro::Norm360(win.highest - sun_lon_deg);
    if (side > 180) side -= 360;
    if (side < 0) spread = -spread;
    digits = win.digits;
    spread_deg = spread;
    return win.qualifies;
}

std::string BodyCodeNames(std::string_view digits) {
    std::string names;
    for (char c : digits) {
        if (c < '0' || c >= '0' + kApproachBodyCount) continue;
        if (!names.empty()) names += ", ";
        names += kBodyNames[c - '0'];
    }
    return names;
}

ApproachSearchStatus CheckApproachRequest(const ApproachRequest& request) {
    const double step = request.step_days < 1 ? 1.0 : request.step_days;
    if (!std::isfinite(request.start_jd) || !std::isfinite(request.end_jd) || !std::isfinite(step) ||
        !(request.start_jd <= request.end_jd))
        return ApproachSearchStatus::Refused;
    if (request.end_jd - request.start_jd > kMaxApproachSpan_days) {
        platform::MsgBox("탐색 기간은 5년 이내로 해 주세요.", platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                         "zu");
        return ApproachSearchStatus::Refused;
    }
    return ApproachSearchStatus::Done;
}

ApproachSearchStatus FindApproaches(const ApproachRequest& request, const PlanetTableSource& source,
                                    std::vector<double>& times, std::vector<std::string>& texts,
                                    platform::WorkProgress* progress) {
    times.clear();
    texts.clear();
    if (CheckApproachRequest(request) == ApproachSearchStatus::Refused) return ApproachSearchStatus::Refused;
    const double step = request.step_days < 1 ? 1.0 : request.step_days;
    ApproachTables tables(source);
    const double first = request.start_jd - step, stop = request.end_jd + step;
    // Steps of at least a day over at most 1827 days; the bound also ends
    // the scan where a day no longer changes so remote a Julian day.
    const long max_instants = static_cast<long>(kMaxApproachSpan_days) + 3;
    long instants = 0;
    while (instants < max_instants && first + static_cast<double>(instants) * step < stop) ++instants;
    if (progress) progress->SetTotal(static_cast<std::size_t>(instants));
    for (long k = 0; k < instants; ++k) {
        if (progress && progress->Cancelled()) {
            times.clear();
            texts.clear();
            return ApproachSearchStatus::Cancelled;
        }
        const double t = first + static_cast<double>(k) * step;
        tables.ForgetBefore(astro::RoundToHalf(t) - 1);
        const astro::PlanetTableT& table = tables.AtAll(t);
        const ApproachBodies bodies = ApproachBodiesOf(table, false);
        const ApproachBody sun = ApproachSunOf(table, false);
        if (request.gathering) {
            std::string digits;
            double spread = 0;
            if (FindGathering(request.width_deg, sun.lon_deg, request.min_count, bodies, digits, spread)) {
                times.push_back(t);
                texts.push_back(GatheringText(digits, spread));
            }
        }
        for (int i = 0; request.pairs && i < kApproachBodyCount - 1; ++i) {
            for (int j = i + 1; j < kApproachBodyCount; ++j) {
                std::uint8_t status = kApproachNone;
                double sep = ClassifyApproach(sun.lon_deg, sun.lat_deg, bodies[static_cast<std::size_t>(i)],
                                              bodies[static_cast<std::size_t>(j)], status);
                double time = t;
                if ((i == 0 && sep < kMoonFollow_deg) || (i > 0 && sep < kPlanetFollow_deg))
                    sep = ScanApproachDay(tables, t, i, j, time, status);
                if (sep <= request.pair_limit_deg) {
                    times.push_back(time);
                    texts.push_back(PairText(i, j, sep, time, status));
                }
            }
        }
        if (progress) progress->Advance();
    }
    times.push_back(0);
    texts.emplace_back();
    return ApproachSearchStatus::Done;
}

}  // namespace almanac
