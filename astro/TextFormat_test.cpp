#include "astro/TextFormat.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/JulianDay.h"

namespace astro {
namespace {

TEST(TextFormat, AngleAndTimeTexts) {
    struct Case {
        const char* name;
        std::string got, want;
    };
    const Case cases[] = {
        {"hms korean", FormatHmsKorean(83.63, 0), "5시 34분 31초"},
        {"hms korean decimals", FormatHmsKorean(83.63, 2), "5시 34분 31.2초"},
        {"hms korean no value", FormatHmsKorean(375, 0), "--"},
        {"clock", FormatClockKorean(97.5, 0), "06시 30분"},
        {"clock rounds to midnight", FormatClockKorean(359.9, 0), "00시 00분"},
        {"clock five minutes", FormatClockKorean((6 + 37 / 60.0) * 15, 1), "06시 35분"},
        {"clock no value", FormatClockKorean(375, 0), "--"},
        {"clock negative", FormatClockKorean(-15, 0), "--"},
        {"clock tiny negative", FormatClockKorean(-1e-9, 0), "--"},
        {"hms latin", FormatHmsLatin(83.63), "5h34m 31.2s"},
        {"hms latin whole hour", FormatHmsLatin(90), "6h"},
        {"hms latin minutes", FormatHmsLatin(91.5), "6h6m "},
        {"dms korean", FormatDmsKorean(-5.5, 0), "-5도 30분 0초"},
        {"dms korean small negative", FormatDmsKorean(-0.5, 0), "-0도 30분 0초"},
        {"dms symbol", FormatDmsSymbol(23.4392911), "23°26′21.4″"},
        {"dms symbol whole", FormatDmsSymbol(10), "10°"},
        {"dms symbol negative", FormatDmsSymbol(-0.5), "-0°30′"},
        {"dms symbol carry", FormatDmsSymbol(29.9999999), "30°"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(TextFormat, DateTextsAndFileName) {
    EXPECT_EQ(FormatDateKorean(DateToJD(2016, 2, 27, 15, 16, 0)), "2016년 2월 27일");
    EXPECT_EQ(FormatDateKorean(DateToJD(0, 3, 1, 0, 0, 0)).rfind("기원전 1", 0), 0u);
    EXPECT_EQ(FormatDateKorean(DateToJD(-99, 3, 1, 0, 0, 0)), "기원전 100년 3월 1일");

    EXPECT_EQ(MakeChartFileName(DateToJD(2016, 2, 27, 15, 16, 0), "고령"), "2016년2월27일15시16분_고령");
    const std::string odd = MakeChartFileName(DateToJD(0, 1, 2, 3, 4, 0), " 서울 / 종로\\A:B ");
    EXPECT_EQ(odd, "기원전1년1월2일3시4분_서울_종로_A_B");
    EXPECT_EQ(odd.find(' '), std::string::npos);
    EXPECT_EQ(odd.find('/'), std::string::npos);
}

TEST(TextFormat, Parsers) {
    EXPECT_NEAR(ParseCometDate("20150130.4312"), DateToJD(2015, 1, 30, 0, 0, 0) + 10.3488 / 24, 1e-9);
    EXPECT_EQ(ParseCometDate(" 20150130 "), DateToJD(2015, 1, 30, 0, 0, 0));
    EXPECT_NEAR(ParseCometDate("-4000228.5"), DateToJD(-400, 2, 28, 12, 0, 0), 1e-9);
    EXPECT_TRUE(std::isfinite(ParseCometDate("7.5")));  // too short: zeros, never a fault
    EXPECT_TRUE(std::isfinite(ParseCometDate("")));
    EXPECT_EQ(ParseEpochDate("2015 1 30"), DateToJD(2015, 1, 30, 0, 0, 0));

    EXPECT_EQ(ParseLeadingNumber("  12.5abc"), 12.5);
    EXPECT_EQ(ParseLeadingNumber("-3e2x"), -300);
    EXPECT_EQ(ParseLeadingNumber("4e"), 4);
    EXPECT_EQ(ParseLeadingNumber("abc"), 0);
    EXPECT_EQ(ParseLeadingNumber("-"), 0);
    EXPECT_EQ(ParseLeadingNumber(".5"), 0.5);

    EXPECT_NEAR(DmsTextToDegrees("-", "5", "30", "0"), -5.5, 1e-12);
    EXPECT_NEAR(DmsTextToDegrees("+", "5", "30", "36"), 5.51, 1e-12);
    EXPECT_NEAR(DmsTextToDegrees("-", "-0", "30", ""), -0.5, 1e-12);

    int d, m;
    float s;
    SplitDegreesDms(-23.4392911, d, m, s);
    EXPECT_EQ(d, 23);
    EXPECT_EQ(m, 26);
    EXPECT_NEAR(s, 21.448, 1e-3);
    SplitDegreesDms(359.9999999999, d, m, s);  // 60 s carry up to 360 degrees
    EXPECT_EQ(d, 0);
    EXPECT_EQ(m, 0);
    SplitDegreesDms(NAN, d, m, s);
    EXPECT_EQ(d, 0);
    SplitDegreesDms(1e300, d, m, s);
    EXPECT_EQ(d, 0);
    EXPECT_NE(FormatClockKorean(1e300, 0).find("시"), std::string::npos);  // no overflow of the hours
    SplitDegreesHms(-15, d, m, s);  // folded to 345 degrees
    EXPECT_EQ(d, 23);
    EXPECT_EQ(m, 0);
    SplitDegreesHms(83.63, d, m, s);
    EXPECT_EQ(d, 5);
    EXPECT_EQ(m, 34);
    EXPECT_NEAR(s, 31.2, 1e-3);
}

TEST(TextFormat, DigitPatterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {1, "0.0#", "1.0"},          {1.257, "0.0#", "1.26"},     {1.25, "0.0#", "1.25"},
        {7, "0000", "0007"},         {12345, "0000", "12345"},    {5, "00 ", "05 "},
        {5, "00", "05"},             {2.5, "0", "3"},             {-2.5, "0", "-3"},
        {0.125, "0.00", "0.13"},     {1.005, "0.00", "1.01"},     {-0.001, "0.00", "0.00"},
        {31.25, "0.0", "31.3"},      {59.96, "#0.0", "60.0"},     {3.14159, "#0.00", "3.14"},
        {0.5, "#0.00", "0.50"},      {0.5, "#.00", ".50"},        {123.456, "##0.00", "123.46"},
        {1.5, "##0.00", "1.50"},     {12.3456789, "#0.00000", "12.34568"},
        {2.5, "0.0##", "2.5"},       {2.5005, "0.0##", "2.501"},  {2.5, "0.00##", "2.50"},
        {2.123456, "0.00##", "2.1235"}, {0.000004, "0.00000", "0.00000"},
        {2451545.0, "000000.00000", "2451545.00000"}, {12.5, "000000.00000", "000012.50000"},
        {-12.5, "#0.0", "-12.5"},    {0, "#0.00", "0.00"},        {9.999, "0.00", "10.00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDigitPattern(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
    EXPECT_EQ(FormatDigitPattern(NAN, "0.00"), "");
}

struct NameEntry {
    int HR;
    std::string Name, Name2;
};

TEST(TextFormat, StarNames) {
    const std::vector<NameEntry> east{{1, "A", "a"}, {2, "B", "b"}, {2, "C", "c"}};
    const std::vector<NameEntry> west{{3, "Vega", "직녀"}};
    EXPECT_EQ(LookupNameTable(east, 2), "C(c)");
    EXPECT_EQ(LookupNameTable(east, 9), "");
    EXPECT_EQ(FormatStarNames(east, west, 3), ", Vega(직녀)");
}

// Only spaces are blanks: a tab or a line break is text.
TEST(TextFormat, BlankTrims) {
    const struct {
        const char* text;
        const char* leading;
        const char* both;
    } cases[] = {{"", "", ""},           {"   ", "", ""},         {" a b ", "a b ", "a b"},
                 {"직녀  ", "직녀  ", "직녀"}, {"\ta\t", "\ta\t", "\ta\t"}, {"  x", "x", "x"}};
    for (const auto& c : cases) {
        EXPECT_EQ(TrimLeadingBlanks(c.text), c.leading) << '"' << c.text << '"';
        EXPECT_EQ(TrimBlanks(c.text), c.both) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace astro
