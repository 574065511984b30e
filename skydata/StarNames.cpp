#include "skydata/StarNames.h"

#include <cmath>

#include "skydata/DataText.h"

namespace skydata {

namespace dt = datatext;

std::vector<StarNameEntry> ReadStarNameFile(const std::filesystem::path& path,
                                            const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    std::vector<StarNameEntry> names;
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        if (dt::Trim(line).empty()) continue;
        const auto fields = dt::SplitFields(line, ';');
        const auto hr = fields.size() >= 3 ? dt::LeadingNumber(fields[0]) : std::nullopt;
        if (!hr || *hr != std::floor(*hr) || *hr < 1 || *hr > 32767) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        StarNameEntry entry;
        entry.HR = static_cast<std::int16_t>(*hr);
        entry.Name = std::string(fields[1]);
        entry.Name2 = std::string(fields[2]);
        names.push_back(std::move(entry));
    }
    return names;
}

void LoadStarNames(CatalogState& state, const std::filesystem::path& programDir, LoadLog& log) {
    auto east = ReadStarNameFile(programDir / "eName.dat", "eName.dat", log);
    auto west = ReadStarNameFile(programDir / "wName.dat", "wName.dat", log);
    state.EastStarNames = std::move(east);
    state.WestStarNames = std::move(west);
}

}  // namespace skydata
