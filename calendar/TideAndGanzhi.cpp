#include "calendar/TideAndGanzhi.h"

#include <string_view>
#include <vector>

#include "calendar/LunarYear.h"

namespace calendar {
namespace {

struct TideSeries {
    std::string_view base;        // days 1..28
    std::string_view thirty;      // days 29 and 30 of a 30-day month
    std::string_view twenty_nine; // day 29 of a 29-day month
};

constexpr TideSeries kTideSeries[3] = {
    {"턱사리,한사리,목사리,어깨사리,허리사리,한꺽기,두꺽기,선조금,앉은조금,한조금,한매,두매,무릎사리,배꼽사리,"
     "가슴사리,턱사리,한사리,목사리,어깨사리,허리사리,한꺽기,두꺽기,선조금,앉은조금,한조금,한매,두매,무릎사리",
     ",배꼽사리,가슴사리", ",배꼽-가슴사리"},
    {"여덟물,아홉물,열물,열한물,열두물,열세물,열네물,조금,한물,두물,세물,네물,다섯물,여섯물,일곱물,여덟물,아홉물,"
     "열물,열한물,열두물,열세물,열네물,조금,한물,두물,세물,네물,다섯물",
     ",여섯물,일곱물", ",예닐곱물"},
    {"일곱매,여덟매,아홉매,열매,한꺽기,두꺽기,아조,조금,무시,한매,두매,세매,네매,다섯매,여섯매,일곱매,여덟매,"
     "아홉매,열매,한꺽기,두꺽기,아조,조금,무시,한매,두매,세매,네매",
     ",다섯매,여섯매", ",대여섯매"},
};

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t comma = text.find(',', begin);
        parts.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) return parts;
        begin = comma + 1;
    }
}

// One character of each text per stem or branch (three bytes in UTF-8).
constexpr std::string_view kStemsHangul = "갑을병정무기경신임계";
constexpr std::string_view kStemsHanja = "甲乙丙丁戊己庚辛壬癸";
constexpr std::string_view kBranchesHangul = "자축인묘진사오미신유술해";
constexpr std::string_view kBranchesHanja = "子丑寅卯辰巳午未申酉戌亥";
constexpr std::size_t kCharBytes = 3;

std::string_view Character(std::string_view text, int index) {
    return text.substr(static_cast<std::size_t>(index) * kCharBytes, kCharBytes);
}

}  // namespace

std::string TideDayName(const LunarMonthTable& table, std::int16_t year, std::uint8_t month,
                        std::uint8_t day, std::int16_t leap, std::uint8_t style) {
    if (day < 1 || day > 30) return "";
    const TideSeries& series = kTideSeries[style <= 1 ? style : 2];
    const bool thirty = IsThirtyDayMonth(table, year, month, leap);
    const std::vector<std::string> names =
        SplitAtCommas(std::string(series.base) + std::string(thirty ? series.thirty : series.twenty_nine));
    const std::size_t index = day - 1u;
    return index < names.size() ? names[index] : "";
}

std::string GetWolgeon(std::int16_t year, std::int16_t month, std::int16_t leap) {
    if (leap != 0 || month < 1 || month > 12) return "";
    const int e = 12 * (year - 2001) + month - 11;
    int stem = (e + 6) % 10;
    if (stem < 0) stem += 10;
    const int branch = month >= 11 ? month - 11 : month + 1;
    std::string text;
    text.append(Character(kStemsHangul, stem)).append(Character(kBranchesHangul, branch));
    text += "(";
    text.append(Character(kStemsHanja, stem)).append(Character(kBranchesHanja, branch));
    text += ")";
    return text;
}

}  // namespace calendar
