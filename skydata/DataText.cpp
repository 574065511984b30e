#include "skydata/DataText.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "platform/TextFile.h"
#include "skydata/LoadLog.h"

namespace skydata::datatext {

std::string ReadDataText(const std::filesystem::path& path, const std::string& displayName) {
    const std::string bytes = ReadDataBytes(path, displayName);
    // Only blanks and line ends: as empty as a zero-byte file.
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) ThrowMissingDataFile(displayName);
    return platform::Cp949ToUtf8(bytes);
}

std::string ReadDataBytes(const std::filesystem::path& path, const std::string& displayName) {
    std::string bytes;
    ReadDataBytesInto(path, displayName, bytes);
    return bytes;
}

void ReadDataBytesInto(const std::filesystem::path& path, const std::string& displayName, std::string& bytes) {
    // One sized read: the extended catalogue is some 17 MB.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) ThrowMissingDataFile(displayName);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) ThrowMissingDataFile(displayName);
    const std::streamoff size = in.tellg();
    // An empty file (a copy that failed, a full disk) would load as a
    // catalogue without entries and draw a chart that looks right and is wrong.
    if (size <= 0) ThrowMissingDataFile(displayName);
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(bytes.data(), size)) ThrowMissingDataFile(displayName);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = (end == std::string_view::npos) ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = line.find(separator, start);
        if (pos == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, pos - start));
        start = pos + separator.size();
    }
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\0'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<double> LeadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t begin = i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(s.data() + begin, s.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: no usable number.
        return std::nullopt;
    }
    if (result.ec != std::errc()) return std::nullopt;
    return negative ? -value : value;
}

double RoundHalfEven(double v) { return std::nearbyint(v); }

std::string TrimmedRecordText(const unsigned char* p, std::size_t length) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\0'; };
    while (length > 0 && blank(*p)) ++p, --length;
    while (length > 0 && blank(p[length - 1])) --length;
    return RecordText(p, length);
}

std::string RecordText(const unsigned char* p, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (p[i] >= 0x80) {
            return platform::Cp949ToUtf8(std::string(reinterpret_cast<const char*>(p), length));
        }
    }
    return std::string(reinterpret_cast<const char*>(p), length);
}

}  // namespace skydata::datatext
