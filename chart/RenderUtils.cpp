#include "chart/RenderUtils.h"

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/Coordinates.h"
#include "chart/ChartState.h"
#include "skydata/Settings.h"

namespace chart {

namespace {

// Nearest whole number, halves to even.
double RoundEven(double v) { return std::nearbyint(v); }

std::int32_t ClampChannel(double v) {
    const double r = RoundEven(v);
    if (!(r >= 0)) return 0;  // also NaN
    if (r > 255) return 255;
    return static_cast<std::int32_t>(r);
}

}  // namespace

double FloorToStep(double value, double step) {
    if (step == 0) return value;
    return step * std::floor(value / step);
}

double GridStep(double fov_deg) {
    if (fov_deg >= 90) return 30;
    if (fov_deg >= 45) return 15;
    if (fov_deg >= 30) return 10;
    if (fov_deg >= 15) return 5;
    if (fov_deg >= 5) return 3;
    if (fov_deg >= 3) return 2;
    if (fov_deg >= 2) return 1;
    return 0.5;
}

void RotatePoint(double angle_deg, double x, double y, double cx, double cy, double& x_out, double& y_out) {
    const double c = astro::CosD(angle_deg), s = astro::SinD(angle_deg);
    const double dx = x - cx, dy = y - cy;
    x_out = cx + c * dx + s * dy;
    y_out = cy - s * dx + c * dy;
}

void SetMapFont(platform::Surface& surface, int size_pt, const std::string& name, bool bold, bool italic) {
    surface.SetFontName(name);
    surface.SetFontBold(bold);
    surface.SetFontSize(size_pt);
    surface.SetFontItalic(italic);
}

bool PoleOnScreen(const Projector& proj, std::int32_t w, std::int32_t h, int kind, const astro::Matrix3& frame) {
    double x = 0, y = 0, z = kind == 2 ? -1000.0 : 1000.0;
    astro::RotateVector(x, y, z, frame);
    astro::RotateVector(x, y, z, proj.ChartToView);
    if (x < 0) return false;
    astro::StereographicScale(x, y, z);
    const std::int32_t X = RoundPixel(-y / proj.MapScale + proj.PixCenterX);
    const std::int32_t Y = RoundPixel(-z / proj.MapScale + proj.PixCenterY);
    return IsOnScreen(X, Y, w, h);
}

GridRange GridLimits(const Projector& proj, std::int32_t h, std::int32_t w, const std::array<SkyPoint, 8>& border,
                     double centerLon_deg, const astro::Matrix3& frame) {
    const bool north = PoleOnScreen(proj, w, h, 1, frame);
    const bool south = PoleOnScreen(proj, w, h, 2, frame);
    GridRange r;
    r.latMax = border[0].lat_deg;
    r.latMin = border[0].lat_deg;
    for (const SkyPoint& p : border) {
        r.latMax = std::max(r.latMax, p.lat_deg);
        r.latMin = std::min(r.latMin, p.lat_deg);
    }
    if (north) r.latMax = 90;
    if (south) r.latMin = -90;
    if (r.latMin <= -90) r.latMin = -90;
    if (r.latMax >= 90) r.latMax = 90;
    if (!north && !south) {
        double g = 0;
        for (const SkyPoint& p : border) g = std::max(g, astro::AngleDistance(p.lon_deg, centerLon_deg));
        r.lonMin = centerLon_deg - g;
        r.lonMax = centerLon_deg + g;
    } else {
        r.lonMin = 0;
        r.lonMax = 360;
    }
    return r;
}

GridRange VisibleRange(const Projector& proj, const std::array<SkyPoint, 8>& border, double step,
                       double centerLon_deg, const astro::Matrix3& frame) {
    GridRange r = GridLimits(proj, proj.height, proj.width, border, centerLon_deg, frame);
    r.latMin = FloorToStep(r.latMin, step);
    if (r.latMin <= -90) r.latMin = step - 90;
    r.latMax = FloorToStep(r.latMax + step, step);
    if (r.latMax >= 90) r.latMax = 90 - step;
    r.latMax += 0.01;
    r.lonMin = FloorToStep(r.lonMin, step);
    r.lonMax = FloorToStep(r.lonMax + step, step) + 0.01;
    return r;
}

void DrawLongLine(platform::Surface& surface, const Projector& proj, double lon1_deg, double lat1_deg,
                  double lon2_deg, double lat2_deg, platform::Colour colour, const astro::Matrix3& frame,
                  bool drawBelow, std::int32_t w, std::int32_t h) {
    // A is the end with the smaller longitude; on a tie the second end.
    double lonA = lon2_deg, latA = lat2_deg, lonB = lon1_deg, latB = lat1_deg;
    if (lon1_deg < lon2_deg) {
        lonA = lon1_deg;
        latA = lat1_deg;
        lonB = lon2_deg;
        latB = lat2_deg;
    }
    const double dLat = latB - latA;
    double dLon = lonB - lonA;
    if (std::fabs(dLon) >= 180) dLon = (lonB - 360) - lonA;
    const double pieces = std::max(RoundEven(std::fabs(dLat / 3)), RoundEven(std::fabs(dLon / 3)));
    const long n = pieces >= 1 ? static_cast<long>(std::min(pieces, static_cast<double>(kMaxSkyPathPieces))) : 1;
    double x1, y1, z1;
    astro::SphericalToCartesian(lonA, latA, x1, y1, z1);
    proj.ToChart(x1, y1, z1, frame);
    for (long k = 0; k < n; ++k) {
        double x2, y2, z2;
        astro::SphericalToCartesian(lonA + (k + 1) * dLon / n, latA + (k + 1) * dLat / n, x2, y2, z2);
        proj.ToChart(x2, y2, z2, frame);
        if (drawBelow || (z1 > -1 && z2 > -1)) {
            const Pixel p1 = proj.ToPixel(x1, y1, z1);
            const Pixel p2 = proj.ToPixel(x2, y2, z2);
            if (EitherOnScreen(p1.X, p1.Y, p2.X, p2.Y, w, h)) surface.Line(p1.X, p1.Y, p2.X, p2.Y, colour);
        }
        x1 = x2;
        y1 = y2;
        z1 = z2;
    }
}

SkyWindow::SkyWindow(const Projector& proj, const astro::Matrix3& frame, std::int32_t w, std::int32_t h) {
    if (!(proj.MapScale > 0) || !std::isfinite(proj.MapScale)) return;
    // The cap's centre: the view axis taken back through the (orthogonal)
    // view and frame matrices; anything else is drawn unskipped.
    const astro::Matrix3& v = proj.ChartToView;
    double c[3], b[3];
    for (int i = 0; i < 3; ++i) c[i] = v[0][i];
    for (int i = 0; i < 3; ++i) b[i] = frame[0][i] * c[0] + frame[1][i] * c[1] + frame[2][i] * c[2];
    for (const astro::Matrix3* m : {&v, &frame}) {
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                const double dot = (*m)[i][0] * (*m)[j][0] + (*m)[i][1] * (*m)[j][1] + (*m)[i][2] * (*m)[j][2];
                if (!(std::fabs(dot - (i == j ? 1.0 : 0.0)) < 1e-9)) return;
            }
        }
    }
    const double length = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
    if (!(length > 0.5)) return;
    lat_deg_ = std::asin(std::clamp(b[2] / length, -1.0, 1.0)) * astro::kRadToDeg;
    lon_deg_ = std::atan2(b[1], b[0]) * astro::kRadToDeg;
    // Pixels are on the screen within half the diagonal of the centre pixel,
    // two more for rounding; the plane radius 2000 tan(t/2) gives the angle.
    const double reach_px = std::hypot(std::max<double>(proj.PixCenterX, w - proj.PixCenterX) + 2.0,
                                       std::max<double>(proj.PixCenterY, h - proj.PixCenterY) + 2.0);
    double radius = 2.0 * std::atan(reach_px * proj.MapScale / (2.0 * astro::kVectorLength)) * astro::kRadToDeg;
    if (proj.Refracts()) radius += astro::LargestRefraction(astro::Atmosphere().RefractionTable);
    radius += 1e-4;
    if (!(radius < 150)) return;
    radius_deg_ = radius;
    for (int i = 0; i < 3; ++i) axis_[i] = b[i] / length;
    // The vector test needs a cap smaller than a hemisphere.
    cos_squared_ = radius < 89 ? std::pow(std::cos(radius * astro::kDegToRad), 2) : 0;
    if (!(radius < 89)) axis_[0] = axis_[1] = axis_[2] = 0;
    if (std::fabs(lat_deg_) + radius < 89) {
        lon_reach_deg_ = std::asin(std::sin(radius * astro::kDegToRad) / std::cos(lat_deg_ * astro::kDegToRad)) *
                             astro::kRadToDeg + 1e-4;
    }
    everywhere_ = false;
}

bool SkyWindow::MayShow(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg) const {
    if (everywhere_) return true;
    // Off the sphere's ranges the path is not what the tests below assume.
    if (!(std::fabs(lat1_deg) <= 90 && std::fabs(lat2_deg) <= 90 && std::isfinite(lon1_deg) &&
          std::isfinite(lon2_deg)))
        return true;
    // Every point of the path lies between the two latitudes, and no point
    // of the cap is farther from its centre's latitude than the radius.
    if (std::min(lat1_deg, lat2_deg) > lat_deg_ + radius_deg_) return false;
    if (std::max(lat1_deg, lat2_deg) < lat_deg_ - radius_deg_) return false;
    if (lon_reach_deg_ >= 180) return true;
    // The path's longitudes, from the end DrawLongLine starts at the short
    // way across 0.
    const double lonA = std::min(lon1_deg, lon2_deg), lonB = std::max(lon1_deg, lon2_deg);
    double dLon = lonB - lonA;
    if (std::fabs(dLon) >= 180) dLon = (lonB - 360) - lonA;
    if (!(std::fabs(dLon) < 180)) return true;
    const double middle = lonA + dLon / 2;
    const double off = std::remainder(middle - lon_deg_, 360.0);
    return std::fabs(off) <= std::fabs(dLon) / 2 + lon_reach_deg_;
}

void DrawLongLine(platform::Surface& surface, const Projector& proj, const SkyWindow& window, double lon1_deg,
                  double lat1_deg, double lon2_deg, double lat2_deg, platform::Colour colour,
                  const astro::Matrix3& frame, bool drawBelow, std::int32_t w, std::int32_t h) {
    if (!window.MayShow(lon1_deg, lat1_deg, lon2_deg, lat2_deg)) return;
    DrawLongLine(surface, proj, lon1_deg, lat1_deg, lon2_deg, lat2_deg, colour, frame, drawBelow, w, h);
}

void SplitRGB(platform::Colour colour, std::int32_t& r, std::int32_t& g, std::int32_t& b) {
    r = platform::RedOf(colour);
    g = platform::GreenOf(colour);
    b = platform::BlueOf(colour);
}

platform::Colour BlendColour(platform::Colour colourA, platform::Colour colourB, float xB, float xA, float x) {
    const double f = (static_cast<double>(x) - xA) / (static_cast<double>(xB) - xA);
    const auto channel = [f](int a, int b) { return ClampChannel((1 - f) * a + f * b); };
    return platform::Rgb(channel(platform::RedOf(colourA), platform::RedOf(colourB)),
                         channel(platform::GreenOf(colourA), platform::GreenOf(colourB)),
                         channel(platform::BlueOf(colourA), platform::BlueOf(colourB)));
}

platform::Colour SkyColour(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag,
                           const std::array<std::int32_t, 6>& twilight) {
    std::array<platform::Colour, 6> T;
    for (int i = 0; i < 6; ++i) T[i] = static_cast<platform::Colour>(twilight[i]) & 0xFFFFFF;
    const float h = static_cast<float>(sunAlt_deg);
    platform::Colour S;
    if (sunAlt_deg > 2) {
        S = T[5];
    } else if (sunAlt_deg > -0.8333) {
        S = BlendColour(T[4], T[5], 2, -0.8333f, h);
    } else if (sunAlt_deg > -6) {
        S = BlendColour(T[4], T[3], 6, 0.8333f, -h);
    } else if (sunAlt_deg > -12) {
        S = BlendColour(T[3], T[2], 12, 6, -h);
    } else if (sunAlt_deg > -15) {
        S = BlendColour(T[2], T[1], 15, 12, -h);
    } else if (sunAlt_deg > -18) {
        S = BlendColour(T[1], T[0], 18, 15, -h);
    } else {
        S = T[0];
    }
    if (moonMag < -10) moonMag = -10;
    if (!inMoonlight || !(moonAlt_deg > -0.57)) return S;
    platform::Colour M = 0;
    if (moonMag < -6) {
        M = BlendColour(T[0], T[2], 10, 6, -moonMag);
        if (moonAlt_deg >= -0.57 && moonAlt_deg <= 1) M = BlendColour(T[0], M, 1, -0.57f, static_cast<float>(moonAlt_deg));
    }
    const auto mean = [](platform::Colour c) {
        return (platform::RedOf(c) + platform::GreenOf(c) + platform::BlueOf(c)) / 3.0;
    };
    return mean(M) > mean(S) ? M : S;
}

platform::Colour StarColourByMag(std::int32_t r, std::int32_t g, std::int32_t b, float mag, double limitMag) {
    if (mag <= 3.5f) {
        const double e = std::fabs(limitMag) + 1;
        const double f = std::clamp((e - mag) / e, 0.0, 1.0);
        return platform::Rgb(static_cast<int>(RoundEven(f * r)), static_cast<int>(RoundEven(f * g)),
                             static_cast<int>(RoundEven(f * b)));
    }
    return StarGrey(mag);
}

platform::Colour StarGrey(float mag) {
    if (!(mag > 0)) return platform::Rgb(255, 255, 255);
    const double m = mag;
    const int grey = static_cast<int>(RoundEven(255.0 / (0.02 * m * m * m + 1)));
    return platform::Rgb(grey, grey, grey);
}

platform::Colour MixStarColour(platform::Colour colour, float mag, double limitMag) {
    std::int32_t r, g, b;
    SplitRGB(colour, r, g, b);
    return StarColourByMag(r, g, b, mag, limitMag);
}

float AutoLimitMag(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag, double fov_deg,
                   bool liveSky) {
    const double h = sunAlt_deg;
    float s = static_cast<float>(-0.0146 * h * h - 0.6173 * h + 0.0905);
    if (h > 50) s = -3.5f;
    if (h < -18) s = 6.5f;
    s = std::clamp(s, -3.0f, 6.5f);
    if (inMoonlight && moonAlt_deg > -0.57 && moonMag < -6) {
        const double M = moonMag;
        double m = std::clamp(-0.0462 * M * M - 0.5113 * M + 5.1165, 4.3, 6.5);
        if (moonAlt_deg > -0.57 && moonAlt_deg < 1) {
            const double u = moonAlt_deg + 0.57;
            m = (1 - u / 1.57) * s + u * m / 1.57;
        }
        if (s > m) s = static_cast<float>(m);
    }
    const double p = std::max(std::pow(fov_deg, 0.212), 1.37582);
    const double L0 = 15.134 / p;
    float result = s;
    if (fov_deg < 40) {
        const double r = 11 - (11 - L0) * (11 - s) / 4.076639;
        result = static_cast<float>(RoundEven(r * 10) / 10);
    }
    if (!liveSky && s < 3) result = 3;
    return result;
}

float AutoLimitMag(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag) {
    return AutoLimitMag(sunAlt_deg, moonAlt_deg, inMoonlight, moonMag, Chart().LastDrawFOV,
                        skydata::CurrentSettings().liveskycolor);
}

void FillPlanetNames(int style, double venusRA_deg, double sunRA_deg, std::array<std::string, 10>& names,
                     const astro::PlanetTableT& table) {
    names[6] = "천왕성";
    names[7] = "해왕성";
    names[9] = "명왕성";
    double x = venusRA_deg - sunRA_deg;
    x = astro::Norm360(x);
    if (x > 180) x -= 360;
    const bool evening = x >= 0;
    switch (style) {
        case 0:
            names.fill("");
            break;
        case 1:
            for (int i = 0; i < 10; ++i) names[i] = table[i].Name;
            break;
        case 2:
            names = {"해", "진성", evening ? "개밥바라기" : "샛별", "형혹성", "세성", "전성", "천왕성", "해왕성", "달", "명왕성"};
            break;
        case 3:
            names = {"태양", "진성", evening ? "태백성" : "계명성", "형혹성", "세성", "전성", "천왕성", "해왕성", "태음", "명왕성"};
            break;
        case 4:
            names = {"太陽", "辰星", evening ? "太白星" : "啓明星", "熒惑星", "歲星", "塡星", "天王星", "海王星", "太陰", "冥王星"};
            break;
        default:
            break;
    }
}

}  // namespace chart
