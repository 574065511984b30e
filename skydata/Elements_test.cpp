#include "skydata/Elements.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace {

// Julian days below: proleptic Gregorian day counts (Python datetime ordinal +
// 1721424.5), Meeus ch. 7 for the Julian calendar, MJD + 2400000.5.
constexpr double kJd2024Mar15 = 2460384.5;  // 2024-03-15 0 h
constexpr double kJd2015Jan30 = 2457052.5;  // 2015-01-30 0 h
constexpr double kJd2022Aug09 = 2459800.5;  // MJD 59800
constexpr double kJdMinus389Mar15 = 1579048.5;  // 390 BC March 15 0 h, Julian calendar

class ElementsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zu_elements_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        astro::SmallBodies().Reset();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
        astro::SmallBodies().Reset();
    }
    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    fs::path dir_;
    skydata::LoadLog log_;
};

const char* kHistComets =
    "1P/Halley 837| 2000|8370228.27|0.58|0.967|110.4|25.3|163.4|3.3|10\r\n"
    "Kirch 1680 |2000| 16801218.49 |0.006|1.0|350.7|272.0|60.7|6|16\r\n"
    "Ancient|2000|-3890315.5|0.8|0.98|10|20|30|5|10\r\n";
const char* kComets =
    "C/2023 A3 (Tsuchinshan-ATLAS)|2000|20240927.73|0.3914|1.0001|308.5|21.6|139.1|6.5|8\r\n"
    "\r\n"
    "  \r\n"
    "혜성 시험|2000|20240315.25|1.2|0.5|1|2|3|4|5\r\n";

TEST_F(ElementsTest, HistoricalCometsComeFirstAndFieldsAreRead) {
    Write("histComet.txt", platform::Utf8ToCp949(kHistComets));
    Write("Comet.txt", platform::Utf8ToCp949(kComets));
    skydata::LoadComets(dir_, log_);

    const auto& state = astro::SmallBodies();
    ASSERT_EQ(state.CometElementList.size(), 5u);
    EXPECT_EQ(state.CometPositions.size(), 5u);
    EXPECT_TRUE(log_.Problems.empty());
    const char* names[] = {"1P/Halley 837", "Kirch 1680", "Ancient", "C/2023 A3 (Tsuchinshan-ATLAS)", "혜성 시험"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(state.CometElementList[i].Name, names[i]) << i;

    const astro::CometElements& c = state.CometElementList[4];
    EXPECT_NEAR(c.T_jd, kJd2024Mar15 + 0.25, 1e-9);
    EXPECT_DOUBLE_EQ(c.EquinoxYear, 2000);
    EXPECT_DOUBLE_EQ(c.q_au, 1.2);
    EXPECT_DOUBLE_EQ(c.e, 0.5);
    EXPECT_DOUBLE_EQ(c.Peri_deg, 1);
    EXPECT_DOUBLE_EQ(c.Node_deg, 2);
    EXPECT_DOUBLE_EQ(c.Incl_deg, 3);
    EXPECT_DOUBLE_EQ(c.H, 4);
    EXPECT_DOUBLE_EQ(c.K, 5);
    // A field with blanks around it and a perihelion before the year 1000.
    EXPECT_NEAR(state.CometElementList[1].T_jd, 2335019.5 + 0.49, 1e-9);  // 1680-12-18, Gregorian
    EXPECT_NEAR(state.CometElementList[2].T_jd, kJdMinus389Mar15 + 0.5, 1e-9);
}

TEST_F(ElementsTest, PerihelionDateForms) {
    struct Case {
        const char* field;
        double jd;
    } cases[] = {
        {"20150130.4312", kJd2015Jan30 + 0.4312},
        {"20150130", kJd2015Jan30},
        {" 20150130. ", kJd2015Jan30},
        {"+20240315.25", kJd2024Mar15 + 0.25},
    };
    for (const Case& c : cases) {
        Write("Comet.txt", std::string("X|2000|") + c.field + "|1|0.5|0|0|0|5|10\n");
        log_.Problems.clear();
        const auto comets = skydata::ReadCometFile(dir_ / "Comet.txt", log_);
        ASSERT_EQ(comets.size(), 1u) << c.field;
        EXPECT_NEAR(comets[0].T_jd, c.jd, 1e-9) << c.field;
    }
}

TEST_F(ElementsTest, AnyLineEndIsReadAndTheFileIsNeverRewritten) {
    const std::string line1 = "A|2000|20240315.25|1.2|0.5|1|2|3|4|5";
    const std::string line2 = "B|2000|20150130|1|0.9|0|0|0|5|10";
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string bytes = line1 + end + line2 + end;
        const fs::path path = Write("Comet.txt", bytes);
        const auto before = fs::last_write_time(path);
        log_.Problems.clear();
        const auto comets = skydata::ReadCometFile(path, log_);
        ASSERT_EQ(comets.size(), 2u);
        EXPECT_EQ(comets[1].Name, "B");
        EXPECT_TRUE(log_.Problems.empty());
        EXPECT_EQ(*platform::ReadFileBytes(path), bytes);
        EXPECT_EQ(fs::last_write_time(path), before);
    }
    // The last line needs no line end at all.
    Write("Comet.txt", line1 + "\n" + line2);
    EXPECT_EQ(skydata::ReadCometFile(dir_ / "Comet.txt", log_).size(), 2u);
}

TEST_F(ElementsTest, ReadOnlyProgramFolderLoads) {
    Write("histComet.txt", "A|2000|20240315.25|1.2|0.5|1|2|3|4|5\n");
    Write("Comet.txt", "B|2000|20150130|1|0.9|0|0|0|5|10\n");
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    skydata::LoadComets(dir_, log_);
    EXPECT_EQ(astro::SmallBodies().CometElementList.size(), 2u);
}

TEST_F(ElementsTest, DamagedLinesAreSkippedWithFileAndLineAndLoadingGoesOn) {
    Write("Comet.txt",
          "Good 1|2000|20240315.25|1.2|0.5|1|2|3|4|5\n"
          "Short|2000|20240315.25|1.2\n"           // line 2: too few fields
          "BadQ|2000|20240315.25|abc|0.5|1|2|3|4|5\n"  // line 3: q is not a number
          "BadDate|2000|2024.5|1.2|0.5|1|2|3|4|5\n"    // line 4: no month and day
          "BadMonth|2000|20241315|1.2|0.5|1|2|3|4|5\n"  // line 5: month 13
          "EmptyK|2000|20240315|1.2|0.5|1|2|3|4|\n"     // line 6: empty field
          "Good 2|2000|20240315.25|1.2|0.5|1|2|3|4|5|extra\n");
    const auto comets = skydata::ReadCometFile(dir_ / "Comet.txt", log_);
    ASSERT_EQ(comets.size(), 2u);
    EXPECT_EQ(comets[0].Name, "Good 1");
    EXPECT_EQ(comets[1].Name, "Good 2");
    const std::vector<std::string> expected = {"Comet.txt 2행 형식 오류", "Comet.txt 3행 형식 오류",
                                               "Comet.txt 4행 형식 오류", "Comet.txt 5행 형식 오류",
                                               "Comet.txt 6행 형식 오류"};
    EXPECT_EQ(log_.Problems, expected);

    Write("Asteroid.txt",
          "(1) Ceres|2022 8 9|0.0785|2.7664|10.587|80.255|73.42|2000|164.1|3.34|0.12\n"
          "(2) Pallas|2022 8|0.23|2.77|34.9|172.9|310.9|2000|144.9|4.11|0.11\n"  // epoch without a day
          "(3) Juno|2022 8 9|0.25|2.67|12.99|169.85|247.9|2000|125.2\n");         // too few fields
    skydata::LoadAsteroids(dir_, log_);
    ASSERT_EQ(astro::SmallBodies().AsteroidElementList.size(), 1u);
    ASSERT_EQ(log_.Problems.size(), 7u);
    EXPECT_EQ(log_.Problems[5], "Asteroid.txt 2행 형식 오류");
    EXPECT_EQ(log_.Problems[6], "Asteroid.txt 3행 형식 오류");
}

TEST_F(ElementsTest, AsteroidFieldsAreRead) {
    Write("Asteroid.txt",
          platform::Utf8ToCp949("(1) 세레스 |2022 8 9|0.0785|2.7664|10.587|80.255|73.42|2000|164.1|3.34|0.12\n"));
    skydata::LoadAsteroids(dir_, log_);
    const auto& state = astro::SmallBodies();
    ASSERT_EQ(state.AsteroidElementList.size(), 1u);
    EXPECT_EQ(state.AsteroidPositions.size(), 1u);
    const astro::AsteroidElements& a = state.AsteroidElementList[0];
    EXPECT_EQ(a.Name, "(1) 세레스");
    EXPECT_DOUBLE_EQ(a.Epoch_jd, kJd2022Aug09);
    EXPECT_DOUBLE_EQ(a.e, 0.0785);
    EXPECT_DOUBLE_EQ(a.a_au, 2.7664);
    EXPECT_DOUBLE_EQ(a.Incl_deg, 10.587);
    EXPECT_DOUBLE_EQ(a.Node_deg, 80.255);
    EXPECT_DOUBLE_EQ(a.Peri_deg, 73.42);
    EXPECT_DOUBLE_EQ(a.EquinoxYear, 2000);
    EXPECT_DOUBLE_EQ(a.M0_deg, 164.1);
    EXPECT_DOUBLE_EQ(a.H, 3.34);
    EXPECT_DOUBLE_EQ(a.G, 0.12);
}

// An empty element file (emptied by hand, a download that failed) holds no
// bodies: the other comet file's bodies stay, and the file is noted by name.
TEST_F(ElementsTest, EmptyOrBlankFileHoldsNoBodiesAndIsNoted) {
    Write("Asteroid.txt", "");
    Write("histComet.txt", "\r\n\r\n");
    Write("Comet.txt", "B|2000|20150130|1|0.9|0|0|0|5|10\n");
    skydata::LoadAsteroids(dir_, log_);
    skydata::LoadComets(dir_, log_);
    EXPECT_TRUE(astro::SmallBodies().AsteroidElementList.empty());
    EXPECT_TRUE(astro::SmallBodies().AsteroidPositions.empty());
    ASSERT_EQ(astro::SmallBodies().CometElementList.size(), 1u);
    EXPECT_EQ(astro::SmallBodies().CometElementList[0].Name, "B");
    EXPECT_EQ(astro::SmallBodies().CometPositions.size(), 1u);
    EXPECT_EQ(log_.Problems,
              (std::vector<std::string>{"Asteroid.txt에 궤도 요소가 없습니다", "histComet.txt에 궤도 요소가 없습니다"}));
}

TEST_F(ElementsTest, MissingFileThrowsAndLeavesTheListsAlone) {
    Write("histComet.txt", "A|2000|20240315.25|1.2|0.5|1|2|3|4|5\n");
    Write("Comet.txt", "B|2000|20150130|1|0.9|0|0|0|5|10\n");
    skydata::LoadComets(dir_, log_);
    fs::remove(dir_ / "Comet.txt");
    EXPECT_THROW(skydata::LoadComets(dir_, log_), platform::RunTimeError);
    EXPECT_EQ(astro::SmallBodies().CometElementList.size(), 2u);
    EXPECT_EQ(astro::SmallBodies().CometPositions.size(), 2u);
    try {
        skydata::LoadAsteroids(dir_, log_);
        FAIL();
    } catch (const platform::RunTimeError& e) {
        EXPECT_NE(std::string(e.what()).find("Asteroid.txt"), std::string::npos);
    }
}

}  // namespace
