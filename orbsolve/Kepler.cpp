// Kepler's equation for comets (ellipse, parabola, hyperbola) and asteroids
// (ellipse). Pure functions of the record passed in; nothing is kept between
// calls. Reference: Meeus, Astronomical Algorithms, ch. 30 (Sinnott's binary
// search), ch. 34 (Barker's equation) and ch. 35 (hyperbolic anomaly).
#include "KeplerBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace orbsolve {

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

// Sine and cosine of one angle, to within an ulp of the C library's, without
// its rounding-mode guard (this library never changes the rounding mode):
// reduction by pi/2 in up to three rounds and the minimax kernels of
// FreeBSD's msun (as in musl). Beyond 2^20 pi/2 or for a non-finite angle
// the C library answers.
namespace fastsincos {

constexpr double kToInt = 6755399441055744.0;  // 1.5 / DBL_EPSILON
constexpr double kInvPio2 = 6.36619772367581382433e-01;
constexpr double kPio2_1 = 1.57079632673412561417e+00, kPio2_1t = 6.07710050650619224932e-11;
constexpr double kPio2_2 = 6.07710050630396597660e-11, kPio2_2t = 2.02226624879595063154e-21;
constexpr double kPio2_3 = 2.02226624871116645580e-21, kPio2_3t = 8.47842766036889956997e-32;
constexpr double kReducedLimit = 1647099.3291652855;  // 2^20 pi/2

constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                 S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                 S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                 C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                 C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;

// x + y is the reduced angle, |x + y| <= pi/4.
inline double KernelSin(double x, double y) {
    const double z = x * x, w = z * z;
    const double r = S2 + z * (S3 + z * S4) + z * w * (S5 + z * S6);
    const double v = z * x;
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

inline double KernelCos(double x, double y) {
    const double z = x * x;
    double w = z * z;
    const double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
    const double hz = 0.5 * z;
    w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

inline int Exponent(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<int>(bits >> 52 & 0x7ff);
}

inline void SinCos(double x, double* sin_x, double* cos_x) {
    if (!(std::fabs(x) < kReducedLimit)) {
        ::sincos(x, sin_x, cos_x);
        return;
    }
    double fn = x * kInvPio2 + kToInt - kToInt;
    double r = x - fn * kPio2_1;
    double w = fn * kPio2_1t;
    double y0 = r - w;
    const int ex = Exponent(x);
    if (ex - Exponent(y0) > 16) {
        double t = r;
        w = fn * kPio2_2;
        r = t - w;
        w = fn * kPio2_2t - ((t - r) - w);
        y0 = r - w;
        if (ex - Exponent(y0) > 49) {
            t = r;
            w = fn * kPio2_3;
            r = t - w;
            w = fn * kPio2_3t - ((t - r) - w);
            y0 = r - w;
        }
    }
    const double y1 = (r - y0) - w;
    const double s = KernelSin(y0, y1), c = KernelCos(y0, y1);
    switch (static_cast<std::int64_t>(fn) & 3) {
        case 0: *sin_x = s, *cos_x = c; break;
        case 1: *sin_x = c, *cos_x = -s; break;
        case 2: *sin_x = -s, *cos_x = -c; break;
        default: *sin_x = -c, *cos_x = s; break;
    }
}

}  // namespace fastsincos

using fastsincos::SinCos;

// The arctangent to within an ulp of the C library's, in fewer steps: the
// argument is reduced by the addition theorem,
// atan x = atan c + atan((x - c) / (1 + x c)), to |y| <= 1/64 about the
// midpoint c of its sixteenth of a binade (x - c is exact), and atan y is its
// Taylor series to y^11 (the next term is below 1e-19 of y). The arctangents
// of the midpoints, in two parts, are computed when the library is built.
namespace fastatan {

constexpr int kSubdivisions = 16;            // per binade, by the top 4 bits
constexpr int kLowBinade = -8, kBinades = 16;  // the table covers 2^-8 .. 2^8
constexpr double kLow = 0.00390625, kHigh = 256.0;
constexpr long double kHalfPiL = 1.57079632679489661923132169163975144L;
constexpr long double kPiL = 3.14159265358979323846264338327950288L;
constexpr double kHalfPiHi = static_cast<double>(kHalfPiL);
constexpr double kHalfPiLo = static_cast<double>(kHalfPiL - kHalfPiHi);
constexpr double kPiHi = static_cast<double>(kPiL);
constexpr double kPiLo = static_cast<double>(kPiL - kPiHi);

// atan x for 0 <= x <= 1 in extended precision by Euler's series,
// sum of 2^2n (n!)^2 / (2n+1)! x^(2n+1) / (1 + x^2)^(n+1); each term at most
// half the one before.
constexpr long double EulerAtan(long double x) {
    const long double w = x * x / (1 + x * x);
    long double term = x / (1 + x * x), sum = 0;
    for (int n = 0; n < 80; ++n) {
        sum += term;
        term *= w * (2 * n + 2) / (2 * n + 3);
    }
    return sum;
}

struct Midpoints {
    double hi[kBinades * kSubdivisions];
    double lo[kBinades * kSubdivisions];
};

constexpr Midpoints MakeMidpoints() {
    Midpoints m{};
    long double binade = 1.0L / 256;  // 2^kLowBinade
    for (int j = 0; j < kBinades; ++j, binade *= 2) {
        for (int i = 0; i < kSubdivisions; ++i) {
            const long double c = binade * (1 + (i + 0.5L) / kSubdivisions);
            const long double a = c <= 1 ? EulerAtan(c) : kHalfPiL - EulerAtan(1 / c);
            m.hi[j * kSubdivisions + i] = static_cast<double>(a);
            m.lo[j * kSubdivisions + i] = static_cast<double>(a - m.hi[j * kSubdivisions + i]);
        }
    }
    return m;
}

constexpr Midpoints kMidpoints = MakeMidpoints();

// atan y - y for |y| <= 1/64, by Estrin's scheme (the powers and the pairs
// side by side).
inline double SeriesTail(double y) {
    const double z = y * y, z2 = z * z;
    return y * z * ((-1.0 / 3 + z * (1.0 / 5)) + z2 * ((-1.0 / 7 + z * (1.0 / 9)) - z2 * (1.0 / 11)));
}

inline double Atan(double x) {
    const double ax = std::fabs(x);
    double r;
    if (ax >= kLow && ax < kHigh) {
        std::uint64_t bits;
        std::memcpy(&bits, &ax, sizeof bits);
        const int index = (static_cast<int>(bits >> 52) - 1023 - kLowBinade) * kSubdivisions +
                          static_cast<int>(bits >> 48 & 0xf);
        const std::uint64_t midBits = (bits & ~((std::uint64_t{1} << 48) - 1)) | std::uint64_t{1} << 47;
        double c;
        std::memcpy(&c, &midBits, sizeof c);
        const double y = (ax - c) / (1 + ax * c);
        r = kMidpoints.hi[index] + (kMidpoints.lo[index] + (y + SeriesTail(y)));
    } else if (ax < kLow) {
        r = ax + SeriesTail(ax);
    } else {
        // Also infinity (pi/2) and not a number.
        const double t = 1 / ax;
        r = kHalfPiHi - ((t + SeriesTail(t)) - kHalfPiLo);
    }
    return std::copysign(r, x);
}

// The two-argument arctangent, -pi..pi, from Atan(y / x); where the ratio is
// not a number (a zero x, two infinities, a not-a-number argument) the C
// library answers.
inline double Atan2(double y, double x) {
    const double ratio = y / x;
    if (std::isnan(ratio)) return std::atan2(y, x);
    const double t = Atan(ratio);
    if (x > 0) return t;
    return std::signbit(y) ? (t - kPiHi) - kPiLo : (t + kPiHi) + kPiLo;
}

}  // namespace fastatan

using fastatan::Atan;
using fastatan::Atan2;

// A cube root for the start values of Barker's and the hyperbolic iteration,
// whose first Newton step corrects what is left: a first guess from a third
// of the bits (within a few per cent) and two of Halley's steps, each cubing
// the relative error, to about 1e-14. Zero, non-finite, subnormal and very
// large arguments go to the C library.
inline double StartCbrt(double x) {
    if (!(x >= 0x1p-1022 && x <= 0x1p1000)) return std::cbrt(x);
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits = bits / 3 + 0x2A9F7893782DA1CEull;
    double y;
    std::memcpy(&y, &bits, sizeof y);
    for (int i = 0; i < 2; ++i) {
        const double y3 = y * y * y;
        y *= (y3 + 2 * x) / (2 * y3 + x);
    }
    return y;
}

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
        // Both candidates of sin E and cos E are formed before the sign is
        // known: s is +-1, so s * x * y is exactly +-(x * y).
        const double sc = sinE * kSteps.cos_d[i], cs = cosE * kSteps.sin_d[i];
        const double cc = cosE * kSteps.cos_d[i], ss = sinE * kSteps.sin_d[i];
        const double upSin = sc + cs, downSin = sc - cs, upCos = cc - ss, downCos = cc + ss;
        const bool up = SignOf(m - (E - e * sinE)) > 0;
        E = up ? E + D : E - D;
        D /= 2;
        sinE = up ? upSin : downSin;
        cosE = up ? upCos : downCos;
    }
    return F * E;
}

// Turns sin E and cos E to those of E + d, |d| <= kRotateStep, by the
// addition theorem with the Taylor series of sin d (to d^15) and cos d - 1 (to
// d^14); the terms left out are below 1e-19 of the result. No reduction and
// no quadrant: about half the time of a sine and cosine taken anew, at the
// cost of about an ulp per turn. d is the difference of two successive
// iterates, exact when the step is smaller than the angle.
constexpr double kRotateStep = 0.5, kShortSeriesStep = 0.0625;

constexpr double InverseFactorial(int n) { return n <= 1 ? 1.0 : InverseFactorial(n - 1) / n; }

inline void RotateBy(double d, double& sinE, double& cosE) {
    constexpr double s3 = -InverseFactorial(3), s5 = InverseFactorial(5), s7 = -InverseFactorial(7),
                     s9 = InverseFactorial(9), s11 = -InverseFactorial(11), s13 = InverseFactorial(13),
                     s15 = -InverseFactorial(15);
    constexpr double c2 = -InverseFactorial(2), c4 = InverseFactorial(4), c6 = -InverseFactorial(6),
                     c8 = InverseFactorial(8), c10 = -InverseFactorial(10), c12 = InverseFactorial(12),
                     c14 = -InverseFactorial(14);
    const double z = d * d, z2 = z * z, z4 = z2 * z2;
    // Estrin's scheme: the powers and the pairs are formed side by side. Up
    // to 1/16 the series end at d^9 and d^8 (the rest is below 1e-19).
    double sinTail = (s3 + z * s5) + z2 * (s7 + z * s9);
    double cosTail = (c2 + z * c4) + z2 * (c6 + z * c8);
    if (std::fabs(d) > kShortSeriesStep) {
        sinTail += z4 * ((s11 + z * s13) + z2 * s15);
        cosTail += z4 * ((c10 + z * c12) + z2 * c14);
    }
    const double sinD = d + d * z * sinTail;
    const double cosDm1 = z * cosTail;
    const double s = sinE, c = cosE;
    sinE = s + (s * cosDm1 + c * sinD);
    cosE = c + (c * cosDm1 - s * sinD);
}

// Newton's method on E - e sin E = M, M unreduced. Newton diverges for very
// eccentric orbits near M = 0; when it reaches its cap without meeting the
// tolerance the binary search, which always converges, takes over. Each step
// needs the sine and cosine of one angle, taken together; those of the
// returned E are left in sinE and cosE.
// With rotate, a step of at most kRotateStep turns sin E and cos E by the
// addition theorem instead of taking them anew (see RotateBy).
template <void (*SinCosOf)(double, double*, double*)>
double KeplerNewton(double M_rad, double e, int stepLimit, bool rotate, double& sinE, double& cosE, bool& settled) {
    settled = true;
    double E = M_rad;
    SinCosOf(E, &sinE, &cosE);
    double f = E - e * sinE - M_rad;
    if (std::fabs(f) <= kTolerance) return E;
    for (int step = 0;; ++step) {
        const double before = E;
        E -= f / (1 - e * cosE);
        const double d = E - before;
        if (rotate && std::fabs(d) <= kRotateStep) {
            RotateBy(d, sinE, cosE);
        } else {
            SinCosOf(E, &sinE, &cosE);
        }
        f = E - e * sinE - M_rad;
        if (step == kIterationCap) break;
        if (!(std::fabs(f) > kTolerance)) return E;
        if (step == stepLimit) {
            settled = false;
            return E;
        }
    }
    if (std::fabs(f) <= kTolerance) return E;
    E = KeplerBisect(M_rad, e);
    SinCosOf(E, &sinE, &cosE);
    return E;
}

void LibrarySinCos(double x, double* sin_x, double* cos_x) { ::sincos(x, sin_x, cos_x); }

// Newton settles within a few steps on all but very eccentric orbits near
// M = 0. Where it wanders longer its path depends on the last bit of every
// sine, so such a solve starts over with the C library's sine and cosine and
// gives the same result as it always has.
constexpr int kFastNewtonSteps = 8;

// The turned sines carry an ulp or so per step of up to kFastNewtonSteps;
// below this eccentricity 1 - e cos E stays above 0.1, so E and the sine and
// cosine handed on move by some 1e-14 at most.
constexpr double kRotateBelowE = 0.9;

void KeplerNewton(double M_rad, double e, double& sinE, double& cosE) {
    bool settled;
    KeplerNewton<SinCos>(M_rad, e, kFastNewtonSteps, e < kRotateBelowE, sinE, cosE, settled);
    if (!settled) KeplerNewton<LibrarySinCos>(M_rad, e, kIterationCap + 1, false, sinE, cosE, settled);
}

// s^3 + 3s = W for s = tan(v/2). The iteration starts from the root of the
// cubic in closed form (Meeus 34.3), so it stops after its first step.
double SolveBarker(double W) {
    const double Y = StartCbrt(W / 2 + std::sqrt(W * W / 4 + 1));
    double s = Y - 1 / Y;
    for (int step = 0;; ++step) {
        const double next = (W + 2 * s * s * s) / (3 * (s * s + 1));
        const bool done = std::fabs(next - s) <= kTolerance || step == kIterationCap;
        s = next;
        if (done) return s;
    }
}

// e (g - 1/g) / 2 - ln g = M for g = exp(F), M >= 0, by Newton's method from
// the fixed start 0.5, whose logarithm is a constant (ln 1/2 rounded to
// nearest, as the C library gives it):
// g' = 2g (e - g (1 - M - ln g)) / (e (g^2 + 1) - 2g). Returns the last
// iterate; lastStep and prevStep are the last two steps (prevStep infinite
// after one step) and settled tells whether the tolerance was met before the
// cap. Regrouped (not exact), the step is g' = q (e - g (1 - M)) + q g ln g
// with q = 2g / (e (g^2 + 1) - 2g): the division and both products but one no
// longer wait for the logarithm, a fifth less time per step, for some ulps of
// the terms.
constexpr double kHyperbolicStart = 0.5, kLogHyperbolicStart = -0.69314718055994530942;

template <bool kRegrouped>
double HyperbolicNewton(double M, double e, double& lastStep, double& prevStep, double& lnG, bool& settled) {
    prevStep = HUGE_VAL;
    lastStep = HUGE_VAL;
    double g = kHyperbolicStart;
    for (int step = 0;; ++step) {
        lnG = step == 0 ? kLogHyperbolicStart : std::log(std::fabs(g));
        double next;
        if (kRegrouped) {
            const double q = 2 * g / (e * (g * g + 1) - 2 * g), base = e - g * (1 - M);
            next = q * base + q * g * lnG;
        } else {
            next = 2 * g * (e - g * (1 - M - lnG)) / (e * (g * g + 1) - 2 * g);
        }
        prevStep = lastStep;
        lastStep = std::fabs(next - g);
        settled = lastStep <= kTolerance;
        g = next;
        if (settled || step == kIterationCap) return g;
    }
}

// How far a hyperbolic solution found by another start or the regrouped step
// may lie from the one of the exact step started at 0.5 before the solve
// starts over that way: relative to max(|v|, 1) and max(r, 1 AU).
constexpr double kHyperbolicAgreement = 1e-10;

// The bound X g / D on the distance between g, a solution of the Newton
// iteration that ended with a step of lastStep, and another solution. Near
// the root Newton's error after a step d is about K d^2, K = f''/(2 f') =
// (g - e) / (g D) with D = e (g^2 + 1) - 2g = 2 g^2 f'; the rounding of
// either form of the step adds some ulps of its terms over D. For a solution
// from another start that ended within the tolerance too: X g = 1.5 |K| D g
// (d^2 + tol^2) + 8 ulps of the terms (1.5: two solutions, second-order
// terms). For the same path with the other form of the step (samePath) only
// the rounding remains.
double HyperbolicSpreadXg(double g, double M, double e, double lastStep, double lnG, bool samePath) {
    const double stepTerm = samePath ? 0.0 : 1.5 * std::fabs(g - e) * (kTolerance * kTolerance + lastStep * lastStep);
    return stepTerm + 2e-15 * g * g * (e + g * (1 + M + std::fabs(lnG)));
}

// Whether a spread of Xg / (g D) in g stays within kHyperbolicAgreement in v
// and in r. With h = e cosh F - 1 = D / (2g): dv/dg = sqrt(e^2 - 1) / (g h)
// and dr/dg = a e sinh F / g. Where K times the last step (or the tolerance)
// is not small the error estimate does not hold. Written without divisions;
// rootE2m1 is sqrt(e^2 - 1).
bool HyperbolicAgrees(double g, double e, double rootE2m1, double a, double Xg, double lastStep) {
    const double D = e * (g * g + 1) - 2 * g;
    if (!(std::fabs(g - e) * std::max(lastStep, kTolerance) <= 0.01 * g * D)) return false;
    const bool vAgrees = Xg * rootE2m1 <= kHyperbolicAgreement * g * D * D / 2;
    const bool rAgrees = Xg * a * e * (g * g - 1) <= kHyperbolicAgreement * g * g * D * std::max(a * D, 2 * g);
    return vAgrees && rAgrees;
}

// Newton from a start near the root with the regrouped step. An iterate is
// taken once its spread from the solution from 0.5 provably stays within
// kHyperbolicAgreement, which is often one step before the tolerance would
// stop the iteration (its error K d^2 is known from the step d). agrees is
// false when no iterate up to the tolerance qualifies.
constexpr double kFirstCheckedStep = 1e-4;

double HyperbolicFromStart(double M, double e, double rootE2m1, double a, double g, bool& agrees) {
    for (int step = 0; step <= kIterationCap; ++step) {
        const double q = 2 * g / (e * (g * g + 1) - 2 * g), base = e - g * (1 - M);
        const double lnG = std::log(std::fabs(g));
        const double next = q * base + q * g * lnG;
        const double d = std::fabs(next - g);
        g = next;
        if (d <= kFirstCheckedStep) {
            agrees = HyperbolicAgrees(g, e, rootE2m1, a, HyperbolicSpreadXg(g, M, e, d, lnG, false), d);
            if (agrees || d <= kTolerance) return g;
        }
    }
    agrees = false;
    return g;
}

// Nearly parabolic orbits (e - 1 below the first value) close to perihelion
// (M below the second) have an ill-conditioned root that a start other than
// 0.5 hardly ever solves within kHyperbolicAgreement of the one from 0.5.
constexpr double kNearParabolicE = 0.01, kNearPerihelionM = 1e-3;
// Below this e - 1 the start comes from the cubic of a nearly parabolic orbit.
constexpr double kCubicStartE = 0.05;

// The solution for M >= 0. Newton from the fixed start 0.5 needs 5 to 12 steps;
// started near the root it needs 2 to 4, and its result is taken where it
// provably agrees with the one from 0.5 (both end within the tolerance, so
// both lie within K d^2 of the root). Else the path from 0.5 is walked with
// the regrouped step, and taken where its rounding cannot matter: the spread
// agrees and no step lies so near the tolerance that the other form could
// have stopped one step earlier or later. Else the exact step from 0.5.
double SolveHyperbolicPositive(double M, double e, double rootE2m1, double a) {
    double lastStep, prevStep, lnG;
    bool settled;
    if (!(e - 1 < kNearParabolicE && M < kNearPerihelionM)) {
        double start;
        if (e - 1 < kCubicStartE) {
            // (e - 1) F + e F^3 / 6 = M, the equation to third order in F,
            // solved in closed form: F = Y - p / (3Y),
            // Y^3 = q/2 + sqrt(q^2/4 + p^3/27).
            const double p = 6 * (e - 1) / e, q = 6 * M / e;
            const double Y = StartCbrt(q / 2 + std::sqrt(q * q / 4 + p * p * p / 27));
            const double F = Y - p / (3 * Y);
            start = std::min(2 * M / e + 1.8, 1 + F * (1 + F * (0.5 + F / 6)));
        } else {
            start = 2 * M / e + 1.8;  // Danby's start, ln(2M/e + 1.8) for F
        }
        bool agrees;
        const double g = HyperbolicFromStart(M, e, rootE2m1, a, start, agrees);
        if (agrees) return g;
    }
    const double g = HyperbolicNewton<true>(M, e, lastStep, prevStep, lnG, settled);
    const double Xg = HyperbolicSpreadXg(g, M, e, lastStep, lnG, true);
    const double gD = g * (e * (g * g + 1) - 2 * g);
    const bool clearOfTolerance = std::fabs(lastStep - kTolerance) * gD > 4 * Xg &&
                                  std::fabs(prevStep - kTolerance) * gD > 4 * Xg;
    if (settled && clearOfTolerance && HyperbolicAgrees(g, e, rootE2m1, a, Xg, lastStep)) return g;
    return HyperbolicNewton<false>(M, e, lastStep, prevStep, lnG, settled);
}

// From the fixed start 0.5 Newton only finds the root g > 1 for M > 0
// reliably; for M < 0 it can settle on a wrong negative g. The equation is
// odd in F, so solve for |M| and invert.
double SolveHyperbolic(double M_rad, double e, double rootE2m1, double a) {
    const double g = SolveHyperbolicPositive(std::fabs(M_rad), e, rootE2m1, a);
    return M_rad < 0 ? 1 / g : g;
}

// The true anomaly and radius from sin E and cos E of the solution: the
// half-angle tangent tan(E/2) = sin E / (1 + cos E) = (1 - cos E) / sin E
// needs no tangent of its own (the form without cancellation on each side of
// the orbit), and v = 2 atan(sqrt((1+e)/(1-e)) tan(E/2)) lies in -pi..pi for
// any E, also for an E left unreduced by Newton.
void SolveEllipse(double M_rad, double e, double a_au, bool bisect, double& v_rad, double& r_au) {
    double sinE, cosE;
    if (bisect) {
        SinCos(KeplerBisect(M_rad, e), &sinE, &cosE);
    } else {
        KeplerNewton(M_rad, e, sinE, cosE);
    }
    const double tanHalfE = cosE >= 0 ? sinE / (1 + cosE) : (1 - cosE) / sinE;
    v_rad = 2 * Atan(std::sqrt(1 + e) * tanHalfE / std::sqrt(1 - e));
    r_au = std::fabs(a_au * (1 - e * cosE));
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
        b->v_rad = 2 * Atan(s);
        b->r_au = q * (1 + s * s);
    } else if (e > 1) {
        const double a = q / std::fabs(1 - e);
        const double M = kGauss_rad_per_day / (a * std::sqrt(a)) * dt_day;
        const double rootE2m1 = std::sqrt(e * e - 1);
        const double g = SolveHyperbolic(M, e, rootE2m1, a);
        const double coshF = (g * g + 1) / (2 * g);
        const double sinhF = (g * g - 1) / (2 * g);
        b->v_rad = Atan2(rootE2m1 * sinhF, e - coshF);
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

}  // namespace orbsolve
