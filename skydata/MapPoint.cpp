#include "skydata/MapPoint.h"

#include "skydata/ConfigStore.h"
#include "skydata/DataText.h"
#include "skydata/DrawnLine.h"

#include <cmath>
#include <limits>

namespace skydata {
namespace {

constexpr std::string_view kFieldSeparator = "<;";
constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::size_t kMapPointFields = 7;

std::int32_t WholeNumberOr(std::string_view field, std::int32_t fallback) {
    const auto value = RoundHalfEven(PlainNumberOrZero(field), std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return value ? static_cast<std::int32_t>(*value) : fallback;
}

}  // namespace

std::vector<std::string_view> SplitRecordLines(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(kRecordEnd, start);
        if (end == std::string_view::npos) {
            const std::string_view last = text.substr(start);
            if (!TrimBlanks(last).empty()) pieces.push_back(last);
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + kRecordEnd.size();
    }
    return pieces;
}

std::vector<std::string_view> SplitMarkFields(std::string_view record) {
    return datatext::SplitFields(record, kFieldSeparator);
}

MapPointState& MapPointModule() {
    static MapPointState state;
    return state;
}

void ResetMapPointModule() { MapPointModule() = MapPointState{}; }

std::string SanitizeMarkName(std::string_view name) { return TrimBlanks(SanitizeLineText(name)); }

void ClearMapPoints(std::vector<MapPoint>& list) { list.assign(1, MapPoint{}); }
void ClearMapPoints() { ClearMapPoints(MapPointModule().MapPoints); }

void AddMapPoint(std::vector<MapPoint>& list, double ra_deg, double dec_deg, std::uint8_t kind, float size_arcmin,
                 std::string_view name, std::int32_t color) {
    MapPoint point;
    point.RA = ra_deg;
    point.Dec = dec_deg;
    point.Kind = kind;
    point.Size = size_arcmin;
    point.Name = SanitizeMarkName(name);
    point.Color = color;
    point.Flag.assign(1, 'y');
    if (list.size() == 1 && list[0].Flag.empty()) {
        list[0] = std::move(point);
    } else {
        list.push_back(std::move(point));
    }
}

void AddMapPoint(double ra_deg, double dec_deg, std::uint8_t kind, float size_arcmin, std::string_view name,
                 std::int32_t color) {
    AddMapPoint(MapPointModule().MapPoints, ra_deg, dec_deg, kind, size_arcmin, name, color);
}

std::string SerializeMapPoints(const std::vector<MapPoint>& list) {
    std::string text;
    for (const MapPoint& p : list) {
        if (p.Flag != "y") continue;
        text += p.Flag;
        text += kFieldSeparator;
        text += FormatPlainNumber(p.RA);
        text += kFieldSeparator;
        text += FormatPlainNumber(p.Dec);
        text += kFieldSeparator;
        text += SanitizeMarkName(p.Name);
        text += kFieldSeparator;
        text += FormatPlainNumber(p.Color);
        text += kFieldSeparator;
        text += FormatPlainNumber(static_cast<double>(p.Size));
        text += kFieldSeparator;
        text += FormatPlainNumber(p.Kind);
        text += kRecordEnd;
    }
    return text;
}

std::string SerializeMapPoints() { return SerializeMapPoints(MapPointModule().MapPoints); }

void ParseMapPoints(std::vector<MapPoint>& list, std::string_view text) {
    ParseMarkRecords(list, text, kMapPointFields, [](const std::vector<std::string_view>& f) {
        MapPoint p;
        p.Flag = TrimBlanks(f[0]);
        p.RA = PlainNumberOrZero(f[1]);
        p.Dec = PlainNumberOrZero(f[2]);
        p.Name = TrimBlanks(f[3]);
        p.Color = WholeNumberOr(f[4], 0);
        const double size = PlainNumberOrZero(f[5]);
        p.Size = std::fabs(size) <= std::numeric_limits<float>::max() ? static_cast<float>(size)
                                                                        : kDefaultMarkerSize_arcmin;
        const std::int32_t kind = WholeNumberOr(f[6], 1);
        p.Kind = static_cast<std::uint8_t>(kind >= 0 && kind <= 5 ? kind : 1);
        return p;
    });
}

void ParseMapPoints(std::string_view text) { ParseMapPoints(MapPointModule().MapPoints, text); }

}  // namespace skydata
