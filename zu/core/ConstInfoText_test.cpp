// The texts of the constellation information window.
#include "platform/TextFile.h"
#include "zu/core/ConstInfoText.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"

namespace zu {
namespace {

TEST(ConstInfoText, CommentSections) {
    const std::string file =
        "before any section\r\n"
        "#N206 직녀\r\n"
        "첫 줄\r\n"
        "   들여 쓴 줄\r\n"
        "\r\n"
        "#P1xx\r\n"
        "자미원\r\n"
        "  #N207\r\n"
        "다른 별자리\r\n"
        "#N206\r\n"
        "나중 줄\r\n"
        "#N20\r\n"
        "짧은 머리\r\n"
        "#ECxx\r\n"
        "마지막 줄";
    struct Row {
        const char* name;
        const char* code;
        const char* comment;
    };
    const Row rows[] = {
        {"a repeated code is appended in file order, blanks and empty lines kept", "N206",
         "첫 줄\r\n   들여 쓴 줄\r\n\r\n나중 줄\r\n"},
        {"the next header ends a section, even an indented one", "P1xx", "자미원\r\n"},
        {"a header after leading blanks", "N207", "다른 별자리\r\n"},
        {"only the first four characters of the code count", "N2061", "첫 줄\r\n   들여 쓴 줄\r\n\r\n나중 줄\r\n"},
        {"a short header matches no code of four", "N20x", "설명 없음"},
        {"the last line without a line end", "ECxx", "마지막 줄\r\n"},
        {"a code without a section", "W7xx", "설명 없음"},
    };
    for (const Row& row : rows) EXPECT_EQ(ConstCommentOfText(file, row.code), row.comment) << row.name;

    test::TempFolder folder;
    EXPECT_EQ(ReadConstComment(folder.path() / "concmt.txt", "N206"), "설명 없음");
    ASSERT_TRUE(platform::WriteTextFileCp949(folder.path() / "concmt.txt", file));
    EXPECT_EQ(ReadConstComment(folder.path() / "concmt.txt", "P1xx"), "자미원\r\n");
}

TEST(ConstInfoText, NodesAndCommentCodes) {
    const std::pair<const char*, const char*> codes[] = {
        {"EConst", "ECxx"}, {"OConst", "OCxx"}, {"EE1", "E1xx"}, {"OP2", "P2xx"}, {"EN206", "N206"}, {"OS701", "S701"},
    };
    for (const auto& [key, code] : codes) EXPECT_EQ(ConstCommentCode(key), code) << key;
    EXPECT_FALSE(IsConstellationNode("EConst"));
    EXPECT_FALSE(IsConstellationNode("OW3"));
    EXPECT_TRUE(IsConstellationNode("EN206"));

    const auto& districts = SkyDistrictCodes();
    EXPECT_EQ(districts[0], "P1");
    EXPECT_EQ(districts[3], "E1");
    EXPECT_EQ(districts[9], "E7");
    EXPECT_EQ(districts[10], "N1");
    EXPECT_EQ(districts[30], "S7");
    EXPECT_EQ(SkyDistrictIndex("W1"), 17);
    EXPECT_EQ(SkyDistrictIndex("X1"), std::nullopt);
    EXPECT_EQ(SkyDistrictText(0), "자미원(紫微垣)");
    EXPECT_EQ(SkyDistrictText(3), "각(角)");

    EXPECT_EQ(MemberRowHR("01 직녀(織女)/ HR 7001"), 7001);
    EXPECT_EQ(MemberRowHR("no number"), std::nullopt);
}

TEST(ConstInfoText, VegaConstellationFromRealData) {
    test::ProgramEnv p;
    LoadProgramState(p.env.folders.program);
    const auto& catalogs = skydata::Catalogs();
    const auto members = MemberStars(catalogs, "N206");
    ASSERT_EQ(members.size(), 9u);
    EXPECT_EQ(members[0].text, "00 / HR 6872");
    EXPECT_EQ(members[2].text, "01 직녀(織女)/ HR 7001");
    EXPECT_EQ(members[2].zone, 9);
    EXPECT_EQ(members[2].index, 213);
    for (std::size_t i = 1; i < members.size(); ++i)
        EXPECT_TRUE(members[i - 1].zone < members[i].zone ||
                    (members[i - 1].zone == members[i].zone && members[i - 1].index < members[i].index));
    const auto slot = FindBrightStarByHR(catalogs, 7001);
    ASSERT_TRUE(slot);
    EXPECT_EQ(slot->zone, 9);
    EXPECT_EQ(slot->index, 213);
    EXPECT_EQ(FindBrightStarByHR(catalogs, 0), std::nullopt);

    const auto& c = skydata::Constellations();
    EXPECT_EQ(CorrespondenceText(c.O.Data, "N206"), "천상열차분야지도의 별자리 중 직녀(織女) 별자리에 해당합니다.");
    EXPECT_EQ(CorrespondenceText(c.O.Data, "ZZZZ"),
              "천상열차분야지도의 별자리 중 이 별자리에 대응하는 별자리는 없습니다.");
    EXPECT_NE(ReadConstComment(p.env.folders.program / "concmt.txt", "N206"), "설명 없음");
}

}  // namespace
}  // namespace zu
