// The start-up load with element files a user edited, and the chart time of
// real-time mode on a computer kept in another zone than the site's.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "platform/RunTimeError.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/Tracks.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

// A program folder of links to the real data, but for `own` files written
// with the given text.
void LinkDataWithOwnFiles(const fs::path& from, const fs::path& to, const std::map<std::string, std::string>& own) {
    for (const auto& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (own.count(name)) continue;
        fs::create_symlink(fs::absolute(entry.path()), to / name);
    }
    for (const auto& [name, text] : own) std::ofstream(to / name, std::ios::binary) << text;
}

std::size_t LineCount(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::size_t n = 0;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") != std::string::npos) ++n;
    }
    return n;
}

const std::string kGoodComet = "C/2023 A3 (Tsuchinshan-ATLAS)|2000|20240927.7|0.3914|1.0001|308.49|21.56|139.11|5|10\n";

// An emptied or hand-damaged comet or asteroid file costs only what it
// lacks: the start goes on with every other body and says once, after the
// chart shows, which file and line were skipped.
TEST(ProgramLoad, EditedElementFilesNeverStopTheStart) {
    const fs::path real = fs::current_path();
    const std::size_t hist = LineCount(real / "histComet.txt");
    const std::size_t current = LineCount(real / "Comet.txt");
    const std::size_t asteroids = LineCount(real / "Asteroid.txt");
    struct Row {
        const char* name;
        std::map<std::string, std::string> files;
        std::size_t comets;
        std::size_t asteroids;
        std::vector<std::string> told;  // pieces of the one notice; empty: no notice
    };
    const Row rows[] = {
        {"empty Comet.txt", {{"Comet.txt", ""}}, hist, asteroids, {"Comet.txt에 궤도 요소가 없습니다"}},
        {"blank histComet.txt", {{"histComet.txt", " \r\n\r\n"}}, current, asteroids,
         {"histComet.txt에 궤도 요소가 없습니다"}},
        {"one bad line among good ones",
         {{"Comet.txt", kGoodComet + "C/2024 G3 (ATLAS)|2000|2025011\n" + kGoodComet}},
         hist + 2,
         asteroids,
         {"Comet.txt 2행 형식 오류"}},
        {"a bad asteroid line and an empty comet file",
         {{"Asteroid.txt", "(1) Ceres|2460600.5|x|2.77|10.6|80.3|73.6|2000|60.1|3.34|0.12\n"}, {"Comet.txt", ""}},
         hist,
         0,
         {"Asteroid.txt 1행 형식 오류", "Comet.txt에 궤도 요소가 없습니다"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::ProgramEnv p;
        test::TempFolder program;
        LinkDataWithOwnFiles(real, program.path(), row.files);
        ASSERT_NO_THROW(LoadProgramState(program.path()));
        EXPECT_EQ(astro::SmallBodies().CometElementList.size(), row.comets);
        EXPECT_EQ(astro::SmallBodies().CometPositions.size(), row.comets);
        EXPECT_EQ(astro::SmallBodies().AsteroidElementList.size(), row.asteroids);
        EXPECT_TRUE(p.env.messages.shown.empty()) << "nothing waits for the user while loading";
        const std::vector<std::string> notices = TakeStartupNotices();
        ASSERT_EQ(notices.size(), 1u);
        for (const std::string& piece : row.told) EXPECT_NE(notices[0].find(piece), std::string::npos) << notices[0];
        EXPECT_EQ(notices[0].rfind("궤도 요소 파일에서 읽지 못한 부분을 건너뛰었습니다:", 0), 0u) << notices[0];
    }
}

// Many damaged lines make one notice of the first five and a count.
TEST(ProgramLoad, ManyDamagedLinesMakeOneShortNotice) {
    test::ProgramEnv p;
    test::TempFolder program;
    std::string comets = kGoodComet;
    for (int i = 0; i < 12; ++i) comets += "broken line\n";
    LinkDataWithOwnFiles(fs::current_path(), program.path(), {{"Comet.txt", comets}});
    LoadProgramState(program.path());
    const std::vector<std::string> notices = TakeStartupNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("Comet.txt 2행 형식 오류"), std::string::npos);
    EXPECT_NE(notices[0].find("Comet.txt 6행 형식 오류"), std::string::npos);
    EXPECT_EQ(notices[0].find("Comet.txt 7행 형식 오류"), std::string::npos);
    EXPECT_NE(notices[0].find("외 7건"), std::string::npos) << notices[0];
}

// Read-only data keeps stopping the start; a missing element file too.
TEST(ProgramLoad, DamagedStarDataAndMissingElementFilesStillStop) {
    const std::map<std::string, std::string> rows[] = {{{"ConstDataW.dat", ""}}, {{"dso.dat", "\x01\x02"}}};
    for (const auto& files : rows) {
        test::ProgramEnv p;
        test::TempFolder program;
        LinkDataWithOwnFiles(fs::current_path(), program.path(), files);
        EXPECT_THROW(LoadProgramState(program.path()), platform::RunTimeError) << files.begin()->first;
    }
    test::ProgramEnv p;
    test::TempFolder program;
    LinkDataWithOwnFiles(fs::current_path(), program.path(), {});
    fs::remove(program.path() / "Comet.txt");
    try {
        LoadProgramState(program.path());
        FAIL() << "a missing Comet.txt loaded";
    } catch (const platform::RunTimeError& e) {
        EXPECT_NE(std::string(e.what()).find("Comet.txt"), std::string::npos);
    }
}

// The points of a stored long track are kept for the next start only once
// the whole load succeeded: a load that stops writes nothing.
TEST(ProgramLoad, KeptTrackPointsAreWrittenOnlyByALoadThatSucceeds) {
    for (const bool damaged : {true, false}) {
        test::ProgramEnv p;
        test::TempFolder program;
        LinkDataWithOwnFiles(fs::current_path(), program.path(),
                             damaged ? std::map<std::string, std::string>{{"dso.dat", ""}}
                                     : std::map<std::string, std::string>{});
        char start[32], end[32];
        std::snprintf(start, sizeof start, " %.1f", astro::DateToJD(2020, 1, 1, 0, 0, 0));
        std::snprintf(end, sizeof end, " %.1f", astro::DateToJD(2020, 1, 1, 0, 0, 0) + 2500);
        test::WriteSettingsFile(p.user.path() / "Default.cfg",
                                {{"SetPath1", start}, {"SetPath2", end}, {"SetPath4", " 1"}, {"PathObj", "P3\r\n"}});
        const std::string before = test::ReadBytes(p.user.path() / "Default.cfg");
        if (damaged) {
            EXPECT_THROW(LoadProgramState(program.path()), platform::RunTimeError);
            EXPECT_FALSE(fs::exists(p.user.path() / std::string(kPathCacheFileName)));
        } else {
            // The load leaves the long computation for after the first
            // chart, which keeps its points.
            LoadProgramState(program.path());
            EXPECT_TRUE(TrackModule().Pending);
            EXPECT_FALSE(fs::exists(p.user.path() / std::string(kPathCacheFileName)));
            EXPECT_TRUE(ComputePendingPaths());
            EXPECT_EQ(TrackModule().PathPoints.size(), 2501u);
            EXPECT_TRUE(fs::exists(p.user.path() / std::string(kPathCacheFileName)));
        }
        EXPECT_EQ(test::ReadBytes(p.user.path() / "Default.cfg"), before);
    }
}

// Real-time mode starts at the clock's instant in the site's zone, whatever
// zone the computer keeps.
TEST(ProgramLoad, RealTimeModeStartsAtTheSiteTimeWhateverTheComputerZone) {
    const struct {
        const char* name;
        int computer_zone_min;
        int day, hour;  // the computer's reading of 2024-03-15 12:07:45 UTC
    } rows[] = {{"UTC computer", 0, 15, 12}, {"Korean computer", 540, 15, 21}, {"Samoa", 13 * 60, 16, 1}};
    for (const auto& row : rows) {
        test::ProgramEnv p;
        p.env.clock.zone_min = row.computer_zone_min;
        p.env.clock.Set(2024, 3, row.day, row.hour, 7, 45);
        test::WriteSettingsFile(p.user.path() / "Default.cfg",
                                {{"synctime", "true"}, {"timezone2", " 9"}, {"summertime", "false"}});
        LoadProgramState(fs::current_path());
        EXPECT_EQ(skydata::CurrentSettings().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 0)) << row.name;
    }
}

}  // namespace
}  // namespace zu
