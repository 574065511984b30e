// Printed stars: plain black dots sized by magnitude (no spectral colour, no
// glyphs, no extinction), all dots of a table first and then their labels, so
// that no dot covers a label.
#include <algorithm>
#include <string>
#include <string_view>

#include "astro/TextFormat.h"
#include "astro/Atmosphere.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/StarLayers.h"

namespace chart {

namespace {

// The stored widths of the label fields, in characters.
constexpr std::size_t kNumberWidth = 2;
constexpr std::size_t kBayerWidth = 3;
constexpr double kLabelGap = 1;  // units between a dot and its label

std::size_t CodePoints(std::string_view s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

// Blank-padded on the right to `width` characters, as the fields are stored.
std::string PadRight(const std::string& s, std::size_t width) {
    std::string text = s;
    for (std::size_t n = CodePoints(s); n < width; ++n) text += ' ';
    return text;
}

// Number, Bayer letter and Flamsteed number as the fields join: the text
// before the Bayer letter only left-trimmed, the text before the Flamsteed
// number trimmed, so a one-digit number keeps its blank ("1 α", "12α").
std::string PrintedStarLabel(const skydata::BscStarRecord& star, const skydata::SettingsSnapshot& set) {
    std::string text;
    if (set.viewsn) text = std::string(1, ' ').append(PadRight(star.KorNumber, kNumberWidth));
    if (set.viewbayer) text = std::string(astro::TrimLeadingBlanks(text)) + PadRight(star.Bayer, kBayerWidth);
    if (set.viewflam) text = std::string(astro::TrimBlanks(text)) + star.Flamsteed;
    return std::string(astro::TrimBlanks(text));
}

// The page point of a catalogue star; false when it is below the horizon
// (and not drawn there) or off the page.
bool PlaceStar(const PrintContext& c, double x, double y, double z, const astro::Matrix3& m, bool below,
               PagePoint& p) {
    ToPrintChart(c, x, y, z, m);
    if (z < 0 && !below) return false;
    p = ToPage(c.page, x, y, z);
    return IsOnPage(c.page, p);
}

double DotRadius(float limit, float mag) { return (static_cast<double>(limit) + 1 - static_cast<double>(mag)) / 5; }

// Both passes over one catalogue: starAt(zone, i) gives a star's direction
// and magnitude, `dotted(zone, i)` says which stars get a dot, `label(zone, i)`
// the text of a star that may carry one ("" for none).
template <typename Zones, typename StarAt, typename Dotted, typename Label>
void PrintStarTable(platform::Surface& page, const PrintContext& c, const Zones& zones,
                    const std::array<std::int32_t, skydata::kStarZoneCount>& lastIndex, const astro::Matrix3& m,
                    bool below, StarAt starAt, Dotted dotted, Label label) {
    const float limit = c.page.PrintLimitMag;
    const auto each = [&](auto visit) {
        for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
            const std::int32_t last =
                std::min<std::int32_t>(lastIndex[zone], static_cast<std::int32_t>(zones[zone].size()) - 1);
            for (std::int32_t i = 0; i <= last; ++i) {
                const auto& star = starAt(zone, i);
                if (!(star.Mag <= limit) || !dotted(zone, i)) continue;
                visit(zone, i, star);
            }
        }
    };

    page.SetFillStyle(platform::Fill::Solid);
    const double h = page.TextHeight("0") / 2;
    each([&](int, std::int32_t, const auto& star) {
        PagePoint p;
        if (PlaceStar(c, star.x, star.y, star.z, m, below, p)) page.Circle(p.X, p.Y, DotRadius(limit, star.Mag));
    });

    page.SetFillStyle(platform::Fill::Transparent);
    each([&](int zone, std::int32_t i, const auto& star) {
        const std::string text = label(zone, i);
        if (text.empty()) return;
        PagePoint p;
        if (!PlaceStar(c, star.x, star.y, star.z, m, below, p)) return;
        page.SetCurrentX(p.X + DotRadius(limit, star.Mag) + kLabelGap);
        page.SetCurrentY(p.Y - h);
        page.Print(text);
    });
}

}  // namespace

bool PrintRefracts(const PrintContext& c) { return c.page.PrintRefractionOn == 1 && c.settings.Refraction; }

void ToPrintChart(const PrintContext& c, double& x, double& y, double& z, const astro::Matrix3& m) {
    astro::RotateVector(x, y, z, m);
    if (PrintRefracts(c)) astro::ApplyRefraction(x, y, z);
}

void PrintBrightStars(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    if (!c.sources.catalogs) return;
    const skydata::CatalogState& cat = *c.sources.catalogs;
    const skydata::SettingsSnapshot& set = c.settings;
    const bool allStars = set.viewconstar != 0;
    const float labelLimit = set.viewbayerlimit;
    PrintStarTable(
        page, c, cat.BscStar, cat.BscZoneLastIndex, m, below,
        [&cat](int zone, std::int32_t i) -> const skydata::BscStarRecord& { return cat.BscStar[zone][i]; },
        [&cat, allStars](int zone, std::int32_t i) { return allStars || !cat.BscStar[zone][i].KorConst.empty(); },
        [&cat, &set, labelLimit](int zone, std::int32_t i) {
            const skydata::BscStarRecord& s = cat.BscStar[zone][i];
            return s.Mag <= labelLimit ? PrintedStarLabel(s, set) : std::string();
        });
}

void PrintExtraStars(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    if (!c.sources.catalogs) return;
    const skydata::CatalogState& cat = *c.sources.catalogs;
    const int style = c.settings.S2kName;
    const float labelLimit = c.settings.ViewS2kLimit;
    PrintStarTable(
        page, c, cat.S2kStar, cat.S2kZoneLastIndex, m, below,
        [&cat](int zone, std::int32_t i) -> const skydata::S2kStarHot& {
            return cat.S2kStar[zone].Hot()[static_cast<std::size_t>(i)];
        },
        [](int, std::int32_t) { return true; },
        [&cat, style, labelLimit](int zone, std::int32_t i) {
            const skydata::S2kZone& stars = cat.S2kStar[zone];
            if (!(stars.Hot()[static_cast<std::size_t>(i)].Mag <= labelLimit) || style >= 3) return std::string();
            return std::string(astro::TrimBlanks(ExtraStarLabel(stars, static_cast<std::size_t>(i), style)));
        });
}

}  // namespace chart
