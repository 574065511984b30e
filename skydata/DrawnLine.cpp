#include "skydata/DrawnLine.h"

#include "skydata/ConfigStore.h"
#include "skydata/MapPoint.h"

#include <limits>

namespace skydata {
namespace {

constexpr std::string_view kFieldSeparator = "<;";
constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::size_t kDrawnLineFields = 6;

}  // namespace

bool IsEmptyDrawnLine(const DrawnLine& line) {
    return line.RA1 == 0 && line.Dec1 == 0 && line.RA2 == 0 && line.Dec2 == 0;
}

DrawnLineState& DrawnLineModule() {
    static DrawnLineState state;
    return state;
}

void ResetDrawnLineModule() { DrawnLineModule() = DrawnLineState{}; }

std::string SanitizeLineText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ' ';
            ++i;
        } else if (c == '\r' || c == '\n') {
            out += ' ';
        } else if (c == '<' && i + 1 < text.size() && text[i + 1] == ';') {
            out += "< ";
        } else {
            out += c;
        }
    }
    return out;
}

void AddDrawnLine(std::vector<DrawnLine>& list, double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg,
                  std::int32_t color, std::string_view text) {
    DrawnLine line{ra1_deg, dec1_deg, ra2_deg, dec2_deg, color, SanitizeLineText(text)};
    if (list.size() == 1 && IsEmptyDrawnLine(list[0])) {
        list[0] = std::move(line);
    } else {
        list.push_back(std::move(line));
    }
}

void AddDrawnLine(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg, std::int32_t color,
                  std::string_view text) {
    AddDrawnLine(DrawnLineModule().DrawnLines, ra1_deg, dec1_deg, ra2_deg, dec2_deg, color, text);
}

void DeleteDrawnLine(std::vector<DrawnLine>& list, std::int64_t index) {
    if (index < 0 || static_cast<std::uint64_t>(index) >= list.size()) return;
    if (list.size() == 1) {
        list.assign(1, DrawnLine{});
        return;
    }
    list.erase(list.begin() + index);
}

void DeleteDrawnLine(std::int64_t index) { DeleteDrawnLine(DrawnLineModule().DrawnLines, index); }

std::string SerializeDrawnLines(const std::vector<DrawnLine>& list) {
    std::string text;
    for (const DrawnLine& l : list) {
        if (IsEmptyDrawnLine(l)) continue;
        text += FormatPlainNumber(l.RA1);
        text += kFieldSeparator;
        text += FormatPlainNumber(l.Dec1);
        text += kFieldSeparator;
        text += FormatPlainNumber(l.RA2);
        text += kFieldSeparator;
        text += FormatPlainNumber(l.Dec2);
        text += kFieldSeparator;
        text += FormatPlainNumber(l.Color);
        text += kFieldSeparator;
        text += SanitizeLineText(l.Text);
        text += kRecordEnd;
    }
    return text;
}

std::string SerializeDrawnLines() { return SerializeDrawnLines(DrawnLineModule().DrawnLines); }

void ParseDrawnLines(std::vector<DrawnLine>& list, std::string_view text) {
    ParseMarkRecords(list, text, kDrawnLineFields, [](const std::vector<std::string_view>& f) {
        DrawnLine l;
        l.RA1 = PlainNumberOrZero(f[0]);
        l.Dec1 = PlainNumberOrZero(f[1]);
        l.RA2 = PlainNumberOrZero(f[2]);
        l.Dec2 = PlainNumberOrZero(f[3]);
        const auto color = RoundHalfEven(PlainNumberOrZero(f[4]), std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max());
        l.Color = color ? static_cast<std::int32_t>(*color) : 0;
        l.Text = std::string(f[5]);
        return l;
    });
}

void ParseDrawnLines(std::string_view text) { ParseDrawnLines(DrawnLineModule().DrawnLines, text); }

}  // namespace skydata
