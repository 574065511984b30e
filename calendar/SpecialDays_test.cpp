// The special-day table: its two text forms, the day lookups, the computed
// days of a year and the D-Days.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "calendar/CalendarState.h"
#include "calendar/ComputedDays.h"
#include "calendar/DayNames.h"
#include "calendar/SpecialDays.h"
#include "calendar/VuCalendarServices.h"

namespace calendar {
namespace {

double Noon(int y, int m, int d) { return JulianDay(y, m, d, 12, 0, 0); }

SDayRecord Entry(std::int16_t year, std::int16_t month, std::int16_t day, const std::string& name,
                 std::uint8_t kind = 0, bool lunar = false, bool leap = false) {
    SDayRecord r;
    r.year = year;
    r.month = month;
    r.day = day;
    r.name = name;
    r.kind = kind;
    r.lunar = lunar;
    r.leap = leap;
    return r;
}

TEST(SDayText, SettingsValueBothWays) {
    EXPECT_EQ(SDayToText(SDayRecord{}), "-10000 :; -5 :;  0 :; F :; F :;  :;  0");
    EXPECT_EQ(TextToSDay("-10000 :; -5 :;  0 :; F :; F :;  :;  0"), SDayRecord{});
    const SDayRecord dday = Entry(DDayYear, 2, 100, "백일", 2);
    EXPECT_EQ(SDayToText(dday), "x :;  2 :;  100 :; F :; F :; 백일 :;  2");
    EXPECT_EQ(TextToSDay(SDayToText(dday)), dday);
    const SDayRecord lunar = Entry(1990, 3, 15, " 생일 ", 3, true, true);
    SDayRecord back = TextToSDay(SDayToText(lunar));
    EXPECT_EQ(back.name, "생일");  // blanks around a name are trimmed
    back.name = lunar.name;
    EXPECT_EQ(back, lunar);
    // Upper-case X is no D-Day; its number is 0.
    EXPECT_EQ(TextToSDay("X :; 5 :; 5 :; F :; F :; a :; 0").year, 0);
    // A name holding the separator loses its tail, and the kind comes from
    // the following piece.
    const SDayRecord cut = TextToSDay(" 2000 :;  1 :;  2 :; F :; F :; 앞:;뒤 :;  1");
    EXPECT_EQ(cut.name, "앞");
    EXPECT_EQ(cut.kind, 0);
    // Unparsable values read as the empty entry.
    for (const char* bad : {"-10000 :; 5 :; 1", " 2000 :;  1 :;  2 :; F :; F :; a :;  300",
                            " 99999 :;  1 :;  2 :; F :; F :; a :;  1", ""})
        EXPECT_EQ(TextToSDay(bad), SDayRecord{}) << bad;
    EXPECT_EQ(TextToSDay(" 2000.5 :;  1 :;  2.5 :; F :; F :; a :;  1").day, 2);  // halves to even
}

TEST(SDayText, EditorListLines) {
    EXPECT_EQ(SDayListText(7, SDayRecord{}), "(007) 지정된 내용 없음");
    EXPECT_EQ(SDayListText(10, Entry(DDayYear, 2, 100, "백일")), "(010) 백일-2번 기념일 +100일");
    EXPECT_EQ(SDayListText(11, Entry(DDayYear, 2, -3, "전")), "(011) 전-2번 기념일 -3일");
    EXPECT_EQ(SDayListText(3, Entry(EveryYear, 1, 1, "설날", 1, true)), "(003) 설날-(음)1월 1일");
    EXPECT_EQ(SDayListText(365, Entry(2024, 4, 2, "윤", 0, true, true)), "(365) 윤-(음)4월 2일(윤)");
}

TEST(SDayLookup, NamesJoinedKindsMergedEmptySlotsNeverNamed) {
    SDaySet set;
    ClearSDaySet(set);
    const double jd = Noon(2024, 5, 5);
    set[0] = Entry(EveryYear, 5, 5, "휴일", kSDayHoliday);
    set[4] = Entry(EveryYear, 5, 5, "강조", kSDayHighlight);
    set[0].jd = set[4].jd = jd;
    set[2].jd = jd;  // empty slot with a matching jd
    set[3] = Entry(EveryYear, 5, 5, "", 0);
    set[3].jd = jd;  // empty name adds nothing
    set[5] = Entry(EveryYear, 4, 8, "음력", 0, true);
    set[5].jd = jd;  // every-year lunar entry: never by jd
    std::uint8_t kind = 0;
    EXPECT_EQ(DaySDayNames("", jd, kind, set), "휴일, 강조");
    EXPECT_EQ(kind, 3);
    kind = 0;
    EXPECT_EQ(DaySDayNames("앞", jd, kind, set), "앞, 휴일, 강조");

    // Lunar every-year entries: by lunar date and the same leap flag only.
    kind = 0;
    EXPECT_EQ(SDayNamesOfDate("", 2024, 4, 8, false, kind, set), "음력");
    EXPECT_EQ(SDayNamesOfDate("", 2024, 4, 8, true, kind, set), "");
    set[6] = Entry(2023, 4, 8, "그해만", 2, true);
    kind = 0;
    EXPECT_EQ(SDayNamesOfDate("", 2024, 4, 8, false, kind, set), "음력");
    EXPECT_EQ(SDayNamesOfDate("", 2023, 4, 8, false, kind, set), "음력, 그해만");
    EXPECT_EQ(kind, 2);
    set[7] = Entry(DDayYear, 5, 8, "디데이", 0, true);  // lunar D-Day: never by lunar date
    set[8] = Entry(EveryYear, NoMonth, 8, "빈", 0, true);
    kind = 0;
    EXPECT_EQ(SDayNamesOfDate("", 2023, 5, 8, false, kind, set), "");
}

TEST(SDayLookup, EventsFallOnTheirLocalDay) {
    const double zone = 9;
    // 23:30 and 00:10 local, as Julian days of UT.
    const std::vector<double> times = {Noon(2024, 2, 9) + (11.5 - zone) / 24, Noon(2024, 2, 10) + (-12.0 - zone + 1.0 / 6) / 24};
    const std::vector<std::string> names = {"늦은", "이른"};
    EXPECT_EQ(AppendEventNames("", Noon(2024, 2, 9), zone, times, names), "늦은(23시)");
    EXPECT_EQ(AppendEventNames("설", Noon(2024, 2, 10), zone, times, names), "설, 이른(00시)");
    // Another zone moves them.
    EXPECT_EQ(AppendEventNames("", Noon(2024, 2, 9), 8, times, names), "늦은(22시), 이른(23시)");
}

class YearDays : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCalendarState();
        for (int s = 0; s < kSDaySets; ++s) ClearSDaySet(s);
    }
    void Prepare(int year) {
        CalendarState& state = Calendar();
        state.CalYear = static_cast<std::int16_t>(year);
        PrepareLunarYear(Noon(year, 1, 1), state.settings.TZ, SetEraRules(state.CalYear), CalendarServicesOfVu(),
                         state.lunar_months);
    }
    const SDayRecord& Slot(int set, int slot) {
        return Calendar().SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(slot)];
    }
};

TEST_F(YearDays, ComputedDaysAndTermsOf2024) {
    Prepare(2024);
    for (int s = 0; s < 3; ++s) YearSpecialDays(2024, s);
    const struct {
        const char* name;
        int m, d;
        int kind;
    } expected[] = {{"한식", 4, 5, 0},   {"초복", 7, 15, 0},   {"중복", 7, 25, 0}, {"말복", 8, 14, 0},
                    {"납향", 1, 20, 0},  {"제석", 2, 9, 1},    {"부활절", 3, 31, 0}, {"성년의 날", 5, 20, 0}};
    for (int k = 0; k < 8; ++k) {
        const SDayRecord& r = Slot(0, 366 + k);
        EXPECT_EQ(r.name, expected[k].name);
        EXPECT_EQ(r.jd, Noon(2024, expected[k].m, expected[k].d)) << r.name;
        EXPECT_EQ(r.kind, expected[k].kind);
        EXPECT_EQ(r.month, 0);
    }
    EXPECT_EQ(Slot(0, 374 + 2).name, "입춘");
    EXPECT_EQ(Slot(0, 374 + 2).jd, Noon(2024, 2, 4));
    EXPECT_EQ(Slot(0, 397).name, "동지");
    EXPECT_EQ(Slot(0, 397).jd, Noon(2024, 12, 21));
    EXPECT_FALSE(Slot(0, 398).InUse());
    for (int s = 1; s < 3; ++s) {
        EXPECT_EQ(Slot(s, 366 + 2).jd, Noon(2024, 2, 4));
        EXPECT_EQ(Slot(s, 389).name, "동지");
        EXPECT_EQ(Slot(s, 389).jd, Noon(2024, 12, 21));
        EXPECT_FALSE(Slot(s, 390).InUse());
    }
    std::uint8_t kind = 0;
    EXPECT_EQ(DaySDayNames("", Noon(2024, 2, 9), kind, 0), "제석");
    EXPECT_EQ(kind, 1);
}

TEST_F(YearDays, EasterAndComingOfAgeDay) {
    EXPECT_EQ(EasterJD(2024), Noon(2024, 3, 31));
    EXPECT_EQ(EasterJD(2025), Noon(2025, 4, 20));
    EXPECT_EQ(EasterJD(2000), Noon(2000, 4, 23));
    EXPECT_EQ(EasterJD(1582), Noon(1582, 4, 15));  // Julian rule
    // Before year 1 the remainders are floored: a Sunday still.
    for (int y : {0, -1, -100}) EXPECT_EQ(static_cast<long>(EasterJD(y) + 1) % 7, 0) << y;
    const SpecialDayContext context = SpecialDayContextOfCalendar();
    EXPECT_EQ(ComputedDayJD(7, 2023, context), Noon(2023, 5, 15));  // 1 May a Monday
    EXPECT_EQ(ComputedDayJD(7, 2024, context), Noon(2024, 5, 20));
}

TEST_F(YearDays, DDaysFromSolarAndLunarEntries) {
    Prepare(2024);
    SDaySet& set = Calendar().SDays[0];
    set[2] = Entry(EveryYear, 1, 1, "신정", 1);
    set[3] = Entry(EveryYear, 1, 1, "설날", 1, true);
    set[10] = Entry(DDayYear, 2, 100, "백일");
    set[11] = Entry(DDayYear, 3, 100, "설 백일");
    set[12] = Entry(DDayYear, 400, 5, "먼");
    set[13] = Entry(DDayYear, 12, 1, "다음날");  // counts from a D-Day before it
    YearSpecialDays(2024, 0);
    EXPECT_EQ(set[10].jd, Noon(2024, 4, 10));
    EXPECT_EQ(set[11].jd, Noon(2024, 5, 20));
    EXPECT_EQ(set[3].jd, 1);  // the lunar entry itself stays out of the jd lookup
    EXPECT_TRUE(set[12].unresolved);
    EXPECT_EQ(set[12].month, 400);  // the user's entry is kept
    EXPECT_TRUE(set[13].unresolved);
    EXPECT_EQ(SDayToText(set[12]), "x :;  400 :;  5 :; F :; F :; 먼 :;  0");
    std::uint8_t kind = 0;
    EXPECT_EQ(DaySDayNames("", Noon(2024, 5, 20), kind, 0), "설 백일, 성년의 날, 소만");  // slot order
    // Counting from a resolved D-Day in an earlier slot.
    set[13].month = 10;
    YearSpecialDays(2024, 0);
    EXPECT_EQ(set[13].jd, Noon(2024, 4, 11));
    // A reference that becomes valid again resolves again.
    set[12].month = 2;
    YearSpecialDays(2024, 0);
    EXPECT_FALSE(set[12].unresolved);
    EXPECT_EQ(set[12].jd, Noon(2024, 1, 6));
}

TEST_F(YearDays, ASolarTermIsNamedOnceWhateverSetsAreShown) {
    Prepare(2024);
    for (int s = 0; s < 3; ++s) YearSpecialDays(2024, s);
    const double daeseol = Noon(2024, 12, 7);
    ASSERT_EQ(Slot(1, 366 + 22).name, "대설");
    ASSERT_EQ(Slot(1, 366 + 22).jd, daeseol);
    // The grid and the day windows chain the lookups set after set.
    const auto chained = [&](std::initializer_list<int> sets) {
        std::string text;
        std::uint8_t kind = 0;
        for (int s : sets) text = DaySDayNames(text, daeseol, kind, s);
        return text;
    };
    const struct {
        std::initializer_list<int> sets;
        const char* text;
    } cases[] = {{{0}, "대설"}, {{2}, "대설"}, {{0, 1}, "대설"}, {{1, 0}, "대설"}, {{0, 1, 2}, "대설"}};
    for (const auto& c : cases) EXPECT_EQ(chained(c.sets), c.text) << c.sets.size();

    // A user's entry of the day stays in slot order, named by each set that
    // holds it; the term still comes once. A text that only contains the
    // term's name ("대설주의보") does not hide it.
    Calendar().SDays[1][4] = Entry(EveryYear, 12, 7, "대설주의보", kSDayHighlight);
    Calendar().SDays[2][0] = Entry(EveryYear, 12, 7, "눈", 0);
    for (int s = 0; s < 3; ++s) YearSpecialDays(2024, s);
    EXPECT_EQ(chained({0, 1, 2}), "대설, 대설주의보, 눈");
    EXPECT_EQ(chained({2, 1}), "눈, 대설, 대설주의보");

    // The day details and the year's list name it once too.
    EXPECT_EQ(DayNamesText(Calendar(), daeseol, kAllDayNameSources), "대설, 대설주의보, 눈");
    EXPECT_EQ(DayNamesText(Calendar(), Noon(2024, 12, 21), {false, true, true, false}), "동지");
}

TEST_F(YearDays, NewYearsEveWithoutALunarNewYearStaysUnused) {
    SpecialDayContext context = SpecialDayContextOfCalendar();
    context.zone_h = std::nan("");  // every solver fails
    EXPECT_EQ(ComputedDayJD(5, 2024, context), 0.0);
    SDaySet set;
    ClearSDaySet(set);
    set[371].name = "지난해";
    set[371].month = 0;
    YearSpecialDays(2024, set, 0, context);
    EXPECT_FALSE(set[371].InUse());
    EXPECT_EQ(set[371].name, "");
    EXPECT_EQ(set[372].jd, Noon(2024, 3, 31));  // the other computed days stand
}

}  // namespace
}  // namespace calendar
