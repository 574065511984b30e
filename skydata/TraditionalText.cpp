#include "skydata/TraditionalText.h"

#include <cmath>
#include <string_view>

#include "astro/AngleMath.h"
#include "astro/TextFormat.h"
#include "skydata/Constellations.h"

namespace skydata {

namespace {

constexpr double kPartsPerCircleOfPolarDistance = 365.25;
constexpr double kPartsPerCircleOfMansions = 365.0;
constexpr int kFirstMansionDistrict = 3;

// Branch index 0..11 of the palace holding an ecliptic longitude.
int PalaceIndex(double lon_deg) {
    const int slot = static_cast<int>(std::floor(astro::Norm360(lon_deg + 30.0) / 30.0));
    return 11 - (slot < 0 ? 0 : (slot > 11 ? 11 : slot));
}

double OffsetInPalace(double lon_deg) { return lon_deg - std::floor(lon_deg / 30.0) * 30.0; }

}  // namespace

double NorthPolarDistance(double dec_deg, bool inDegrees) {
    return (90.0 - dec_deg) * (inDegrees ? 1.0 : kPartsPerCircleOfPolarDistance / 360.0);
}

std::string MansionPositionText(double ra_deg, bool inDegrees,
                                const std::array<double, kMansionCount>& mansionStarRA_deg) {
    const double f = inDegrees ? 1.0 : kPartsPerCircleOfMansions / 360.0;
    int best = 0;
    double bestOffset = astro::Norm360(ra_deg - mansionStarRA_deg[0]);
    for (int i = 1; i < kMansionCount; ++i) {
        const double d = astro::Norm360(ra_deg - mansionStarRA_deg[i]);
        if (d < bestOffset) {
            bestOffset = d;
            best = i;
        }
    }
    if (!std::isfinite(bestOffset)) return std::string();
    return std::string(SkyDistricts[kFirstMansionDistrict + best]) + " " +
           std::string(astro::TrimBlanks(astro::FormatDmsKorean(bestOffset * f, 0)));
}

std::string BranchPalaceText(double lon_deg) {
    if (!std::isfinite(lon_deg)) return std::string();
    const int i = PalaceIndex(lon_deg);
    return std::string(BranchNames[i]) + "(" + std::string(BranchHanja[i]) + ")궁" +
           astro::FormatDmsKorean(OffsetInPalace(lon_deg), 0);
}

std::string BranchPalaceLabel(double lon_deg) {
    if (!std::isfinite(lon_deg)) return std::string();
    const int i = PalaceIndex(lon_deg);
    const double offset = OffsetInPalace(lon_deg);
    std::string label(BranchNames[i]);
    if (offset != 0.0) {
        label += ' ';
        label += astro::FormatDmsSymbol(offset);
    }
    return label;
}

}  // namespace skydata
