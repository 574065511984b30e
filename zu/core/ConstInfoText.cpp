#include "zu/core/ConstInfoText.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/DateText.h"
#include "astro/Matrix.h"
#include "astro/TextFormat.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"

namespace zu {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kCodeLength = 4;

// Blanks as the comment file's header test strips them.
}  // namespace

const std::array<std::string, skydata::kSkyDistrictCount>& SkyDistrictCodes() {
    static const std::array<std::string, skydata::kSkyDistrictCount> codes = [] {
        std::array<std::string, skydata::kSkyDistrictCount> out;
        out[0] = "P1";
        out[1] = "P2";
        out[2] = "P3";
        const char quarters[] = {'E', 'N', 'W', 'S'};
        std::size_t i = 3;
        for (const char quarter : quarters)
            for (char digit = '1'; digit <= '7'; ++digit) out[i++] = std::string{quarter, digit};
        return out;
    }();
    return codes;
}

std::optional<int> SkyDistrictIndex(std::string_view code) {
    const auto& codes = SkyDistrictCodes();
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code) return static_cast<int>(i);
    return std::nullopt;
}

std::string SkyDistrictText(int district) {
    const auto d = static_cast<std::size_t>(district);
    return std::string(skydata::SkyDistricts[d]) + "(" +
           std::string(skydata::SkyDistricts[d + skydata::kSkyDistrictCount]) + ")";
}

std::string ConstNodeText(const skydata::ConstDataRecord& row) { return row.Name1 + "(" + row.Name2 + ")"; }

bool IsConstellationNode(std::string_view node_key) {
    return node_key != kEConstKey && node_key != kOConstKey && node_key.size() != 3;
}

std::string ConstCommentCode(std::string_view node_key) {
    if (IsConstellationNode(node_key)) return std::string(node_key.substr(1, kCodeLength));
    if (node_key.size() == 3) return std::string(node_key.substr(1, 2)) + "xx";
    return std::string(node_key.substr(0, 2)) + "xx";
}

std::string ConstCommentOfText(std::string_view text, std::string_view code) {
    const std::string_view wanted = code.substr(0, kCodeLength);
    std::string result;
    bool in_section = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = next;
        const std::string_view trimmed = astro::TrimBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '#') {
            in_section = trimmed.substr(1, kCodeLength) == wanted;
        } else if (in_section) {
            result += line;
            result += kCrLf;
        }
    }
    return result.empty() ? std::string(kNoComment) : result;
}

std::string ReadConstComment(const std::filesystem::path& path, std::string_view code) {
    const auto text = platform::ReadTextFileCp949(path);
    if (!text) return std::string(kNoComment);
    return ConstCommentOfText(*text, code);
}

std::string CorrespondenceText(const std::vector<skydata::ConstDataRecord>& old_map_data, std::string_view code) {
    const std::string name = skydata::GetConstName(old_map_data, code, 0, false);
    if (skydata::TrimBlanks(name).empty())
        return "천상열차분야지도의 별자리 중 이 별자리에 대응하는 별자리는 없습니다.";
    return "천상열차분야지도의 별자리 중 " + name + " 별자리에 해당합니다.";
}

std::vector<MemberStar> MemberStars(const skydata::CatalogState& catalogs, std::string_view code) {
    std::vector<MemberStar> out;
    for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
        const auto& list = catalogs.BscStar[static_cast<std::size_t>(zone)];
        for (std::size_t i = 0; i < list.size(); ++i) {
            const skydata::BscStarRecord& star = list[i];
            if (star.KorConst != code) continue;
            MemberStar row;
            row.text = astro::FormatDigitPattern(astro::ParseLeadingNumber(star.KorNumber), "00 ") +
                       astro::LookupNameTable(catalogs.EastStarNames, star.HR) + "/ HR" + astro::NumberText(star.HR);
            row.zone = zone;
            row.index = static_cast<int>(i);
            out.push_back(std::move(row));
        }
    }
    return out;
}

std::optional<int> MemberRowHR(std::string_view row) {
    const std::size_t at = row.find("HR");
    if (at == std::string_view::npos) return std::nullopt;
    const double hr = astro::ParseLeadingNumber(row.substr(at + 2));
    if (!(hr >= 1 && hr <= 32767)) return std::nullopt;
    return static_cast<int>(hr);
}

std::optional<StarSlot> FindBrightStarByHR(const skydata::CatalogState& catalogs, int hr) {
    for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
        const auto& list = catalogs.BscStar[static_cast<std::size_t>(zone)];
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].HR == hr) return StarSlot{zone, static_cast<int>(i)};
    }
    return std::nullopt;
}

SkyPlace PlaceOfDate(double x, double y, double z, double jd_local, bool precession) {
    astro::Matrix3 m;
    if (precession) {
        astro::MakePrecessionMatrix(astro::kJ2000, jd_local, m);
    } else {
        astro::IdentityMatrix(m);
    }
    astro::RotateVector(x, y, z, m);
    const double length = std::sqrt(x * x + y * y + z * z);
    SkyPlace place;
    if (length == 0) return place;
    place.ra_deg = astro::Norm360(astro::Atan2D(y, x));
    place.dec_deg = astro::ArcSinD(z / length);
    return place;
}

std::optional<std::size_t> FirstConstLabel(const std::vector<skydata::ConstLabelRecord>& labels,
                                           std::string_view code) {
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (skydata::CodeKey(labels[i].Code) == code) return i;
    return std::nullopt;
}

}  // namespace zu
