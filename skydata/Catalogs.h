#pragma once
// The star catalogues, star-name lists and deep-sky table held in memory for
// the whole run. Stars are split into 30 sky zones (see StarZoneOf) so that
// the chart can skip whole zones out of view; a star's key is its catalogue
// letter ("S" bright, "E" extended), the zone, ":" and its index in the zone.
//
// Frame of every direction vector here: J2000 equator and equinox, x toward
// RA 0, y toward RA 90 degrees, z toward the north pole; length 1000.
#include <array>
#include <initializer_list>
#include <map>
#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skydata {

inline constexpr int kStarZoneCount = 30;

// The heap the tables loaded at start-up take (some 40 MB), with room: a
// program loading them marks this much for large pages first
// (platform::PreferLargePagesForHeap).
inline constexpr std::size_t kLoadedTablesHeapBytes = std::size_t{64} << 20;

// One star of the bright-star catalogue (folder "bsc", 42-byte records).
struct BscStarRecord {
    std::int16_t HR = 0;
    double RA_deg = 0;        // J2000
    double Dec_deg = 0;       // J2000
    float Mag = 0;            // visual magnitude
    std::string SpType;       // two characters as in the file
    std::uint8_t SpClass = 7; // O B A F G K M(C,S) = 0..6, anything else 7 (white)
    std::string Flamsteed;    // three characters as in the file
    std::string Bayer;        // BayerText of the letter and superscript
    std::string KorConst;     // code of the traditional constellation, trimmed
    std::string KorNumber;    // ByteNumberText of the star's number there
    float PmRA_arcsecPerYear = 0;   // an angle of RA (not times cos Dec)
    float PmDec_arcsecPerYear = 0;
    double x = 0, y = 0, z = 0;     // J2000 direction moved by proper motion to the chart date
};

// One star of the extended catalogue (folder "sky2000", 59-byte records), as
// a whole: the value S2kZone hands out and takes in.
struct S2kStarRecord {
    std::string Id;   // catalogue number, trimmed
    std::string HD;   // trimmed, empty when none
    std::string SAO;  // trimmed, empty when none
    double RA_deg = 0;
    double Dec_deg = 0;
    double PmRA_arcsecPerYear = 0;
    double PmDec_arcsecPerYear = 0;
    float Mag = 0;
    std::string SpType;        // first two characters of the trimmed type
    std::uint8_t SpClass = 7;
    double x = 0, y = 0, z = 0;
};

// What the chart reads of an extended-catalogue star, 32 bytes.
struct S2kStarHot {
    double x = 0, y = 0, z = 0;  // J2000 direction moved by proper motion to the chart date
    float Mag = 0;
    std::uint8_t SpClass = 7;
};

// The J2000 place and proper motion of an extended-catalogue star.
struct S2kStarPlace {
    double RA_deg = 0;
    double Dec_deg = 0;
    double PmRA_arcsecPerYear = 0;
    double PmDec_arcsecPerYear = 0;
};

class S2kZone;

// A star of a zone taken by S2kZone::operator[] on a zone that may change:
// the decoded record (read-only: S2kZone hands it out const, so a field
// written through it cannot silently go nowhere), and assigning a whole
// record stores it in the zone.
class S2kStarRef : public S2kStarRecord {
public:
    S2kStarRef(S2kZone& zone, std::size_t index);
    S2kStarRef(const S2kStarRef&) = default;
    const S2kStarRef& operator=(const S2kStarRecord& star) const;
    const S2kStarRef& operator=(const S2kStarRef& star) const {
        return *this = static_cast<const S2kStarRecord&>(star);
    }

private:
    S2kZone* zone_;
    std::size_t index_;
};

// The stars of one zone of the extended catalogue, in the order of the zone
// file (a star's key is its index in that order). The chart's fields of each
// star sit together in Hot(); the rest (catalogue numbers, spectral text,
// J2000 place and proper motion) sits apart and is read by index:
//   zone.Id(i), zone.HD(i), zone.SAO(i), zone.SpType(i)  texts (decoded from 12 packed bytes)
//   zone.Place(i)                                       RA, Dec and proper motion
//   zone.Hot()[i]                                       direction, Mag, SpClass
//   zone[i] / zone.At(i)                                the whole S2kStarRecord (a copy)
// ByMagnitude() lists the indices brightest first, so a drawing stops at its
// limiting magnitude.
class S2kZone {
public:
    S2kZone() = default;
    // A zone of the given stars, in order (tests build small zones so).
    S2kZone(std::initializer_list<S2kStarRecord> stars) {
        for (const S2kStarRecord& star : stars) push_back(star);
    }

    std::size_t size() const { return hot_.size(); }
    bool empty() const { return hot_.empty(); }
    void clear();
    void reserve(std::size_t count);
    // Appends a star; its direction is the record's x, y, z.
    void push_back(const S2kStarRecord& star);
    // Shortens the zone, or appends default stars.
    void resize(std::size_t count);

    S2kStarRecord At(std::size_t index) const;
    void Set(std::size_t index, const S2kStarRecord& star);
    S2kStarRecord operator[](std::size_t index) const { return At(index); }
    const S2kStarRef operator[](std::size_t index) { return S2kStarRef(*this, index); }

    std::string Id(std::size_t index) const { return Text(index, kIdText); }
    std::string HD(std::size_t index) const { return Text(index, kHdText); }
    std::string SAO(std::size_t index) const { return Text(index, kSaoText); }
    std::string SpType(std::size_t index) const { return Text(index, kSpTypeText); }
    const S2kStarPlace& Place(std::size_t index) const { return place_[index]; }
    const std::vector<S2kStarHot>& Hot() const { return hot_; }
    const S2kStarHot* data() const { return hot_.data(); }
    const std::vector<std::int32_t>& ByMagnitude() const { return by_magnitude_; }
    // How many stars of the zone are at most as faint as limit (the first
    // entries of ByMagnitude).
    std::size_t CountUpTo(float limit) const;

    // Directions for the chart date: the J2000 place moved by the proper
    // motion over `years`.
    void ComputeVectors(double years);

    // The loader's append: direction to be computed, texts as they are to be
    // kept. Ends with FinishLoading.
    void Append(const S2kStarPlace& place, float mag, std::uint8_t spClass, std::string_view id,
                std::string_view hd, std::string_view sao, std::string_view spType);
    void FinishLoading();

    class const_iterator {
    public:
        using value_type = S2kStarRecord;
        using difference_type = std::ptrdiff_t;
        const_iterator(const S2kZone* zone, std::size_t index) : zone_(zone), index_(index) {}
        S2kStarRecord operator*() const { return zone_->At(index_); }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const S2kZone* zone_;
        std::size_t index_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    enum TextField { kIdText, kHdText, kSaoText, kSpTypeText };
    using StarTexts = std::array<std::string, 4>;  // in TextField order

    // The texts of a star as the catalogue writes them, in 12 bytes: the
    // number as a letter, digits and a letter ("H11767", "T1233", "H99255A"),
    // HD and SAO as numbers (0 for none), two characters of spectral type.
    // Texts of any other form are kept whole in odd_texts_.
    struct Codes {
        std::uint32_t Id = 0;  // number (20 bits), first letter (7 bits), last letter (5 bits: 1 = 'A')
        std::uint8_t HD[3] = {0, 0, 0};
        std::uint8_t SAO[3] = {0, 0, 0};
        char SpType[2] = {0, 0};
    };
    static constexpr std::uint32_t kOddTexts = 0xFFFFFFFFu;

    std::string Text(std::size_t index, TextField field) const;
    void StoreTexts(std::size_t index, std::string_view id, std::string_view hd, std::string_view sao,
                    std::string_view spType);
    void SortByMagnitude();

    std::vector<S2kStarHot> hot_;
    std::vector<S2kStarPlace> place_;
    std::vector<Codes> codes_;
    std::map<std::uint32_t, StarTexts> odd_texts_;  // by index
    std::vector<std::int32_t> by_magnitude_;
};

// A proper star name; direction and magnitude come from the bright star of
// the same HR (LinkStarNames), zero when there is none.
struct StarNameEntry {
    std::int16_t HR = 0;
    std::string Name;
    std::string Name2;
    double x = 0, y = 0, z = 0;
    float Mag = 0;
};

// One deep-sky object of "dso.dat". Type is one of "GC", "GX", "OC", "DN",
// "PN", "CN", "DK", "CG", "AS". A magnitude of 100 or more means none.
struct DeepSkyObjectRecord {
    std::string ID1, ID2;
    float RA_deg = 0;   // J2000
    float Dec_deg = 0;
    float Mag = 0;
    std::string Type;
    float Size1_arcmin = 0;
    float Size2_arcmin = 0;
    std::int16_t PA_deg = 0;  // position angle
    std::string Name1, Name2;  // Korean and English names
    std::string Desc1, Desc2;
    double x = 0, y = 0, z = 0;  // J2000 direction, no precession
};

template <typename Record>
using StarZones = std::array<std::vector<Record>, kStarZoneCount>;

struct CatalogState {
    StarZones<BscStarRecord> BscStar;
    std::array<std::int32_t, kStarZoneCount> BscZoneLastIndex;  // -1 for an empty zone
    std::array<S2kZone, kStarZoneCount> S2kStar;
    std::array<std::int32_t, kStarZoneCount> S2kZoneLastIndex;
    std::vector<StarNameEntry> EastStarNames;  // "eName.dat"
    std::vector<StarNameEntry> WestStarNames;  // "wName.dat"
    std::vector<DeepSkyObjectRecord> DeepSkyObject;  // key "M" & index

    CatalogState() {
        BscZoneLastIndex.fill(-1);
        S2kZoneLastIndex.fill(-1);
    }
};

// The one instance the program uses; tests make their own.
CatalogState& Catalogs();
void ResetCatalogs();

}  // namespace skydata
