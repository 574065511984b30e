#include "calendar/SpecialDays.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "astro/JulianDay.h"
#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "skydata/ConfigStore.h"

namespace calendar {

namespace {

constexpr std::string_view kFieldSeparator = ":;";
constexpr std::string_view kFieldJoin = " :; ";

// Decimal text with one leading blank when not negative.
std::string NumberText(long value) {
    char text[24];
    std::snprintf(text, sizeof text, value < 0 ? "%ld" : " %ld", value);
    return text;
}

// ", " between a non-empty text and a non-empty name.
void JoinName(std::string& text, const std::string& name) {
    if (name.empty()) return;
    if (!text.empty()) text += ", ";
    text += name;
}

// The leading number of a piece rounded half to even, when it fits [min, max].
std::optional<long> PieceNumber(const std::string& piece, long min, long max) {
    const std::optional<double> value = skydata::ParsePlainNumber(piece);
    if (!value) return std::nullopt;
    const std::optional<std::int64_t> rounded = skydata::RoundHalfEven(*value, min, max);
    if (!rounded) return std::nullopt;
    return static_cast<long>(*rounded);
}

bool IsDDay(const SDayRecord& record) { return record.year <= DDayYear; }

// Whether name is one of the ", "-joined items of text.
bool NamesItem(std::string_view text, std::string_view name) {
    for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
        const bool starts = at == 0 || (at >= 2 && text.substr(at - 2, 2) == ", ");
        const std::size_t end = at + name.size();
        const bool ends = end == text.size() || text.substr(end, 2) == ", ";
        if (starts && ends) return true;
    }
    return false;
}

}  // namespace

void ClearSDaySet(SDaySet& set) { set.fill(SDayRecord{}); }

void ClearSDaySet(int set) {
    if (set < 0 || set >= kSDaySets) return;
    ClearSDaySet(Calendar().SDays[static_cast<std::size_t>(set)]);
}

std::string SDayToText(const SDayRecord& record) {
    std::string text = record.year == DDayYear ? std::string("x") : NumberText(record.year);
    text += kFieldJoin;
    text += NumberText(record.month);
    text += kFieldJoin;
    text += NumberText(record.day);
    text += kFieldJoin;
    text += record.lunar ? "T" : "F";
    text += kFieldJoin;
    text += record.leap ? "T" : "F";
    text += kFieldJoin;
    text += record.name;
    text += kFieldJoin;
    text += NumberText(record.kind);
    return text;
}

SDayRecord TextToSDay(std::string_view text) { return ParseSDay(text).value_or(SDayRecord{}); }

std::optional<SDayRecord> ParseSDay(std::string_view text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(kFieldSeparator, start);
        pieces.push_back(skydata::TrimBlanks(text.substr(start, at == std::string_view::npos ? text.npos : at - start)));
        if (at == std::string_view::npos) break;
        start = at + kFieldSeparator.size();
    }
    if (pieces.size() < 7) return std::nullopt;

    SDayRecord record;
    std::optional<long> year;
    if (pieces[0] == "x")
        year = DDayYear;
    else
        year = PieceNumber(pieces[0], INT16_MIN, INT16_MAX);
    const std::optional<long> month = PieceNumber(pieces[1], INT16_MIN, INT16_MAX);
    const std::optional<long> day = PieceNumber(pieces[2], INT16_MIN, INT16_MAX);
    const std::optional<long> kind = PieceNumber(pieces[6], 0, 255);
    if (!year || !month || !day || !kind) return std::nullopt;
    record.year = static_cast<std::int16_t>(*year);
    record.month = static_cast<std::int16_t>(*month);
    record.day = static_cast<std::int16_t>(*day);
    record.lunar = pieces[3] == "T";
    record.leap = pieces[4] == "T";
    record.name = pieces[5];
    record.kind = static_cast<std::uint8_t>(*kind);
    return record;
}

std::string SDayListText(int slot, const SDayRecord& record) {
    char number[16];
    std::snprintf(number, sizeof number, "(%03d) ", slot);
    std::string text = number;
    if (record.month == NoMonth) return text + "지정된 내용 없음";
    text += record.name;
    text += "-";
    if (IsDDay(record)) {
        text += std::to_string(record.month) + "번 기념일 ";
        if (record.day >= 0) text += "+";
        text += std::to_string(record.day) + "일";
        return text;
    }
    if (record.lunar) text += "(음)";
    text += std::to_string(record.month) + "월 " + std::to_string(record.day) + "일";
    if (record.leap) text += "(윤)";
    return text;
}

std::string DaySDayNames(std::string text, double jd, std::uint8_t& kind, const SDaySet& set) {
    for (std::size_t slot = 0; slot < set.size(); ++slot) {
        const SDayRecord& record = set[slot];
        if (!record.InUse() || record.jd != jd) continue;
        if (record.lunar && record.year < -9999) continue;
        // The solar terms are computed into every set: a day shown from
        // several sets names each computed day once.
        if (slot >= static_cast<std::size_t>(kSDayUserSlots) && NamesItem(text, record.name)) continue;
        JoinName(text, record.name);
        kind |= record.kind;
    }
    return text;
}

std::string DaySDayNames(std::string text, double jd, std::uint8_t& kind, int set) {
    if (set < 0 || set >= kSDaySets) return text;
    return DaySDayNames(std::move(text), jd, kind, Calendar().SDays[static_cast<std::size_t>(set)]);
}

std::string SDayNamesOfDate(std::string text, std::int16_t lunar_year, std::uint8_t lunar_month,
                            std::uint8_t lunar_day, bool leap, std::uint8_t& kind, const SDaySet& set,
                            int month_days, bool mark_moved) {
    const bool last_of_short = lunar_day == 29 && month_days == 29;
    for (const SDayRecord& record : set) {
        if (!record.lunar || record.leap != leap || !record.InUse()) continue;
        if (record.year < -14999) continue;
        if (!(record.year < -9999 || record.year == lunar_year)) continue;
        if (record.month != lunar_month) continue;
        const bool moved = last_of_short && record.day == 30;
        if (record.day != lunar_day && !moved) continue;
        JoinName(text, moved && mark_moved ? record.name + kMovedTo29Mark : record.name);
        kind |= record.kind;
    }
    return text;
}

std::string SDayNamesOfDate(std::string text, std::int16_t lunar_year, std::uint8_t lunar_month,
                            std::uint8_t lunar_day, bool leap, std::uint8_t& kind, int set) {
    if (set < 0 || set >= kSDaySets) return text;
    return SDayNamesOfDate(std::move(text), lunar_year, lunar_month, lunar_day, leap, kind,
                           Calendar().SDays[static_cast<std::size_t>(set)]);
}

std::string AppendEventNames(std::string text, double jd, double zone_h, const std::vector<double>& event_jd,
                             const std::vector<std::string>& event_name) {
    const std::size_t count = std::min(event_jd.size(), event_name.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (event_name[i].empty()) continue;
        const double local = event_jd[i] + zone_h / 24.0;
        if (astro::RoundToHalf(local) + 0.5 != jd) continue;
        JoinName(text, event_name[i]);
        text += HourText(local);
    }
    return text;
}

std::string AppendEventNames(std::string text, double jd, double zone_h) {
    return AppendEventNames(std::move(text), jd, zone_h, Calendar().EventJD, Calendar().EventName);
}

}  // namespace calendar
