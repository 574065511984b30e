// Places of every comet and asteroid at one moment, as the chart recomputes
// them at every redraw: 7,000 asteroids and 4,000 comets (about the sizes of
// the shipped element files), elements of equinox 2000 reduced to 2025.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "astro/AsteroidPosition.h"
#include "astro/CometPosition.h"

namespace {

constexpr double kJd2025Jun1 = 2460827.5;

std::vector<astro::AsteroidElements> MainBelt(int count) {
    std::mt19937 rng(20250601);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<astro::AsteroidElements> list(count);
    for (astro::AsteroidElements& a : list) {
        a.a_au = 2.1 + 1.2 * unit(rng);
        a.e = 0.3 * unit(rng);
        a.Incl_deg = 30 * unit(rng);
        a.Node_deg = 360 * unit(rng);
        a.Peri_deg = 360 * unit(rng);
        a.M0_deg = 360 * unit(rng);
        a.Epoch_jd = 2459800.5;
        a.H = 8 + 10 * unit(rng);
        a.G = 0.15;
        a.EquinoxYear = 2000;
        a.Name = "asteroid";
    }
    return list;
}

// Ellipses of every eccentricity (Newton and binary search), parabolas and
// hyperbolas, perihelia spread over forty years around the date.
std::vector<astro::CometElements> CometMix(int count) {
    std::mt19937 rng(4000);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double eccentricities[] = {0.2, 0.55, 0.7, 0.85, 0.95, 0.99, 1.0, 1.0, 1.002, 1.3};
    std::vector<astro::CometElements> list(count);
    for (int i = 0; i < count; ++i) {
        astro::CometElements& c = list[i];
        c.e = eccentricities[i % 10];
        c.q_au = 0.3 + 5.7 * unit(rng);
        c.T_jd = kJd2025Jun1 + (unit(rng) - 0.5) * 40 * 365.25;
        c.Incl_deg = 180 * unit(rng);
        c.Node_deg = 360 * unit(rng);
        c.Peri_deg = 360 * unit(rng);
        c.H = 4 + 12 * unit(rng);
        c.K = 10;
        c.EquinoxYear = 2000;
        c.Name = "comet";
    }
    return list;
}

astro::SiteContext ChartSite() { return astro::SiteContext{}; }

void BM_ComputeAllAsteroids(benchmark::State& state) {
    const auto elements = MainBelt(7000);
    std::vector<astro::BodyPosition> positions;
    std::vector<astro::OrbitFrame> frames;
    for (auto _ : state) {
        astro::ComputeAllAsteroids(astro::MakeSmallBodyMoment(kJd2025Jun1, ChartSite()), elements, positions, frames);
        benchmark::DoNotOptimize(positions.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(elements.size()));
}
BENCHMARK(BM_ComputeAllAsteroids)->Unit(benchmark::kMillisecond);

void BM_ComputeAllComets(benchmark::State& state) {
    const auto elements = CometMix(4000);
    std::vector<astro::BodyPosition> positions;
    std::vector<astro::OrbitFrame> frames;
    for (auto _ : state) {
        astro::ComputeAllComets(astro::MakeSmallBodyMoment(kJd2025Jun1, ChartSite()), elements, positions, frames);
        benchmark::DoNotOptimize(positions.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(elements.size()));
}
BENCHMARK(BM_ComputeAllComets)->Unit(benchmark::kMillisecond);

// One redraw's worth through the module state, places corrected to the site
// (the slower setting), a new moment each time as in an animation.
void BM_RedrawBothTopocentric(benchmark::State& state) {
    astro::SmallBodyState& s = astro::SmallBodies();
    s.AsteroidElementList = MainBelt(7000);
    s.CometElementList = CometMix(4000);
    astro::SiteContext site = ChartSite();
    site.geocentric = false;
    double jd = kJd2025Jun1;
    for (auto _ : state) {
        const astro::SmallBodyMoment m = astro::MakeSmallBodyMoment(jd, site);
        astro::ComputeAllAsteroids(m, s.AsteroidElementList, s.AsteroidPositions, s.AsteroidFrames);
        astro::ComputeAllComets(m, s.CometElementList, s.CometPositions, s.CometFrames);
        benchmark::DoNotOptimize(s.CometPositions.data());
        jd += 1.0 / 24;
    }
    state.SetItemsProcessed(state.iterations() * 11000);
    s.Reset();
}
BENCHMARK(BM_RedrawBothTopocentric)->Unit(benchmark::kMillisecond);

// The same when every orbit frame must be made again (the first drawing, a
// new year, a new element list).
void BM_RedrawBothNewYear(benchmark::State& state) {
    const auto asteroids = MainBelt(7000);
    const auto comets = CometMix(4000);
    std::vector<astro::BodyPosition> asteroid_places, comet_places;
    std::vector<astro::OrbitFrame> asteroid_frames, comet_frames;
    for (auto _ : state) {
        asteroid_frames.clear();
        comet_frames.clear();
        const astro::SmallBodyMoment m = astro::MakeSmallBodyMoment(kJd2025Jun1, ChartSite());
        astro::ComputeAllAsteroids(m, asteroids, asteroid_places, asteroid_frames);
        astro::ComputeAllComets(m, comets, comet_places, comet_frames);
        benchmark::DoNotOptimize(comet_places.data());
    }
    state.SetItemsProcessed(state.iterations() * 11000);
}
BENCHMARK(BM_RedrawBothNewYear)->Unit(benchmark::kMillisecond);

}  // namespace
