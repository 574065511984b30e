#pragma once
// The texts of the constellation information window `FrmCInfo`: the tree of
// the two traditional systems (roots, the 31 sky districts, constellations),
// the comment sections of "concmt.txt", the correspondence with the old star
// map and the member stars of a constellation from the bright-star catalogue.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"

namespace zu {

inline constexpr std::string_view kEConstKey = "EConst";
inline constexpr std::string_view kOConstKey = "OConst";
inline constexpr std::string_view kEConstText = "신법 별자리(星鏡)";
inline constexpr std::string_view kOConstText = "천상열차분야지도";
inline constexpr std::string_view kConstCommentFile = "concmt.txt";
inline constexpr std::string_view kNoComment = "설명 없음";

// District codes in the order of skydata::SkyDistricts: "P1".."P3", "E1".."E7",
// "N1".."N7", "W1".."W7", "S1".."S7".
const std::array<std::string, skydata::kSkyDistrictCount>& SkyDistrictCodes();
// Index 0..30 of a district code; nullopt for any other text.
std::optional<int> SkyDistrictIndex(std::string_view code);
// "각(角)": the district's Hangul name and, in brackets, its second name.
std::string SkyDistrictText(int district);
// Name1 "(" Name2 ")" of a constellation row.
std::string ConstNodeText(const skydata::ConstDataRecord& row);

// A constellation node: neither root and not a district (3 characters).
bool IsConstellationNode(std::string_view node_key);
// The comment section of a node: the constellation code for a constellation,
// the district code and "xx" for a district ("EE1" -> "E1xx"), the first two
// letters and "xx" for a root ("EConst" -> "ECxx").
std::string ConstCommentCode(std::string_view node_key);

// Every line of every section headed "#" + the first four characters of code,
// in file order, kept as it stands, each followed by CR LF. Lines whose first
// character after leading blanks is "#" head sections. "설명 없음" when
// nothing was found or the file cannot be read. The file is code page 949.
std::string ReadConstComment(const std::filesystem::path& path, std::string_view code);
std::string ConstCommentOfText(std::string_view text_utf8, std::string_view code);

// "천상열차분야지도의 별자리 중 직녀(織女) 별자리에 해당합니다." or the line for
// a code the old map does not have.
std::string CorrespondenceText(const std::vector<skydata::ConstDataRecord>& old_map_data, std::string_view code);

struct MemberStar {
    std::string text;  // "01 직녀(織女)/ HR 7001"
    int zone = 0;
    int index = 0;
};
// The bright stars whose Korean constellation is code, in zone order.
std::vector<MemberStar> MemberStars(const skydata::CatalogState& catalogs, std::string_view code);
// The HR number after the first "HR" of a member row; nullopt without one.
std::optional<int> MemberRowHR(std::string_view row);

struct StarSlot {
    int zone = 0;
    int index = 0;
};
// The first bright star with that HR, zone by zone; nullopt when none.
std::optional<StarSlot> FindBrightStarByHR(const skydata::CatalogState& catalogs, int hr);

}  // namespace zu

namespace zu {

struct SkyPlace {
    double ra_deg = 0;   // 0..360
    double dec_deg = 0;
};
// A J2000 direction (any length) as right ascension and declination of the
// equinox of jd_local when precession is on, of J2000 otherwise.
SkyPlace PlaceOfDate(double x, double y, double z, double jd_local, bool precession);
// Index of the first label whose code (first four characters) is code.
std::optional<std::size_t> FirstConstLabel(const std::vector<skydata::ConstLabelRecord>& labels,
                                           std::string_view code);

}  // namespace zu
