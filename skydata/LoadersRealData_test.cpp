// The loaders against the committed data set in data/. Each test skips while
// the files it needs have not been generated yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/Elements.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/StartupTables.h"
#include "skydata/Stars.h"

namespace skydata {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";
constexpr double kJ2000 = 2451545.0;

bool HaveFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (!fs::exists(kData / name)) return false;
    }
    return true;
}

bool HaveZoneFolders() {
    return HaveFiles({"bsc/bsc00.dat", "bsc/bsc29.dat", "sky2000/s2k00.dat", "sky2000/s2k29.dat"});
}

#define SKIP_WITHOUT(...)                                                       \
    do {                                                                        \
        if (!HaveFiles({__VA_ARGS__})) GTEST_SKIP() << "data/ not generated yet"; \
    } while (0)

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (size_t i = 0; i < lines.size() && i < 20; ++i) all += lines[i] + "\n";
    return all;
}

TEST(RealData, StarCataloguesLoadWholeWithEveryStarInItsZone) {
    if (!HaveZoneFolders()) GTEST_SKIP() << "data/ not generated yet";
    CatalogState state;
    LoadLog log;
    LoadBrightStars(state, kData, kJ2000, false, log);
    LoadSky2000Stars(state, kData, kJ2000, false, log);
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);

    size_t bright = 0, extended = 0;
    for (int z = 0; z < kStarZoneCount; ++z) {
        bright += state.BscStar[z].size();
        extended += state.S2kStar[z].size();
        EXPECT_EQ(state.BscZoneLastIndex[z] + 1, static_cast<int>(state.BscStar[z].size()));
        for (const auto& s : state.BscStar[z]) {
            ASSERT_EQ(StarZoneOf(s.RA_deg, s.Dec_deg), z) << "HR " << s.HR;
        }
        for (const auto& s : state.S2kStar[z]) {
            ASSERT_EQ(StarZoneOf(s.RA_deg, s.Dec_deg), z) << s.Id;
        }
    }
    EXPECT_GT(bright, 9000u);
    EXPECT_GT(extended, 250000u);

    const BscStarRecord* sirius = nullptr;
    int polarisZone = -1;
    for (int z = 0; z < kStarZoneCount; ++z) {
        for (const auto& s : state.BscStar[z]) {
            if (s.HR == 2491) sirius = &s;
            if (s.HR == 424) polarisZone = z;
        }
    }
    ASSERT_NE(sirius, nullptr);
    EXPECT_EQ(sirius->Bayer, "α");
    EXPECT_NE(sirius->Flamsteed.find('9'), std::string::npos);
    EXPECT_NEAR(sirius->Mag, -1.46, 0.005);
    EXPECT_EQ(sirius->SpType, "A1");
    EXPECT_EQ(polarisZone, 0);

    // Star names link to their stars.
    if (HaveFiles({"eName.dat", "wName.dat"})) {
        LoadStarNames(state, kData, log);
        LinkStarNames(state);
        EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
        bool found = false;
        for (const auto& e : state.WestStarNames) {
            if (e.HR != 2491) continue;
            found = true;
            EXPECT_EQ(e.x, sirius->x);
            EXPECT_EQ(e.z, sirius->z);
            EXPECT_NEAR(e.Mag, -1.46, 0.005);
        }
        EXPECT_TRUE(found);
    }
}

TEST(RealData, DeepSkyObjects) {
    SKIP_WITHOUT("dso.dat");
    CatalogState state;
    LoadLog log;
    LoadDeepSky(state, kData, log);
    ComputeDsoVectors(state);
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
    EXPECT_GT(state.DeepSkyObject.size(), 9000u);
    const std::set<std::string> types = {"GC", "GX", "OC", "DN", "PN", "CN", "DK", "CG", "AS"};
    const DeepSkyObjectRecord* m31 = nullptr;
    for (const auto& o : state.DeepSkyObject) {
        EXPECT_TRUE(types.count(o.Type)) << o.ID1 << " " << o.Type;
        if (o.ID1 == "M 31" || o.ID1 == "M31") m31 = &o;
    }
    ASSERT_NE(m31, nullptr);
    EXPECT_EQ(m31->Type, "GX");
    EXPECT_GT(m31->Size1_arcmin, 150.0f);
}

TEST(RealData, ElementFilesLoadWholeHistoricalCometsFirst) {
    SKIP_WITHOUT("histComet.txt", "Comet.txt", "Asteroid.txt");
    LoadLog log;
    const auto historical = ReadCometFile(kData / "histComet.txt", log);
    LoadComets(kData, log);
    LoadAsteroids(kData, log);
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
    const astro::SmallBodyState& bodies = astro::SmallBodies();
    EXPECT_GT(bodies.CometElementList.size(), historical.size());
    ASSERT_FALSE(historical.empty());
    EXPECT_EQ(bodies.CometElementList.front().Name, historical.front().Name);
    EXPECT_EQ(bodies.CometPositions.size(), bodies.CometElementList.size());
    EXPECT_GT(bodies.AsteroidElementList.size(), 5000u);
    EXPECT_EQ(bodies.AsteroidPositions.size(), bodies.AsteroidElementList.size());
    for (const astro::AsteroidElements& a : bodies.AsteroidElementList) {
        EXPECT_TRUE(a.e >= 0 && a.e < 1 && a.a_au > 0) << a.Name;
        EXPECT_EQ(a.Name.find('"'), std::string::npos) << a.Name;
    }
    // A name is shown and searched as it stands: a quote left from the
    // source's own quoting would be part of it.
    for (const astro::CometElements& c : bodies.CometElementList) {
        EXPECT_FALSE(c.Name.empty());
        EXPECT_EQ(c.Name.find('"'), std::string::npos) << c.Name;
    }
    astro::SmallBodies().Reset();
}

TEST(RealData, MilkyWayAndBoundaries) {
    SKIP_WITHOUT("milkyway.dat", "bound.dat");
    LoadLog log;
    const auto milkyWay = LoadMilkyWay(kData, log);
    const auto bounds = LoadConstBounds(kData, log);
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
    EXPECT_GT(milkyWay.size(), 100u);
    std::set<std::string> codes;
    int polygons = 0;
    for (const auto& p : bounds) {
        codes.insert(p.Code);
        polygons += p.NewPolygon;
    }
    EXPECT_EQ(codes.size(), 88u);
    EXPECT_GE(polygons, 89);  // Serpens in two parts
}

TEST(RealData, ConstellationAtKnownPlaces) {
    SKIP_WITHOUT("pos_data.dat");
    LoadLog log;
    const ConstPosTable table = LoadConstPosTable(kData, log);
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
    EXPECT_EQ(table.Code.size(), 357u);
    EXPECT_EQ(FindConstellationCodeAt(table, 37.95, 89.26, kJ2000), "AUMi");  // Polaris
    EXPECT_EQ(FindConstellationCodeAt(table, 88.79, 7.41, kJ2000), "AOri");   // Betelgeuse
    EXPECT_EQ(FindConstellationCodeAt(table, 266.40, -28.94, kJ2000), "ASgr");  // galactic centre
    EXPECT_EQ(FindConstellationCodeAt(table, 101.29, -16.72, kJ2000), "ACMa");  // Sirius
    EXPECT_EQ(FindConstellationCodeAt(table, 10.68, -89.5, kJ2000), "AOct");
    if (HaveFiles({"ConstDataW.dat"})) {
        const auto west = LoadConstData(kData / "ConstDataW.dat", "ConstDataW.dat", log);
        EXPECT_EQ(FindConstellationAt(table, west, 88.79, 7.41, kJ2000),
                  GetConstName(west, "AOri", 0, true));
        EXPECT_FALSE(FindConstellationAt(table, west, 88.79, 7.41, kJ2000).empty());
    }
}

TEST(RealData, ConstellationSystemsAreConsistent) {
    SKIP_WITHOUT("clineW.dat", "clineE.dat", "clineO.dat", "clabelW.dat", "clabelE.dat",
                 "clabelO.dat", "ConstDataW.dat", "ConstDataE.dat", "ConstDataO.dat");
    LoadLog log;
    for (char system : {'W', 'E', 'O'}) {
        ConstellationSystem s = LoadConstellationSystem(kData, system, log);
        std::set<std::string> known;
        for (const auto& row : s.Data) known.insert(std::string(CodeKey(row.Code)));
        EXPECT_FALSE(s.Lines.empty()) << system;
        for (const auto& line : s.Lines) {
            EXPECT_TRUE(known.count(std::string(CodeKey(line.Code)))) << system << " " << line.Code;
        }
        BuildConstLabels(s.Labels, s.Data, false);
        for (const auto& label : s.Labels) {
            EXPECT_TRUE(known.count(std::string(CodeKey(label.Code)))) << system << " " << label.Code;
            EXPECT_FALSE(label.Text.empty()) << system << " " << label.Code;
        }
        if (system == 'W') {
            EXPECT_EQ(s.Data.size(), 88u);
            EXPECT_EQ(s.Labels.size(), 89u);
        }
    }
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
}

// In each of the 28 mansion districts the constellation holding the
// mansion's determinative star is coded "00", in both traditional systems and
// in the bright stars' Korean codes; the enclosures have none.
TEST(RealData, DeterminativeConstellationsOfTheMansionsAreCodedZero) {
    SKIP_WITHOUT("ConstDataE.dat", "ConstDataO.dat", "clineE.dat", "clabelE.dat", "clineO.dat", "clabelO.dat");
    if (!HaveZoneFolders()) GTEST_SKIP() << "data/ not generated yet";
    LoadLog log;
    std::vector<std::string> mansions;
    for (char quarter : std::string("ENWS")) {
        for (char digit = '1'; digit <= '7'; ++digit) mansions.push_back(std::string{quarter, digit});
    }
    for (char system : {'E', 'O'}) {
        const ConstellationSystem s = LoadConstellationSystem(kData, system, log);
        std::vector<std::string> marked;
        for (const auto& row : s.Data) {
            if (row.Code.size() >= 4 && row.Code.compare(2, 2, "00") == 0) marked.push_back(row.Code.substr(0, 2));
            // A name is split into Hangul and Hanja, never "name(Hanja) (district)".
            EXPECT_FALSE(row.Name1.find('(') != std::string::npos && row.Name2.empty()) << system << " " << row.Code;
        }
        std::sort(marked.begin(), marked.end());
        std::vector<std::string> expected = mansions;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(marked, expected) << system;
    }
    CatalogState stars;
    LoadBrightStars(stars, kData, kJ2000, false, log);
    for (int k = 0; k < kMansionCount; ++k) {
        const RaDec& place = MansionStarJ2000[static_cast<std::size_t>(k)];
        const BscStarRecord* nearest = nullptr;
        double best = 1e9;
        for (const auto& zone : stars.BscStar) {
            for (const auto& star : zone) {
                const double d = std::hypot((star.RA_deg - place.RA_deg) * std::cos(place.Dec_deg * M_PI / 180),
                                            star.Dec_deg - place.Dec_deg);
                if (d < best) best = d, nearest = &star;
            }
        }
        ASSERT_NE(nearest, nullptr);
        EXPECT_LT(best, 0.1) << k;
        EXPECT_EQ(nearest->KorConst.substr(0, 4), mansions[static_cast<std::size_t>(k)] + "00") << "HR " << nearest->HR;
    }
    EXPECT_TRUE(log.Problems.empty()) << Joined(log.Problems);
}

TEST(RealData, WesternFigureStarsLieMostlyInTheirOwnConstellation) {
    SKIP_WITHOUT("clineW.dat", "pos_data.dat");
    LoadLog log;
    const auto lines = LoadConstLines(kData / "clineW.dat", "clineW.dat", log);
    const ConstPosTable table = LoadConstPosTable(kData, log);
    std::map<std::string, std::pair<int, int>> inside;  // code -> (inside, all)
    for (const auto& line : lines) {
        const std::string code(CodeKey(line.Code));
        for (const auto& [x, y, z] : {std::array<double, 3>{line.x1, line.y1, line.z1},
                                      std::array<double, 3>{line.x2, line.y2, line.z2}}) {
            const double ra = std::atan2(y, x) * 180.0 / M_PI;
            const double dec = std::asin(std::clamp(z / 1000.0, -1.0, 1.0)) * 180.0 / M_PI;
            auto& count = inside[code];
            count.second += 1;
            if (FindConstellationCodeAt(table, ra < 0 ? ra + 360 : ra, dec, kJ2000) == code) {
                count.first += 1;
            }
        }
    }
    EXPECT_EQ(inside.size(), 88u);
    for (const auto& [code, count] : inside) {
        EXPECT_GT(2 * count.first, count.second) << code << " " << count.first << "/" << count.second;
    }
}

}  // namespace
}  // namespace skydata
