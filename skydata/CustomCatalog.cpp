#include "skydata/CustomCatalog.h"

#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/DataText.h"

#include <cmath>
#include <limits>

namespace skydata {
namespace {

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The lines of a text split at LF, with a CR before the LF removed.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The text between an opening and a closing tag, found without regard to
// case; a missing closing tag lets the section run to the end of the text.
std::string Section(std::string_view text, std::string_view open_tag, std::string_view close_tag) {
    const std::string lower = LowerAscii(text);
    const std::size_t open = lower.find(open_tag);
    if (open == std::string::npos) return {};
    const std::size_t begin = open + open_tag.size();
    std::size_t end = lower.find(close_tag, begin);
    if (end == std::string::npos) end = text.size();
    return std::string(text.substr(begin, end - begin));
}

double Norm360(double deg) {
    double r = deg - 360.0 * std::floor(deg / 360.0);
    if (r >= 360.0 || r < 0) r = 0;
    return r;
}

// The object-line fields after the kind, with the leading-number rule and the
// defaults of missing trailing fields.
class Fields {
public:
    explicit Fields(std::vector<std::string> fields) : fields_(std::move(fields)) {}
    bool Has(std::size_t i) const { return i < fields_.size(); }
    std::string Text(std::size_t i) const { return Has(i) ? fields_[i] : std::string(); }
    double Number(std::size_t i, double fallback = 0) const { return Has(i) ? PlainNumberOrZero(fields_[i]) : fallback; }
    float Single(std::size_t i, float fallback = 0) const {
        const double v = Number(i, fallback);
        return std::fabs(v) <= std::numeric_limits<float>::max() ? static_cast<float>(v) : fallback;
    }
    // Colour index 1..5; a missing field, 0 or anything outside 1..5 gives 1.
    int ColorIndex(std::size_t i) const {
        if (!Has(i)) return 1;
        const auto index = RoundHalfEven(PlainNumberOrZero(fields_[i]), 1, 5);
        return index ? static_cast<int>(*index) : 1;
    }

private:
    std::vector<std::string> fields_;
};

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::string_view piece : datatext::SplitFields(line, ',')) fields.push_back(TrimBlanks(piece));
    return fields;
}

void ParseCatalogHeader(std::string_view header, CustomCatalog& cat) {
    struct Key {
        std::string_view name;
        std::optional<std::string> value;
    };
    std::array<Key, 10> keys = {{{"catalog name", {}},
                                 {"epoch", {}},
                                 {"coordinate", {}},
                                 {"author", {}},
                                 {"comments", {}},
                                 {"object color[1]", {}},
                                 {"object color[2]", {}},
                                 {"object color[3]", {}},
                                 {"object color[4]", {}},
                                 {"object color[5]", {}}}};
    for (std::string_view line : Lines(header)) {
        const std::string lower = LowerAscii(line);
        for (Key& key : keys) {
            if (key.value || lower.compare(0, key.name.size(), key.name) != 0) continue;
            const std::size_t eq = line.find_first_not_of(' ', key.name.size());
            if (eq == std::string_view::npos || line[eq] != '=') continue;
            key.value = TrimBlanks(line.substr(eq + 1));
        }
    }
    if (keys[0].value) cat.Name = *keys[0].value;
    if (keys[1].value) {
        if (const auto epoch = ParsePlainNumber(*keys[1].value)) cat.Epoch = *epoch;
    }
    if (keys[2].value) {
        const std::string letter = LowerAscii(keys[2].value->substr(0, 1));
        cat.Coordinate.assign(1, letter == "a" ? 'a' : 'e');
    }
    if (keys[3].value) cat.Author = *keys[3].value;
    if (keys[4].value) cat.Comments = UnescapeCatText(*keys[4].value);
    for (int i = 0; i < 5; ++i) {
        if (!keys[5 + i].value) continue;
        if (const auto rgb = ParseRgbText(*keys[5 + i].value)) cat.Color[i] = *rgb;
    }
}

int KindOf(std::string_view kind) {
    static constexpr std::array<std::string_view, kCatKindCount> kNames = {
        "cl", "scl", "rect", "srect", "cr", "star", "nst", "ln", "longln", "str"};
    for (int k = 0; k < kCatKindCount; ++k) {
        if (kind == kNames[k]) return k;
    }
    return -1;
}

void ParseObjectList(std::string_view objects, CustomCatalog& cat) {
    for (std::string_view line : Lines(objects)) {
        if (line.empty()) continue;
        std::vector<std::string> all = SplitFields(line);
        const int kind = KindOf(LowerAscii(all[0]));
        if (kind < 0) continue;
        all.erase(all.begin());
        const Fields f(std::move(all));
        auto color = [&](std::size_t i) { return cat.Color[f.ColorIndex(i) - 1]; };
        switch (kind) {
            case kCatCircle:
            case kCatFilledCircle:
            case kCatRect:
            case kCatFilledRect:
            case kCatCross: {
                CustomCatShape s;
                s.RA = Norm360(f.Number(0));
                s.Dec = f.Number(1);
                s.Size = f.Single(2);
                s.Color = color(3);
                s.Name = UnescapeCatText(f.Text(4));
                s.Comment = UnescapeCatText(f.Text(5));
                s.Shape = static_cast<std::uint8_t>(kind + 1);
                cat.Shapes[kind].push_back(std::move(s));
                break;
            }
            case kCatStar: {
                CustomCatStar s;
                s.RA = Norm360(f.Number(0));
                s.Dec = f.Number(1);
                s.Mag = f.Single(2);
                s.PmRA = f.Single(3);
                s.PmDec = f.Single(4);
                s.SpType = f.Text(5);
                s.Name = UnescapeCatText(f.Text(6));
                s.Comment = UnescapeCatText(f.Text(7));
                cat.Stars.push_back(std::move(s));
                break;
            }
            case kCatNonstellar: {
                CustomCatNst s;
                s.RA = Norm360(f.Number(0));
                s.Dec = f.Number(1);
                s.Mag = f.Single(2);
                s.Size = f.Single(3, 10);
                s.Type = NstTypeCode(f.Text(4));
                s.Name = UnescapeCatText(f.Text(5));
                s.Comment = UnescapeCatText(f.Text(6));
                cat.Nonstellar.push_back(std::move(s));
                break;
            }
            case kCatLine:
            case kCatLongLine: {
                CustomCatLine l;
                l.RA1 = Norm360(f.Number(0));
                l.Dec1 = f.Number(1);
                l.RA2 = f.Number(2);
                l.Dec2 = f.Number(3);
                l.Color = color(4);
                cat.Lines[kind - kCatLine].push_back(l);
                break;
            }
            case kCatText: {
                CustomCatText t;
                t.RA = Norm360(f.Number(0));
                t.Dec = f.Number(1);
                t.Text = UnescapeCatText(f.Text(2));
                t.Color = color(3);
                cat.Texts.push_back(std::move(t));
                break;
            }
        }
    }
    for (int k = 0; k < 5; ++k) cat.Count[k] = static_cast<std::int32_t>(cat.Shapes[k].size());
    cat.Count[kCatStar] = static_cast<std::int32_t>(cat.Stars.size());
    cat.Count[kCatNonstellar] = static_cast<std::int32_t>(cat.Nonstellar.size());
    cat.Count[kCatLine] = static_cast<std::int32_t>(cat.Lines[0].size());
    cat.Count[kCatLongLine] = static_cast<std::int32_t>(cat.Lines[1].size());
    cat.Count[kCatText] = static_cast<std::int32_t>(cat.Texts.size());
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        out.append(text, start, at - start);
        out += to;
        start = at + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
}

}  // namespace

std::string StripCommentLines(std::string_view text) {
    std::string no_tabs;
    no_tabs.reserve(text.size());
    for (char c : text) {
        if (c != '\t') no_tabs += c;
    }
    std::string out;
    out.reserve(no_tabs.size());
    for (std::string_view line : Lines(no_tabs)) {
        const std::string trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed[0] == ';') continue;
        out += trimmed;
        out += "\r\n";
    }
    return out;
}

std::string UnescapeCatText(std::string_view text) {
    std::string out = ReplaceAll(std::string(text), "/n", "\r\n");
    out = ReplaceAll(std::move(out), "/c", ",");
    out = ReplaceAll(std::move(out), "/t", "\t");
    return ReplaceAll(std::move(out), "//", "/");
}

std::uint8_t NstTypeCode(std::string_view code) {
    const std::string lower = LowerAscii(code);
    if (lower == "nb") return 1;
    if (lower == "gc") return 2;
    if (lower == "oc") return 3;
    if (lower == "gx") return 4;
    if (lower == "pn") return 5;
    return 0;
}

std::optional<std::int32_t> ParseRgbText(std::string_view text) {
    const std::vector<std::string> parts = SplitFields(text);
    if (parts.size() < 3) return std::nullopt;
    std::int32_t rgb = 0;
    std::int32_t factor = 1;
    for (int i = 0; i < 3; ++i) {
        const double v = PlainNumberOrZero(parts[i]);
        const double clamped = v < 0 ? 0 : v > 255 ? 255 : v;
        rgb += static_cast<std::int32_t>(*RoundHalfEven(clamped, 0, 255)) * factor;
        factor *= 256;
    }
    return rgb;
}

CustomCatalog ParseCustomCatalogText(std::string_view text) {
    CustomCatalog cat;
    const std::string stripped = StripCommentLines(text);
    const std::string header = StripCommentLines(Section(stripped, "<header>", "</header>"));
    const std::string objects = StripCommentLines(Section(stripped, "<objectlist>", "</objectlist>"));
    ParseCatalogHeader(header, cat);
    ParseObjectList(objects, cat);
    return cat;
}

namespace {

std::optional<std::string> ReadCatalogFile(const std::filesystem::path& path, CustomCatLoadStatus& status) {
    std::error_code ec;
    const auto type = std::filesystem::status(path, ec).type();
    if (type == std::filesystem::file_type::not_found) {
        status = CustomCatLoadStatus::Missing;
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (type == std::filesystem::file_type::regular) text = platform::ReadTextFileCp949(path);
    status = text ? CustomCatLoadStatus::Loaded : CustomCatLoadStatus::Unreadable;
    return text;
}

}  // namespace

CustomCatLoadStatus LoadCustomCatalog(const std::filesystem::path& path, CustomCatalog& catalog) {
    CustomCatLoadStatus status;
    const std::optional<std::string> text = ReadCatalogFile(path, status);
    if (text) catalog = ParseCustomCatalogText(*text);
    return status;
}

std::optional<CustomCatHeader> ReadCatalogHeader(const std::filesystem::path& path) {
    CustomCatLoadStatus status;
    const std::optional<std::string> text = ReadCatalogFile(path, status);
    if (!text) return std::nullopt;
    CustomCatalog cat;
    ParseCatalogHeader(StripCommentLines(Section(StripCommentLines(*text), "<header>", "</header>")), cat);
    return CustomCatHeader{cat.Name, cat.Comments};
}

}  // namespace skydata
