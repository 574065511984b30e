#include "zu/core/SiteList.h"

#include <cmath>
#include <limits>
#include <optional>

#include "astro/TextFormat.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"

namespace zu {
namespace {

// Longitudes and latitudes of this size or more do not fit the window's
// degree fields (they would show as another angle).
constexpr double kShowableDeg = 360.0;

// A field of single precision; nullopt when its value has no single form.
std::optional<float> FieldSingle(const std::vector<std::string>& fields, std::size_t i) {
    const double value = astro::ParseLeadingNumber(fields[i]);
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(value);
}

}  // namespace

std::vector<SiteLine> ParseSiteLines(const std::string& cp949) {
    // Lines and fields are split on the bytes: neither a line end nor ';'
    // can be the second byte of a code page 949 character. The numbers are
    // ASCII; only the name needs decoding.
    std::vector<SiteLine> lines;
    std::size_t start = 0;
    while (start <= cp949.size()) {
        std::size_t end = cp949.find('\n', start);
        if (end == std::string::npos) end = cp949.size();
        std::string raw = cp949.substr(start, end - start);
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = skydata::TrimBlanks(raw);
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (;;) {
            const std::size_t semi = line.find(';', from);
            fields.push_back(line.substr(from, semi == std::string::npos ? std::string::npos : semi - from));
            if (semi == std::string::npos) break;
            from = semi + 1;
        }
        SiteLine entry;
        if (fields.size() != 4 && fields.size() < 8) {
            entry.Verbatim = raw;
            lines.push_back(entry);
            continue;
        }
        // Zone, then pressure, temperature and the two carried numbers.
        const std::size_t singles = fields.size() >= 8 ? 5 : 1;
        std::optional<float> value[5];
        bool fits = true;
        for (std::size_t k = 0; k < singles; ++k) {
            value[k] = FieldSingle(fields, 3 + k);
            if (!value[k]) fits = false;
        }
        const double lon = astro::ParseLeadingNumber(fields[1]);
        const double lat = astro::ParseLeadingNumber(fields[2]);
        if (!fits || !(std::fabs(lon) < kShowableDeg) || !(std::fabs(lat) < kShowableDeg)) {
            entry.Verbatim = raw;
            lines.push_back(entry);
            continue;
        }
        entry.IsSite = true;
        ObsSite& site = entry.Site;
        entry.NameBytes = fields[0];
        site.Name = platform::Cp949ToUtf8(fields[0]);
        site.Longitude = lon;
        site.Latitude = lat;
        site.TimeZone = *value[0];
        if (singles == 5) {
            site.Pressure = *value[1];
            site.Temperature = *value[2];
            site.Extra1 = *value[3];
            site.Extra2 = *value[4];
        }
        lines.push_back(entry);
    }
    return lines;
}

std::string FormatSiteLines(const std::vector<SiteLine>& lines) {
    std::string text;
    for (const SiteLine& line : lines) {
        if (line.Removed) continue;
        if (!line.IsSite) {
            text += line.Verbatim;
        } else {
            const ObsSite& s = line.Site;
            const bool name_kept = !line.NameBytes.empty() && platform::Cp949ToUtf8(line.NameBytes) == s.Name;
            text += name_kept ? line.NameBytes : platform::Utf8ToCp949(s.Name);
            text += ';' + skydata::FormatPlainNumber(s.Longitude);
            text += ';' + skydata::FormatPlainNumber(s.Latitude);
            text += ';' + skydata::FormatPlainNumberSingle(s.TimeZone);
            text += ';' + skydata::TrimBlanks(skydata::FormatPlainNumberSingle(s.Pressure));
            text += ';' + skydata::FormatPlainNumberSingle(s.Temperature);
            text += ';' + skydata::FormatPlainNumberSingle(s.Extra1);
            text += ';' + skydata::FormatPlainNumberSingle(s.Extra2);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace zu
