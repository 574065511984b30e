#pragma once
// The settings store: one text of tagged entries held in memory, with typed
// readers that fall back to a default and appenders that add one entry each.
// An entry is "[" key "]" value "[/" key "]" followed by CR LF; a value may hold
// CR LF, square brackets and anything but its own closing tag. The sky chart
// keeps "Default.cfg" and its chart files (.SKY) in this form, and the calendar
// program its "CalConfig.cfg" and .cal files.
//
// Entries are read in sequence (opening tag, value up to its own closing tag),
// so a value that holds another key's tags cannot hijack that key, and a key
// never matches inside the tag of a longer key (mfont1 against mfont10). An
// opening tag followed by another opening tag of its key before the closing
// one is a stray line, skipped, so it cannot swallow the entries after it.
// The first entry of a key wins. An entry without its closing tag, or a number that
// does not fit its type, reads as absent: the reader returns its default.
//
// Numbers are written and read in the plain number text of the whole system:
// point as decimal separator whatever the locale, a leading blank when not
// negative, no zero before the point of a pure fraction, at most 15 significant
// digits (see FormatPlainNumber / ParsePlainNumber).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/TextFile.h"

namespace skydata {

// Module state of the store. Tests reset it with ClearConfig().
struct ConfigStoreState {
    std::string ConfigText;
    // Index of the entries of ConfigText, rebuilt whenever the text differs
    // from the text it was built from.
    std::string IndexedText;
    std::unordered_map<std::string, std::string> Index;
    bool IndexValid = false;
};
ConfigStoreState& ConfigStore();

// One complete entry of a store text, in file order.
struct ConfigEntry {
    std::string Key;
    std::string Value;
};

// Splits a store text into its complete entries, in order (duplicates kept).
// Text between entries and entries without their closing tag are skipped.
// Linear in the length of the text whatever it holds.
std::vector<ConfigEntry> ParseConfigEntries(std::string_view text);

// The value of the first complete entry of `key` in `text`, or nullopt.
std::optional<std::string> FindConfigValue(std::string_view text, std::string_view key);

// True when text other than blanks and line ends follows the last complete
// entry (or stands in a text without one): a file cut off in the middle of an
// entry, or junk.
bool EndsInsideAnEntry(std::string_view text);
// True when text other than blanks and line ends stands anywhere outside the
// complete entries: before, between or after them (a cut-off or stray line).
bool HasTextOutsideEntries(std::string_view text);

// Plain number text of a Double: " 60", "-127.5", " .280000001192093",
// " 1E+20", " 1E-05" (15 significant digits, exponent form below .0001 and
// from 1E+15 on).
std::string FormatPlainNumber(double value);
// The same for a Single (float): 7 significant digits, exponent form from
// 1E+07 on: 0.03f -> " .03", 8.1f -> " 8.1", -1.5f -> "-1.5".
std::string FormatPlainNumberSingle(float value);

// Plain numeric parse of a text: leading blanks, tabs and line ends skipped,
// an optional sign, digits with an optional point and an optional exponent
// (E or D); stops at the first character that cannot continue the number.
// Text without a number gives 0. Returns nullopt when the number is too large
// for a Double.
std::optional<double> ParsePlainNumber(std::string_view text);
// The number a text begins with (blanks skipped, as ParsePlainNumber reads
// it: "37.5abc" gives 37.5), or nullopt when the text begins with no number
// at all ("", "x", "NaN", "inf", "-") or one too large for a Double.
std::optional<double> LeadingPlainNumber(std::string_view text);
// As ParsePlainNumber, with 0 for a number too large for a Double.
double PlainNumberOrZero(std::string_view text);
// True when the text, blanks, tabs and line ends around it aside, is exactly
// one number of that form with at least one digit (an exponent letter needs
// its digits) and fits a Double: what a value written by the store looks
// like, as against text the readers take as 0 or as absent.
bool IsWholePlainNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4). Returns nullopt when the result lies outside [min, max].
std::optional<std::int64_t> RoundHalfEven(double value, std::int64_t min, std::int64_t max);

// Removes leading and trailing blanks (only the blank character, so line ends
// inside or around a value are kept).
std::string TrimBlanks(std::string_view text);

// The text with the letters A-Z made lower case; every other byte (code page
// 949 text included) as it is.
std::string LowerAscii(std::string_view text);

// Cuts a UTF-8 text to at most n characters (never inside a character);
// true when it was longer.
bool CutToCharacters(std::string& text, std::size_t n);

// Typed readers of ConfigStore().ConfigText.
// The raw value of a key (not trimmed), or nullopt when the key is absent.
std::optional<std::string> ReadConfigValue(std::string_view key);
bool ReadConfigBool(std::string_view key, bool default_value);
double ReadConfigDouble(std::string_view key, double default_value);
std::int32_t ReadConfigLong(std::string_view key, std::int32_t default_value);
std::int16_t ReadConfigInt(std::string_view key, std::int16_t default_value);
// Single settings are read as Double and narrowed; a value beyond the range of
// a Single reads as absent.
float ReadConfigSingle(std::string_view key, float default_value);
// The trimmed value, or the default exactly as given.
std::string ReadConfigString(std::string_view key, std::string_view default_value);

// Appenders. A value that holds its own key's closing or opening tag gets
// that tag broken up ("[/k]" becomes "[ /k]", "[k]" "[ k]") so that the entry
// still reads back.
void WriteConfigBool(std::string_view key, bool value);
void WriteConfigDouble(std::string_view key, double value);
void WriteConfigLong(std::string_view key, std::int32_t value);
void WriteConfigInt(std::string_view key, std::int16_t value);
void WriteConfigSingle(std::string_view key, float value);
void WriteConfigString(std::string_view key, std::string_view value);

enum class ConfigFileStatus {
    Loaded,      // ConfigText holds the file's content
    Missing,     // no such file: ConfigText is one blank, every key reads its default
    Unreadable,  // the file or its folder cannot be read: ConfigText unchanged
    Damaged,     // text without a single complete entry: ConfigText unchanged
};

// Replaces ConfigText by the file's content decoded from code page 949.
ConfigFileStatus LoadConfigFile(const std::filesystem::path& path);
// Empties ConfigText.
void ClearConfig();
// Writes ConfigText and one CR LF to the file in code page 949, atomically;
// a link at its name is replaced or written through as `at_link` says.
// Throws platform::RunTimeError when the file cannot be written; the old file
// is then left as it was.
void SaveConfigFile(const std::filesystem::path& path, platform::AtLink at_link = platform::AtLink::Replace);

}  // namespace skydata
