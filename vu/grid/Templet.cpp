#include "vu/grid/Templet.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "calendar/CalendarState.h"
#include "calendar/LunarYear.h"
#include "calendar/RiseSet.h"
#include "calendar/TideAndGanzhi.h"
#include "calendar/TimeBase.h"
#include "vu/grid/CellText.h"
#include "vu/grid/HtmlPage.h"
#include "vu/grid/MonthGrid.h"
#include "vu/grid/MonthPage.h"

namespace vu {
namespace {

TempletState g_templet;

constexpr std::size_t kTagLength = 7;
constexpr int kCells = 42;
constexpr const char* kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};

// The bytes of the character at i of a UTF-8 text, 0 for a byte that starts
// no whole character.
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 4;
    if (extra == 4 || i + extra >= s.size()) return 0;
    for (std::size_t k = 1; k <= extra; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return extra + 1;
}

// The text with U+FFFD for each byte that starts no whole character, so that
// every position counts as one character.
std::string WholeCharacters(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

// The result being built, refused as soon as it would pass its limit; its
// buffer grows by doubling but never beyond the limit.
class BoundedText {
public:
    BoundedText(std::size_t limit, std::size_t expected) : limit_(limit) { text_.reserve(std::min(expected, limit)); }

    bool Add(std::string_view piece) {
        if (piece.size() > limit_ - text_.size()) return false;
        const std::size_t needed = text_.size() + piece.size();
        if (needed > text_.capacity()) text_.reserve(std::min(limit_, std::max(needed, 2 * text_.capacity())));
        text_.append(piece);
        return true;
    }
    // The value with HTML's special characters as entities.
    bool AddEscaped(std::string_view value) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < value.size(); ++i) {
            const std::string_view entity = HtmlEntity(value[i]);
            if (entity.empty()) continue;
            if (!Add(value.substr(from, i - from)) || !Add(entity)) return false;
            from = i + 1;
        }
        return Add(value.substr(from));
    }
    std::string Take() { return std::move(text_); }

private:
    std::size_t limit_;
    std::string text_;
};

std::string UpperAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Characters [from, from + count) of an ASCII time text, trimmed; "" past its end.
std::string Piece(const std::string& s, std::size_t from, std::size_t count) {
    return from < s.size() ? TrimBlanks(s.substr(from, count)) : "";
}

// The number of the two number characters of a tag: blanks around, an
// optional sign, then digits; false when that is not what they hold.
bool TagNumber(const std::string& two, int& number) {
    const std::string t = TrimBlanks(two);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return false;
    for (std::size_t k = i; k < t.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
    number = std::atoi(t.c_str());
    return true;
}

}  // namespace

TempletState& Templet() { return g_templet; }

void ClearTempletCells() {
    for (int i = 1; i <= kCells; ++i) {
        TempletCellRecord& c = g_templet.TempletCell[static_cast<std::size_t>(i - 1)];
        c = TempletCellRecord{};
        c.no = static_cast<std::int16_t>(i);
    }
}

void FillTempletCells(calendar::CalendarState& state, int year, int month) {
    const calendar::CalendarSettings& cs = state.settings;
    const MonthFrame frame = MonthFrameOf(year, month);
    ListMonthPhenomena(state, frame);
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(cs);
    int cell = frame.first_weekday + 1;
    for (double jd = frame.first_jd; jd <= frame.last_jd && cell <= kCells; jd += 1, ++cell) {
        TempletCellRecord& c = g_templet.TempletCell[static_cast<std::size_t>(cell - 1)];
        std::int16_t ly = 0, leap_flag = 0;
        std::uint8_t lm = 0, ld = 0;
        const bool has_lunar = calendar::GetLunarDate(state.lunar_months, jd, ly, lm, ld, leap_flag);
        const bool leap = leap_flag != 0;
        const double zone = calendar::ZoneInForce(state, jd);
        const std::string sun =
            calendar::RiseSetDay(cs.LON, cs.LAT, jd, zone, calendar::kRiseSetKindSun, calendar::kRiseSetSun, cs.RSP, cs.CalcOBSHT, cs.ObsHT, rule);
        std::string moon = calendar::RiseSetDay(cs.LON, cs.LAT, jd, zone, calendar::kRiseSetKindMoon, calendar::kRiseSetMoon, cs.RSP,
                                      cs.CalcOBSHT, cs.ObsHT, rule);
        if (!moon.empty()) moon.pop_back();
        c.day = static_cast<std::int16_t>(DayOfMonth(frame, jd));
        c.DS = GetIljin(jd);
        c.LD = has_lunar ? LunarDateText(ly, lm, ld, leap) : "";
        std::uint8_t kind = 0;
        c.SD = MakeCellSDStr(state, jd, ly, lm, ld, leap, cs.DispType, zone, frame.jan1_jd, kind);
        c.hidden = false;
        c.WK = kWeekdays[WeekdayOf(jd)];
        c.SR = Piece(sun, 0, 5);
        c.SS = sun.size() >= 5 ? TrimBlanks(sun.substr(sun.size() - 5)) : TrimBlanks(sun);
        c.MR = Piece(moon, 0, 5);
        c.MS = Piece(moon, 6, 5);
        const std::size_t open = moon.find('(');
        c.PH = open == std::string::npos ? "" : TrimBlanks(moon.substr(open + 1));
        if (has_lunar) {
            c.T1 = calendar::TideDayName(state.lunar_months, ly, lm, ld, leap_flag, 0);
            c.T2 = calendar::TideDayName(state.lunar_months, ly, lm, ld, leap_flag, 1);
            c.T3 = calendar::TideDayName(state.lunar_months, ly, lm, ld, leap_flag, 2);
        }
    }
}

namespace {

// The value of a tag; false when the tag stays in the text (upper-cased, or
// as it was for a kind other than B or M or a number that is not one), with
// that text in value.
bool ExpandTag(const std::string& tag, std::string& value) {
    const std::string t = UpperAscii(tag);
    value = tag;
    if (t == "#YEAR0#") {
        value = g_templet.TempletYearText;
        return true;
    }
    if (t == "#MONTH#") {
        value = g_templet.TempletMonthText;
        return true;
    }
    // Seven characters; the field may hold non-ASCII ones (never a known field).
    if (t.size() < kTagLength) return false;
    const char kind = t[1];
    int number = 0;
    if (!TagNumber(t.substr(2, 2), number)) return false;
    const std::string field = t.substr(4, t.size() - 5);
    bool keep = false;
    if (number <= 0) {
        number = 1;
        keep = true;
    } else if (number > kCells) {
        number = kCells;
        keep = true;
    }
    const TempletCellRecord* cell = nullptr;
    if (kind == 'B') {
        cell = &g_templet.TempletCell[static_cast<std::size_t>(number - 1)];
    } else if (kind == 'M') {
        for (const TempletCellRecord& c : g_templet.TempletCell) {
            if (c.day == number) {
                cell = &c;
                break;
            }
        }
        if (!cell) {
            value.clear();
            return true;
        }
    } else {
        return false;
    }
    const TempletCellRecord& c = *cell;
    value.clear();
    if (field == "D1") {
        value = TrimNum(c.day);
    } else if (field == "D2" || field == "SD") {
        value = c.SD;
    } else if (field == "D3") {
        value = c.LD + "/" + c.DS;
    } else if (field == "D4") {
        value = c.SR + "/" + c.SS;
    } else if (field == "D5") {
        value = c.MR + "/" + c.MS + "(" + c.PH + ")";
    } else if (field == "WK") {
        value = c.WK;
    } else if (field == "SR") {
        value = c.SR;
    } else if (field == "SS") {
        value = c.SS;
    } else if (field == "MR") {
        value = c.MR;
    } else if (field == "MS") {
        value = c.MS;
    } else if (field == "LD") {
        value = c.LD;
    } else if (field == "DS") {
        value = c.DS;
    } else if (field == "PH") {
        value = c.PH;
    } else if (field == "T1") {
        value = c.T1;
    } else if (field == "T2") {
        value = c.T2;
    } else if (field == "T3") {
        value = c.T3;
    } else {
        keep = true;
    }
    if (keep) {
        value = t;
        return false;
    }
    if (c.hidden) value.clear();
    return true;
}

}  // namespace

std::string TempletTagValue(const std::string& tag) {
    std::string value;
    ExpandTag(tag, value);
    return value;
}

std::optional<std::string> ApplyTemplet(calendar::CalendarState& state, int year, int month, const std::string& text,
                                        bool escape_html, std::size_t limit) {
    g_templet.TempletYearText = year >= 1 ? std::to_string(year) : "BC " + std::to_string(-year + 1);
    g_templet.TempletMonthText = std::to_string(month);
    ClearTempletCells();
    FillTempletCells(state, year, month);
    const std::string s = WholeCharacters(text);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < s.size() && characters < kTagLength; i += CharLength(s, i)) ++characters;
    if (characters < kTagLength) return text;
    // One pass over the template: a value goes into the result and is never
    // scanned, so its length and its text cannot change what the template's
    // own tags give, and the work stays in proportion to the text.
    BoundedText out(limit, s.size());
    std::string value;
    std::size_t p = 0;
    while (p < s.size()) {
        const std::size_t hash = s.find('#', p);
        if (!out.Add(std::string_view(s).substr(p, hash == std::string::npos ? std::string::npos : hash - p)))
            return std::nullopt;
        if (hash == std::string::npos) break;
        p = hash;
        // A tag is seven characters from a "#" to a "#".
        std::size_t end = p;
        std::size_t steps = 0;
        for (; steps + 1 < kTagLength && end < s.size(); ++steps) end += CharLength(s, end);
        if (steps + 1 < kTagLength || end >= s.size() || s[end] != '#') {
            if (!out.Add("#")) return std::nullopt;
            ++p;
            continue;
        }
        if (ExpandTag(s.substr(p, end + 1 - p), value)) {
            if (!(escape_html ? out.AddEscaped(value) : out.Add(value))) return std::nullopt;
            p = end + 1;
        } else {
            // A tag left in the text: its closing "#" may open the next one.
            if (!out.Add(std::string_view(value).substr(0, value.size() - 1))) return std::nullopt;
            p = end;
        }
    }
    return out.Take();
}

std::string TempletResultName(int year, int month) {
    return "Result_vu" + EraYearText(year, 1) + "년" + std::to_string(month) + "월";
}

}  // namespace vu
