// Solves per second through the program's binding of the orbit solver, over a
// mix of elliptic (Newton and binary search), parabolic and hyperbolic orbits.
#include <benchmark/benchmark.h>

#include <vector>

#include "orbsolve/OrbsolveLoader.h"

namespace {

std::vector<KeplerCometBlock> CometMix() {
    std::vector<KeplerCometBlock> blocks;
    const double eccentricities[] = {0.05, 0.3, 0.6, 0.85, 0.95, 0.995, 1.0, 1.0005, 1.2, 2.5};
    for (int i = 0; i < 1000; ++i) {
        KeplerCometBlock b{};
        b.T_jd = 2460000.5;
        b.q_au = 0.3 + 0.01 * (i % 200);
        b.e = eccentricities[i % 10];
        b.t_jd = b.T_jd - 900 + 1.7 * i;
        blocks.push_back(b);
    }
    return blocks;
}

std::vector<KeplerAsteroidBlock> AsteroidMix() {
    std::vector<KeplerAsteroidBlock> blocks;
    for (int i = 0; i < 1000; ++i) {
        KeplerAsteroidBlock b{};
        b.M0_deg = (i * 37) % 360;
        b.e = 0.001 * (i % 400);
        b.a_au = 1.5 + 0.002 * i;
        b.epoch_jd = 2460000.5;
        b.t_jd = b.epoch_jd + 3.3 * i;
        blocks.push_back(b);
    }
    return blocks;
}

void BM_KeplerComet(benchmark::State& state) {
    auto blocks = CometMix();
    for (auto _ : state) {
        for (auto& b : blocks) orbsolve::CallKeplerComet(b);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}
BENCHMARK(BM_KeplerComet);

void BM_KeplerAsteroid(benchmark::State& state) {
    auto blocks = AsteroidMix();
    for (auto _ : state) {
        for (auto& b : blocks) orbsolve::CallKeplerAsteroid(b);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}
BENCHMARK(BM_KeplerAsteroid);

}  // namespace
