#pragma once
// Tracks of solar-system bodies: for every tracked body (skydata::PathModule()
// .PathBodyList) and every date of the range of the track settings, the
// body's place at a chosen time of that day with an optional label; then the
// line points (chart::PathLists().PathVectors) and the marked points with
// their labels (PathMarks) that the chart layers draw.
//
// Frames. A place is stored as the chart shows it: equatorial of the date of
// its moment t while precession is on, carried from t to J2000 while it is
// off (the chart's own equinox then), or, for horizontal tracks, turned into
// azimuth and altitude from that place with the sidereal time of t. A track
// point at the chart moment thus lies on the body's symbol.
//
// Times are local civil Julian days. Qt-free: the one message (too many
// points) goes through platform::MsgBox or the module's Warn hook, and a long
// computation waits through the long-work seam (platform/Services.h).
//
// Threads. A computation shares its moments out among threads (as many as
// the copies of the planetary series allow, astro/Plan404.h), each with a
// copy of the body source; the sources read nothing of the module state once
// made. The module state below is the GUI thread's alone: a computation
// reads copies of its inputs, and its points take the place of the kept ones
// only on the thread that asked for them.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "astro/SiteContext.h"
#include "chart/PathLists.h"
#include "platform/Services.h"
#include "skydata/PathBodies.h"

namespace zu {

// At most this many points are computed, whatever the settings ask.
inline constexpr std::size_t kMaxPathPoints = 100000;

// Kinds of a track code ("P", "C", "A" and a list index).
enum class PathBodyKind : std::uint8_t { Planet = 0, Comet = 1, Asteroid = 2 };

struct PathPoint {
    double RA = 0;               // degrees: right ascension, or azimuth when Reference is 1
    double Dec = 0;              // degrees: declination, or altitude
    std::uint8_t Reference = 0;  // copy of the settings' Reference
    std::string Label;           // may be empty
    std::uint8_t FirstOfBody = 0;  // 1 on the first point of each body
    std::uint8_t NewLine = 0;      // 1 where the line starts again: a body's first point, or after a gap
    double TailRA = 0;           // comets: the tail end, same frame; else 0
    double TailDec = 0;
    std::int16_t HasTail = 0;    // 1 for a comet point
};

// kind from the first letter ("p"/"P" and any other letter 0, "c"/"C" 1,
// "a"/"A" 2); number: the leading number after the first character rounded
// to a whole number (halves to even), 0 when there is none, -1 when it does
// not fit (no list holds it).
void ParseBodyCode(std::string_view code, std::uint8_t& kind, std::int32_t& number);

// "C" and the index of the first comet whose name is exactly `name`, or "".
std::string FindCometByName(std::string_view name);
// "A" and the index of the first asteroid whose name is exactly `name`, or "".
std::string FindAsteroidByName(std::string_view name);

void CopyPathSettings(const skydata::PathSettings& source, skydata::PathSettings& target);

// ---- The pure computation ----------------------------------------------

// A body's place at one moment as the chart draws it: equatorial of date,
// topocentric unless the site asks for geocentric places.
struct PathBodyPlace {
    double ra_deg = 0;
    double dec_deg = 0;
    double mag = 0;
    bool has_tail = false;  // comets
    double tail_ra_deg = 0;
    double tail_dec_deg = 0;
};

// Where the bodies come from: the ephemeris and the element lists in the
// program, scripted bodies in tests.
class PathBodySource {
public:
    virtual ~PathBodySource() = default;
    // True when the code's list holds this number.
    virtual bool Exists(PathBodyKind kind, std::int32_t number) = 0;
    virtual std::string Name(PathBodyKind kind, std::int32_t number) = 0;
    // nullopt when the body cannot be placed at that moment.
    virtual std::optional<PathBodyPlace> Place(PathBodyKind kind, std::int32_t number, double jd_local) = 0;
    // A source of the same bodies for one more thread, or nullptr: the
    // computation then keeps to one thread.
    virtual std::unique_ptr<PathBodySource> CopyForThread() const { return nullptr; }
};

// The planet table bodies through the planetary theory, comets and
// asteroids through the orbit solver, from copies of the names and element
// records of `codes` taken when it is made (it reads no module state after
// that, so its copies compute on other threads). The bodies of one moment,
// placed one after the other, share the moment's Earth and sidereal time.
// Nothing shared is changed (the planet table keeps the chart moment).
class EphemerisPathBodies final : public PathBodySource {
public:
    EphemerisPathBodies(const astro::SiteContext& site, const std::vector<std::string>& codes);
    bool Exists(PathBodyKind kind, std::int32_t number) override;
    std::string Name(PathBodyKind kind, std::int32_t number) override;
    std::optional<PathBodyPlace> Place(PathBodyKind kind, std::int32_t number, double jd_local) override;
    std::unique_ptr<PathBodySource> CopyForThread() const override;

private:
    astro::SiteContext site_;
    std::size_t comet_count_ = 0;  // the lengths of the element lists
    std::size_t asteroid_count_ = 0;
    std::map<std::int32_t, astro::CometElements> comets_;
    std::map<std::int32_t, astro::AsteroidElements> asteroids_;
    // The last moment of a planet, and of a comet or asteroid.
    std::optional<astro::PlanetMoment> planet_moment_;
    std::optional<astro::SmallBodyMoment> small_moment_;
    const astro::PlanetMoment& PlanetMomentAt(double jd_local);
    const astro::SmallBodyMoment& SmallMomentAt(double jd_local);
};

// What a computation reads besides the settings.
struct PathInputs {
    std::vector<std::string> bodies;  // track codes in order; empty codes are free slots
    astro::SiteContext site;
    double chart_jd = 0;              // CurrentJD: the time of day of SyncWithChart
    bool calcprecession = true;       // false: places carried to J2000
};

struct PathComputation {
    std::vector<PathPoint> points;
    bool over_cap = false;   // the settings asked for more than kMaxPathPoints points
    bool cancelled = false;  // stopped through the progress: no points
    unsigned threads = 1;    // the threads that computed them
};

// Every point of every used code, in list order and within a body in date
// order. A code outside its list, or a date at which its body cannot be
// placed, gives no point. Dates: StartJD + k StepDays up to EndJD, StepDays
// below 1 or not a number counting as 1.
//
// Computed moment by moment, every body at a moment one after the other;
// the moments are shared out among up to `threads` threads (0: as many as
// the processors and the copies of the planetary series allow), each with a
// copy of `bodies` (one thread when it makes none) and each but the calling
// one with a private copy of the series no other thread holds (fewer threads
// when fewer are free); the points do not depend on how. With `progress`:
// its total is the number of moments, each moment done advances it, and once
// it is cancelled the computation stops soon and returns `cancelled` without
// points.
PathComputation ComputePathPoints(const skydata::PathSettings& settings, const PathInputs& inputs,
                                  PathBodySource& bodies, platform::WorkProgress* progress = nullptr,
                                  unsigned threads = 0);

// The line points and the marked points of computed points: every point
// becomes a direction of length 1000, a new line where NewLine is set; a
// body's first point and every LabelStep-th point after it are marked,
// LabelStep = LabelInterval \ StepDays (whole numbers, at least 1).
chart::PathListState ProjectPathPoints(const skydata::PathSettings& settings, const std::vector<PathPoint>& points);

// The time of day of the points of date `day_jd` (a civil midnight):
// SyncWithChart: that of chart_jd; time rule 0: Hour; else the Sun's event
// of the rule, or the Sun's transit + 12 h when it does not happen that day.
double PathPointTime(const skydata::PathSettings& settings, double day_jd, double chart_jd,
                     const astro::SiteContext& site);

// The label of a point from the settings' flags "N", "D", "M", "T".
std::string PathLabel(const std::string& flags, bool with_name, const std::string& name, double jd_local,
                      double mag);

// ---- The module ----------------------------------------------------------

// How a long computation (kLongPathPoints points or more) runs.
enum class PathWork : std::uint8_t {
    AtOnce,        // on the calling thread (a drawing, a tool without windows)
    WithProgress,  // through the long-work seam, "취소" leaving no points in force (the user's commands)
    Later,         // left for ComputePendingPaths (the start-up load, away from the windows)
};

struct TrackState {
    std::vector<PathPoint> PathPoints;
    // Shows the warning of a computation over the limit (title, text); unset:
    // a message box.
    std::function<void(const std::string& title, const std::string& text)> Warn;
    // Set by the commands through which the user asks for tracks (the track
    // window's apply, the pop-up command): the next ComputePaths warns when
    // the request is over the limit. A start-up, a dialog's apply or a
    // redraw recomputing a stored request does not warn again.
    bool UserAsked = false;
    // What PathPoints were computed from (PathInputsKey); empty: nothing yet.
    std::string ComputedFor;
    // While set (the start-up load), points worth keeping are not written
    // yet: a load that stops writes nothing. WriteHeldPaths writes them.
    bool HoldDiskWrite = false;
    bool DiskWriteHeld = false;
    // The computation before the one in force, taken back at once when the
    // inputs return to it (summer time switched on and off again).
    std::string PreviousFor;
    std::vector<PathPoint> PreviousPoints;
    // How a long computation runs now (PathWorkScope).
    PathWork LongWork = PathWork::AtOnce;
    // A computation is waiting for its work: handlers that run meanwhile
    // (timers) keep the points there are.
    bool Computing = false;
    // The last computation was stopped by the user: no points are in force
    // (ComputedFor is empty, so the next request computes); those that were
    // became the computation before.
    bool Stopped = false;
    // A long computation was left for later (PathWork::Later).
    bool Pending = false;
};
TrackState& TrackModule();
void ResetTrackModule();

// Every input of a computation as one text: equal texts give equal points.
// The site enters where it matters (the zone always; latitude and longitude
// for topocentric or horizontal places and for the Sun's time rules), the
// chart time only while the tracks follow it, comets and asteroids with
// their elements, so an edited element file is noticed.
std::string PathInputsKey(const skydata::PathSettings& settings, const PathInputs& inputs);

// The points a request asks for (used codes x dates), known before anything
// is computed.
std::size_t RequestedPathPoints(const skydata::PathSettings& settings, const std::vector<std::string>& bodies);

// Sets TrackModule().LongWork while it lives.
class PathWorkScope {
public:
    explicit PathWorkScope(PathWork work);
    ~PathWorkScope();
    PathWorkScope(const PathWorkScope&) = delete;
    PathWorkScope& operator=(const PathWorkScope&) = delete;

private:
    PathWork previous_;
};

// Rebuilds PathPoints from PathBodyList, the current site, the chart time
// and the settings; warns when the user asked (UserAsked) for too many
// points. Nothing is computed when the inputs are those of the points kept
// (a dialog applied, a redraw): the kept points stand; the points of the
// computation before are taken back when the inputs are theirs. Points of a
// costly computation (kCachedPathPoints or more) are also kept in the user
// folder ("PathCache.dat"), so the next start takes them back instead of
// computing them again. A long computation runs as LongWork says; Stopped
// tells whether the user stopped it, which leaves no points in force.
void ComputePaths(const skydata::PathSettings& settings);
// After a stopped computation whose change the caller has undone (the
// track window's settings, an added body): the points in force before are
// in force again when the inputs are theirs once more. Nothing is computed.
void TakeBackPathsBefore(const skydata::PathSettings& settings);
// Rebuilds PathVectors and PathMarks from PathPoints.
void ProjectPaths(const skydata::PathSettings& settings);
// Ends HoldDiskWrite and writes the points it held back, if any.
void WriteHeldPaths();
// The computation a load left for later (Pending), with progress, and the
// lines and marks of its points; true when the points changed.
bool ComputePendingPaths();

// The file of kept points, and the least number of points worth keeping.
inline constexpr std::string_view kPathCacheFileName = "PathCache.dat";
inline constexpr std::size_t kCachedPathPoints = 2000;
// The least number of points whose computation may take half a second (on
// one thread, the Moon and a time rule of the Sun's events).
inline constexpr std::size_t kLongPathPoints = 1000;

// The progress window of a long computation.
inline constexpr std::string_view kPathProgressTitle = "궤적 그리기";
inline constexpr std::string_view kPathProgressText = "태양계 천체의 궤적을 계산하고 있습니다...";

// The warning text of a computation over the limit, and its title.
inline constexpr std::string_view kPathWarningTitle = "궤적 그리기 경고";
extern const std::string kPathWarningText;

// Makes the track module the computation of the settings load, the chart's
// track layer and the pop-up command, and lets the track list find comets
// and asteroids by name. Called at start-up before the settings load.
void InstallPathHooks();

}  // namespace zu
