#include "skydata/PathBodies.h"

#include <gtest/gtest.h>

using namespace skydata;

namespace {

// Element names as the orbital-element readers would give them.
PathBodyNames FakeNames() {
    static const std::vector<std::string> comets = {"1P/Halley", "C/1995 O1 (Hale-Bopp)", "2P/Encke"};
    static const std::vector<std::string> asteroids = {"Ceres", "Pallas", "Vesta"};
    auto index_of = [](const std::vector<std::string>& list) {
        return [&list](std::string_view name) -> std::optional<int> {
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i] == name) return static_cast<int>(i);
            }
            return std::nullopt;
        };
    };
    auto name_at = [](const std::vector<std::string>& list) {
        return [&list](int i) -> std::optional<std::string> {
            if (i < 0 || i >= static_cast<int>(list.size())) return std::nullopt;
            return list[static_cast<std::size_t>(i)];
        };
    };
    return {index_of(comets), name_at(comets), index_of(asteroids), name_at(asteroids)};
}

TEST(PathBodiesTest, LoadTakesPlanetsAndKnownNamesOnly) {
    std::vector<std::string> list;
    ClearPathBodies(list);
    const bool taken = LoadPathBodies(
        list, "P4\r\n  c2P/Encke  \r\nx1\r\ncNo Such Comet\r\naVesta\r\nCVesta\r\n\r\nP8\r\naCeres", FakeNames());
    EXPECT_TRUE(taken);
    // The unterminated last piece is ignored; "C" in capitals is no name prefix.
    EXPECT_EQ(list, (std::vector<std::string>{"P4", "C2", "A2", "P8"}));
}

TEST(PathBodiesTest, BlankTextLeavesTheListAndNothingTakenLeavesOneEmptySlot) {
    std::vector<std::string> list = {"P1", "C0"};
    EXPECT_FALSE(LoadPathBodies(list, "   ", FakeNames()));
    EXPECT_EQ(list, (std::vector<std::string>{"P1", "C0"}));
    EXPECT_FALSE(LoadPathBodies(list, "cGone\r\nzz\r\n", FakeNames()));
    EXPECT_EQ(list, (std::vector<std::string>{""}));
}

TEST(PathBodiesTest, SaveWritesNamesAndRoundTrips) {
    const PathBodyNames names = FakeNames();
    const std::vector<std::string> list = {"P0", "", "C1", "A0", "C9", "P9"};
    const std::string text = SavePathBodies(list, names);
    EXPECT_EQ(text, "P0\r\ncC/1995 O1 (Hale-Bopp)\r\naCeres\r\nP9\r\n");
    std::vector<std::string> back;
    EXPECT_TRUE(LoadPathBodies(back, text, names));
    EXPECT_EQ(back, (std::vector<std::string>{"P0", "C1", "A0", "P9"}));
    EXPECT_EQ(SavePathBodies({""}, names), "");
}

TEST(PathBodiesTest, WithoutElementNamesOnlyPlanetsSurvive) {
    std::vector<std::string> list;
    EXPECT_TRUE(LoadPathBodies(list, "P3\r\nc1P/Halley\r\n", PathBodyNames{}));
    EXPECT_EQ(list, (std::vector<std::string>{"P3"}));
}

}  // namespace
