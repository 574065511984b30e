#include "skydata/CustomCatalog.h"

#include "astro/AngleMath.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/DataText.h"
#include "skydata/LoadedRanges.h"

#include <cmath>
#include <limits>

namespace skydata {
namespace {

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

// A line kept by StripCommentLines, with its line number in the file.
struct NumberedLine {
    std::string text;
    long number = 0;
};

// TABs removed, lines trimmed, empty lines and comment lines dropped; each
// kept line remembers where it stood in the file.
std::vector<NumberedLine> KeptLines(std::string_view text) {
    std::string no_tabs;
    no_tabs.reserve(text.size());
    for (char c : text) {
        if (c != '\t') no_tabs += c;
    }
    std::vector<NumberedLine> kept;
    long number = 0;
    for (std::string_view line : Lines(no_tabs)) {
        ++number;
        std::string trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed[0] == ';') continue;
        kept.push_back({std::move(trimmed), number});
    }
    return kept;
}

std::string JoinLines(const std::vector<NumberedLine>& lines) {
    std::string out;
    for (const NumberedLine& line : lines) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

// The kept lines between an opening and a closing tag, found without regard
// to case in the stripped text, and stripped again; a missing closing tag
// lets the section run to the end of the text. The part of a line before or
// after a tag on the same line belongs to the section as far as it lies
// inside it.
std::vector<NumberedLine> Section(const std::vector<NumberedLine>& kept, std::string_view open_tag,
                                  std::string_view close_tag) {
    const std::string lower = LowerAscii(JoinLines(kept));
    const std::size_t open = lower.find(open_tag);
    if (open == std::string::npos) return {};
    const std::size_t begin = open + open_tag.size();
    std::size_t end = lower.find(close_tag, begin);
    if (end == std::string::npos) end = lower.size();
    std::vector<NumberedLine> section;
    std::size_t start = 0;  // where the line begins in the joined text
    for (const NumberedLine& line : kept) {
        if (start >= end) break;
        const std::size_t first = start, stop = start + line.text.size();
        start = stop + 2;
        const std::size_t from = std::max(first, begin), to = std::min(stop, end);
        if (from >= to) continue;
        std::string piece = TrimBlanks(std::string_view(line.text).substr(from - first, to - from));
        if (piece.empty() || piece[0] == ';') continue;
        section.push_back({std::move(piece), line.number});
    }
    return section;
}

// Cuts a text to kMaxCatText_chars characters; true when it was longer.
bool CutToLabelLength(std::string& text) { return CutToCharacters(text, kMaxCatText_chars); }

// The object-line fields after the kind, with the leading-number rule and the
// defaults of missing trailing fields. The coordinate, size and magnitude
// readers give nullopt for a number the chart cannot use (LoadedRanges.h):
// such a line is refused as a whole.
class Fields {
public:
    explicit Fields(std::vector<std::string> fields) : fields_(std::move(fields)) {}
    bool Has(std::size_t i) const { return i < fields_.size(); }
    std::string Text(std::size_t i) const { return Has(i) ? fields_[i] : std::string(); }
    // A text the chart shows: escapes resolved (unless `escaped` is false),
    // cut to kMaxCatText_chars, remembered as cut.
    std::string Label(std::size_t i, bool escaped = true) {
        std::string text = escaped ? UnescapeCatText(Text(i)) : Text(i);
        cut_ = CutToLabelLength(text) || cut_;
        return text;
    }
    // True once a text of the line was cut.
    bool Cut() const { return cut_; }
    // nullopt for a number too large for a Double.
    std::optional<double> Number(std::size_t i, double fallback = 0) const {
        return Has(i) ? ParsePlainNumber(fields_[i]) : fallback;
    }
    // A right ascension or azimuth folded into 0..360.
    std::optional<double> CircleAngle(std::size_t i) const {
        const std::optional<double> v = Number(i);
        const std::optional<double> folded = v ? FoldedAngle(*v) : std::nullopt;
        return folded ? std::optional<double>(astro::Norm360(*folded)) : std::nullopt;
    }
    std::optional<double> Latitude(std::size_t i) const {
        const std::optional<double> v = Number(i);
        return v && IsUsableLatitude(*v) ? v : std::nullopt;
    }
    std::optional<float> Size(std::size_t i, float fallback = 0) const {
        const std::optional<double> v = Number(i, fallback);
        return v && IsUsableMarkSize(*v) ? std::optional<float>(static_cast<float>(*v)) : std::nullopt;
    }
    std::optional<float> Magnitude(std::size_t i) const {
        const std::optional<double> v = Number(i);
        return v && IsUsableMagnitude(*v) ? std::optional<float>(static_cast<float>(*v)) : std::nullopt;
    }
    // Any number a Single holds.
    std::optional<float> Single(std::size_t i) const {
        const std::optional<double> v = Number(i);
        return v && std::fabs(*v) <= std::numeric_limits<float>::max() ? std::optional<float>(static_cast<float>(*v))
                                                                         : std::nullopt;
    }
    // Colour index 1..5; a missing field, 0 or anything outside 1..5 gives 1.
    int ColorIndex(std::size_t i) const {
        if (!Has(i)) return 1;
        const auto index = RoundHalfEven(PlainNumberOrZero(fields_[i]), 1, 5);
        return index ? static_cast<int>(*index) : 1;
    }

private:
    std::vector<std::string> fields_;
    bool cut_ = false;
};

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::string_view piece : datatext::SplitFields(line, ',')) fields.push_back(TrimBlanks(piece));
    return fields;
}

// Where the lines being read come from, and where refused lines are noted.
struct Reading {
    const std::string& display_name;
    LoadLog* log = nullptr;

    void Refuse(long line_number) const {
        if (log) log->OutOfRangeLine(display_name, line_number);
    }
    void NoteCut(long line_number) const {
        if (log) log->LongTextCut(display_name, line_number, kMaxCatText_chars);
    }
};

void ParseCatalogHeader(const std::vector<NumberedLine>& header, CustomCatalog& cat, const Reading& reading) {
    struct Key {
        std::string_view name;
        std::optional<std::string> value;
        long line_number = 0;
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
    for (const NumberedLine& numbered : header) {
        const std::string_view line = numbered.text;
        const std::string lower = LowerAscii(line);
        for (Key& key : keys) {
            if (key.value || lower.compare(0, key.name.size(), key.name) != 0) continue;
            const std::size_t eq = line.find_first_not_of(' ', key.name.size());
            if (eq == std::string_view::npos || line[eq] != '=') continue;
            key.value = TrimBlanks(line.substr(eq + 1));
            key.line_number = numbered.number;
        }
    }
    // The name, author and comments are shown as they are: cut like labels.
    auto label = [&](const Key& key, std::string text) {
        if (CutToLabelLength(text)) reading.NoteCut(key.line_number);
        return text;
    };
    if (keys[0].value) cat.Name = label(keys[0], *keys[0].value);
    if (keys[1].value) {
        // An equinox outside the chart's dates would precess every position
        // out of the sky: the catalogue keeps J2000.
        const auto epoch = ParsePlainNumber(*keys[1].value);
        if (epoch && IsUsableJD(*epoch)) {
            cat.Epoch = *epoch;
        } else {
            reading.Refuse(keys[1].line_number);
        }
    }
    if (keys[2].value) {
        const std::string letter = LowerAscii(keys[2].value->substr(0, 1));
        cat.Coordinate.assign(1, letter == "a" ? 'a' : 'e');
    }
    if (keys[3].value) cat.Author = label(keys[3], *keys[3].value);
    if (keys[4].value) cat.Comments = label(keys[4], UnescapeCatText(*keys[4].value));
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

// One object line into its kind's array; false when a number of it is
// refused (nothing is added then).
bool ParseObjectLine(int kind, Fields& f, CustomCatalog& cat) {
    auto color = [&](std::size_t i) { return cat.Color[f.ColorIndex(i) - 1]; };
    switch (kind) {
        case kCatCircle:
        case kCatFilledCircle:
        case kCatRect:
        case kCatFilledRect:
        case kCatCross: {
            const auto ra = f.CircleAngle(0), dec = f.Latitude(1);
            const auto size = f.Size(2);
            if (!ra || !dec || !size) return false;
            CustomCatShape s;
            s.RA = *ra;
            s.Dec = *dec;
            s.Size = *size;
            s.Color = color(3);
            s.Name = f.Label(4);
            s.Comment = f.Label(5);
            s.Shape = static_cast<std::uint8_t>(kind + 1);
            cat.Shapes[kind].push_back(std::move(s));
            return true;
        }
        case kCatStar: {
            const auto ra = f.CircleAngle(0), dec = f.Latitude(1);
            const auto mag = f.Magnitude(2), pmRA = f.Single(3), pmDec = f.Single(4);
            if (!ra || !dec || !mag || !pmRA || !pmDec) return false;
            CustomCatStar s;
            s.RA = *ra;
            s.Dec = *dec;
            s.Mag = *mag;
            s.PmRA = *pmRA;
            s.PmDec = *pmDec;
            s.SpType = f.Label(5, false);
            s.Name = f.Label(6);
            s.Comment = f.Label(7);
            cat.Stars.push_back(std::move(s));
            return true;
        }
        case kCatNonstellar: {
            const auto ra = f.CircleAngle(0), dec = f.Latitude(1);
            const auto mag = f.Magnitude(2), size = f.Size(3, 10);
            if (!ra || !dec || !mag || !size) return false;
            CustomCatNst s;
            s.RA = *ra;
            s.Dec = *dec;
            s.Mag = *mag;
            s.Size = *size;
            s.Type = NstTypeCode(f.Text(4));
            s.Name = f.Label(5);
            s.Comment = f.Label(6);
            cat.Nonstellar.push_back(std::move(s));
            return true;
        }
        case kCatLine:
        case kCatLongLine: {
            const auto ra1 = f.Number(0), dec1 = f.Number(1), ra2 = f.Number(2), dec2 = f.Number(3);
            if (!ra1 || !dec1 || !ra2 || !dec2) return false;
            const auto line = FoldedCatLine(CustomCatLine{*ra1, *dec1, *ra2, *dec2, color(4)});
            if (!line) return false;
            cat.Lines[kind - kCatLine].push_back(*line);
            return true;
        }
        case kCatText: {
            const auto ra = f.CircleAngle(0), dec = f.Latitude(1);
            if (!ra || !dec) return false;
            CustomCatText t;
            t.RA = *ra;
            t.Dec = *dec;
            t.Text = f.Label(2);
            t.Color = color(3);
            cat.Texts.push_back(std::move(t));
            return true;
        }
    }
    return true;
}

void ParseObjectList(const std::vector<NumberedLine>& objects, CustomCatalog& cat, const Reading& reading) {
    for (const NumberedLine& line : objects) {
        std::vector<std::string> all = SplitFields(line.text);
        const int kind = KindOf(LowerAscii(all[0]));
        if (kind < 0) continue;
        all.erase(all.begin());
        Fields fields(std::move(all));
        if (!ParseObjectLine(kind, fields, cat)) {
            reading.Refuse(line.number);
        } else if (fields.Cut()) {
            reading.NoteCut(line.number);
        }
    }
    for (int k = 0; k < 5; ++k) cat.Count[k] = static_cast<std::int32_t>(cat.Shapes[k].size());
    cat.Count[kCatStar] = static_cast<std::int32_t>(cat.Stars.size());
    cat.Count[kCatNonstellar] = static_cast<std::int32_t>(cat.Nonstellar.size());
    cat.Count[kCatLine] = static_cast<std::int32_t>(cat.Lines[0].size());
    cat.Count[kCatLongLine] = static_cast<std::int32_t>(cat.Lines[1].size());
    cat.Count[kCatText] = static_cast<std::int32_t>(cat.Texts.size());
}

CustomCatalog ParseCatalog(std::string_view text, const Reading& reading) {
    CustomCatalog cat;
    const std::vector<NumberedLine> kept = KeptLines(text);
    ParseCatalogHeader(Section(kept, "<header>", "</header>"), cat, reading);
    ParseObjectList(Section(kept, "<objectlist>", "</objectlist>"), cat, reading);
    return cat;
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

std::optional<CustomCatLine> FoldedCatLine(const CustomCatLine& line) {
    const std::optional<double> ra1 = FoldedAngle(line.RA1), ra2 = FoldedAngle(line.RA2);
    if (!ra1 || !ra2 || !IsUsableLatitude(line.Dec1) || !IsUsableLatitude(line.Dec2)) return std::nullopt;
    CustomCatLine folded = line;
    folded.RA1 = astro::Norm360(*ra1);
    folded.RA2 = *ra2;
    return folded;
}

std::string StripCommentLines(std::string_view text) { return JoinLines(KeptLines(text)); }

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

CustomCatalog ParseCustomCatalogText(std::string_view text, const std::string& displayName, LoadLog& log) {
    return ParseCatalog(text, Reading{displayName, &log});
}

CustomCatalog ParseCustomCatalogText(std::string_view text) {
    const std::string unnamed;
    return ParseCatalog(text, Reading{unnamed});
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

CustomCatLoadStatus LoadCustomCatalog(const std::filesystem::path& path, CustomCatalog& catalog, LoadLog& log) {
    CustomCatLoadStatus status;
    const std::optional<std::string> text = ReadCatalogFile(path, status);
    if (text) catalog = ParseCustomCatalogText(*text, path.string(), log);
    return status;
}

CustomCatLoadStatus LoadCustomCatalog(const std::filesystem::path& path, CustomCatalog& catalog) {
    LoadLog unread;
    return LoadCustomCatalog(path, catalog, unread);
}

std::optional<CustomCatHeader> ReadCatalogHeader(const std::filesystem::path& path) {
    CustomCatLoadStatus status;
    const std::optional<std::string> text = ReadCatalogFile(path, status);
    if (!text) return std::nullopt;
    CustomCatalog cat;
    const std::string name = path.string();
    ParseCatalogHeader(Section(KeptLines(*text), "<header>", "</header>"), cat, Reading{name});
    return CustomCatHeader{cat.Name, cat.Comments};
}

}  // namespace skydata
