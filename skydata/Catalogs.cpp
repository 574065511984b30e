#include "skydata/Catalogs.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "skydata/SkyMath.h"

namespace skydata {

namespace {
CatalogState g_catalogs;

// Texts are kept with a length byte; longer ones (never in the catalogue
// files, whose fields are at most 8 bytes) are cut.
constexpr std::size_t kLongestText = 255;
}  // namespace

CatalogState& Catalogs() { return g_catalogs; }

void ResetCatalogs() { g_catalogs = CatalogState(); }

S2kStarRef::S2kStarRef(S2kZone& zone, std::size_t index)
    : S2kStarRecord(zone.At(index)), zone_(&zone), index_(index) {}

const S2kStarRef& S2kStarRef::operator=(const S2kStarRecord& star) const {
    zone_->Set(index_, star);
    return *this;
}

void S2kZone::clear() {
    hot_.clear();
    place_.clear();
    text_at_.clear();
    texts_.clear();
    by_magnitude_.clear();
}

void S2kZone::reserve(std::size_t count) {
    hot_.reserve(count);
    place_.reserve(count);
    text_at_.reserve(count);
    texts_.reserve(count * 20);
}

void S2kZone::AppendTexts(std::string_view id, std::string_view hd, std::string_view sao, std::string_view spType) {
    text_at_.push_back(static_cast<std::uint32_t>(texts_.size()));
    for (std::string_view text : {id, hd, sao, spType}) {
        text = text.substr(0, kLongestText);
        texts_.push_back(static_cast<char>(text.size()));
        texts_.append(text);
    }
}

std::string_view S2kZone::Text(std::size_t index, int field) const {
    std::size_t at = text_at_[index];
    for (int f = 0; f < field; ++f) at += 1 + static_cast<unsigned char>(texts_[at]);
    return std::string_view(texts_).substr(at + 1, static_cast<unsigned char>(texts_[at]));
}

void S2kZone::Append(const S2kStarPlace& place, float mag, std::uint8_t spClass, std::string_view id,
                     std::string_view hd, std::string_view sao, std::string_view spType) {
    S2kStarHot hot;
    hot.Mag = mag;
    hot.SpClass = spClass;
    hot_.push_back(hot);
    place_.push_back(place);
    AppendTexts(id, hd, sao, spType);
}

void S2kZone::FinishLoading() {
    texts_.shrink_to_fit();
    SortByMagnitude();
}

void S2kZone::push_back(const S2kStarRecord& star) {
    place_.push_back({star.RA_deg, star.Dec_deg, star.PmRA_arcsecPerYear, star.PmDec_arcsecPerYear});
    S2kStarHot hot;
    hot.x = star.x;
    hot.y = star.y;
    hot.z = star.z;
    hot.Mag = star.Mag;
    hot.SpClass = star.SpClass;
    hot_.push_back(hot);
    AppendTexts(star.Id, star.HD, star.SAO, star.SpType);
    SortByMagnitude();
}

void S2kZone::resize(std::size_t count) {
    if (count <= size()) {
        hot_.resize(count);
        place_.resize(count);
        text_at_.resize(count);
        SortByMagnitude();
        return;
    }
    const S2kStarRecord blank;
    while (size() < count) push_back(blank);
}

S2kStarRecord S2kZone::At(std::size_t index) const {
    S2kStarRecord star;
    const S2kStarHot& hot = hot_[index];
    const S2kStarPlace& place = place_[index];
    star.Id = Id(index);
    star.HD = HD(index);
    star.SAO = SAO(index);
    star.RA_deg = place.RA_deg;
    star.Dec_deg = place.Dec_deg;
    star.PmRA_arcsecPerYear = place.PmRA_arcsecPerYear;
    star.PmDec_arcsecPerYear = place.PmDec_arcsecPerYear;
    star.Mag = hot.Mag;
    star.SpType = SpType(index);
    star.SpClass = hot.SpClass;
    star.x = hot.x;
    star.y = hot.y;
    star.z = hot.z;
    return star;
}

void S2kZone::Set(std::size_t index, const S2kStarRecord& star) {
    place_[index] = {star.RA_deg, star.Dec_deg, star.PmRA_arcsecPerYear, star.PmDec_arcsecPerYear};
    S2kStarHot& hot = hot_[index];
    hot.x = star.x;
    hot.y = star.y;
    hot.z = star.z;
    hot.Mag = star.Mag;
    hot.SpClass = star.SpClass;
    // The old texts stay unused in the buffer; only tests replace stars.
    const std::uint32_t at = static_cast<std::uint32_t>(texts_.size());
    AppendTexts(star.Id, star.HD, star.SAO, star.SpType);
    text_at_.pop_back();
    text_at_[index] = at;
    SortByMagnitude();
}

void S2kZone::SortByMagnitude() {
    by_magnitude_.resize(hot_.size());
    std::iota(by_magnitude_.begin(), by_magnitude_.end(), 0);
    // Brightest first, stars without a magnitude (not a number) last.
    const auto key = [this](std::int32_t i) {
        const float mag = hot_[static_cast<std::size_t>(i)].Mag;
        return std::pair<bool, float>(std::isnan(mag), std::isnan(mag) ? 0.0f : mag);
    };
    std::stable_sort(by_magnitude_.begin(), by_magnitude_.end(),
                     [&key](std::int32_t a, std::int32_t b) { return key(a) < key(b); });
}

std::size_t S2kZone::CountUpTo(float limit) const {
    const auto end = std::partition_point(by_magnitude_.begin(), by_magnitude_.end(), [this, limit](std::int32_t i) {
        return hot_[static_cast<std::size_t>(i)].Mag <= limit;
    });
    return static_cast<std::size_t>(end - by_magnitude_.begin());
}

void S2kZone::ComputeVectors(double years) {
    for (std::size_t i = 0; i < hot_.size(); ++i) {
        const S2kStarPlace& s = place_[i];
        const double ra = s.RA_deg + s.PmRA_arcsecPerYear * years / 3600.0;
        const double dec = s.Dec_deg + s.PmDec_arcsecPerYear * years / 3600.0;
        const skymath::Vec3 v = skymath::SphericalToCartesian(ra, dec);
        hot_[i].x = v.x;
        hot_[i].y = v.y;
        hot_[i].z = v.z;
    }
}

}  // namespace skydata
