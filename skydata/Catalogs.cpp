#include "skydata/Catalogs.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "skydata/DataText.h"
#include "skydata/SkyMath.h"

namespace skydata {

namespace {
CatalogState g_catalogs;

constexpr int kNumberBits = 20;
constexpr std::uint32_t kLargestNumber = (1u << kNumberBits) - 1;
constexpr std::uint32_t kLargestCodedNumber = 0xFFFFFF;  // HD and SAO, three bytes
constexpr int kFirstLetterShift = kNumberBits;
constexpr int kLastLetterShift = kNumberBits + 7;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A number written the one way the catalogue writes it (digits, no leading
// zero, at most `largest`), or 0 when the text is not such a number.
std::uint32_t PlainNumber(std::string_view text, std::uint32_t largest) {
    if (text.empty() || text.size() > 8 || text[0] == '0') return 0;
    std::uint32_t value = 0;
    for (char c : text) {
        if (!datatext::IsDigit(c)) return 0;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value <= largest ? value : 0;
}

// An optional letter, a plain number and an optional capital letter; 0 when
// the text has another form (0 is no such code: the number is never 0).
std::uint32_t IdCode(std::string_view text) {
    std::uint32_t first = 0, last = 0;
    if (!text.empty() && IsLetter(text.front())) {
        first = static_cast<unsigned char>(text.front());
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() >= 'A' && text.back() <= 'Z') {
        last = static_cast<std::uint32_t>(text.back() - 'A' + 1);
        text.remove_suffix(1);
    }
    const std::uint32_t number = PlainNumber(text, kLargestNumber);
    if (number == 0) return 0;
    return number | first << kFirstLetterShift | last << kLastLetterShift;
}

std::string IdText(std::uint32_t code) {
    std::string text;
    if (const char first = static_cast<char>(code >> kFirstLetterShift & 0x7F)) text += first;
    text += std::to_string(code & kLargestNumber);
    if (const std::uint32_t last = code >> kLastLetterShift) text += static_cast<char>('A' + last - 1);
    return text;
}

// An empty text is 0; false when the text is no plain number.
bool NumberCode(std::string_view text, std::uint8_t (&bytes)[3]) {
    std::uint32_t value = 0;
    if (!text.empty() && (value = PlainNumber(text, kLargestCodedNumber)) == 0) return false;
    for (int b = 0; b < 3; ++b) bytes[b] = static_cast<std::uint8_t>(value >> (8 * b));
    return true;
}

std::string NumberText(const std::uint8_t (&bytes)[3]) {
    const std::uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16;
    return value == 0 ? std::string() : std::to_string(value);
}

// Up to two printable ASCII characters.
bool SpTypeCode(std::string_view text, char (&chars)[2]) {
    if (text.size() > 2) return false;
    chars[0] = chars[1] = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] <= ' ' || text[i] > '~') return false;
        chars[i] = text[i];
    }
    return true;
}

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
    codes_.clear();
    odd_texts_.clear();
    by_magnitude_.clear();
}

void S2kZone::reserve(std::size_t count) {
    hot_.reserve(count);
    place_.reserve(count);
    codes_.reserve(count);
    by_magnitude_.reserve(count);
}

void S2kZone::StoreTexts(std::size_t index, std::string_view id, std::string_view hd, std::string_view sao,
                         std::string_view spType) {
    Codes& codes = codes_[index];
    const std::uint32_t key = static_cast<std::uint32_t>(index);
    codes.Id = IdCode(id);
    if (codes.Id != 0 && NumberCode(hd, codes.HD) && NumberCode(sao, codes.SAO) && SpTypeCode(spType, codes.SpType)) {
        if (!odd_texts_.empty()) odd_texts_.erase(key);
        return;
    }
    codes = Codes{};
    codes.Id = kOddTexts;
    odd_texts_[key] = {std::string(id), std::string(hd), std::string(sao), std::string(spType)};
}

std::string S2kZone::Text(std::size_t index, TextField field) const {
    const Codes& codes = codes_[index];
    if (codes.Id == kOddTexts) return odd_texts_.at(static_cast<std::uint32_t>(index))[field];
    switch (field) {
        case kIdText: return IdText(codes.Id);
        case kHdText: return NumberText(codes.HD);
        case kSaoText: return NumberText(codes.SAO);
        case kSpTypeText: return std::string(codes.SpType, codes.SpType[1] ? 2 : codes.SpType[0] ? 1 : 0);
    }
    return {};
}

void S2kZone::Append(const S2kStarPlace& place, float mag, std::uint8_t spClass, std::string_view id,
                     std::string_view hd, std::string_view sao, std::string_view spType) {
    S2kStarHot hot;
    hot.Mag = mag;
    hot.SpClass = spClass;
    hot_.push_back(hot);
    place_.push_back(place);
    codes_.emplace_back();
    StoreTexts(codes_.size() - 1, id, hd, sao, spType);
}

void S2kZone::FinishLoading() { SortByMagnitude(); }

void S2kZone::push_back(const S2kStarRecord& star) {
    place_.push_back({star.RA_deg, star.Dec_deg, star.PmRA_arcsecPerYear, star.PmDec_arcsecPerYear});
    S2kStarHot hot;
    hot.x = star.x;
    hot.y = star.y;
    hot.z = star.z;
    hot.Mag = star.Mag;
    hot.SpClass = star.SpClass;
    hot_.push_back(hot);
    codes_.emplace_back();
    StoreTexts(codes_.size() - 1, star.Id, star.HD, star.SAO, star.SpType);
    SortByMagnitude();
}

void S2kZone::resize(std::size_t count) {
    if (count <= size()) {
        hot_.resize(count);
        place_.resize(count);
        codes_.resize(count);
        odd_texts_.erase(odd_texts_.lower_bound(static_cast<std::uint32_t>(count)), odd_texts_.end());
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
    StoreTexts(index, star.Id, star.HD, star.SAO, star.SpType);
    SortByMagnitude();
}

void S2kZone::SortByMagnitude() {
    // Brightest first, stars without a magnitude (not a number) last, equal
    // magnitudes in file order. A magnitude's bits made to sort as numbers
    // (not-a-number above all) in the high half of a word, the index in the
    // low half, sorted a byte of the key at a time, lowest first: each pass
    // keeps the order of the one before, so the file order stays within
    // equal magnitudes.
    constexpr std::uint32_t kNoMagnitude = 0xFFFFFFFFu;  // no magnitude's bits map there
    const std::size_t count = hot_.size();
    std::vector<std::uint64_t> items(count), sorted(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float mag = hot_[i].Mag;
        std::uint32_t key = kNoMagnitude;
        if (!std::isnan(mag)) {
            const std::uint32_t bits = std::bit_cast<std::uint32_t>(mag == 0.0f ? 0.0f : mag);
            key = bits & 0x80000000u ? ~bits : bits | 0x80000000u;
        }
        items[i] = std::uint64_t{key} << 32 | i;
    }
    for (int shift = 32; shift < 64; shift += 8) {
        std::size_t start[257] = {};
        for (std::uint64_t item : items) ++start[(item >> shift & 0xFF) + 1];
        if (start[(items.empty() ? 0 : (items[0] >> shift & 0xFF)) + 1] == count) continue;  // one byte value
        for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
        for (std::uint64_t item : items) sorted[start[item >> shift & 0xFF]++] = item;
        items.swap(sorted);
    }
    by_magnitude_.resize(count);
    for (std::size_t i = 0; i < count; ++i) by_magnitude_[i] = static_cast<std::int32_t>(items[i] & 0xFFFFFFFFu);
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
