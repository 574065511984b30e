#include "skydata/Constellations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"
#include "skydata/SkyMath.h"
#include "skydata/testdata/ScratchDir.h"

namespace skydata {
namespace {

using skydata::testing::ScratchDir;

// ---- readers ---------------------------------------------------------------

void PutInt16(std::string& out, int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

std::string LineRecord(int ra1, int dec1, int ra2, int dec2, const std::string& code) {
    std::string r;
    PutInt16(r, ra1);
    PutInt16(r, dec1);
    PutInt16(r, ra2);
    PutInt16(r, dec2);
    std::string c = code;
    c.resize(4, ' ');
    return r + c;
}

TEST(LoadConstLines, RecordsInUnitsOfHundredthsAndFifteenThousandthsOfADegree) {
    ScratchDir dir("cline");
    // RA 6000 * 0.015 = 90 deg, Dec -4550 / 100 = -45.5 deg; RA 24000 = 360 deg.
    dir.Write("clineW.dat", LineRecord(6000, 0, 24000, -4550, "AOri") +
                                LineRecord(0, 9000, 12000, 1000, "AUM") + std::string(5, 'x'));
    LoadLog log;
    const auto lines = LoadConstLines(dir.path() / "clineW.dat", "clineW.dat", log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Code, "AOri");
    EXPECT_EQ(lines[1].Code, "AUM");  // trimmed
    EXPECT_NEAR(lines[0].x1, 0.0, 1e-9);
    EXPECT_NEAR(lines[0].y1, 1000.0, 1e-9);
    const auto b = skymath::SphericalToCartesian(360.0, -45.5);
    EXPECT_DOUBLE_EQ(lines[0].x2, b.x);
    EXPECT_DOUBLE_EQ(lines[0].z2, b.z);
    EXPECT_NEAR(lines[1].z1, 1000.0, 1e-9);
    EXPECT_EQ(lines[0].Visible, 1);
    EXPECT_EQ(log.Problems, std::vector<std::string>{"clineW.dat 끝에 불완전한 레코드 (5바이트)"});
}

TEST(LoadConstLines, DeclinationBeyondThePoleIsADamagedRecord) {
    ScratchDir dir("clinebad");
    dir.Write("clineE.dat", LineRecord(0, 9100, 0, 0, "E101") + LineRecord(0, 0, 10, 10, "E101"));
    LoadLog log;
    const auto lines = LoadConstLines(dir.path() / "clineE.dat", "clineE.dat", log);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(log.Problems, std::vector<std::string>{"clineE.dat 1번째 레코드 형식 오류"});
}

TEST(LoadConstLabels, FixedColumnsGiveCodeAndDirection) {
    ScratchDir dir("clabel");
    dir.Write("clabelW.dat",
              "AOri  6.000  0.000\r\n"
              "ASer1 15.60  10.00\r\n"
              "ASer2 18.30  -5.00\r\n"
              "AUMi 15.000 +80.00\r\n"
              "AXYZ  ab.cd  0.000\r\n");
    LoadLog log;
    const auto labels = LoadConstLabels(dir.path() / "clabelW.dat", "clabelW.dat", log);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(log.Problems, std::vector<std::string>{"clabelW.dat 5행 형식 오류"});
    // RA 6 h, Dec 0 lies at (0, 1000, 0) within single rounding.
    EXPECT_NEAR(labels[0].x, 0.0f, 1e-3f);
    EXPECT_NEAR(labels[0].y, 1000.0f, 1e-3f);
    EXPECT_NEAR(labels[0].z, 0.0f, 1e-3f);
    EXPECT_EQ(labels[0].Code, "AOri");
    EXPECT_EQ(labels[1].Code, "ASer1");
    EXPECT_EQ(labels[2].Code, "ASer2");
    EXPECT_NEAR(labels[3].z, 1000.0f * std::sin(80.0 * skymath::kDegToRad), 1e-3);
}

TEST(LoadConstData, CommaFieldsTrimmedAndNumbered) {
    ScratchDir dir("cdata");
    const std::string utf8 =
        "AAnd, 안드로메다자리, Andromeda, 0\r\n"
        "P101,북극(北極),Northern Pole,1\r\n"
        "\"ASer\",\"뱀자리\",\"Serpens\",0\r\n"
        "E105, 심(心), Heart\r\n"          // too few fields
        "E106, 미(尾), Tail, 300\r\n"      // number outside a byte
        "E107, 기(箕), Basket, x\r\n";     // not a number
    dir.Write("ConstDataE.dat", platform::Utf8ToCp949(utf8));
    LoadLog log;
    const auto data = LoadConstData(dir.path() / "ConstDataE.dat", "ConstDataE.dat", log);
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(data[0].Code, "AAnd");
    EXPECT_EQ(data[0].Name1, "안드로메다자리");
    EXPECT_EQ(data[0].Name2, "Andromeda");
    EXPECT_EQ(data[0].Number, 0);
    EXPECT_EQ(data[1].Name1, "북극(北極)");
    EXPECT_EQ(data[1].Number, 1);
    EXPECT_EQ(data[2].Code, "ASer");
    EXPECT_EQ(data[2].Name2, "Serpens");
    EXPECT_EQ(data[0].ShowFigure, 1);
    EXPECT_EQ(data[0].ShowBoundary, 1);
    const std::vector<std::string> expected = {"ConstDataE.dat 4행 형식 오류",
                                               "ConstDataE.dat 5행 형식 오류",
                                               "ConstDataE.dat 6행 형식 오류"};
    EXPECT_EQ(log.Problems, expected);
}

// A missing file, and an empty one (a copy that failed), stop the load by name.
TEST(LoadConstellationSystem, MissingOrEmptyFileThrowsNamingIt) {
    for (const bool empty_lines : {false, true}) {
        ScratchDir dir("csys");
        dir.Write("clineO.dat", empty_lines ? std::string() : std::string(8, '\0') + "AND ");
        dir.Write("ConstDataO.dat", "AND, a, b, 0\r\n");
        LoadLog log;
        try {
            LoadConstellationSystem(dir.path(), 'O', log);
            FAIL();
        } catch (const platform::RunTimeError& e) {
            const char* named = empty_lines ? "clineO.dat" : "clabelO.dat";
            EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << e.what();
        }
    }
}

// ---- names, labels and filters ---------------------------------------------

ConstDataRecord Row(const std::string& code, const std::string& n1, const std::string& n2,
                    int number = 0) {
    ConstDataRecord r;
    r.Code = code;
    r.Name1 = n1;
    r.Name2 = n2;
    r.Number = static_cast<std::uint8_t>(number);
    return r;
}

ConstLabelRecord Label(const std::string& code) {
    ConstLabelRecord l;
    l.Code = code;
    return l;
}

TEST(GetConstName, FormsNumbersAndUnknownCodes) {
    const std::vector<ConstDataRecord> data = {Row("AOri", "오리온자리", "Orion"),
                                               Row("P101", "북극", "Northern Pole", 2),
                                               Row("P101", "북극성", "Pole Star", 3)};
    EXPECT_EQ(GetConstName(data, "AOri", 0, true), "오리온자리(Orion)");  // no trailing blank
    EXPECT_EQ(GetConstName(data, "AOri", 1, true), "오리온자리");
    EXPECT_EQ(GetConstName(data, "AOri", 2, false), "Orion");
    EXPECT_EQ(GetConstName(data, "P101", 1, true), "북극성 3");  // the last row wins
    EXPECT_EQ(GetConstName(data, "P101", 1, false), "북극성");
    EXPECT_EQ(GetConstName(data, "P1015", 2, true), "Pole Star 3");  // a fifth character is ignored
    EXPECT_EQ(GetConstName(data, "AXYZ", 0, true), "");
    EXPECT_EQ(GetConstName(data, "", 0, true), "");
}

TEST(BuildConstLabels, FirstOrSecondNameWithNumberMatchingOnFourCharacters) {
    const std::vector<ConstDataRecord> data = {Row("ASer", "뱀자리", "Serpens"),
                                               Row("E105", "심", "Heart", 2)};
    std::vector<ConstLabelRecord> labels = {Label("ASer1"), Label("ASer2"), Label("E105"),
                                            Label("E106")};
    labels[3].Text = "old";
    BuildConstLabels(labels, data, false);
    EXPECT_EQ(labels[0].Text, "뱀자리");
    EXPECT_EQ(labels[1].Text, "뱀자리");
    EXPECT_EQ(labels[2].Text, "심 2");
    EXPECT_EQ(labels[3].Text, "old");  // no constellation: untouched
    BuildConstLabels(labels, data, true);
    EXPECT_EQ(labels[0].Text, "Serpens");
    EXPECT_EQ(labels[2].Text, "Heart 2");
}

TEST(ConstFilter, BlankTextHidesAllAndNoFlagGivesEmptyText) {
    std::vector<ConstDataRecord> data = {Row("AAnd", "", ""), Row("ACas", "", "")};
    SetConstFilter(" ", data, false);
    for (const auto& r : data) EXPECT_EQ(r.ShowFigure, 0);
    for (const auto& r : data) EXPECT_EQ(r.ShowBoundary, 1);  // the other set is untouched
    EXPECT_EQ(GetConstFilter(data, false), "");
    SetConstFilter("", data, true);
    EXPECT_EQ(GetConstFilter(data, true), "");
}

TEST(ConstFilter, MatchesWholeFourCharacterChunksOnlyAndRoundTrips) {
    std::vector<ConstDataRecord> data = {Row("AAnd", "", ""), Row("ACas", "", ""),
                                         Row("ndAC", "", ""), Row("AOri", "", "")};
    SetConstFilter("  AAndACas  ", data, false);
    EXPECT_EQ(data[0].ShowFigure, 1);
    EXPECT_EQ(data[1].ShowFigure, 1);
    EXPECT_EQ(data[2].ShowFigure, 0);  // occurs in the text only across two chunks
    EXPECT_EQ(data[3].ShowFigure, 0);
    EXPECT_EQ(GetConstFilter(data, false), "AAndACas");

    std::vector<ConstDataRecord> copy = data;
    for (auto& r : copy) r.ShowFigure = 0;
    SetConstFilter(GetConstFilter(data, false), copy, false);
    for (size_t i = 0; i < data.size(); ++i) EXPECT_EQ(copy[i].ShowFigure, data[i].ShowFigure);
}

TEST(ApplyConstFilter, LinesAndLabelsFollowTheirConstellation) {
    std::vector<ConstDataRecord> data = {Row("ASer", "", ""), Row("AOri", "", "")};
    data[0].ShowFigure = 0;
    data[1].ShowFigure = 1;
    std::vector<ConstLabelRecord> labels = {Label("ASer1"), Label("AOri"), Label("AXyz")};
    labels[1].Visible = 0;
    labels[2].Visible = 0;
    std::vector<ConstLineRecord> lines(3);
    lines[0].Code = "ASer";
    lines[1].Code = "AOri";
    lines[1].Visible = 0;
    lines[2].Code = "AXyz";
    ApplyConstFilter(data, labels, lines);
    EXPECT_EQ(labels[0].Visible, 0);
    EXPECT_EQ(labels[1].Visible, 1);
    EXPECT_EQ(labels[2].Visible, 0);  // no constellation: kept
    EXPECT_EQ(lines[0].Visible, 0);
    EXPECT_EQ(lines[1].Visible, 1);
    EXPECT_EQ(lines[2].Visible, 1);
}

TEST(ApplyBoundFilter, PointsTakeTheBoundaryFlagOfTheirWesternConstellation) {
    std::vector<ConstDataRecord> west = {Row("AUMi", "", ""), Row("ASer", "", "")};
    west[0].ShowBoundary = 0;
    west[1].ShowBoundary = 1;
    std::vector<BoundaryPointRecord> points(3);
    points[0].Code = "UMI";
    points[1].Code = "Ser";
    points[1].Visible = 0;
    points[2].Code = "Xyz";
    points[2].Visible = 0;
    ApplyBoundFilter(west, points);
    EXPECT_EQ(points[0].Visible, 0);
    EXPECT_EQ(points[1].Visible, 1);
    EXPECT_EQ(points[2].Visible, 0);
}

// ---- constellation at a position --------------------------------------------

// B1875.0 (Besselian), the equinox of the position table (Roman 1987).
constexpr double kB1875 = 2405889.258550475;

TEST(FindConstellationAt, FirstCoveringRowInSearchOrder) {
    ScratchDir dir("pos");
    dir.Write("pos_data.dat",
              "  0.0000 24.0000  80.0000 UMi\r\n"
              "  5.0000  6.0000   0.0000 Ori\r\n"
              "  0.0000 24.0000 -90.0000 Oct\r\n");
    LoadLog log;
    const ConstPosTable table = LoadConstPosTable(dir.path(), log);
    ASSERT_EQ(table.Code.size(), 3u);
    EXPECT_FLOAT_EQ(table.RALow_deg[1], 75.0f);
    EXPECT_FLOAT_EQ(table.RAHigh_deg[1], 90.0f);
    const std::vector<ConstDataRecord> west = {Row("AOri", "오리온자리", "Orion"),
                                               Row("AUMi", "작은곰자리", "Ursa Minor"),
                                               Row("AOct", "팔분의자리", "Octans")};
    EXPECT_EQ(FindConstellationCodeAt(table, 82.5, 5.0, kB1875), "AOri");
    EXPECT_EQ(FindConstellationCodeAt(table, 82.5, 85.0, kB1875), "AUMi");
    EXPECT_EQ(FindConstellationCodeAt(table, 100.0, 5.0, kB1875), "AOct");
    EXPECT_EQ(FindConstellationAt(table, west, 82.5, 5.0, kB1875), "오리온자리(Orion)");
    // The row's lower RA bound belongs to it: one arcsecond inside counts.
    EXPECT_EQ(FindConstellationCodeAt(table, 75.0 + 1.0 / 3600.0, 5.0, kB1875), "AOri");
    EXPECT_EQ(FindConstellationCodeAt(table, 75.0 - 1.0 / 3600.0, 5.0, kB1875), "AOct");
}

TEST(FindConstellationAt, UncoveredOrNonFinitePositionGivesEmptyText) {
    ConstPosTable table;
    table.RALow_deg = {0.0f};
    table.RAHigh_deg = {360.0f};
    table.DecLow_deg = {0.0f};
    table.Code = {"UMi"};
    const std::vector<ConstDataRecord> west = {Row("AUMi", "작은곰자리", "Ursa Minor")};
    EXPECT_EQ(FindConstellationCodeAt(table, 10.0, -20.0, 2451545.0), "");
    EXPECT_EQ(FindConstellationAt(table, west, 10.0, -20.0, 2451545.0), "");
    EXPECT_EQ(FindConstellationAt(table, west, std::nan(""), 20.0, 2451545.0), "");
    EXPECT_EQ(FindConstellationAt(table, west, 10.0, 20.0, 2451545.0), "작은곰자리(Ursa Minor)");
}

TEST(LoadConstPosTable, DamagedRowsAreReportedAndQuotedCodesAccepted) {
    ScratchDir dir("posbad");
    dir.Write("pos_data.dat", "0,24,88,\"UMi\"\n\n1 2 3\n1 2 x Ori\n");
    LoadLog log;
    const ConstPosTable table = LoadConstPosTable(dir.path(), log);
    ASSERT_EQ(table.Code.size(), 1u);
    EXPECT_EQ(table.Code[0], "UMi");
    const std::vector<std::string> expected = {"pos_data.dat 3행 형식 오류",
                                               "pos_data.dat 4행 형식 오류"};
    EXPECT_EQ(log.Problems, expected);
}

TEST(SkyDistricts, EnclosuresThenMansionsInHangulAndHanja) {
    EXPECT_EQ(SkyDistricts[0], "자미원");
    EXPECT_EQ(SkyDistricts[31], "紫微垣");
    EXPECT_EQ(SkyDistricts[3], "각");
    EXPECT_EQ(SkyDistricts[34], "角");
    EXPECT_EQ(SkyDistricts[5], "저");
    EXPECT_EQ(SkyDistricts[36], "저");  // the Hanja column repeats the Hangul here
    EXPECT_EQ(SkyDistricts[22], "자");
    EXPECT_EQ(SkyDistricts[53], "자");
    EXPECT_EQ(SkyDistricts[23], "삼");
    EXPECT_EQ(SkyDistricts[54], "\xEF\xA5\xAB");  // 參 as the compatibility ideograph U+F96B
    EXPECT_EQ(SkyDistricts[14], "위");
    EXPECT_EQ(SkyDistricts[45], "危");
    EXPECT_EQ(SkyDistricts[19], "위");
    EXPECT_EQ(SkyDistricts[50], "胃");
    EXPECT_EQ(SkyDistricts[30], "진");
    EXPECT_EQ(SkyDistricts[61], "軫");
}

}  // namespace
}  // namespace skydata
