#include "skydata/Elements.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <system_error>

#include "astro/TextFormat.h"
#include "platform/TextFile.h"
#include "skydata/DataText.h"

namespace skydata {
namespace {

using datatext::IsDigit;
using datatext::LeadingNumber;
using datatext::Trim;

constexpr size_t kCometFieldCount = 10;
constexpr size_t kAsteroidFieldCount = 11;

// Element files come from many editors: LF, CR LF and a lone CR all end a line.
std::vector<std::string_view> SplitAnyLineEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// True when the whole text is one number (sign, digits, optional point and digits).
bool IsWholeNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool IsValidMonthDay(double month, double day) {
    return month >= 1 && month <= 12 && day >= 1 && day < 32;
}

// Time of perihelion written as year, two-digit month, two-digit day and an
// optional fraction of the day after a point ("20240315.25"); the year is
// everything before the last four digits ahead of the point and may carry a
// sign ("-3890315.5" is 390 BC). No value unless the text has that shape.
std::optional<double> ParsePerihelionDate(std::string_view field) {
    const std::string_view s = Trim(field);
    const size_t point = s.find('.');
    std::string_view head = s.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    if (!head.empty() && (head.front() == '-' || head.front() == '+')) head.remove_prefix(1);
    if (head.size() < 5) return std::nullopt;
    for (char c : head) {
        if (!IsDigit(c)) return std::nullopt;
    }
    for (char c : fraction) {
        if (!IsDigit(c)) return std::nullopt;
    }
    const double month = (head[head.size() - 4] - '0') * 10 + (head[head.size() - 3] - '0');
    const double day = (head[head.size() - 2] - '0') * 10 + (head[head.size() - 1] - '0');
    if (!IsValidMonthDay(month, day)) return std::nullopt;
    return astro::ParseCometDate(s);
}

// Epoch written as year, month and day separated by single blanks
// ("2022 8 9"), taken at 0 h.
std::optional<double> ParseEpoch(std::string_view field) {
    const std::string_view s = Trim(field);
    std::string_view parts[3];
    size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t blank = k < 2 ? s.find(' ', start) : s.size();
        if (blank == std::string_view::npos) return std::nullopt;
        parts[k] = s.substr(start, blank - start);
        if (!IsWholeNumber(parts[k])) return std::nullopt;
        start = blank + 1;
    }
    if (!IsValidMonthDay(*LeadingNumber(parts[1]), *LeadingNumber(parts[2]))) return std::nullopt;
    return astro::ParseEpochDate(s);
}

// Reads the numeric fields listed in `indices` into `targets` (same order);
// false at the first field that does not begin with a number.
template <size_t N>
bool ReadNumbers(const std::vector<std::string_view>& fields, const size_t (&indices)[N],
                 double* const (&targets)[N]) {
    for (size_t k = 0; k < N; ++k) {
        const std::optional<double> value = LeadingNumber(fields[indices[k]]);
        if (!value) return false;
        *targets[k] = *value;
    }
    return true;
}

std::optional<astro::CometElements> ParseCometLine(std::string_view line) {
    const std::vector<std::string_view> fields = datatext::SplitFields(line, '|');
    if (fields.size() < kCometFieldCount) return std::nullopt;
    astro::CometElements c;
    c.Name = std::string(Trim(fields[0]));
    const size_t indices[] = {1, 3, 4, 5, 6, 7, 8, 9};
    double* const targets[] = {&c.EquinoxYear, &c.q_au, &c.e, &c.Peri_deg, &c.Node_deg, &c.Incl_deg, &c.H, &c.K};
    if (!ReadNumbers(fields, indices, targets)) return std::nullopt;
    const std::optional<double> T = ParsePerihelionDate(fields[2]);
    if (!T) return std::nullopt;
    c.T_jd = *T;
    return c;
}

std::optional<astro::AsteroidElements> ParseAsteroidLine(std::string_view line) {
    const std::vector<std::string_view> fields = datatext::SplitFields(line, '|');
    if (fields.size() < kAsteroidFieldCount) return std::nullopt;
    astro::AsteroidElements a;
    a.Name = std::string(Trim(fields[0]));
    const size_t indices[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
    double* const targets[] = {&a.e, &a.a_au, &a.Incl_deg, &a.Node_deg, &a.Peri_deg,
                               &a.EquinoxYear, &a.M0_deg, &a.H, &a.G};
    if (!ReadNumbers(fields, indices, targets)) return std::nullopt;
    const std::optional<double> epoch = ParseEpoch(fields[1]);
    if (!epoch) return std::nullopt;
    a.Epoch_jd = *epoch;
    return a;
}

// The file's text; a file that is there but empty reads as no text. Users
// edit these files, and one emptied by hand or by a failed download must not
// keep the program from starting.
std::string ReadElementText(const std::filesystem::path& path, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec) return {};
    return platform::Cp949ToUtf8(datatext::ReadDataBytes(path, name));
}

template <typename Record, typename Parse>
std::vector<Record> ReadElementFile(const std::filesystem::path& path, LoadLog& log, Parse parse) {
    const std::string name = path.filename().string();
    const std::string text = ReadElementText(path, name);
    const std::vector<std::string_view> lines = SplitAnyLineEnds(text);
    if (std::all_of(lines.begin(), lines.end(), [](std::string_view line) { return Trim(line).empty(); })) {
        log.Problems.push_back(name + "에 궤도 요소가 없습니다");
        return {};
    }
    std::vector<Record> records;
    records.reserve(lines.size());  // at most one a line; the lists are kept for the whole run
    for (size_t n = 0; n < lines.size(); ++n) {
        if (Trim(lines[n]).empty()) continue;
        std::optional<Record> record = parse(lines[n]);
        if (record) {
            records.push_back(std::move(*record));
        } else {
            log.MalformedLine(name, static_cast<long>(n + 1));
        }
    }
    return records;
}

}  // namespace

std::vector<astro::CometElements> ReadCometFile(const std::filesystem::path& path, LoadLog& log) {
    return ReadElementFile<astro::CometElements>(path, log, ParseCometLine);
}

std::vector<astro::AsteroidElements> ReadAsteroidFile(const std::filesystem::path& path, LoadLog& log) {
    return ReadElementFile<astro::AsteroidElements>(path, log, ParseAsteroidLine);
}

void LoadComets(const std::filesystem::path& programDir, LoadLog& log) {
    LoadLog notes;
    std::vector<astro::CometElements> comets = ReadCometFile(programDir / kHistCometFileName, notes);
    std::vector<astro::CometElements> current = ReadCometFile(programDir / kCometFileName, notes);
    comets.insert(comets.end(), std::make_move_iterator(current.begin()), std::make_move_iterator(current.end()));

    astro::SmallBodyState& state = astro::SmallBodies();
    state.CometPositions.assign(comets.size(), astro::BodyPosition{});
    state.CometElementList = std::move(comets);
    log.Problems.insert(log.Problems.end(), notes.Problems.begin(), notes.Problems.end());
}

void LoadAsteroids(const std::filesystem::path& programDir, LoadLog& log) {
    LoadLog notes;
    std::vector<astro::AsteroidElements> asteroids = ReadAsteroidFile(programDir / kAsteroidFileName, notes);

    astro::SmallBodyState& state = astro::SmallBodies();
    state.AsteroidPositions.assign(asteroids.size(), astro::BodyPosition{});
    state.AsteroidElementList = std::move(asteroids);
    log.Problems.insert(log.Problems.end(), notes.Problems.begin(), notes.Problems.end());
}

}  // namespace skydata
