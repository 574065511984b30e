// The free-text search and the star-number lookups on small tables: the
// catalogue order and tags, the case rules, the HR rule and the rules of the
// extended-catalogue fields.
#include <gtest/gtest.h>

#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

skydata::ConstDataRecord Row(const char* code, const char* name1, const char* name2) {
    skydata::ConstDataRecord row;
    row.Code = code;
    row.Name1 = name1;
    row.Name2 = name2;
    return row;
}

struct Tables {
    skydata::ConstellationState constellations;
    astro::PlanetTableT planets{};
    std::vector<astro::BodyPosition> comets, asteroids;
    skydata::CatalogState catalogs;

    Tables() {
        constellations.E.Data = {Row("P101", "북극", "北極"), Row("E100", "Ori자리", "x")};
        constellations.O.Data = {Row("P101", "북극", "ORI")};
        constellations.W.Data = {Row("AAnd", "안드로메다자리", "Andromeda"), Row("AOri", "오리온자리", "Orion")};
        planets[3].Name = "화성";
        planets[9].Name = "명왕성";
        astro::BodyPosition comet;
        comet.Name = "C/2023 A3 (Tsuchinshan-ATLAS)";
        comet.Valid = true;
        comets = {comet, comet};
        comets[1].Valid = false;
        astro::BodyPosition asteroid;
        asteroid.Name = "Orius";
        asteroid.Valid = true;
        asteroids = {asteroid};
        skydata::StarNameEntry east;
        east.Name = "직녀";
        east.Name2 = "Ori";
        skydata::StarNameEntry west;
        west.Name = "Rigel";
        west.Name2 = "리겔, ori";
        catalogs.EastStarNames = {east};
        catalogs.WestStarNames = {west};
        skydata::BscStarRecord star;
        star.HR = 1;
        catalogs.BscStar[0] = {star};
        star.HR = 7001;
        catalogs.BscStar[5] = {star, star};
        star.HR = 10;
        catalogs.BscStar[5].push_back(star);
        catalogs.BscZoneLastIndex[0] = 0;
        catalogs.BscZoneLastIndex[5] = 2;
        skydata::DeepSkyObjectRecord m42;
        m42.ID1 = "M42 ";
        m42.ID2 = " NGC1976";
        m42.Name1 = " 오리온 대성운";
        m42.Name2 = "Orion Nebula ";
        catalogs.DeepSkyObject = {m42};
    }
    SearchSources Sources() const { return {&constellations, &planets, &comets, &asteroids, &catalogs}; }
};

std::vector<std::string> Lines(const std::vector<NameMatch>& matches) {
    std::vector<std::string> lines;
    for (const NameMatch& m : matches) lines.push_back(m.line + " | " + m.key);
    return lines;
}

TEST(ObjectSearch, CataloguesInOrderWithTheirCaseRules) {
    const Tables t;
    EXPECT_EQ(Lines(FindNameMatches("  ori ", t.Sources())),
              (std::vector<std::string>{"[구법별자리]북극 ORI | ocon=0", "[서양별자리]오리온자리 Orion Ori | wcon=1",
                                        "[소행성]Orius | ast=0", "[별이름]Rigel 리겔, ori | wname=0",
                                        "[DSO]M42   NGC1976 오리온 대성운  Orion Nebula | m=0"}));
    // Lower-case letters stored in the Korean tables never match.
    EXPECT_EQ(Lines(FindNameMatches("ORI자리", t.Sources())), std::vector<std::string>{});
    EXPECT_EQ(Lines(FindNameMatches("성", t.Sources())),
              (std::vector<std::string>{"[행성]화성 | pl=3", "[행성]명왕성 | pl=9",
                                        "[DSO]M42   NGC1976 오리온 대성운  Orion Nebula | m=0"}));
    // A comet without a place is left out.
    EXPECT_EQ(Lines(FindNameMatches("atlas", t.Sources())),
              std::vector<std::string>{"[혜성]C/2023 A3 (Tsuchinshan-ATLAS) | com=0"});
}

TEST(ObjectSearch, BrightStarsByTheQuerysNumber) {
    const Tables t;
    EXPECT_EQ(Lines(FindNameMatches("7001", t.Sources())),
              (std::vector<std::string>{"[별]HR 7001 | star= 7001", "[별]HR 7001 | star= 7001"}));
    EXPECT_EQ(Lines(FindNameMatches("1", t.Sources())),
              (std::vector<std::string>{"[별]HR 1 | star= 1", "[DSO]M42   NGC1976 오리온 대성운  Orion Nebula | m=0"}));
    EXPECT_EQ(Lines(FindNameMatches("9.6", t.Sources())), std::vector<std::string>{"[별]HR 10 | star= 10"});
    EXPECT_TRUE(FindNameMatches("x1", t.Sources()).empty());
    const auto hit = LocateHRStar(t.catalogs, 7001);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->zone, 5);
    EXPECT_EQ(hit->index, 0);
    EXPECT_FALSE(LocateHRStar(t.catalogs, 0));
}

TEST(ObjectSearch, DesignationsTypedWithoutTheBlankOrInAnyCase) {
    Tables t;
    const auto dso = [](const char* id1, const char* id2, const char* name) {
        skydata::DeepSkyObjectRecord d;
        d.ID1 = id1;
        d.ID2 = id2;
        d.Name2 = name;
        return d;
    };
    t.catalogs.DeepSkyObject = {dso("M 31", "NGC 224", "Andromeda Galaxy"), dso("NGC 2240", "", ""),
                                dso("IC 434", "Ced 55n", "Horsehead Nebula")};
    t.asteroids[0].Name = "(99999) 2004 QM31";
    skydata::S2kStarRecord vega;
    vega.Id = "H91262";
    vega.HD = "172167";
    vega.SAO = "67174";
    t.catalogs.S2kStar[4] = {vega};
    t.catalogs.S2kZoneLastIndex[4] = 0;
    const std::string andromeda = "[DSO]M 31   NGC 224   Andromeda Galaxy | m=0";
    const std::string ngc2240 = "[DSO]NGC 2240" + std::string(6, ' ') + " | m=1";
    struct Case {
        const char* typed;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        // The asteroid the letters and digits name stays listed.
        {"M31", {"[소행성](99999) 2004 QM31 | ast=0", andromeda}},
        {"m31", {"[소행성](99999) 2004 QM31 | ast=0", andromeda}},
        {"M 31", {andromeda}},
        {" m  31 ", {andromeda}},
        // As with the blank typed, the longer numbers that begin alike follow.
        {"NGC224", {andromeda, ngc2240}},
        {"ngc 224", {andromeda, ngc2240}},
        {"IC434", {"[DSO]IC 434   Ced 55n   Horsehead Nebula | m=2"}},
        {"HR7001", {"[별]HR 7001 | star= 7001", "[별]HR 7001 | star= 7001"}},
        {"hr 7001", {"[별]HR 7001 | star= 7001", "[별]HR 7001 | star= 7001"}},
        {"HD172167", {"[별]HD 172167 | hd=172167"}},
        {"sao67174", {"[별]SAO 67174 | sao=67174"}},
        // A number no record carries lists nothing.
        {"HD172168", {}},
        {"HR9999", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Lines(FindNameMatches(c.typed, t.Sources())), c.lines) << c.typed;
}

TEST(ObjectSearch, ResultKeys) {
    EXPECT_EQ(ParseResultKey("star= 7001")->number, 7001);
    EXPECT_EQ(ParseResultKey("star= 7001")->kind, "star");
    EXPECT_EQ(ParseResultKey("m=12")->number, 12);
    EXPECT_EQ(ParseResultKey("hd=172167")->kind, "hd");
    EXPECT_EQ(ParseResultKey("hd=172167")->number, 172167);
    EXPECT_FALSE(ParseResultKey("nokey"));
}

TEST(ObjectSearch, ExtendedCatalogueFields) {
    skydata::CatalogState catalogs;
    const auto record = [](const char* id, const char* hd, const char* sao) {
        skydata::S2kStarRecord r;
        r.Id = id;
        r.HD = hd;
        r.SAO = sao;
        return r;
    };
    catalogs.S2kStar[2] = {record("H100", "", "500"), record("T7", "192907", "")};
    catalogs.S2kStar[9] = {record("H99255B", "192907", "12x")};
    catalogs.S2kZoneLastIndex[2] = 1;
    catalogs.S2kZoneLastIndex[9] = 0;
    struct Case {
        const char* text;
        S2kField field;
        int zone, index;  // zone -1: not found
    };
    const Case cases[] = {
        {"192907", S2kField::HD, 9, 0},    // the last match wins
        {"192906.6", S2kField::HD, 9, 0},  // rounded
        {"0", S2kField::HD, -1, 0},        // empty fields are no match for 0
        {"", S2kField::HD, -1, 0},
        {"-500", S2kField::SAO, -1, 0},
        {"500", S2kField::SAO, 2, 0},
        {"12", S2kField::SAO, 9, 0},  // a field's leading number
        {" h99255b ", S2kField::Catalogue, 9, 0},
        {"t7", S2kField::Catalogue, 2, 1},
        {"99255", S2kField::Catalogue, -1, 0},
        {"", S2kField::Catalogue, -1, 0},
    };
    for (const Case& c : cases) {
        const auto hit = FindSky2000Star(catalogs, c.text, c.field);
        if (c.zone < 0) {
            EXPECT_FALSE(hit) << c.text;
            continue;
        }
        ASSERT_TRUE(hit) << c.text;
        EXPECT_EQ(hit->zone, c.zone) << c.text;
        EXPECT_EQ(hit->index, c.index) << c.text;
    }
}

}  // namespace
}  // namespace zu
