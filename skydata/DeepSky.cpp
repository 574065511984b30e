#include "skydata/DeepSky.h"

#include <cmath>

#include "skydata/DataText.h"
#include "skydata/SkyMath.h"

namespace skydata {

namespace dt = datatext;

namespace {

constexpr std::size_t kDsoFieldCount = 13;

bool ParseDsoLine(std::string_view line, DeepSkyObjectRecord& o) {
    const auto f = dt::SplitFields(line, '|');
    if (f.size() < kDsoFieldCount) return false;
    const auto ra_h = dt::LeadingNumber(f[4]);
    const auto dec = dt::LeadingNumber(f[5]);
    const auto mag = dt::LeadingNumber(f[7]);
    const auto size1 = dt::LeadingNumber(f[8]);
    const double size2 = dt::Val(f[9]);
    // Values far outside any sky quantity cannot come from a sound catalogue
    // (and would not fit the single-precision fields).
    const auto plausible = [](const std::optional<double>& v) {
        return v && std::fabs(*v) < 1e6;
    };
    if (!plausible(ra_h) || !plausible(dec) || !plausible(mag) || !plausible(size1) ||
        !plausible(size2) || *dec < -90.0 || *dec > 90.0) {
        return false;
    }
    std::int16_t pa = 0;
    if (!dt::Trim(f[12]).empty()) {
        const auto value = dt::LeadingNumber(f[12]);
        if (!value || std::fabs(*value) > 32767.0) return false;
        pa = static_cast<std::int16_t>(dt::RoundHalfEven(*value));
    }
    o.ID1 = std::string(dt::Trim(f[0]));
    o.ID2 = std::string(dt::Trim(f[1]));
    o.Name1 = std::string(dt::Trim(f[2]));
    o.Name2 = std::string(dt::Trim(f[3]));
    o.RA_deg = static_cast<float>(*ra_h * 15.0);
    o.Dec_deg = static_cast<float>(*dec);
    o.Type = std::string(dt::Trim(f[6]));
    o.Mag = static_cast<float>(*mag);
    o.Size1_arcmin = static_cast<float>(*size1);
    o.Size2_arcmin = size2 == 0.0 ? o.Size1_arcmin : static_cast<float>(size2);
    o.Desc1 = std::string(f[10]);
    o.Desc2 = std::string(f[11]);
    o.PA_deg = pa;
    return true;
}

}  // namespace

std::vector<DeepSkyObjectRecord> ReadDeepSkyFile(const std::filesystem::path& path,
                                                 const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    const std::vector<std::string_view> lines = dt::SplitLines(text);
    std::vector<DeepSkyObjectRecord> objects;
    objects.reserve(lines.size());  // at most one object a line, held for the whole run
    long lineNumber = 0;
    for (std::string_view line : lines) {
        ++lineNumber;
        if (dt::Trim(line).empty()) continue;
        DeepSkyObjectRecord o;
        if (ParseDsoLine(line, o)) {
            objects.push_back(std::move(o));
        } else {
            log.MalformedLine(displayName, lineNumber);
        }
    }
    return objects;
}

void LoadDeepSky(CatalogState& state, const std::filesystem::path& programDir, LoadLog& log) {
    state.DeepSkyObject = ReadDeepSkyFile(programDir / "dso.dat", "dso.dat", log);
}

void ComputeDsoVectors(CatalogState& state) {
    for (DeepSkyObjectRecord& o : state.DeepSkyObject) {
        const skymath::Vec3 v = skymath::SphericalToCartesian(o.RA_deg, o.Dec_deg);
        o.x = v.x;
        o.y = v.y;
        o.z = v.z;
    }
}

}  // namespace skydata
