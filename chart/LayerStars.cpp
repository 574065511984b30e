// Stars of the two catalogues. The loop over a zone does no allocation and
// no text work for unlabelled stars; labels are made only for the few stars
// bright enough to carry one. The extended catalogue is walked only as far
// as the limiting magnitude.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "astro/TextFormat.h"
#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/Coordinates.h"
#include "chart/LabelLayers.h"
#include "chart/RenderUtils.h"
#include "chart/StarLayers.h"
#include "skydata/Stars.h"
#include "chart/Layers.h"

namespace chart {

namespace {

constexpr float kFaintestShownMag = 11.0f;

// Bright-star label: constellation number, Bayer letter, Flamsteed number.
std::string BrightStarLabel(const skydata::BscStarRecord& star, const skydata::SettingsSnapshot& set) {
    std::string text;
    if (set.viewsn) text = star.KorNumber + " ";
    if (set.viewbayer) text = std::string(astro::TrimLeadingBlanks(text)) + star.Bayer;
    if (set.viewflam) text = std::string(astro::TrimBlanks(text)) + star.Flamsteed;
    return text;
}

// One catalogue's stars of the flagged zones. Bright stars and extended
// stars differ only in how a zone's stars at most as faint as the limit are
// visited (in file order, visit(zone, limit, draw) calls draw(index, star)),
// their labels and keys, given by the callers.
template <typename Visit, typename Label, typename Key>
void DrawStarZones(platform::Surface& surface, const DrawContext& c, const astro::Matrix3& m, bool below,
                   float labelLimit, Visit visit, Label label, Key key) {
    const skydata::SettingsSnapshot& set = c.settings;
    const Projector& proj = c.proj;
    surface.SetForeColor(ColourOf(c.styles.LayerStyle[8].Color));
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetDrawMode(!set.viewspt || set.spotstar ? platform::PenMode::Merge : platform::PenMode::Copy);
    const double halfText = std::nearbyint(surface.TextHeight("0") * 0.5);
    const float limit = static_cast<float>(c.limit_mag);
    const double sizeFactor = set.sf;
    std::array<platform::Colour, 8> spectral;
    for (int i = 0; i < skydata::kSpectralColorCount; ++i) spectral[i] = ColourOf(c.styles.SpectralColors[i]);
    spectral[7] = kWhite;
    // A visible zone reaches beyond the screen: its stars outside the sky
    // the screen can show are passed over before they are placed.
    const SkyWindow window(proj, m, c.width, c.height);

    for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
        if (!c.state.ZoneVisible[zone]) continue;
        visit(zone, limit, [&](std::int32_t i, const auto& star) {
            if (!window.MayShow(star.x, star.y, star.z)) return;
            Pixel p;
            double chartZ;
            if (!proj.Place(star.x, star.y, star.z, m, below, p, &chartZ)) return;
            if (!proj.OnSurface(p)) return;

            float mag = star.Mag;
            if (c.air_ex) {
                mag = star.Mag + astro::ExtinctionAt(astro::ArcSinD(chartZ / 1000.0));
                if (mag > kFaintestShownMag) mag = kFaintestShownMag;
            }
            platform::Colour colour;
            if (!set.viewspt) {
                colour = StarGrey(mag);
            } else {
                colour = spectral[std::min<int>(star.SpClass, 7)];
                if (set.spotstar) colour = MixStarColour(colour, mag, c.limit_mag);
            }
            std::int32_t r = 0;
            if (set.spotstar) {
                DrawStarGlyph(surface, p.X, p.Y, colour, static_cast<std::int32_t>(std::nearbyint(mag)));
            } else {
                r = static_cast<std::int32_t>(std::floor((c.limit_mag + 1 - mag) * sizeFactor));
                if (r < 1) r = 1;
                surface.SetFillColor(colour);
                surface.Circle(p.X, p.Y, r, colour);
            }
            if (mag <= labelLimit) {
                const std::string text = label(zone, i, star);
                if (!astro::TrimBlanks(text).empty()) {
                    surface.SetCurrentX(p.X + r + 2);
                    surface.SetCurrentY(p.Y - halfText);
                    surface.Print(text);
                }
            }
            c.Add(p.X, p.Y, key(zone, i));
        });
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

}  // namespace

std::string ExtraStarLabel(const skydata::S2kZone& stars, std::size_t i, int style) {
    switch (style) {
        case 0: return std::string(stars.Id(i));
        case 1: return "HD" + std::string(stars.HD(i));
        case 2: return "SAO" + std::string(stars.SAO(i));
        default: return {};
    }
}

void MarkVisibleZones(const DrawContext& context, double centreLon_deg, double centreLat_deg) {
    auto& flags = context.state.ZoneVisible;
    flags.fill(false);
    const Projector& proj = context.proj;
    const bool horizontal = IsHorizontalView(context.view.coord_sys);
    for (int col = 0; col < 16; ++col) {
        for (int row = 0; row < 16; ++row) {
            const double x = col * proj.PixCenterX / 7.5;
            const double y = row * proj.PixCenterY / 7.5;
            double lon, lat;
            proj.ScreenToSky(x, y, centreLon_deg, centreLat_deg, lon, lat, false);
            double ra = lon, dec = lat;
            if (horizontal) {
                astro::HorizontalToEquatorial(lon, lat, context.view.lst_h, context.view.lat_deg, ra, dec);
            }
            if (context.settings.calcprecession) {
                astro::PrecessByMatrix(context.view.jd_local, astro::kJ2000, ra, dec, ra, dec);
            }
            flags[skydata::StarZoneOf(ra, dec)] = true;
        }
    }
}

void DrawStars(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& catalogToChart,
               bool drawBelowHorizon) {
    if (!context.sources.catalogs) return;
    const skydata::CatalogState& cat = *context.sources.catalogs;
    const skydata::SettingsSnapshot& set = context.settings;
    const bool allStars = set.viewconstar != 0;
    DrawStarZones(
        surface, context, catalogToChart, drawBelowHorizon, set.viewbayerlimit,
        [&cat, allStars](int zone, float limit, const auto& draw) {
            const std::vector<skydata::BscStarRecord>& stars = cat.BscStar[zone];
            const std::int32_t last =
                std::min<std::int32_t>(cat.BscZoneLastIndex[zone], static_cast<std::int32_t>(stars.size()) - 1);
            for (std::int32_t i = 0; i <= last; ++i) {
                const skydata::BscStarRecord& star = stars[i];
                if (!(star.Mag <= limit) || !(allStars || !star.KorConst.empty())) continue;
                draw(i, star);
            }
        },
        [&cat, &set](int zone, std::int32_t i, const skydata::BscStarRecord&) {
            return BrightStarLabel(cat.BscStar[zone][i], set);
        },
        [](int zone, std::int32_t i) { return BrightStarKey(zone, i); });
}

void DrawExtraStars(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& catalogToChart,
                    bool drawBelowHorizon) {
    if (!context.sources.catalogs) return;
    const skydata::CatalogState& cat = *context.sources.catalogs;
    const int style = context.settings.S2kName;
    // A zone lists its stars brightest first: those within the limit are a
    // leading run of that list, drawn again in file order (the order of the
    // keys and of overlapping discs). One buffer serves every zone.
    std::vector<std::int32_t> shown;
    DrawStarZones(
        surface, context, catalogToChart, drawBelowHorizon, context.settings.ViewS2kLimit,
        [&cat, &shown](int zone, float limit, const auto& draw) {
            const skydata::S2kZone& stars = cat.S2kStar[zone];
            const std::vector<skydata::S2kStarHot>& hot = stars.Hot();
            const std::int32_t last =
                std::min<std::int32_t>(cat.S2kZoneLastIndex[zone], static_cast<std::int32_t>(stars.size()) - 1);
            const std::size_t count = stars.CountUpTo(limit);
            if (count == stars.size()) {
                for (std::int32_t i = 0; i <= last; ++i) draw(i, hot[static_cast<std::size_t>(i)]);
                return;
            }
            shown.assign(stars.ByMagnitude().begin(), stars.ByMagnitude().begin() + static_cast<std::ptrdiff_t>(count));
            std::sort(shown.begin(), shown.end());
            for (const std::int32_t i : shown) {
                if (i > last) break;
                draw(i, hot[static_cast<std::size_t>(i)]);
            }
        },
        [&cat, style](int zone, std::int32_t i, const skydata::S2kStarHot&) {
            return ExtraStarLabel(cat.S2kStar[zone], static_cast<std::size_t>(i), style);
        },
        [](int zone, std::int32_t i) { return ExtraStarKey(zone, i); });
}

}  // namespace chart

namespace chart {

void LayerStars(platform::Surface& surface, DrawContext& context) {
    MarkVisibleZones(context, context.view.center_lon_deg, context.view.center_lat_deg);
    DrawStars(surface, context, context.frames.CatalogToChart, context.below);
    if (context.settings.viewconstar == 1) DrawExtraStars(surface, context, context.frames.CatalogToChart, context.below);
}

}  // namespace chart
