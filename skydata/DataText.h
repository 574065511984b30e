#pragma once
// Small parsing helpers shared by the data-file readers of this folder:
// whole-file reading with the missing-file error, line and field splitting,
// the lenient leading-number parse of the data formats, and little-endian
// fields of binary records.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skydata::datatext {

// The file decoded from code page 949 to UTF-8; throws the missing-data-file
// error naming displayName when it cannot be read or holds nothing but blanks
// and line ends.
std::string ReadDataText(const std::filesystem::path& path, const std::string& displayName);
// The raw bytes of a binary data file; throws as above when it cannot be read
// or is empty.
std::string ReadDataBytes(const std::filesystem::path& path, const std::string& displayName);
// The same into `bytes`, whose storage is reused: a loader reading many files
// in turn touches fresh memory only for the largest.
void ReadDataBytesInto(const std::filesystem::path& path, const std::string& displayName, std::string& bytes);

// Lines without their CR LF / LF ends; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Every field between separators (an empty field counts); the separator is
// not empty.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separator);
inline std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
    return SplitFields(line, std::string_view(&separator, 1));
}

// An ASCII digit.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Leading and trailing blanks (and tabs and NUL padding) removed.
std::string_view Trim(std::string_view s);

// The number at the start of s after leading blanks: sign, digits, point,
// digits, exponent; stops at the first character that cannot continue a
// number. nullopt when s does not start with a number.
std::optional<double> LeadingNumber(std::string_view s);
// The same, 0 when there is none (the lenient parse of the data formats).
inline double Val(std::string_view s) { return LeadingNumber(s).value_or(0.0); }

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double v);

// Little-endian fields of a binary record.
inline std::int16_t ReadInt16LE(const unsigned char* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
inline std::uint32_t ReadUInt32LE(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline float ReadFloatLE(const unsigned char* p) {
    const std::uint32_t bits = ReadUInt32LE(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
inline double ReadDoubleLE(const unsigned char* p) {
    const std::uint64_t bits = static_cast<std::uint64_t>(ReadUInt32LE(p)) |
                               (static_cast<std::uint64_t>(ReadUInt32LE(p + 4)) << 32);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// A fixed-length text field of a binary record, decoded from code page 949
// (ASCII fields, the usual case, are copied as they are).
std::string RecordText(const unsigned char* p, std::size_t length);
// The same with leading and trailing blanks (and NUL padding) removed.
std::string TrimmedRecordText(const unsigned char* p, std::size_t length);

}  // namespace skydata::datatext
