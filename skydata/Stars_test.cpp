#include "skydata/Stars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "platform/RunTimeError.h"
#include "skydata/SkyMath.h"
#include "skydata/testdata/ScratchDir.h"

namespace skydata {
namespace {

using skydata::testing::ScratchDir;

// ---- zone of a position ----------------------------------------------------

TEST(StarZoneOf, BandsAndRaSlotsIncludingFoldingAndBounds) {
    struct Case {
        const char* name;
        double ra, dec;
        int zone;
    };
    const Case cases[] = {
        {"last RA slot of band 45..75", 359.7, 60, 4},
        {"RA 90 opens slot 2", 90, 60, 2},
        {"just below RA 90", 89.9, 60, 1},
        {"dec 75 is the polar cap", 0, 75, 0},
        {"dec -75 is the lowest band", 180, -75, 27},
        {"just below -75 is the south cap", 180, -75.01, 29},
        {"negative RA folds to 350", -10, 0, 18},
        {"RA above 360 folds to 45", 405, 20, 5},
        {"tiny negative RA folds to 0, not 360", -1e-15, 0, 11},
        {"dec 15 lower bound inclusive", 0, 15, 5},
        {"dec -15 lower bound inclusive", 359.99, -15, 18},
        {"dec -45 lower bound inclusive", 300, -45, 24},
        {"north pole", 123, 90, 0},
        {"south pole", 123, -90, 29},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StarZoneOf(c.ra, c.dec), c.zone) << c.name;
    }
}

TEST(StarZoneOf, NonFiniteInputStillGivesAValidZone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double ra : {nan, inf, -inf}) {
        const int zone = StarZoneOf(ra, 0.0);
        EXPECT_GE(zone, 0);
        EXPECT_LT(zone, kStarZoneCount);
    }
    const int zone = StarZoneOf(10.0, nan);
    EXPECT_GE(zone, 0);
    EXPECT_LT(zone, kStarZoneCount);
}

// ---- designation texts -----------------------------------------------------

TEST(BayerText, LetterAndSuperscript) {
    EXPECT_EQ(BayerText(24, 2), "2");
    EXPECT_EQ(BayerText(0, 0), "α");
    EXPECT_EQ(BayerText(17, 0), "σ");
    EXPECT_EQ(BayerText(23, 1), "ω1");
    EXPECT_EQ(BayerText(24, 0), "");
    EXPECT_EQ(BayerText(200, 0), "");  // never an index past the table
    EXPECT_EQ(ByteNumberText(0), "");
    EXPECT_EQ(ByteNumberText(7), "7");
    EXPECT_EQ(ByteNumberText(255), "255");
}

TEST(SpectralClassOf, LetterToColourIndex) {
    const std::pair<char, int> cases[] = {{'O', 0}, {'B', 1}, {'A', 2}, {'F', 3}, {'G', 4},
                                          {'K', 5}, {'M', 6}, {'C', 6}, {'S', 6}, {'W', 7},
                                          {' ', 7}, {'a', 7}};
    for (auto [c, cls] : cases) EXPECT_EQ(SpectralClassOf(c), cls) << c;
}

// ---- zone files ------------------------------------------------------------

void PutInt16(std::string& out, int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
template <typename T>
void PutRaw(std::string& out, T v) {
    unsigned char b[sizeof v];
    std::memcpy(b, &v, sizeof v);  // the test machine is little-endian, as the files are
    out.append(reinterpret_cast<const char*>(b), sizeof v);
}
void PutText(std::string& out, const std::string& text, std::size_t width) {
    std::string field = text.substr(0, width);
    field.resize(width, ' ');
    out += field;
}

struct BscFixture {
    int hr = 1;
    double ra = 10, dec = 20;
    float mag = 5.5f;
    std::string sp = "A1", flam = "  9", code = "E105";
    int letter = 24, sup = 0, number = 0;
    float pmRa = 0, pmDec = 0;
};

std::string BscRecord(const BscFixture& s) {
    std::string r;
    PutInt16(r, s.hr);
    PutRaw(r, s.ra);
    PutRaw(r, s.dec);
    PutRaw(r, s.mag);
    PutText(r, s.sp, 2);
    PutText(r, s.flam, 3);
    r.push_back(static_cast<char>(s.letter));
    r.push_back(static_cast<char>(s.sup));
    PutText(r, s.code, 4);
    r.push_back(static_cast<char>(s.number));
    PutRaw(r, s.pmRa);
    PutRaw(r, s.pmDec);
    return r;
}

std::string S2kRecord(const std::string& id, const std::string& hd, const std::string& sao,
                      double ra, double dec, double pmRa, double pmDec, float mag,
                      const std::string& sp) {
    std::string r;
    PutText(r, id, 8);
    PutText(r, hd, 6);
    PutText(r, sao, 6);
    PutRaw(r, ra);
    PutRaw(r, dec);
    PutRaw(r, pmRa);
    PutRaw(r, pmDec);
    PutRaw(r, mag);
    PutText(r, sp, 3);
    return r;
}

std::string ZoneName(const char* folder, const char* prefix, int z) {
    char name[32];
    std::snprintf(name, sizeof name, "%s/%s%02d.dat", folder, prefix, z);
    return name;
}

// A program folder whose zone files hold one faint filler star each (an
// empty zone file is damage), except those a test writes itself.
void WriteEmptyZones(const ScratchDir& dir) {
    BscFixture filler;
    filler.hr = 9999;
    filler.mag = 9.9f;
    for (int z = 0; z < kStarZoneCount; ++z) {
        dir.Write(ZoneName("bsc", "bsc", z), BscRecord(filler));
        dir.Write(ZoneName("sky2000", "s2k", z), S2kRecord("FILLER", "", "", 10, 20, 0, 0, 12.5f, "K0"));
    }
}

constexpr double kJ2000 = 2451545.0;

TEST(LoadBrightStars, ReadsEveryWholeRecordWithItsFields) {
    ScratchDir dir("bsc");
    WriteEmptyZones(dir);
    BscFixture sirius;
    sirius.hr = 2491;
    sirius.ra = 101.2875;
    sirius.dec = -16.7161;
    sirius.mag = -1.46f;
    sirius.sp = "A1";
    sirius.flam = "  9";
    sirius.letter = 0;
    sirius.code = "S301";
    sirius.number = 1;
    sirius.pmRa = -0.5f;
    sirius.pmDec = -1.2f;
    std::string zone20;
    const int n = 7;
    for (int i = 0; i < n; ++i) {
        BscFixture s = sirius;
        s.hr = static_cast<int16_t>(2491 + i);
        zone20 += BscRecord(s);
    }
    dir.Write(ZoneName("bsc", "bsc", 20), zone20);

    CatalogState state;
    LoadLog log;
    LoadBrightStars(state, dir.path(), kJ2000, false, log);
    EXPECT_TRUE(log.Problems.empty());
    ASSERT_EQ(state.BscStar[20].size(), static_cast<size_t>(n));
    EXPECT_EQ(state.BscZoneLastIndex[20], n - 1);
    EXPECT_EQ(state.BscZoneLastIndex[0], 0);
    const BscStarRecord& s = state.BscStar[20][0];
    EXPECT_EQ(s.HR, 2491);
    EXPECT_DOUBLE_EQ(s.RA_deg, 101.2875);
    EXPECT_DOUBLE_EQ(s.Dec_deg, -16.7161);
    EXPECT_FLOAT_EQ(s.Mag, -1.46f);
    EXPECT_EQ(s.SpType, "A1");
    EXPECT_EQ(s.SpClass, 2);
    EXPECT_EQ(s.Flamsteed, "  9");
    EXPECT_EQ(s.Bayer, "α");
    EXPECT_EQ(s.KorConst, "S301");
    EXPECT_EQ(s.KorNumber, "1");
    EXPECT_FLOAT_EQ(s.PmRA_arcsecPerYear, -0.5f);
    EXPECT_FLOAT_EQ(s.PmDec_arcsecPerYear, -1.2f);
    EXPECT_EQ(state.BscStar[20][6].HR, 2497);
}

TEST(LoadBrightStars, DamagedRecordsAreSkippedAndReportedAndPartialTailNoted) {
    ScratchDir dir("bscbad");
    WriteEmptyZones(dir);
    BscFixture good;
    BscFixture nanPlace = good;
    nanPlace.ra = std::numeric_limits<double>::quiet_NaN();
    BscFixture badDec = good;
    badDec.dec = 91;
    BscFixture badLetter = good;
    badLetter.letter = 25;
    std::string zone = BscRecord(good) + BscRecord(nanPlace) + BscRecord(badDec) +
                       BscRecord(badLetter) + BscRecord(good) + std::string(17, '\0');
    dir.Write(ZoneName("bsc", "bsc", 5), zone);

    CatalogState state;
    LoadLog log;
    LoadBrightStars(state, dir.path(), kJ2000, true, log);
    EXPECT_EQ(state.BscStar[5].size(), 2u);
    EXPECT_EQ(state.BscZoneLastIndex[5], 1);
    ASSERT_EQ(log.Problems.size(), 4u);
    EXPECT_EQ(log.Problems[0], "bsc/bsc05.dat 2번째 레코드 형식 오류");
    EXPECT_EQ(log.Problems[1], "bsc/bsc05.dat 3번째 레코드 형식 오류");
    EXPECT_EQ(log.Problems[2], "bsc/bsc05.dat 4번째 레코드 형식 오류");
    EXPECT_EQ(log.Problems[3], "bsc/bsc05.dat 끝에 불완전한 레코드 (17바이트)");
    for (const auto& s : state.BscStar[5]) {
        EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z));
    }
}

TEST(LoadBrightStars, MissingOrEmptyZoneFileThrowsNamingItAndLeavesTablesAlone) {
    for (const bool empty : {false, true}) {
        ScratchDir dir("bscmissing");
        WriteEmptyZones(dir);
        std::filesystem::remove(dir.path() / "bsc" / "bsc17.dat");
        if (empty) dir.Write(ZoneName("bsc", "bsc", 17), "");
        CatalogState state;
        state.BscStar[0].resize(3);
        state.BscZoneLastIndex[0] = 2;
        LoadLog log;
        try {
            LoadBrightStars(state, dir.path(), kJ2000, false, log);
            FAIL() << "no error for a missing or empty zone file";
        } catch (const platform::RunTimeError& e) {
            EXPECT_NE(std::string(e.what()).find("bsc/bsc17.dat"), std::string::npos) << e.what();
        }
        EXPECT_EQ(state.BscStar[0].size(), 3u);
        EXPECT_EQ(state.BscZoneLastIndex[0], 2);
    }
}

TEST(LoadSky2000Stars, ReadsRecordsTrimsTextsAndCutsTheSpectralType) {
    ScratchDir dir("s2k");
    WriteEmptyZones(dir);
    std::string zone;
    zone += S2kRecord("H11767", "8890", "308", 37.95456, 89.26411, 0.0, 0.0, 1.97f, " F7");
    zone += S2kRecord("T000001", "", "", 10.0, 80.0, 0.01, -0.02, 10.4f, "");
    zone += S2kRecord("H1", "1", "1", 10.0, 80.0, 0.0, 0.0, 3.0f, "M");
    dir.Write(ZoneName("sky2000", "s2k", 0), zone);

    CatalogState state;
    LoadLog log;
    LoadSky2000Stars(state, dir.path(), kJ2000, false, log);
    EXPECT_TRUE(log.Problems.empty());
    ASSERT_EQ(state.S2kStar[0].size(), 3u);
    EXPECT_EQ(state.S2kZoneLastIndex[0], 2);
    const S2kStarRecord& p = state.S2kStar[0][0];
    EXPECT_EQ(p.Id, "H11767");
    EXPECT_EQ(p.HD, "8890");
    EXPECT_EQ(p.SAO, "308");
    EXPECT_EQ(p.SpType, "F7");
    EXPECT_EQ(p.SpClass, 3);
    EXPECT_FLOAT_EQ(p.Mag, 1.97f);
    const S2kStarRecord& t = state.S2kStar[0][1];
    EXPECT_EQ(t.HD, "");
    EXPECT_EQ(t.SpType, "");
    EXPECT_EQ(t.SpClass, 7);
    EXPECT_DOUBLE_EQ(t.PmDec_arcsecPerYear, -0.02);
    EXPECT_EQ(state.S2kStar[0][2].SpType, "M");
    EXPECT_EQ(state.S2kStar[0][2].SpClass, 6);
}

TEST(LoadSky2000Stars, SyntheticZoneOfNRecordsLoadsNStars) {
    ScratchDir dir("s2kmany");
    WriteEmptyZones(dir);
    const int n = 1234;
    std::string zone;
    for (int i = 0; i < n; ++i) {
        std::string id("T");
        id += std::to_string(i);
        zone += S2kRecord(id, "", "", 100.0 + i * 0.01, 0.0, 0, 0, 9.0f, "K0");
    }
    dir.Write(ZoneName("sky2000", "s2k", 13), zone);
    CatalogState state;
    LoadLog log;
    LoadSky2000Stars(state, dir.path(), kJ2000, true, log);
    EXPECT_EQ(state.S2kStar[13].size(), static_cast<size_t>(n));
    EXPECT_EQ(state.S2kZoneLastIndex[13], n - 1);
    EXPECT_EQ(state.S2kStar[13][n - 1].Id, "T1233");
}

// ---- vectors ---------------------------------------------------------------

CatalogState StateWithOneStarEach(double ra, double dec, double pmRa, double pmDec) {
    CatalogState state;
    BscStarRecord b;
    b.HR = 2491;
    b.RA_deg = ra;
    b.Dec_deg = dec;
    b.Mag = -1.46f;
    b.PmRA_arcsecPerYear = static_cast<float>(pmRa);
    b.PmDec_arcsecPerYear = static_cast<float>(pmDec);
    state.BscStar[StarZoneOf(ra, dec)].push_back(b);
    S2kStarRecord s;
    s.RA_deg = ra;
    s.Dec_deg = dec;
    s.PmRA_arcsecPerYear = pmRa;
    s.PmDec_arcsecPerYear = pmDec;
    state.S2kStar[StarZoneOf(ra, dec)].push_back(s);
    return state;
}

TEST(StarVectors, WithoutProperMotionTheVectorsAreTheJ2000PlaceAtAnyDate) {
    const double ra = 101.2875, dec = -16.7161;
    const auto expected = skymath::SphericalToCartesian(ra, dec);
    for (double jd : {2451545.0, 2415020.5, 2488069.5, 0.0}) {
        CatalogState state = StateWithOneStarEach(ra, dec, -0.5, -1.2);
        ComputeBscVectors(state, jd, false);
        ComputeS2kVectors(state, jd, false);
        const auto& b = state.BscStar[StarZoneOf(ra, dec)][0];
        const auto& s = state.S2kStar[StarZoneOf(ra, dec)][0];
        EXPECT_DOUBLE_EQ(b.x, expected.x);
        EXPECT_DOUBLE_EQ(b.y, expected.y);
        EXPECT_DOUBLE_EQ(b.z, expected.z);
        EXPECT_DOUBLE_EQ(s.x, expected.x);
        EXPECT_DOUBLE_EQ(s.z, expected.z);
        EXPECT_NEAR(std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z), 1000.0, 1e-9);
    }
}

TEST(StarVectors, ProperMotionMovesThePlaceLinearlyInRaAndDec) {
    // 36"/yr in Dec and 72"/yr in RA over one Julian century: +1 deg and +2 deg.
    const double jd = 2451545.0 + 36525.0;
    CatalogState state = StateWithOneStarEach(50.0, 10.0, 72.0, 36.0);
    ComputeBscVectors(state, jd, true);
    ComputeS2kVectors(state, jd, true);
    const auto expected = skymath::SphericalToCartesian(52.0, 11.0);
    const auto& b = state.BscStar[StarZoneOf(50.0, 10.0)][0];
    const auto& s = state.S2kStar[StarZoneOf(50.0, 10.0)][0];
    // The bright-star motions are singles; 1e-6 of 1000 is 0.2 mas.
    EXPECT_NEAR(b.x, expected.x, 1e-6);
    EXPECT_NEAR(b.y, expected.y, 1e-6);
    EXPECT_NEAR(b.z, expected.z, 1e-6);
    EXPECT_NEAR(s.x, expected.x, 1e-9);
    EXPECT_NEAR(s.y, expected.y, 1e-9);
    EXPECT_NEAR(s.z, expected.z, 1e-9);
}

TEST(LinkStarNames, NamesTakeTheVectorAndMagnitudeOfTheirStar) {
    CatalogState state = StateWithOneStarEach(101.2875, -16.7161, 0, 0);
    StarNameEntry sirius;
    sirius.HR = 2491;
    sirius.Name = "시리우스";
    StarNameEntry unknown;
    unknown.HR = 9999;
    state.WestStarNames = {sirius, unknown};
    state.EastStarNames = {sirius};
    ComputeBscVectors(state, 2451545.0, false);  // ends with LinkStarNames
    const auto& star = state.BscStar[StarZoneOf(101.2875, -16.7161)][0];
    for (const auto* list : {&state.WestStarNames, &state.EastStarNames}) {
        const StarNameEntry& e = (*list)[0];
        EXPECT_EQ(e.x, star.x);
        EXPECT_EQ(e.y, star.y);
        EXPECT_EQ(e.z, star.z);
        EXPECT_FLOAT_EQ(e.Mag, -1.46f);
    }
    const StarNameEntry& u = state.WestStarNames[1];
    EXPECT_EQ(u.x, 0.0);
    EXPECT_EQ(u.y, 0.0);
    EXPECT_EQ(u.z, 0.0);
    EXPECT_EQ(u.Mag, 0.0f);
}

}  // namespace
}  // namespace skydata

namespace skydata {
namespace {

TEST(S2kZone, StarsKeepTheirFileIndexAndAreListedBrightestFirst) {
    S2kZone zone;
    const float mags[] = {5.0f, NAN, 2.0f, 5.0f, -1.0f};
    for (int i = 0; i < 5; ++i) {
        S2kStarRecord s;
        s.Id = "T" + std::to_string(i);
        s.HD = i == 1 ? "" : std::to_string(1000 + i);
        s.SAO = "별" + std::to_string(i);  // not ASCII: kept as given
        s.SpType = "K0";
        s.SpClass = 5;
        s.RA_deg = 10.5 * i;
        s.Dec_deg = -3.25 * i;
        s.PmRA_arcsecPerYear = 0.125 * i;
        s.Mag = mags[i];
        s.x = i;
        zone.push_back(s);
    }
    EXPECT_EQ(zone.ByMagnitude(), (std::vector<std::int32_t>{4, 2, 0, 3, 1}));
    EXPECT_EQ(zone.CountUpTo(5.0f), 4u);
    EXPECT_EQ(zone.CountUpTo(4.9f), 2u);
    EXPECT_EQ(zone.CountUpTo(-2.0f), 0u);
    EXPECT_EQ(zone.CountUpTo(NAN), 0u);
    EXPECT_EQ(zone.Id(3), "T3");
    EXPECT_EQ(zone.HD(1), "");
    EXPECT_EQ(zone.SAO(2), "별2");
    EXPECT_EQ(zone.SpType(4), "K0");
    EXPECT_EQ(zone.Place(2).RA_deg, 21.0);
    EXPECT_EQ(zone.Hot()[3].x, 3.0);
    const S2kStarRecord whole = zone.At(3);
    EXPECT_EQ(whole.HD, "1003");
    EXPECT_EQ(whole.Dec_deg, -9.75);
    EXPECT_EQ(whole.PmRA_arcsecPerYear, 0.375);

    // Replacing a star keeps the others and moves it in the magnitude list.
    S2kStarRecord brighter = whole;
    brighter.Mag = -3.0f;
    brighter.Id = "T3 replaced";
    zone[3] = brighter;
    EXPECT_EQ(zone.ByMagnitude(), (std::vector<std::int32_t>{3, 4, 2, 0, 1}));
    EXPECT_EQ(zone.Id(3), "T3 replaced");
    EXPECT_EQ(zone.Id(4), "T4");
    EXPECT_EQ(zone.SAO(3), "별3");
}

// Texts are kept packed when they have the catalogue's forms and whole
// otherwise; either way each reads back exactly as given.
TEST(S2kZone, EveryTextReadsBackAsGiven) {
    struct Case {
        const char* id;
        const char* hd;
        const char* sao;
        const char* spType;
    };
    const Case cases[] = {
        {"H11767", "8890", "308", "F7"},   // the usual forms
        {"T1233", "", "", ""},             // no HD, SAO or type
        {"H99255A", "1", "999999", "K"},   // a component letter
        {"1048575", "16777215", "2", "(M"},  // largest packed numbers
        {"1048576", "16777216", "3", "A0"},  // one beyond
        {"T0", "0", "07", "B9"},           // zero and leading zeros
        {"", "12", "34", "G5"},            // no number
        {"Ha", "1", "2", "M1"},            // a small last letter
        {"HA12", "1", "2", "M1"},          // two letters in front
        {"T12 3", "1 2", " 5", "K "},      // inner and outer blanks
        {"H5", "12a", "-3", "ABC"},        // no numbers, a long type
        {"별7", "1", "2", "가"},            // beyond ASCII
    };
    S2kZone zone;
    for (const Case& c : cases) zone.push_back(S2kStarRecord{c.id, c.hd, c.sao, 0, 0, 0, 0, 1.0f, c.spType});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].id);
        EXPECT_EQ(zone.Id(i), cases[i].id);
        EXPECT_EQ(zone.HD(i), cases[i].hd);
        EXPECT_EQ(zone.SAO(i), cases[i].sao);
        EXPECT_EQ(zone.SpType(i), cases[i].spType);
    }
    // Replacing odd texts by packed ones and back, and shortening the zone.
    zone[11] = S2kStarRecord{"H3", "4", "5", 0, 0, 0, 0, 1.0f, "A"};
    zone[0] = S2kStarRecord{"H3 x", "4", "5", 0, 0, 0, 0, 1.0f, "A"};
    EXPECT_EQ(zone.Id(11), "H3");
    EXPECT_EQ(zone.Id(0), "H3 x");
    zone.resize(5);
    zone.resize(7);
    EXPECT_EQ(zone.Id(4), "1048576");
    EXPECT_EQ(zone.Id(5), "");
    EXPECT_EQ(zone.HD(6), "");
}

TEST(S2kZone, EqualMagnitudesKeepFileOrderWhateverTheirSign) {
    S2kZone zone;
    for (float mag : {0.0f, -0.0f, 1.0f, 0.0f, -0.5f}) {
        S2kStarRecord s;
        s.Mag = mag;
        zone.push_back(s);
    }
    EXPECT_EQ(zone.ByMagnitude(), (std::vector<std::int32_t>{4, 0, 1, 3, 2}));
}

// Every star of the real catalogue reads back the texts of its record.
TEST(S2kZone, RealCatalogueTextsAreTheRecordsTexts) {
    const std::filesystem::path dir = std::filesystem::path(ZU_SOURCE_DIR) / "data";
    if (!std::filesystem::exists(dir / "sky2000" / "s2k00.dat")) GTEST_SKIP() << "no extended catalogue";
    CatalogState state;
    LoadLog log;
    LoadSky2000Stars(state, dir, 2451545.0, false, log);
    const auto trimmed = [](std::string_view field) {
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\0'; };
        while (!field.empty() && blank(field.front())) field.remove_prefix(1);
        while (!field.empty() && blank(field.back())) field.remove_suffix(1);
        return std::string(field);
    };
    std::size_t stars = 0;
    for (int z = 0; z < kStarZoneCount; ++z) {
        char name[16];
        std::snprintf(name, sizeof name, "s2k%02d.dat", z);
        std::ifstream in(dir / "sky2000" / name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const S2kZone& zone = state.S2kStar[static_cast<std::size_t>(z)];
        ASSERT_EQ(zone.size(), bytes.size() / kS2kRecordBytes);
        for (std::size_t i = 0; i < zone.size(); ++i) {
            const std::string_view record(bytes.data() + i * kS2kRecordBytes, kS2kRecordBytes);
            ASSERT_EQ(zone.Id(i), trimmed(record.substr(0, 8))) << name << " " << i;
            ASSERT_EQ(zone.HD(i), trimmed(record.substr(8, 6))) << name << " " << i;
            ASSERT_EQ(zone.SAO(i), trimmed(record.substr(14, 6))) << name << " " << i;
            ASSERT_EQ(zone.SpType(i), trimmed(trimmed(record.substr(56, 3)).substr(0, 2))) << name << " " << i;
            ++stars;
        }
    }
    EXPECT_GT(stars, 250000u);
}

TEST(S2kZone, LoadedZonesAreListedBrightestFirst) {
    const std::filesystem::path dir = std::filesystem::path(ZU_SOURCE_DIR) / "data";
    if (!std::filesystem::exists(dir / "sky2000" / "s2k00.dat")) GTEST_SKIP() << "no extended catalogue";
    CatalogState state;
    LoadLog log;
    LoadSky2000Stars(state, dir, 2451545.0, false, log);
    for (const S2kZone& zone : state.S2kStar) {
        ASSERT_EQ(zone.ByMagnitude().size(), zone.size());
        for (std::size_t k = 1; k < zone.size(); ++k) {
            const float before = zone.Hot()[static_cast<std::size_t>(zone.ByMagnitude()[k - 1])].Mag;
            const float after = zone.Hot()[static_cast<std::size_t>(zone.ByMagnitude()[k])].Mag;
            ASSERT_LE(before, after);
            if (before == after) ASSERT_LT(zone.ByMagnitude()[k - 1], zone.ByMagnitude()[k]);
        }
    }
}

}  // namespace
}  // namespace skydata
