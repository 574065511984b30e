#include "astro/AsteroidPosition.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Topocentric.h"
#include "orbsolve/OrbsolveLoader.h"

namespace astro {

double AsteroidMagnitude(double H, double G, double r_au, double delta_au, double earth_sun_au) {
    const double beta = radians::ArcCos((delta_au * delta_au + r_au * r_au - earth_sun_au * earth_sun_au) /
                                        (2.0 * r_au * delta_au));
    // t^k as exp(k ln t): at t = 0 the logarithm is -infinity and phi is 1.
    const double ln_t = std::log(std::tan(beta / 2.0));
    const double phi1 = std::exp(-3.33 * std::exp(0.63 * ln_t));
    const double phi2 = std::exp(-1.87 * std::exp(1.22 * ln_t));
    return H + 5.0 * Log10(r_au * delta_au) - 2.5 * Log10((1.0 - G) * phi1 + G * phi2);
}

namespace {

// The solver has no branch for open orbits, and a = 0 has no mean motion.
bool IsUsableOrbit(const AsteroidElements& a) { return a.e < 1.0 && a.a_au > 0.0; }

void PlaceAsteroid(const SmallBodyMoment& m, const AsteroidElements& a, const OrbitFrame& frame, BodyPosition& p) {
    BodyPosition q;
    q.Name = std::move(p.Name);
    const OrbitAnglesForYear& angles = frame.angles;
    KeplerAsteroidBlock block{};
    block.M0_deg = a.M0_deg;
    block.omega_deg = angles.Peri_deg;
    block.node_deg = angles.Node_deg;
    block.incl_deg = angles.Incl_deg;
    block.e = a.e;
    block.a_au = a.a_au;
    block.epoch_jd = a.Epoch_jd;
    block.t_jd = m.jde;
    const int32_t status = orbsolve::CallKeplerAsteroid(block);
    const double r = block.r_au;

    const OrbitOrientation& o = frame.orientation;
    const double u = angles.rad.Peri_rad + block.v_rad;
    const double cos_u = std::cos(u), sin_u = std::sin(u);
    const double dx = r * (o.Fx * cos_u + o.Px * sin_u) - m.earth_x_au;
    const double dy = r * (o.Fy * cos_u + o.Py * sin_u) - m.earth_y_au;
    const double dz = r * (o.Fz * cos_u + o.Pz * sin_u) - m.earth_z_au;

    const double R0 = m.earth_sun_au;
    q.R = r;
    q.Delta = std::sqrt(dx * dx + dy * dy + dz * dz);
    q.RA = Norm360(Atan2D(dy, dx));
    q.Dec = ArcSinD(dz / q.Delta);
    q.Elongation = ArcCosD((R0 * R0 - r * r + q.Delta * q.Delta) / (2.0 * q.Delta * R0));
    q.Mag = MagnitudeField(AsteroidMagnitude(a.H, a.G, r, q.Delta, R0));
    q.TopoRA = q.RA;
    q.TopoDec = q.Dec;
    if (!m.psystem) TopocentricCorrectAt(m.lat_deg, m.lst_h, q.TopoRA, q.TopoDec, q.Delta);

    q.Valid = status == 0 && r > 0 && q.Delta > 0 && std::isfinite(q.R) && std::isfinite(q.Delta) &&
              std::isfinite(q.RA) && std::isfinite(q.Dec) && std::isfinite(q.Elongation) &&
              std::isfinite(q.Mag) && std::isfinite(q.TopoRA) && std::isfinite(q.TopoDec);
    if (!q.Valid) InvalidateBodyPosition(q);
    p = std::move(q);
}

}  // namespace

void ComputeAsteroidPosition(const SmallBodyMoment& m, const AsteroidElements& a, BodyPosition& p) {
    if (!IsUsableOrbit(a)) return InvalidateBodyPosition(p);
    OrbitFrame frame;
    PlaceAsteroid(m, a, UpdateOrbitFrame(frame, m.year, a), p);
}

void ComputeAsteroidPosition(double jd_local, const SiteContext& site, const AsteroidElements& element,
                             BodyPosition& position) {
    ComputeAsteroidPosition(MakeSmallBodyMoment(jd_local, site), element, position);
}

void ComputeAsteroidPosition(double jd_local, const AsteroidElements& element, BodyPosition& position) {
    ComputeAsteroidPosition(jd_local, CurrentSite(), element, position);
}

void ComputeAllAsteroids(const SmallBodyMoment& moment, const std::vector<AsteroidElements>& elements,
                         std::vector<BodyPosition>& positions, std::vector<OrbitFrame>& frames) {
    PlaceEveryBody(elements, positions, frames,
                   [&](const AsteroidElements& a, OrbitFrame& frame, BodyPosition& p) {
                       if (!IsUsableOrbit(a)) return InvalidateBodyPosition(p);
                       PlaceAsteroid(moment, a, UpdateOrbitFrame(frame, moment.year, a), p);
                   });
}

void ComputeAllAsteroids(double jd_local) {
    SmallBodyState& state = SmallBodies();
    if (state.AsteroidElementList.empty()) {
        state.AsteroidPositions.clear();
        state.AsteroidFrames.clear();
        return;
    }
    const SmallBodyMoment moment = MakeSmallBodyMoment(jd_local, CurrentSite());
    const std::uint64_t elements = ElementsFingerprint(state.AsteroidElementList);
    if (state.AsteroidMoment == moment && state.AsteroidsComputedFrom == elements &&
        state.AsteroidPositions.size() == state.AsteroidElementList.size()) {
        return;
    }
    state.AsteroidMoment.reset();
    ComputeAllAsteroids(moment, state.AsteroidElementList, state.AsteroidPositions, state.AsteroidFrames);
    state.AsteroidMoment = moment;
    state.AsteroidsComputedFrom = elements;
}

}  // namespace astro
