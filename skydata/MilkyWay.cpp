#include "skydata/MilkyWay.h"

#include <cmath>

#include "skydata/DataText.h"
#include "skydata/SkyMath.h"

namespace skydata {

namespace dt = datatext;

namespace {

std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::string_view field : dt::SplitFields(dt::Trim(line), ' ')) {
        if (!field.empty()) fields.push_back(field);
    }
    return fields;
}

}  // namespace

std::vector<MilkyWayPointRecord> ReadMilkyWayFile(const std::filesystem::path& path,
                                                  const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    std::vector<MilkyWayPointRecord> points;
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        if (dt::Trim(line).empty()) continue;
        const auto f = SplitAtBlanks(line);
        const auto ra_h = f.size() >= 3 ? dt::LeadingNumber(f[0]) : std::nullopt;
        const auto dec = f.size() >= 3 ? dt::LeadingNumber(f[1]) : std::nullopt;
        const auto flag = f.size() >= 3 ? dt::LeadingNumber(f[2]) : std::nullopt;
        if (!ra_h || !dec || !flag || *dec < -90.0 || *dec > 90.0 || std::fabs(*ra_h) > 1e6) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        const double flagValue = dt::RoundHalfEven(*flag);
        if (flagValue < 0.0 || flagValue > 255.0) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        const skymath::Vec3 v = skymath::SphericalToCartesian(*ra_h * 15.0, *dec);
        points.push_back({v.x, v.y, v.z, static_cast<std::uint8_t>(flagValue), 0});
    }
    return points;
}

std::vector<MilkyWayPointRecord> LoadMilkyWay(const std::filesystem::path& programDir,
                                              LoadLog& log) {
    return ReadMilkyWayFile(programDir / "milkyway.dat", "milkyway.dat", log);
}

std::vector<BoundaryPointRecord> ReadBoundaryFile(const std::filesystem::path& path,
                                                  const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    std::vector<BoundaryPointRecord> points;
    std::string previous;          // abbreviation of the polygon being read
    BoundaryPointRecord first;     // its first point, repeated to close it
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        const std::string_view trimmed = dt::Trim(line);
        if (trimmed.empty()) continue;
        std::string_view right = line;
        while (!right.empty() && (right.back() == ' ' || right.back() == '\t')) right.remove_suffix(1);
        const auto ra_h = right.size() >= 19 ? dt::LeadingNumber(right.substr(0, 8)) : std::nullopt;
        const auto dec = right.size() >= 19 ? dt::LeadingNumber(right.substr(9, 9)) : std::nullopt;
        const std::string abbreviation(right.size() >= 19 ? dt::Trim(right.substr(right.size() - 4))
                                                          : std::string_view());
        if (!ra_h || !dec || abbreviation.empty() || *dec < -90.0 || *dec > 90.0 ||
            std::fabs(*ra_h) > 1e6) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        BoundaryPointRecord p;
        p.RA_deg = *ra_h * 15.0;
        p.Dec_deg = *dec;
        p.Code = abbreviation.substr(0, 3);
        if (abbreviation != previous) {
            if (!previous.empty()) points.push_back(first);
            p.NewPolygon = 1;
            first = p;
            first.NewPolygon = 0;
            previous = abbreviation;
        }
        points.push_back(p);
    }
    if (!previous.empty()) points.push_back(first);
    return points;
}

std::vector<BoundaryPointRecord> LoadConstBounds(const std::filesystem::path& programDir,
                                                 LoadLog& log) {
    return ReadBoundaryFile(programDir / "bound.dat", "bound.dat", log);
}

}  // namespace skydata
