#include "zu/core/Tracks.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <thread>
#include <utility>

#include "astro/AngleMath.h"
#include "astro/AsteroidPosition.h"
#include "astro/AstroConstants.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/Matrix.h"
#include "astro/OrbitElements.h"
#include "astro/Plan404.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "astro/SkySettings.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/UserFiles.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"

namespace zu {

const std::string kPathWarningText =
    "계산량이 너무 많습니다. 계산 간격을 늘여주거나\r\n"
    "시간 간격을 줄이거나, 선택한 천체의 수를 줄여주\r\n"
    "기 바랍니다.";

namespace {

// Sun's event of each time rule: the kind of SunRiseSetEvents and which of
// its three hours is meant.
enum class SunEvent { Morning, Transit, Evening };
struct TimeRuleEvent {
    int kind;
    SunEvent event;
};
constexpr TimeRuleEvent kTimeRuleEvents[10] = {
    {1, SunEvent::Transit},  // 0: the user's hour; not used
    {5, SunEvent::Morning},  {4, SunEvent::Morning}, {3, SunEvent::Morning}, {1, SunEvent::Morning},
    {1, SunEvent::Transit},  {1, SunEvent::Evening}, {3, SunEvent::Evening}, {4, SunEvent::Evening},
    {5, SunEvent::Evening},
};

constexpr double kHoursPerDay = 24;

// Days between dates as a computation uses them: below 1 or not a number is 1.
double UsableStep(double step_days) { return step_days >= 1 ? step_days : 1; }

template <typename List>
std::optional<int> IndexByName(const List& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].Name == name) return static_cast<int>(i);
    }
    return std::nullopt;
}

template <typename List>
std::optional<std::string> NameAt(const List& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return std::nullopt;
    return list[static_cast<std::size_t>(index)].Name;
}

std::string CodeOf(char letter, std::optional<int> index) {
    if (!index) return {};
    return letter + std::to_string(*index);
}

std::string WholeText(double value) { return std::to_string(static_cast<long long>(value)); }

// The number of dates StartJD + k step <= EndJD, k from 0, counted without
// adding the step up (no drift, no endless loop).
std::size_t DateCount(double start_jd, double end_jd, double step_days) {
    if (!std::isfinite(start_jd) || !std::isfinite(end_jd) || end_jd < start_jd) return 0;
    const double span = std::floor((end_jd - start_jd) / step_days);
    if (!(span < static_cast<double>(std::numeric_limits<std::size_t>::max() / 2))) {
        return std::numeric_limits<std::size_t>::max() / 2;
    }
    auto count = static_cast<std::size_t>(span) + 1;
    while (count > 0 && start_jd + static_cast<double>(count - 1) * step_days > end_jd) --count;
    while (start_jd + static_cast<double>(count) * step_days <= end_jd) ++count;
    return count;
}

// The frame of the points of one moment: J2000 when precession is off,
// horizontal for Reference 1. Made once for all the bodies of the moment.
class TrackFrame {
public:
    TrackFrame(double jd_local, const PathInputs& in, std::uint8_t reference)
        : to_j2000_(!in.calcprecession), horizontal_(reference == 1), lat_deg_(in.site.lat_deg) {
        if (to_j2000_) astro::MakePrecessionMatrix(jd_local, astro::kJ2000, precession_);
        if (horizontal_) lst_h_ = astro::CalcLST(jd_local, in.site.lon_deg, in.site.zone_h);
    }
    void Apply(double& ra_deg, double& dec_deg) const {
        if (to_j2000_) {
            double x, y, z;
            astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
            astro::RotateVector(x, y, z, precession_);
            astro::VectorToSpherical(x, y, z, ra_deg, dec_deg);
        }
        if (horizontal_) {
            double az = 0, alt = 0;
            astro::EquatorialToHorizontal(ra_deg, dec_deg, lst_h_, lat_deg_, az, alt);
            ra_deg = az;
            dec_deg = alt;
        }
    }

private:
    bool to_j2000_;
    bool horizontal_;
    double lat_deg_;
    double lst_h_ = 0;
    astro::Matrix3 precession_{};
};

}  // namespace

void ParseBodyCode(std::string_view code, std::uint8_t& kind, std::int32_t& number) {
    kind = 0;
    number = 0;
    if (code.empty()) return;
    switch (code[0]) {
        case 'c': case 'C': kind = static_cast<std::uint8_t>(PathBodyKind::Comet); break;
        case 'a': case 'A': kind = static_cast<std::uint8_t>(PathBodyKind::Asteroid); break;
        default: break;
    }
    const double value = std::nearbyint(astro::ParseLeadingNumber(code.substr(1)));
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())) {
        number = -1;
        return;
    }
    number = static_cast<std::int32_t>(value);
}

std::string FindCometByName(std::string_view name) {
    return CodeOf('C', IndexByName(astro::SmallBodies().CometElementList, name));
}

std::string FindAsteroidByName(std::string_view name) {
    return CodeOf('A', IndexByName(astro::SmallBodies().AsteroidElementList, name));
}

void CopyPathSettings(const skydata::PathSettings& source, skydata::PathSettings& target) { target = source; }

// ---- EphemerisPathBodies -------------------------------------------------

EphemerisPathBodies::EphemerisPathBodies(const astro::SiteContext& site, const std::vector<std::string>& codes)
    : site_(site) {
    const astro::SmallBodyState& small = astro::SmallBodies();
    comet_count_ = small.CometElementList.size();
    asteroid_count_ = small.AsteroidElementList.size();
    for (const std::string& code : codes) {
        if (code.empty()) continue;
        std::uint8_t kind = 0;
        std::int32_t number = 0;
        ParseBodyCode(code, kind, number);
        if (!Exists(static_cast<PathBodyKind>(kind), number)) continue;
        const auto n = static_cast<std::size_t>(number);
        if (kind == static_cast<std::uint8_t>(PathBodyKind::Comet)) comets_[number] = small.CometElementList[n];
        if (kind == static_cast<std::uint8_t>(PathBodyKind::Asteroid)) {
            asteroids_[number] = small.AsteroidElementList[n];
        }
    }
}

std::unique_ptr<PathBodySource> EphemerisPathBodies::CopyForThread() const {
    return std::make_unique<EphemerisPathBodies>(*this);
}

bool EphemerisPathBodies::Exists(PathBodyKind kind, std::int32_t number) {
    if (number < 0) return false;
    const auto n = static_cast<std::size_t>(number);
    switch (kind) {
        case PathBodyKind::Planet: return n < static_cast<std::size_t>(astro::kPlanetCount);
        case PathBodyKind::Comet: return n < comet_count_;
        case PathBodyKind::Asteroid: return n < asteroid_count_;
    }
    return false;
}

std::string EphemerisPathBodies::Name(PathBodyKind kind, std::int32_t number) {
    if (!Exists(kind, number)) return {};
    switch (kind) {
        case PathBodyKind::Planet: {
            astro::PlanetTableT names;
            astro::InitPlanetTable(names);
            return names[static_cast<std::size_t>(number)].Name;
        }
        case PathBodyKind::Comet: {
            const auto comet = comets_.find(number);
            return comet == comets_.end() ? std::string() : comet->second.Name;
        }
        case PathBodyKind::Asteroid: {
            const auto asteroid = asteroids_.find(number);
            return asteroid == asteroids_.end() ? std::string() : asteroid->second.Name;
        }
    }
    return {};
}

const astro::PlanetMoment& EphemerisPathBodies::PlanetMomentAt(double jd_local) {
    if (!planet_moment_ || planet_moment_->jd_local != jd_local) {
        planet_moment_ = astro::MakePlanetMoment(jd_local, site_);
    }
    return *planet_moment_;
}

const astro::SmallBodyMoment& EphemerisPathBodies::SmallMomentAt(double jd_local) {
    if (!small_moment_ || small_moment_->jd_local != jd_local) {
        small_moment_ = astro::MakeSmallBodyMoment(jd_local, site_);
    }
    return *small_moment_;
}

std::optional<PathBodyPlace> EphemerisPathBodies::Place(PathBodyKind kind, std::int32_t number, double jd_local) {
    if (!Exists(kind, number)) return std::nullopt;
    PathBodyPlace place;
    if (kind == PathBodyKind::Planet) {
        const astro::PlanetPlace p =
            astro::ComputePlanetPlace(PlanetMomentAt(jd_local), number, site_, !site_.geocentric);
        if (!std::isfinite(p.ra_deg) || !std::isfinite(p.dec_deg)) return std::nullopt;
        place.ra_deg = p.ra_deg;
        place.dec_deg = p.dec_deg;
        place.mag = p.mag;
        return place;
    }
    astro::BodyPosition body;
    if (kind == PathBodyKind::Comet) {
        const auto comet = comets_.find(number);
        if (comet == comets_.end()) return std::nullopt;
        astro::ComputeCometPosition(SmallMomentAt(jd_local), comet->second, body);
    } else {
        const auto asteroid = asteroids_.find(number);
        if (asteroid == asteroids_.end()) return std::nullopt;
        astro::ComputeAsteroidPosition(SmallMomentAt(jd_local), asteroid->second, body);
    }
    if (!body.Valid) return std::nullopt;
    place.ra_deg = body.TopoRA;
    place.dec_deg = body.TopoDec;
    place.mag = body.Mag;
    if (kind == PathBodyKind::Comet) {
        place.has_tail = true;
        place.tail_ra_deg = body.TailRA;
        place.tail_dec_deg = body.TailDec;
    }
    return place;
}

// ---- The computation -----------------------------------------------------

double PathPointTime(const skydata::PathSettings& settings, double day_jd, double chart_jd,
                     const astro::SiteContext& site) {
    if (settings.SyncWithChart) return day_jd + (chart_jd - astro::RoundToHalf(chart_jd));
    if (settings.TimeRule == 0 || settings.TimeRule > 9) return day_jd + settings.Hour / kHoursPerDay;
    const double midnight = astro::RoundToHalf(day_jd);
    const TimeRuleEvent& rule = kTimeRuleEvents[settings.TimeRule];
    double morning = -1, evening = -1, transit = -1;
    astro::SunRiseSetEvents(midnight, site, rule.kind, morning, evening, transit);
    double hour = rule.event == SunEvent::Morning ? morning : rule.event == SunEvent::Evening ? evening : transit;
    if (hour < 0) {
        hour = transit + 12;
        if (hour > kHoursPerDay) hour -= kHoursPerDay;
    }
    return midnight + hour / kHoursPerDay;
}

std::string PathLabel(const std::string& flags, bool with_name, const std::string& name, double jd_local,
                      double mag) {
    const auto has = [&flags](char flag) { return flags.find(flag) != std::string::npos; };
    std::string label;
    if (has('N') && with_name) label += name + " ";
    if (has('D')) {
        const astro::CalendarDate d = astro::JDToDate(jd_local);
        label += astro::NumberText(d.year) + "/" + WholeText(d.month) + "/" + WholeText(d.day) + " ";
        if (has('T')) label += WholeText(d.hour) + ":" + WholeText(d.minute) + " ";
    }
    if (has('M')) label += astro::FormatDigitPattern(mag, "0.0") + "등급";
    return label;
}

PathComputation ComputePathPoints(const skydata::PathSettings& settings, const PathInputs& in,
                                  PathBodySource& bodies, platform::WorkProgress* progress, unsigned threads) {
    PathComputation result;
    std::vector<const std::string*> used;
    for (const std::string& code : in.bodies) {
        if (!code.empty()) used.push_back(&code);
    }
    const double step = UsableStep(settings.StepDays);
    const std::size_t dates = DateCount(settings.StartJD, settings.EndJD, step);
    if (used.empty() || dates == 0) return result;
    result.over_cap = dates > kMaxPathPoints / used.size();

    // Every body's share of the limit, in list order; codes outside their
    // lists keep their share but give no point. Each point has its slot,
    // by body and date, so the threads write apart.
    struct Track {
        PathBodyKind kind = PathBodyKind::Planet;
        std::int32_t number = 0;
        std::size_t count = 0;
        std::string name;
        std::vector<std::optional<PathPoint>> points;
    };
    std::vector<Track> tracks(used.size());
    std::size_t budget = kMaxPathPoints;
    std::size_t moments = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        Track& track = tracks[i];
        std::uint8_t kind = 0;
        ParseBodyCode(*used[i], kind, track.number);
        track.kind = static_cast<PathBodyKind>(kind);
        track.count = std::min(dates, budget);
        budget -= track.count;
        if (!bodies.Exists(track.kind, track.number)) track.count = 0;
        if (track.count == 0) continue;
        track.name = bodies.Name(track.kind, track.number);
        track.points.resize(track.count);
        moments = std::max(moments, track.count);
    }
    if (progress) progress->SetTotal(moments);

    // The name enters a label where the points are put in order: whether a
    // point is its body's first depends on the places before it.
    const bool named = settings.LabelFlags.find('N') != std::string::npos;
    constexpr std::size_t kBlock = 16;
    std::atomic<std::size_t> next_block{0};
    std::atomic<bool> failed{false};
    const auto work = [&](PathBodySource& source) {
        for (;;) {
            if (failed.load(std::memory_order_relaxed) || (progress && progress->Cancelled())) return;
            const std::size_t first = next_block.fetch_add(1, std::memory_order_relaxed) * kBlock;
            if (first >= moments) return;
            const std::size_t last = std::min(first + kBlock, moments);
            for (std::size_t k = first; k < last; ++k) {
                const double day = settings.StartJD + static_cast<double>(k) * step;
                const double t = PathPointTime(settings, day, in.chart_jd, in.site);
                const TrackFrame frame(t, in, settings.Reference);
                for (Track& track : tracks) {
                    if (k >= track.count) continue;
                    const std::optional<PathBodyPlace> place = source.Place(track.kind, track.number, t);
                    if (!place) continue;
                    PathPoint point;
                    point.RA = place->ra_deg;
                    point.Dec = place->dec_deg;
                    frame.Apply(point.RA, point.Dec);
                    if (place->has_tail) {
                        point.HasTail = 1;
                        point.TailRA = place->tail_ra_deg;
                        point.TailDec = place->tail_dec_deg;
                        frame.Apply(point.TailRA, point.TailDec);
                    }
                    point.Reference = settings.Reference;
                    point.Label = PathLabel(settings.LabelFlags, false, {}, t, place->mag);
                    track.points[k] = std::move(point);
                }
            }
            if (progress) progress->Advance(last - first);
        }
    };

    // The calling thread is one of the threads and keeps its own copy of
    // the series; each other thread takes a private copy that no thread
    // holds, or leaves the work to those that do.
    const std::size_t blocks = (moments + kBlock - 1) / kBlock;
    std::size_t wanted_threads = threads != 0 ? threads
                                              : std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                                                      static_cast<std::size_t>(astro::SeriesCopyCount()));
    wanted_threads = std::min(wanted_threads, std::max<std::size_t>(blocks, 1));
    std::vector<std::unique_ptr<PathBodySource>> copies;
    for (std::size_t i = 1; i < wanted_threads; ++i) {
        std::unique_ptr<PathBodySource> copy = bodies.CopyForThread();
        if (!copy) break;
        copies.push_back(std::move(copy));
    }
    std::vector<std::exception_ptr> failures(copies.size() + 1);
    std::vector<std::thread> helpers;
    helpers.reserve(copies.size());
    std::atomic<unsigned> helping{0};
    for (std::size_t i = 0; i < copies.size(); ++i) {
        helpers.emplace_back([&, i] {
            const astro::SeriesCopyScope series;
            if (!series.Held()) return;
            helping.fetch_add(1, std::memory_order_relaxed);
            try {
                work(*copies[i]);
            } catch (...) {
                failures[i + 1] = std::current_exception();
                failed.store(true, std::memory_order_relaxed);
            }
        });
    }
    try {
        work(bodies);
    } catch (...) {
        failures[0] = std::current_exception();
        failed.store(true, std::memory_order_relaxed);
    }
    for (std::thread& helper : helpers) helper.join();
    result.threads = 1 + helping.load(std::memory_order_relaxed);
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
    if (progress && progress->Cancelled()) {
        result.cancelled = true;
        return result;
    }

    std::size_t total = 0;
    for (const Track& track : tracks) total += track.count;
    result.points.reserve(total);
    for (Track& track : tracks) {
        bool first = true;
        bool gap = false;
        for (std::optional<PathPoint>& slot : track.points) {
            if (!slot) {
                gap = true;
                continue;
            }
            PathPoint& point = *slot;
            if (named && (first || !settings.LabelFirstOnly)) point.Label.insert(0, track.name + " ");
            point.FirstOfBody = first ? 1 : 0;
            point.NewLine = first || gap ? 1 : 0;
            result.points.push_back(std::move(point));
            first = false;
            gap = false;
        }
        track.points = {};
    }
    return result;
}

chart::PathListState ProjectPathPoints(const skydata::PathSettings& settings, const std::vector<PathPoint>& points) {
    const double interval = std::nearbyint(static_cast<double>(settings.LabelInterval));
    const double step = std::nearbyint(UsableStep(settings.StepDays));
    // LabelInterval is a 16-bit number, so the ratio is small.
    const double ratio = std::trunc(interval / step);
    const std::size_t label_step = ratio >= 1 ? static_cast<std::size_t>(ratio) : 1;

    chart::PathListState lists;
    lists.PathVectors.reserve(points.size());
    std::size_t k = 0;
    for (const PathPoint& point : points) {
        chart::PathVector v;
        v.x = astro::kVectorLength * astro::CosD(point.Dec) * astro::CosD(point.RA);
        v.y = astro::kVectorLength * astro::CosD(point.Dec) * astro::SinD(point.RA);
        v.z = astro::kVectorLength * astro::SinD(point.Dec);
        v.Flag = point.NewLine;
        v.ColorIndex = 1;
        lists.PathVectors.push_back(v);

        if (point.FirstOfBody == 1) k = 0;
        if (k % label_step == 0) {
            chart::PathMark mark;
            mark.RA = point.RA;
            mark.Dec = point.Dec;
            mark.Label = skydata::TrimBlanks(point.Label);
            mark.TailRA = point.TailRA;
            mark.TailDec = point.TailDec;
            mark.HasTail = settings.DrawTail ? point.HasTail : 0;
            lists.PathMarks.push_back(std::move(mark));
        }
        ++k;
    }
    return lists;
}

// ---- The module ------------------------------------------------------------

TrackState& TrackModule() {
    static TrackState state;
    return state;
}

void ResetTrackModule() { TrackModule() = TrackState{}; }

std::size_t RequestedPathPoints(const skydata::PathSettings& settings, const std::vector<std::string>& bodies) {
    const auto used = static_cast<std::size_t>(
        std::count_if(bodies.begin(), bodies.end(), [](const std::string& code) { return !code.empty(); }));
    const std::size_t dates = DateCount(settings.StartJD, settings.EndJD, UsableStep(settings.StepDays));
    if (used == 0 || dates == 0) return 0;
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    return dates > most / used ? most : dates * used;
}

std::string PathInputsKey(const skydata::PathSettings& settings, const PathInputs& in) {
    // The form of the key and of the computation: raised whenever either
    // changes, so points kept by an older program are not taken.
    std::string key = "2";
    const auto add = [&key](double value) {
        char text[40];
        std::snprintf(text, sizeof text, " %a", value);
        key += text;
    };
    add(settings.StartJD);
    add(settings.EndJD);
    add(settings.Hour);
    add(UsableStep(settings.StepDays));
    add(settings.TimeRule);
    add(settings.Reference);
    add(settings.LabelFirstOnly ? 1 : 0);
    add(settings.SyncWithChart ? 1 : 0);
    key += " [" + settings.LabelFlags + "]";
    // The time of day of every point comes from the chart time while the
    // tracks follow it.
    if (settings.SyncWithChart) add(in.chart_jd - astro::RoundToHalf(in.chart_jd));
    add(in.site.zone_h);
    add(in.site.geocentric ? 1 : 0);
    add(in.site.delta_t.user_delta_t ? 1 : 0);
    add(in.site.delta_t.user_delta_t ? in.site.delta_t.delta_t_s : 0);
    const bool time_rule = !settings.SyncWithChart && settings.TimeRule >= 1 && settings.TimeRule <= 9;
    if (!in.site.geocentric || settings.Reference == 1 || time_rule) {
        add(in.site.lat_deg);
        add(in.site.lon_deg);
    }
    add(in.calcprecession ? 1 : 0);
    const astro::SmallBodyState& small = astro::SmallBodies();
    for (const std::string& code : in.bodies) {
        if (code.empty()) continue;
        key += " " + code;
        std::uint8_t kind = 0;
        std::int32_t number = 0;
        ParseBodyCode(code, kind, number);
        if (number < 0) continue;
        const auto n = static_cast<std::size_t>(number);
        if (kind == static_cast<std::uint8_t>(PathBodyKind::Comet) && n < small.CometElementList.size()) {
            key += ":" + std::to_string(astro::ElementsFingerprint(std::vector{small.CometElementList[n]}));
        } else if (kind == static_cast<std::uint8_t>(PathBodyKind::Asteroid) && n < small.AsteroidElementList.size()) {
            key += ":" + std::to_string(astro::ElementsFingerprint(std::vector{small.AsteroidElementList[n]}));
        }
    }
    return key;
}

namespace {

// ---- Points kept in the user folder --------------------------------------
// "zu tracks 1\n", the key's length and text, the number of points, then per
// point RA, Dec, TailRA, TailDec (doubles), Reference, FirstOfBody, NewLine
// (bytes), HasTail (16 bits) and the label's length and text; numbers as the
// machine holds them (the file never leaves it).

constexpr std::string_view kCacheMagic = "zu tracks 1\n";

template <typename T>
void Put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

void PutText(std::string& out, const std::string& text) {
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

class CacheReader {
public:
    explicit CacheReader(std::string_view bytes) : rest_(bytes) {}
    template <typename T>
    bool Get(T& value) {
        if (rest_.size() < sizeof(T)) return false;
        std::memcpy(&value, rest_.data(), sizeof(T));
        rest_.remove_prefix(sizeof(T));
        return true;
    }
    bool GetText(std::string& text) {
        std::uint32_t size = 0;
        if (!Get(size) || rest_.size() < size) return false;
        text.assign(rest_.substr(0, size));
        rest_.remove_prefix(size);
        return true;
    }
    bool Skip(std::string_view expected) {
        if (!rest_.starts_with(expected)) return false;
        rest_.remove_prefix(expected.size());
        return true;
    }
    bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

// Empty where there is no user folder (a headless tool): nothing is kept.
std::filesystem::path CachePath() {
    const std::filesystem::path folder = platform::Env().folders->UserFolder();
    return folder.empty() ? std::filesystem::path() : folder / kPathCacheFileName;
}

void WriteCache(const std::string& key, const std::vector<PathPoint>& points) {
    if (CachePath().empty()) return;
    std::string out(kCacheMagic);
    PutText(out, key);
    Put<std::uint64_t>(out, points.size());
    for (const PathPoint& p : points) {
        Put(out, p.RA);
        Put(out, p.Dec);
        Put(out, p.TailRA);
        Put(out, p.TailDec);
        Put(out, p.Reference);
        Put(out, p.FirstOfBody);
        Put(out, p.NewLine);
        Put(out, p.HasTail);
        PutText(out, p.Label);
    }
    // A failed write leaves the old file, whose key no longer matches: the
    // next start computes, nothing worse.
    (void)platform::WriteFileBytesAtomic(platform::UserFileToWrite(std::string(kPathCacheFileName)), out);
}

// The kept points of `key`; nullopt when there are none, they were kept for
// other inputs, or the file is damaged.
std::optional<std::vector<PathPoint>> ReadCache(const std::string& key) {
    if (CachePath().empty()) return std::nullopt;
    const std::optional<std::string> bytes = platform::ReadFileBytes(CachePath());
    if (!bytes) return std::nullopt;
    CacheReader in(*bytes);
    std::string kept_key;
    std::uint64_t count = 0;
    if (!in.Skip(kCacheMagic) || !in.GetText(kept_key) || kept_key != key || !in.Get(count) ||
        count > kMaxPathPoints) {
        return std::nullopt;
    }
    std::vector<PathPoint> points(static_cast<std::size_t>(count));
    for (PathPoint& p : points) {
        if (!in.Get(p.RA) || !in.Get(p.Dec) || !in.Get(p.TailRA) || !in.Get(p.TailDec) || !in.Get(p.Reference) ||
            !in.Get(p.FirstOfBody) || !in.Get(p.NewLine) || !in.Get(p.HasTail) || !in.GetText(p.Label)) {
            return std::nullopt;
        }
    }
    if (!in.AtEnd()) return std::nullopt;
    return points;
}

void ShowPathWarning(const TrackState& state) {
    if (state.Warn) {
        state.Warn(std::string(kPathWarningTitle), kPathWarningText);
    } else {
        platform::MsgBox(kPathWarningText, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                         std::string(kPathWarningTitle));
    }
}

// Keeps the points of the computation in force in the user folder when
// they are worth it; tracks that follow the chart change with every drawing
// and are not.
void KeepOnDisk(TrackState& state, const skydata::PathSettings& settings) {
    if (settings.SyncWithChart || state.PathPoints.size() < kCachedPathPoints) return;
    if (state.HoldDiskWrite) {
        state.DiskWriteHeld = true;
    } else {
        WriteCache(state.ComputedFor, state.PathPoints);
    }
}

// The points of `key` take the place of those in force, which are kept as
// the computation before.
void TakePoints(TrackState& state, std::string key, std::vector<PathPoint> points) {
    if (!state.ComputedFor.empty()) {
        state.PreviousFor = std::move(state.ComputedFor);
        state.PreviousPoints = std::move(state.PathPoints);
    }
    state.ComputedFor = std::move(key);
    state.PathPoints = std::move(points);
}

// A stopped computation: the points in force were made for inputs that may
// no longer stand (a site or a chart file applied before its tracks), so
// none are in force until the next request computes them. They stay as the
// computation before, taken back at once when the inputs return to theirs
// (a window that undoes its change).
void StopPoints(TrackState& state) {
    state.Stopped = true;
    if (state.ComputedFor.empty()) return;
    state.PreviousFor = std::exchange(state.ComputedFor, {});
    state.PreviousPoints = std::exchange(state.PathPoints, {});
}

PathInputs InputsInForce() {
    PathInputs in;
    in.bodies = skydata::PathModule().PathBodyList;
    in.site = astro::CurrentSite();
    in.chart_jd = skydata::CurrentSettings().CurrentJD;
    in.calcprecession = astro::Settings().calcprecession;
    return in;
}

// The computation before and the one in force change places.
void TakePrevious(TrackState& state) {
    std::swap(state.ComputedFor, state.PreviousFor);
    std::swap(state.PathPoints, state.PreviousPoints);
}

}  // namespace

PathWorkScope::PathWorkScope(PathWork work) : previous_(TrackModule().LongWork) { TrackModule().LongWork = work; }

PathWorkScope::~PathWorkScope() { TrackModule().LongWork = previous_; }

void ComputePaths(const skydata::PathSettings& settings) {
    TrackState& state = TrackModule();
    // A handler that runs while a computation waits for its work.
    if (state.Computing) return;
    state.Stopped = false;
    const PathInputs in = InputsInForce();
    // The count is known before anything is computed: the warning comes
    // first, and only when the user asked for these tracks just now.
    const std::size_t requested = RequestedPathPoints(settings, in.bodies);
    if (std::exchange(state.UserAsked, false) && requested > kMaxPathPoints) {
        ShowPathWarning(state);
    }
    std::string key = PathInputsKey(settings, in);
    if (key == state.ComputedFor) return;
    state.Pending = false;
    if (key == state.PreviousFor) {
        TakePrevious(state);
        KeepOnDisk(state, settings);
        return;
    }
    if (!settings.SyncWithChart && requested >= kCachedPathPoints) {
        if (std::optional<std::vector<PathPoint>> kept = ReadCache(key)) {
            TakePoints(state, std::move(key), std::move(*kept));
            return;
        }
    }
    const bool long_work = requested >= kLongPathPoints;
    if (long_work && state.LongWork == PathWork::Later) {
        state.Pending = true;
        return;
    }
    // The work reads its own copies of the inputs, whatever runs meanwhile.
    EphemerisPathBodies bodies(in.site, in.bodies);
    const skydata::PathSettings asked = settings;
    PathComputation computed;
    if (long_work && state.LongWork == PathWork::WithProgress) {
        state.Computing = true;
        bool finished = false;
        try {
            finished = platform::RunLongWork(
                {std::string(kPathProgressTitle), std::string(kPathProgressText)},
                [&](platform::WorkProgress& progress) { computed = ComputePathPoints(asked, in, bodies, &progress); });
        } catch (...) {
            state.Computing = false;
            throw;
        }
        state.Computing = false;
        if (!finished || computed.cancelled) {
            StopPoints(state);
            return;
        }
    } else {
        computed = ComputePathPoints(asked, in, bodies);
    }
    TakePoints(state, std::move(key), std::move(computed.points));
    KeepOnDisk(state, settings);
}

void TakeBackPathsBefore(const skydata::PathSettings& settings) {
    TrackState& state = TrackModule();
    if (!state.ComputedFor.empty() || state.PreviousFor.empty()) return;
    if (PathInputsKey(settings, InputsInForce()) == state.PreviousFor) TakePrevious(state);
}

bool ComputePendingPaths() {
    TrackState& state = TrackModule();
    if (!state.Pending) return false;
    const PathWorkScope with_progress(PathWork::WithProgress);
    const std::string before = state.ComputedFor;
    skydata::PathState& paths = skydata::PathModule();
    ComputePaths(paths.Settings);
    state.Pending = false;
    if (state.ComputedFor == before) return false;
    ProjectPaths(paths.Settings);
    return true;
}

void WriteHeldPaths() {
    TrackState& state = TrackModule();
    state.HoldDiskWrite = false;
    if (std::exchange(state.DiskWriteHeld, false)) WriteCache(state.ComputedFor, state.PathPoints);
}

void ProjectPaths(const skydata::PathSettings& settings) {
    chart::PathLists() = ProjectPathPoints(settings, TrackModule().PathPoints);
}

void InstallPathHooks() {
    skydata::PathState& paths = skydata::PathModule();
    paths.Hooks.ComputePaths = ComputePaths;
    paths.Hooks.ProjectPaths = ProjectPaths;
    skydata::PathBodyNames& names = paths.Names;
    names.CometIndexOf = [](std::string_view n) { return IndexByName(astro::SmallBodies().CometElementList, n); };
    names.CometNameAt = [](int i) { return NameAt(astro::SmallBodies().CometElementList, i); };
    names.AsteroidIndexOf = [](std::string_view n) {
        return IndexByName(astro::SmallBodies().AsteroidElementList, n);
    };
    names.AsteroidNameAt = [](int i) { return NameAt(astro::SmallBodies().AsteroidElementList, i); };
}

}  // namespace zu
