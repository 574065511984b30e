#include "skydata/Constellations.h"

#include <cmath>
#include <optional>

#include "skydata/DataText.h"
#include "skydata/SkyMath.h"

namespace skydata {

namespace dt = datatext;

namespace {

constexpr int kLineRecordBytes = 12;
constexpr double kLineRaUnit_deg = 0.015;
constexpr double kLineDecUnit_deg = 0.01;
// Equinox of the constellation-by-position table: B1875.0.
constexpr double kB1875_jd = 2405889.258550475;

ConstellationState g_constellations;

// A text field with blanks and one pair of enclosing double quotes removed
// (list-input files may quote their texts).
std::string_view Unquote(std::string_view s) {
    s = dt::Trim(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

std::string PlainNumberText(int value) {
    std::string text(" ");
    text += std::to_string(value);
    return text;
}

const char* SystemSuffix(char system) {
    switch (system) {
        case 'W': return "W";
        case 'E': return "E";
        default: return "O";
    }
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace

const std::array<std::string_view, 2 * kSkyDistrictCount> SkyDistricts = {
    "자미원", "태미원", "천시원",
    "각", "항", "저", "방", "심", "미", "기",
    "두", "우", "녀", "허", "위", "실", "벽",
    "규", "루", "위", "묘", "필", "자", "삼",
    "정", "귀", "류", "성", "장", "익", "진",
    "紫微垣", "太微垣", "天市垣",
    "角", "亢", "저", "房", "心", "尾", "箕",
    "斗", "牛", "女", "虛", "危", "室", "壁",
    "奎", "婁", "胃", "昴", "畢", "자", "\xEF\xA5\xAB",  // U+F96B
    "井", "鬼", "柳", "星", "張", "翼", "軫"};

ConstellationState& Constellations() { return g_constellations; }

void ResetConstellations() { g_constellations = ConstellationState(); }

std::string_view CodeKey(std::string_view code) { return code.substr(0, 4); }

std::vector<ConstLineRecord> LoadConstLines(const std::filesystem::path& path,
                                            const std::string& displayName, LoadLog& log) {
    const std::string bytes = dt::ReadDataBytes(path, displayName);
    const std::size_t count = bytes.size() / kLineRecordBytes;
    std::vector<ConstLineRecord> lines;
    lines.reserve(count);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t n = 0; n < count; ++n) {
        const unsigned char* p = data + n * kLineRecordBytes;
        ConstLineRecord line;
        const double dec1 = dt::ReadInt16LE(p + 2) * kLineDecUnit_deg;
        const double dec2 = dt::ReadInt16LE(p + 6) * kLineDecUnit_deg;
        line.Code = dt::TrimmedRecordText(p + 8, 4);
        if (std::fabs(dec1) > 90.0 || std::fabs(dec2) > 90.0 || line.Code.empty()) {
            log.MalformedRecord(displayName, static_cast<long>(n + 1));
            continue;
        }
        const auto a = skymath::SphericalToCartesian(dt::ReadInt16LE(p) * kLineRaUnit_deg, dec1);
        const auto b = skymath::SphericalToCartesian(dt::ReadInt16LE(p + 4) * kLineRaUnit_deg, dec2);
        line.x1 = a.x, line.y1 = a.y, line.z1 = a.z;
        line.x2 = b.x, line.y2 = b.y, line.z2 = b.z;
        lines.push_back(std::move(line));
    }
    if (bytes.size() % kLineRecordBytes != 0) {
        log.TrailingPartialRecord(displayName, static_cast<long>(bytes.size() % kLineRecordBytes));
    }
    return lines;
}

std::vector<ConstLabelRecord> LoadConstLabels(const std::filesystem::path& path,
                                              const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    std::vector<ConstLabelRecord> labels;
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        if (dt::Trim(line).empty()) continue;
        const std::string_view code = dt::Trim(line.substr(0, 5));
        const std::optional<double> ra_h =
            line.size() > 5 ? dt::LeadingNumber(line.substr(5, 6)) : std::nullopt;
        const std::optional<double> dec_deg =
            line.size() > 11 ? dt::LeadingNumber(line.substr(11, 7)) : std::nullopt;
        const double decValue = dec_deg.value_or(999.0);
        if (code.empty() || !ra_h || decValue < -90.0 || decValue > 90.0) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        const double ra = *ra_h * 15.0 * skymath::kDegToRad, d = decValue * skymath::kDegToRad;
        ConstLabelRecord label;
        label.x = static_cast<float>(skymath::kVectorLength * std::cos(d) * std::cos(ra));
        label.y = static_cast<float>(skymath::kVectorLength * std::cos(d) * std::sin(ra));
        label.z = static_cast<float>(skymath::kVectorLength * std::sin(d));
        label.Code = std::string(code);
        labels.push_back(std::move(label));
    }
    return labels;
}

std::vector<ConstDataRecord> LoadConstData(const std::filesystem::path& path,
                                           const std::string& displayName, LoadLog& log) {
    const std::string text = dt::ReadDataText(path, displayName);
    std::vector<ConstDataRecord> data;
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        if (dt::Trim(line).empty()) continue;
        const auto f = dt::SplitFields(line, ',');
        const auto number = f.size() >= 4 ? dt::LeadingNumber(Unquote(f[3])) : std::nullopt;
        if (!number || *number < 0 || *number > 255 || *number != std::floor(*number) ||
            Unquote(f[0]).empty()) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        ConstDataRecord row;
        row.Code = std::string(Unquote(f[0]));
        row.Name1 = std::string(Unquote(f[1]));
        row.Name2 = std::string(Unquote(f[2]));
        row.Number = static_cast<std::uint8_t>(*number);
        data.push_back(std::move(row));
    }
    return data;
}

ConstPosTable LoadConstPosTable(const std::filesystem::path& programDir, LoadLog& log) {
    const std::string displayName = "pos_data.dat";
    const std::string text = dt::ReadDataText(programDir / displayName, displayName);
    ConstPosTable table;
    long lineNumber = 0;
    for (std::string_view line : dt::SplitLines(text)) {
        ++lineNumber;
        std::vector<std::string_view> tokens;
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == ',' || line[i] == '\t')) ++i;
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != ',' && line[i] != '\t') ++i;
            if (i > start) tokens.push_back(line.substr(start, i - start));
        }
        if (tokens.empty()) continue;
        const auto raLow = tokens.size() == 4 ? dt::LeadingNumber(tokens[0]) : std::nullopt;
        const auto raHigh = tokens.size() == 4 ? dt::LeadingNumber(tokens[1]) : std::nullopt;
        const auto decLow = tokens.size() == 4 ? dt::LeadingNumber(tokens[2]) : std::nullopt;
        const std::string_view code = tokens.size() == 4 ? Unquote(tokens[3]) : std::string_view();
        if (!raLow || !raHigh || !decLow || code.empty() || std::fabs(*raLow) > 1e6 ||
            std::fabs(*raHigh) > 1e6 || std::fabs(*decLow) > 1e6) {
            log.MalformedLine(displayName, lineNumber);
            continue;
        }
        table.RALow_deg.push_back(static_cast<float>(*raLow * 15.0));
        table.RAHigh_deg.push_back(static_cast<float>(*raHigh * 15.0));
        table.DecLow_deg.push_back(static_cast<float>(*decLow));
        table.Code.emplace_back(code);
    }
    return table;
}

ConstellationSystem LoadConstellationSystem(const std::filesystem::path& programDir,
                                            char system, LoadLog& log) {
    const std::string suffix = SystemSuffix(system);
    ConstellationSystem result;
    const std::string lines = "cline" + suffix + ".dat";
    const std::string labels = "clabel" + suffix + ".dat";
    const std::string data = "ConstData" + suffix + ".dat";
    result.Lines = LoadConstLines(programDir / lines, lines, log);
    result.Labels = LoadConstLabels(programDir / labels, labels, log);
    result.Data = LoadConstData(programDir / data, data, log);
    return result;
}

void BuildConstLabels(std::vector<ConstLabelRecord>& labels,
                      const std::vector<ConstDataRecord>& data, bool secondName) {
    for (ConstLabelRecord& label : labels) {
        for (const ConstDataRecord& row : data) {
            if (CodeKey(row.Code) != CodeKey(label.Code)) continue;
            label.Text = secondName ? row.Name2 : row.Name1;
            if (row.Number != 0) label.Text += PlainNumberText(row.Number);
        }
    }
}

std::string GetConstFilter(const std::vector<ConstDataRecord>& data, bool boundary) {
    std::string filter;
    for (const ConstDataRecord& row : data) {
        if ((boundary ? row.ShowBoundary : row.ShowFigure) != 0) filter += CodeKey(row.Code);
    }
    return filter;
}

void SetConstFilter(std::string_view filter, std::vector<ConstDataRecord>& data, bool boundary) {
    const std::string_view text = dt::Trim(filter);
    for (ConstDataRecord& row : data) {
        const std::string_view key = CodeKey(row.Code);
        std::uint8_t shown = 0;
        for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
            if (text.substr(i, 4) == key) {
                shown = 1;
                break;
            }
        }
        (boundary ? row.ShowBoundary : row.ShowFigure) = shown;
    }
}

void ApplyConstFilter(const std::vector<ConstDataRecord>& data,
                      std::vector<ConstLabelRecord>& labels, std::vector<ConstLineRecord>& lines) {
    // The last row with a code wins, as in GetConstName.
    auto flagOf = [&data](std::string_view code) -> std::optional<std::uint8_t> {
        std::optional<std::uint8_t> flag;
        for (const ConstDataRecord& row : data) {
            if (CodeKey(row.Code) == CodeKey(code)) flag = row.ShowFigure;
        }
        return flag;
    };
    for (ConstLabelRecord& label : labels) {
        if (auto flag = flagOf(label.Code)) label.Visible = *flag;
    }
    for (ConstLineRecord& line : lines) {
        if (auto flag = flagOf(line.Code)) line.Visible = *flag;
    }
}

void ApplyBoundFilter(const std::vector<ConstDataRecord>& westernData,
                      std::vector<BoundaryPointRecord>& points) {
    for (BoundaryPointRecord& point : points) {
        std::string key("A");
        key += UpperAscii(point.Code);
        for (const ConstDataRecord& row : westernData) {
            if (UpperAscii(CodeKey(row.Code)) == key) point.Visible = row.ShowBoundary;
        }
    }
}

std::string GetConstName(const std::vector<ConstDataRecord>& data, std::string_view code,
                         int form, bool withNumber) {
    const ConstDataRecord* found = nullptr;
    for (const ConstDataRecord& row : data) {
        if (CodeKey(row.Code) == CodeKey(code)) found = &row;
    }
    if (found == nullptr) return std::string();
    const std::string number =
        (withNumber && found->Number != 0) ? PlainNumberText(found->Number) : std::string();
    switch (form) {
        case 1: return found->Name1 + number;
        case 2: return found->Name2 + number;
        default: return found->Name1 + "(" + found->Name2 + ")" + number;
    }
}

std::string FindConstellationCodeAt(const ConstPosTable& table, double ra_deg, double dec_deg,
                                    double epoch_jd) {
    if (!std::isfinite(ra_deg) || !std::isfinite(dec_deg) || !std::isfinite(epoch_jd)) return {};
    double ra = 0, dec = 0;
    astro::PrecessByMatrix(epoch_jd, kB1875_jd, ra_deg, dec_deg, ra, dec);
    const float raF = static_cast<float>(ra), decF = static_cast<float>(dec);
    for (std::size_t i = 0; i < table.Code.size(); ++i) {
        if (table.RALow_deg[i] <= raF && raF < table.RAHigh_deg[i] && decF >= table.DecLow_deg[i]) {
            std::string code("A");
            code += dt::Trim(table.Code[i]);
            return code;
        }
    }
    return {};
}

std::string FindConstellationAt(const ConstPosTable& table,
                                const std::vector<ConstDataRecord>& westernData, double ra_deg,
                                double dec_deg, double epoch_jd) {
    const std::string code = FindConstellationCodeAt(table, ra_deg, dec_deg, epoch_jd);
    return code.empty() ? std::string() : GetConstName(westernData, code, 0, true);
}

}  // namespace skydata
