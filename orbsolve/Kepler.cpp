// Kepler's equation for comets (ellipse, parabola, hyperbola) and asteroids
// (ellipse). Pure functions of the record passed in; nothing is kept between
// calls. Reference: Meeus, Astronomical Algorithms, ch. 30 (Sinnott's binary
// search), ch. 34 (Barker's equation) and ch. 35 (hyperbolic anomaly).
#include "KeplerBlock.h"

#include <cmath>

namespace {

constexpr double kGauss_rad_per_day = 0.01720209895;
constexpr double kBarker = 0.03649116245;  // 3k / sqrt(2)
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kTolerance = 1e-6;
constexpr int kIterationCap = 100;  // a solver stops after its 101st step
constexpr int kBisectSteps = 34;
constexpr double kBisectFromE = 0.9;

double SignOf(double x) { return x >= 0 ? 1.0 : -1.0; }

// The binary search moves E by +-D with D halving each step, so sin E and
// cos E follow from the sines and cosines of the fixed steps by the addition
// theorem instead of a sine per step.
struct BisectSteps {
    double sin_d[kBisectSteps];
    double cos_d[kBisectSteps];
    BisectSteps() {
        double D = kQuarterPi;
        for (int i = 0; i < kBisectSteps; ++i, D /= 2) {
            sin_d[i] = std::sin(D);
            cos_d[i] = std::cos(D);
        }
    }
};
const BisectSteps kSteps;

// Sinnott's binary search for E - e sin E = M; returns E in -pi..pi, negative
// when the reduced mean anomaly lies beyond pi (before perihelion).
double KeplerBisect(double M_rad, double e) {
    double F = SignOf(M_rad);
    double m = F * (std::fabs(M_rad) / kTwoPi - std::trunc(std::fabs(M_rad) / kTwoPi)) * kTwoPi;
    if (m < 0) m += kTwoPi;
    if (m > kPi) {
        F = -1;
        m = kTwoPi - m;
    } else {
        F = 1;
    }
    double E = kHalfPi;
    double D = kQuarterPi;
    double sinE = 1, cosE = 0;
    for (int i = 0; i < kBisectSteps; ++i) {
        const double s = SignOf(m - (E - e * sinE));
        E += D * s;
        D /= 2;
        const double next_sin = sinE * kSteps.cos_d[i] + s * cosE * kSteps.sin_d[i];
        cosE = cosE * kSteps.cos_d[i] - s * sinE * kSteps.sin_d[i];
        sinE = next_sin;
    }
    return F * E;
}

// Newton's method on E - e sin E = M, M unreduced. Newton diverges for very
// eccentric orbits near M = 0; when it reaches its cap without meeting the
// tolerance the binary search, which always converges, takes over. Each step
// needs the sine and cosine of one angle, taken together.
double KeplerNewton(double M_rad, double e) {
    double E = M_rad;
    double sinE, cosE;
    ::sincos(E, &sinE, &cosE);
    double f = E - e * sinE - M_rad;
    if (std::fabs(f) <= kTolerance) return E;
    for (int step = 0;; ++step) {
        E -= f / (1 - e * cosE);
        ::sincos(E, &sinE, &cosE);
        f = E - e * sinE - M_rad;
        if (step == kIterationCap) break;
        if (!(std::fabs(f) > kTolerance)) return E;
    }
    if (std::fabs(f) <= kTolerance) return E;
    return KeplerBisect(M_rad, e);
}

// s^3 + 3s = W for s = tan(v/2).
double SolveBarker(double W) {
    double s = 0;
    for (int step = 0;; ++step) {
        const double next = (W + 2 * s * s * s) / (3 * (s * s + 1));
        const bool done = std::fabs(next - s) <= kTolerance || step == kIterationCap;
        s = next;
        if (done) return s;
    }
}

// e (g - 1/g) / 2 - ln g = M for g = exp(F). From the fixed start 0.5 Newton
// only finds the root g > 1 for M > 0 reliably; for M < 0 it can settle on a
// wrong negative g. The equation is odd in F, so solve for |M| and invert.
double SolveHyperbolic(double M_rad, double e) {
    const double M = std::fabs(M_rad);
    double g = 0.5;
    for (int step = 0;; ++step) {
        const double next = 2 * g * (e - g * (1 - M - std::log(std::fabs(g)))) / (e * (g * g + 1) - 2 * g);
        const bool done = std::fabs(next - g) <= kTolerance || step == kIterationCap;
        g = next;
        if (done) break;
    }
    return M_rad < 0 ? 1 / g : g;
}

void SolveEllipse(double M_rad, double e, double a_au, bool bisect, double& v_rad, double& r_au) {
    const double E = bisect ? KeplerBisect(M_rad, e) : KeplerNewton(M_rad, e);
    v_rad = 2 * std::atan(std::sqrt(1 + e) * std::tan(E / 2) / std::sqrt(1 - e));
    r_au = std::fabs(a_au * (1 - e * std::cos(E)));
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t KeplerComet(KeplerCometBlock* b) {
    b->v_rad = 0;
    b->r_au = 0;
    const double e = b->e;
    const double q = b->q_au;
    const double dt_day = b->t_jd - b->T_jd;
    if (e < 1) {
        const double a = q / (1 - e);
        const double M = kGauss_rad_per_day / (a * std::sqrt(a)) * dt_day;
        SolveEllipse(M, e, a, e >= kBisectFromE, b->v_rad, b->r_au);
    } else if (e == 1) {
        const double s = SolveBarker(kBarker * dt_day / (q * std::sqrt(q)));
        b->v_rad = 2 * std::atan(s);
        b->r_au = q * (1 + s * s);
    } else if (e > 1) {
        const double a = q / std::fabs(1 - e);
        const double M = kGauss_rad_per_day / (a * std::sqrt(a)) * dt_day;
        const double g = SolveHyperbolic(M, e);
        const double coshF = (g * g + 1) / (2 * g);
        const double sinhF = (g * g - 1) / (2 * g);
        b->v_rad = std::atan2(std::sqrt(e * e - 1) * sinhF, e - coshF);
        b->r_au = std::fabs(a * (e * coshF - 1));
    }
    return 0;
}

extern "C" __attribute__((visibility("default"))) int32_t KeplerAsteroid(KeplerAsteroidBlock* b) {
    b->v_rad = 0;
    b->r_au = 0;
    const double e = b->e;
    if (!(e < 1)) return 1;
    const double a = b->a_au;
    const double M = kGauss_rad_per_day / (a * std::sqrt(a)) * (b->t_jd - b->epoch_jd) + b->M0_deg * kDegToRad;
    SolveEllipse(M, e, a, false, b->v_rad, b->r_au);
    return 0;
}
