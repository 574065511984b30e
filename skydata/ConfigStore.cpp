#include "skydata/ConfigStore.h"

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace skydata {
namespace {

struct Tag {
    std::size_t begin;  // position of "["
    std::size_t end;    // one past "]"
    bool closing;
    std::string_view key;
};

bool IsKeyChar(char c) { return c != '[' && c != ']' && c != '/' && c != '\r' && c != '\n'; }

// Every well-formed tag of the text in order, in one pass: a key may not hold
// brackets, slashes or line ends, so the scan never looks back.
std::vector<Tag> CollectTags(std::string_view text) {
    std::vector<Tag> tags;
    const std::size_t n = text.size();
    std::size_t i = text.find('[');
    while (i != std::string_view::npos && i < n) {
        const bool closing = i + 1 < n && text[i + 1] == '/';
        const std::size_t key_begin = i + 1 + (closing ? 1 : 0);
        std::size_t j = key_begin;
        while (j < n && IsKeyChar(text[j])) ++j;
        if (j < n && text[j] == ']' && j > key_begin) {
            tags.push_back({i, j + 1, closing, text.substr(key_begin, j - key_begin)});
            i = text.find('[', j + 1);
        } else if (j < n && text[j] == '[') {
            i = j;
        } else {
            i = j < n ? text.find('[', j + 1) : std::string_view::npos;
        }
    }
    return tags;
}

template <typename Visit>
void WalkEntries(std::string_view text, Visit&& visit) {
    const std::vector<Tag> tags = CollectTags(text);
    std::unordered_map<std::string_view, std::vector<std::size_t>> closings, openings;
    for (std::size_t t = 0; t < tags.size(); ++t) {
        (tags[t].closing ? closings : openings)[tags[t].key].push_back(t);
    }
    std::size_t cursor = 0;
    for (std::size_t t = 0; t < tags.size(); ++t) {
        const Tag& open = tags[t];
        if (open.closing || open.begin < cursor) continue;
        const auto found = closings.find(open.key);
        if (found == closings.end()) continue;
        const std::vector<std::size_t>& list = found->second;
        const auto next = std::upper_bound(list.begin(), list.end(), t);
        if (next == list.end()) continue;  // no closing tag after it: damaged entry
        // The key opens again before it closes: this opening tag is a stray
        // (a line cut off after its tag), and taking it would swallow the
        // entries up to the real one.
        const std::vector<std::size_t>& opens = openings[open.key];
        const auto reopen = std::upper_bound(opens.begin(), opens.end(), t);
        if (reopen != opens.end() && *reopen < *next) continue;
        const Tag& close = tags[*next];
        visit(open.key, text.substr(open.end, close.begin - open.end));
        cursor = close.end;
    }
}

const std::unordered_map<std::string, std::string>& CurrentIndex() {
    ConfigStoreState& s = ConfigStore();
    if (!s.IndexValid || s.IndexedText != s.ConfigText) {
        s.Index.clear();
        WalkEntries(s.ConfigText, [&](std::string_view key, std::string_view value) {
            s.Index.try_emplace(std::string(key), std::string(value));
        });
        s.IndexedText = s.ConfigText;
        s.IndexValid = true;
    }
    return s.Index;
}

const std::string* LookUp(std::string_view key) {
    const auto& index = CurrentIndex();
    const auto it = index.find(std::string(key));
    return it == index.end() ? nullptr : &it->second;
}

void Append(std::string_view key, std::string_view value) {
    std::string closing = "[/";
    closing += key;
    closing += ']';
    std::string safe(value);
    // A value holding its own closing tag would end the entry early on
    // reading, and one holding its own opening tag would make the entry's
    // opening tag look like a stray one.
    for (std::size_t at = safe.find(closing); at != std::string::npos; at = safe.find(closing, at + 2)) {
        safe.insert(at + 1, 1, ' ');
    }
    std::string opening = "[";
    opening += key;
    opening += ']';
    for (std::size_t at = safe.find(opening); at != std::string::npos; at = safe.find(opening, at + 2)) {
        safe.insert(at + 1, 1, ' ');
    }
    std::string& text = ConfigStore().ConfigText;
    text += '[';
    text += key;
    text += ']';
    text += safe;
    text += closing;
    text += "\r\n";
}

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool CutToCharacters(std::string& text, std::size_t n) {
    if (text.size() <= n) return false;  // n characters take at least n bytes
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == n) {
            text.resize(i);
            return true;
        }
        ++characters;
    }
    return false;
}

ConfigStoreState& ConfigStore() {
    static ConfigStoreState state;
    return state;
}

std::vector<ConfigEntry> ParseConfigEntries(std::string_view text) {
    std::vector<ConfigEntry> entries;
    WalkEntries(text, [&](std::string_view key, std::string_view value) {
        entries.push_back({std::string(key), std::string(value)});
    });
    return entries;
}

std::optional<std::string> FindConfigValue(std::string_view text, std::string_view key) {
    std::optional<std::string> result;
    WalkEntries(text, [&](std::string_view k, std::string_view value) {
        if (!result && k == key) result = std::string(value);
    });
    return result;
}

namespace {

// The plain number text with `significant` digits; the exponent form from
// 10^exponent_from on and below .0001.
std::string PlainNumberWithDigits(double value, int significant, int exponent_from) {
    // No setting holds a non-finite number; should one slip through, it is
    // written as a number that reads back rather than as text that does not.
    if (value == 0 || !std::isfinite(value)) return " 0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits += *p;
    }
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = value < 0 ? "-" : " ";
    if (exponent >= exponent_from || exponent < -4) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1, std::string::npos);
        }
        char exp_text[16];
        std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text += exp_text;
    } else if (exponent >= 0) {
        const std::size_t int_digits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= int_digits) {
            text += digits;
            text.append(int_digits - digits.size(), '0');
        } else {
            text.append(digits, 0, int_digits);
            text += '.';
            text.append(digits, int_digits, std::string::npos);
        }
    } else {
        text += '.';
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

}  // namespace

std::string FormatPlainNumber(double value) { return PlainNumberWithDigits(value, 15, 15); }

std::string FormatPlainNumberSingle(float value) {
    return PlainNumberWithDigits(static_cast<double>(value), 7, 7);
}

std::optional<double> ParsePlainNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string number;
    int mantissa_digits = 0;
    // Decimal magnitude of the mantissa, to tell overflow from underflow.
    long long magnitude = 0;
    bool seen_nonzero = false;
    long long leading_fraction_zeros = 0;
    long long int_digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        if (text[i] != '0') seen_nonzero = true;
        if (seen_nonzero) ++int_digits;
        number += text[i++];
        ++mantissa_digits;
    }
    if (i < n && text[i] == '.') {
        number += text[i++];
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            if (!seen_nonzero) {
                if (text[i] == '0') ++leading_fraction_zeros;
                else seen_nonzero = true;
            }
            number += text[i++];
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0) return 0.0;
    if (!seen_nonzero) return 0.0;
    magnitude = int_digits > 0 ? int_digits - 1 : -(leading_fraction_zeros + 1);
    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        bool exp_negative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            exp_negative = text[j] == '-';
            ++j;
        }
        if (j < n && text[j] >= '0' && text[j] <= '9') {
            while (j < n && text[j] >= '0' && text[j] <= '9') {
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (exp_negative) exponent = -exponent;
        }
    }
    const long long decimal_magnitude = magnitude + exponent;
    if (decimal_magnitude > 400) return std::nullopt;
    if (decimal_magnitude < -400) return 0.0;
    number += 'e';
    number += std::to_string(exponent);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (decimal_magnitude >= 0) return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc()) return 0.0;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> LeadingPlainNumber(std::string_view text) {
    const auto digit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    std::size_t i = text.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos) return std::nullopt;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && text[i] == '.') ++i;
    if (!digit(i)) return std::nullopt;
    return ParsePlainNumber(text);
}

double PlainNumberOrZero(std::string_view text) { return ParsePlainNumber(text).value_or(0.0); }

bool IsWholePlainNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    std::size_t n = text.size();
    while (i < n && blank(text[i])) ++i;
    while (n > i && blank(text[n - 1])) --n;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < n && digit(text[i]); ++i) ++digits;
    if (i < n && text[i] == '.') {
        for (++i; i < n && digit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        if (i == n || !digit(text[i])) return false;
        while (i < n && digit(text[i])) ++i;
    }
    return i == n && ParsePlainNumber(text).has_value();
}

std::optional<std::int64_t> RoundHalfEven(double value, std::int64_t min, std::int64_t max) {
    if (!std::isfinite(value)) return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    if (whole < static_cast<double>(min) || whole > static_cast<double>(max)) return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::optional<std::string> ReadConfigValue(std::string_view key) {
    const std::string* value = LookUp(key);
    if (!value) return std::nullopt;
    return *value;
}

bool ReadConfigBool(std::string_view key, bool default_value) {
    const std::string* value = LookUp(key);
    if (!value) return default_value;
    return LowerAscii(TrimBlanks(*value)) == "true";
}

double ReadConfigDouble(std::string_view key, double default_value) {
    const std::string* value = LookUp(key);
    if (!value) return default_value;
    return ParsePlainNumber(*value).value_or(default_value);
}

std::int32_t ReadConfigLong(std::string_view key, std::int32_t default_value) {
    const std::string* value = LookUp(key);
    if (!value) return default_value;
    const auto number = ParsePlainNumber(*value);
    if (!number) return default_value;
    const auto whole = RoundHalfEven(*number, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return whole ? static_cast<std::int32_t>(*whole) : default_value;
}

std::int16_t ReadConfigInt(std::string_view key, std::int16_t default_value) {
    const std::string* value = LookUp(key);
    if (!value) return default_value;
    const auto number = ParsePlainNumber(*value);
    if (!number) return default_value;
    const auto whole = RoundHalfEven(*number, std::numeric_limits<std::int16_t>::min(),
                                     std::numeric_limits<std::int16_t>::max());
    return whole ? static_cast<std::int16_t>(*whole) : default_value;
}

float ReadConfigSingle(std::string_view key, float default_value) {
    const std::string* value = LookUp(key);
    if (!value) return default_value;
    const auto number = ParsePlainNumber(*value);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) return default_value;
    return static_cast<float>(*number);
}

std::string ReadConfigString(std::string_view key, std::string_view default_value) {
    const std::string* value = LookUp(key);
    if (!value) return std::string(default_value);
    return TrimBlanks(*value);
}

void WriteConfigBool(std::string_view key, bool value) { Append(key, value ? "true" : "false"); }
void WriteConfigDouble(std::string_view key, double value) { Append(key, FormatPlainNumber(value)); }
void WriteConfigLong(std::string_view key, std::int32_t value) { Append(key, FormatPlainNumber(value)); }
void WriteConfigInt(std::string_view key, std::int16_t value) { Append(key, FormatPlainNumber(value)); }
void WriteConfigSingle(std::string_view key, float value) {
    Append(key, FormatPlainNumber(static_cast<double>(value)));
}
void WriteConfigString(std::string_view key, std::string_view value) { Append(key, value); }

bool EndsInsideAnEntry(std::string_view text) {
    std::size_t last_end = 0;
    WalkEntries(text, [&](std::string_view key, std::string_view value) {
        last_end = static_cast<std::size_t>(value.data() - text.data()) + value.size() + key.size() + 3;
    });
    return text.find_first_not_of(" \t\r\n", last_end) != std::string_view::npos;
}

bool HasTextOutsideEntries(std::string_view text) {
    std::size_t last_end = 0;
    bool stray = false;
    const auto blank = [](std::string_view part) { return part.find_first_not_of(" \t\r\n") == std::string_view::npos; };
    WalkEntries(text, [&](std::string_view key, std::string_view value) {
        const std::size_t begin = static_cast<std::size_t>(value.data() - text.data()) - key.size() - 2;
        if (!blank(text.substr(last_end, begin - last_end))) stray = true;
        last_end = static_cast<std::size_t>(value.data() - text.data()) + value.size() + key.size() + 3;
    });
    return stray || !blank(text.substr(std::min(last_end, text.size())));
}

ConfigFileStatus LoadConfigFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        // A missing folder is a failure of its own: only a missing file in an
        // existing folder is a first start.
        const std::filesystem::path parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return ConfigFileStatus::Unreadable;
        ConfigStore().ConfigText.assign(1, ' ');
        return ConfigFileStatus::Missing;
    }
    if (status.type() != std::filesystem::file_type::regular) return ConfigFileStatus::Unreadable;
    std::optional<std::string> text = platform::ReadTextFileCp949(path);
    if (!text) return ConfigFileStatus::Unreadable;
    if (text->find_first_not_of(" \t\r\n") != std::string::npos) {
        bool any_entry = false;
        WalkEntries(*text, [&](std::string_view, std::string_view) { any_entry = true; });
        if (!any_entry) return ConfigFileStatus::Damaged;
    }
    ConfigStore().ConfigText = std::move(*text);
    return ConfigFileStatus::Loaded;
}

void ClearConfig() { ConfigStore().ConfigText.clear(); }

void SaveConfigFile(const std::filesystem::path& path, platform::AtLink at_link) {
    if (!platform::WriteTextFileCp949(path, ConfigStore().ConfigText + "\r\n", at_link)) {
        throw platform::RunTimeError("설정 파일을 저장할 수 없습니다: " + path.string());
    }
}

}  // namespace skydata
