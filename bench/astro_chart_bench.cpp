// The per-point path of every chart layer: frame matrix, refraction in the
// horizon frame, projection. Reports points per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/Matrix.h"
#include "astro/Projection.h"

namespace {

struct Point {
    double x, y, z;
};

std::vector<Point> SkyPoints(int count) {
    std::vector<Point> points(count);
    for (int i = 0; i < count; ++i) {
        // A spiral over the whole sphere.
        const double lat = -90.0 + 180.0 * (i + 0.5) / count;
        const double lon = i * 137.50776;
        astro::SphericalToCartesian(lon, lat, points[i].x, points[i].y, points[i].z);
    }
    return points;
}

void BM_ChartPointPath(benchmark::State& state) {
    const std::vector<Point> points = SkyPoints(static_cast<int>(state.range(0)));
    astro::BuildRefractionTable(15, 1013);
    astro::Matrix3 to_horizon, to_view;
    astro::MakeHorizonMatrix(35.82, 123.4, to_horizon);
    astro::MakeViewMatrix(180, 30, to_view, true, 10);
    double sink = 0;
    for (auto _ : state) {
        for (const Point& p : points) {
            double x = p.x, y = p.y, z = p.z;
            astro::RotateVector(x, y, z, to_horizon);
            astro::ApplyRefraction(x, y, z);
            astro::RotateVector(x, y, z, to_view);
            astro::StereographicScale(x, y, z);
            sink += y + z;
        }
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_ChartPointPath)->Arg(10000);

}  // namespace
