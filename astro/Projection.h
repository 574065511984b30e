#pragma once
// Stereographic projection of a view-frame vector (x along the chart centre).
#include <cmath>

#include "astro/AstroConstants.h"

namespace astro {

// Rescales y and z of a view-frame vector of length 1000 in place so that a
// point at angular distance t from the centre lies at radius 2000 tan(t/2);
// x is left unchanged. A plane coordinate beyond 100000 becomes +-1000001
// (a far point, off every drawing); so do both coordinates of the exact
// antipode of the centre and of any non-finite vector. Never raises.
//
// 2 tan(t/2) / sin t = 2 / (1 + cos t) with cos t = x / 1000, so the factor
// needs no trigonometry.
inline void StereographicScale(double& x, double& y, double& z) {
    const auto far = [](double v) { return v < 0.0 ? -kFarPoint : kFarPoint; };
    const double denominator = kVectorLength + x;
    if (!(denominator > 0.0) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) ||
        (x < 0.0 && y == 0.0 && z == 0.0)) {
        y = far(y);
        z = far(z);
        return;
    }
    if (x >= kVectorLength) {
        // The centre itself (or past it by rounding): nothing to scale.
        y = 0.0;
        z = 0.0;
        return;
    }
    const double k = 2.0 * kVectorLength / denominator;
    y *= k;
    z *= k;
    if (!(std::fabs(y) <= kFarPointThreshold)) y = far(y);
    if (!(std::fabs(z) <= kFarPointThreshold)) z = far(z);
}

}  // namespace astro
