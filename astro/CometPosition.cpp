#include "astro/CometPosition.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/Topocentric.h"
#include "orbsolve/OrbsolveLoader.h"

namespace astro {
namespace {

constexpr double kMinTailLengthKm = 100000.0;
constexpr double kMinComaDiameterKm = 1000.0;

// Apparent diameter in arcseconds of a length seen across a distance: twice
// the angle of half the length, as AtnD(L / (2 * distance)) * 7200.
constexpr double kTwoAuKm = 2.0 * kAuKm;

}  // namespace

SmallBodyMoment MakeSmallBodyMoment(double jd_local, const SiteContext& site) {
    SmallBodyMoment m;
    m.jd_local = jd_local;
    m.jde = JDToJDE(jd_local - site.zone_h / 24.0, site.delta_t);
    m.year = JDToYear(m.jde);
    const Vec3Au earth = EarthHeliocentric(m.jde);
    const double eps = MeanObliquity(m.jde) * kDegToRad;
    const double cos_e = std::cos(eps), sin_e = std::sin(eps);
    m.earth_x_au = earth.x;
    m.earth_y_au = cos_e * earth.y - sin_e * earth.z;
    m.earth_z_au = sin_e * earth.y + cos_e * earth.z;
    m.earth_sun_au = std::sqrt(earth.x * earth.x + earth.y * earth.y + earth.z * earth.z);
    m.lst_h = CalcLST(jd_local, site.lon_deg, site.zone_h);
    m.psystem = site.geocentric;
    m.lat_deg = site.lat_deg;
    return m;
}

double CometTailLength(double H, double r_au) {
    double length_km = std::pow(10.0, 18.5 / (r_au + 4.1) - 0.85) * 5.5 * std::exp(-0.27 * H) * 10000.0;
    if (!(length_km > kMinTailLengthKm)) length_km = kMinTailLengthKm;
    return length_km / kAuKm;
}

double CometComaSize(double H, double r_au) {
    const double diameter_km = 540000.0 * std::exp(-0.11 * H - 0.75 * r_au);
    return diameter_km < kMinComaDiameterKm ? kMinComaDiameterKm : diameter_km;
}

namespace {

void PlaceComet(const SmallBodyMoment& m, const CometElements& c, const OrbitFrame& frame, BodyPosition& p) {
    const OrbitAnglesForYear& angles = frame.angles;
    KeplerCometBlock block{};
    block.T_jd = c.T_jd;
    block.q_au = c.q_au;
    block.e = c.e;
    block.omega_deg = angles.Peri_deg;
    block.node_deg = angles.Node_deg;
    block.incl_deg = angles.Incl_deg;
    block.t_jd = m.jde;
    orbsolve::CallKeplerComet(block);
    const double r = block.r_au;

    const OrbitOrientation& o = frame.orientation;
    const double u = angles.rad.Peri_rad + block.v_rad;
    const double cos_u = std::cos(u), sin_u = std::sin(u);
    const double ux = o.Fx * cos_u + o.Px * sin_u;
    const double uy = o.Fy * cos_u + o.Py * sin_u;
    const double uz = o.Fz * cos_u + o.Pz * sin_u;

    const double tail_au = CometTailLength(c.H, r);
    const double dx = r * ux - m.earth_x_au, dy = r * uy - m.earth_y_au, dz = r * uz - m.earth_z_au;
    const double rt = r + tail_au;
    const double tx = rt * ux - m.earth_x_au, ty = rt * uy - m.earth_y_au, tz = rt * uz - m.earth_z_au;

    BodyPosition q;
    q.Name = std::move(p.Name);
    q.R = r;
    q.Delta = std::sqrt(dx * dx + dy * dy + dz * dz);
    q.RA = Norm360(Atan2D(dy, dx));
    q.Dec = ArcSinD(dz / q.Delta);
    const double R0 = m.earth_sun_au;
    q.Elongation = ArcCosD((R0 * R0 - r * r + q.Delta * q.Delta) / (2.0 * q.Delta * R0));

    const double tail_dist = std::sqrt(tx * tx + ty * ty + tz * tz);
    q.TailRA = Norm360(Atan2D(ty, tx));
    q.TailDec = ArcSinD(tz / tail_dist);
    q.ComaSize = AtnD(CometComaSize(c.H, r) / (q.Delta * kTwoAuKm)) * 7200.0;
    q.Mag = MagnitudeField(c.H + 5.0 * Log10(q.Delta) + c.K * Log10(r));
    q.TopoRA = q.RA;
    q.TopoDec = q.Dec;
    if (!m.psystem) {
        TopocentricCorrectAt(m.lat_deg, m.lst_h, q.TailRA, q.TailDec, tail_dist);
        TopocentricCorrectAt(m.lat_deg, m.lst_h, q.TopoRA, q.TopoDec, q.Delta);
    }

    q.Valid = r > 0 && q.Delta > 0 && tail_dist > 0 && std::isfinite(q.R) && std::isfinite(q.Delta) &&
              std::isfinite(q.RA) && std::isfinite(q.Dec) && std::isfinite(q.Elongation) &&
              std::isfinite(q.TailRA) && std::isfinite(q.TailDec) && std::isfinite(q.ComaSize) &&
              std::isfinite(q.Mag) && std::isfinite(q.TopoRA) && std::isfinite(q.TopoDec);
    if (!q.Valid) InvalidateBodyPosition(q);
    p = std::move(q);
}

}  // namespace

void ComputeCometPosition(const SmallBodyMoment& m, const CometElements& c, BodyPosition& p) {
    OrbitFrame frame;
    PlaceComet(m, c, UpdateOrbitFrame(frame, m.year, c), p);
}

void ComputeCometPosition(double jd_local, const SiteContext& site, const CometElements& element,
                          BodyPosition& position) {
    ComputeCometPosition(MakeSmallBodyMoment(jd_local, site), element, position);
}

void ComputeCometPosition(double jd_local, const CometElements& element, BodyPosition& position) {
    ComputeCometPosition(jd_local, CurrentSite(), element, position);
}

void ComputeAllComets(const SmallBodyMoment& moment, const std::vector<CometElements>& elements,
                      std::vector<BodyPosition>& positions, std::vector<OrbitFrame>& frames) {
    PlaceEveryBody(elements, positions, frames, [&](const CometElements& c, OrbitFrame& frame, BodyPosition& p) {
        PlaceComet(moment, c, UpdateOrbitFrame(frame, moment.year, c), p);
    });
}

void ComputeAllComets(double jd_local) {
    SmallBodyState& state = SmallBodies();
    if (state.CometElementList.empty()) {
        state.CometPositions.clear();
        state.CometFrames.clear();
        return;
    }
    const SmallBodyMoment moment = MakeSmallBodyMoment(jd_local, CurrentSite());
    const std::uint64_t elements = ElementsFingerprint(state.CometElementList);
    if (state.CometMoment == moment && state.CometsComputedFrom == elements &&
        state.CometPositions.size() == state.CometElementList.size()) {
        return;
    }
    state.CometMoment.reset();
    ComputeAllComets(moment, state.CometElementList, state.CometPositions, state.CometFrames);
    state.CometMoment = moment;
    state.CometsComputedFrom = elements;
}

}  // namespace astro
