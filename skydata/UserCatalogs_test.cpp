#include "skydata/UserCatalogs.h"

#include "platform/TextFile.h"
#include "skydata/Settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace skydata;

namespace {

class UserCatalogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zu_usercat_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        catalogs_[1] = ParseCustomCatalogText(
            "<Header>\r\nCoordinate=a\r\n</Header>\r\n<ObjectList>\r\n"
            "str,1,1,zero\r\nstr,2,2,one\r\nstr,3,3,two\r\nstr,40,50,three\r\n"
            "star,10,20,1,0.5,-0.25,A0,Vega-like\r\nnst,30,40,5,10,gc,NGC 1\r\n"
            "rect,5,6,1,1,box\r\n</ObjectList>");
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    std::array<CustomCatalog, 2> catalogs_;
};

TEST_F(UserCatalogsTest, FourthTextLabelOfCatalogTwo) {
    const auto obj = LookupUserCatObject("(UC2_Ch:0003)", catalogs_);
    ASSERT_TRUE(obj.has_value());
    EXPECT_EQ(obj->Slot, 2);
    EXPECT_EQ(obj->Index, 3);
    EXPECT_EQ(obj->RA, 40);
    EXPECT_EQ(obj->Dec, 50);
    EXPECT_EQ(obj->Name, "three");
    EXPECT_EQ(obj->CoordKind, "a");
    EXPECT_FALSE(obj->HasProperMotion);
}

TEST_F(UserCatalogsTest, StarsAndNonstellarObjectsAreAlwaysEquatorial) {
    const auto star = LookupUserCatObject("(UC2_St:0000)", catalogs_);
    ASSERT_TRUE(star.has_value());
    EXPECT_EQ(star->CoordKind, "e");
    EXPECT_TRUE(star->HasProperMotion);
    EXPECT_FLOAT_EQ(star->PmRA, 0.5f);
    EXPECT_FLOAT_EQ(star->PmDec, -0.25f);
    EXPECT_EQ(star->Name, "Vega-like");
    const auto nst = LookupUserCatObject("(UC2_Nb:0000)", catalogs_);
    ASSERT_TRUE(nst.has_value());
    EXPECT_EQ(nst->CoordKind, "e");
    EXPECT_EQ(nst->Name, "NGC 1");
    const auto shape = LookupUserCatObject("(UC2_S3:0000)", catalogs_);
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(shape->Name, "box");
    EXPECT_EQ(shape->CoordKind, "a");
}

TEST_F(UserCatalogsTest, MalformedKeysAreNotFound) {
    const char* keys[] = {"(UC2_Ch:0004)", "(UC1_Ch:0000)", "(UC3_Ch:0000)", "(UC0_Ch:0000)", "(UCx_Ch:0000)",
                          "(UC2_Zz:0000)", "(UC2_S6:0000)", "(UC2_S0:0000)", "(UC2_Ch:00a1)", "(UC2_Ch:)",
                          "(UC2_Ch:0000",  "UC2_Ch:0000)",  "(UC2-Ch:0000)", "(UC2_Ch-0000)", "",
                          "(UC2_Ch:-001)", "(UC2_Ch:99999999999999999999)", "(UC2_S1:0000)"};
    for (const char* key : keys) EXPECT_FALSE(LookupUserCatObject(key, catalogs_).has_value()) << key;
    EXPECT_TRUE(LookupUserCatObject("(UC2_Ch:3)", catalogs_).has_value());
}

TEST_F(UserCatalogsTest, CheckLoadsExistingFilesAndClearsVanishedOnes) {
    const fs::path file = dir_ / "a.UC";
    ASSERT_TRUE(platform::WriteTextFileCp949(
        file, "<Header>\r\nCatalog Name=하나\r\n</Header>\r\n<ObjectList>\r\ncl,1,2\r\n</ObjectList>\r\n"));
    SettingsSnapshot settings;
    settings.usercatfile0 = " " + file.string() + " ";
    settings.usercatfile0is = true;
    settings.usercatfile1 = (dir_ / "deleted.UC").string();
    settings.usercatfile1is = true;
    EXPECT_EQ(CheckUserCatalogs(settings, catalogs_), "");  // nothing refused, nothing to tell
    EXPECT_EQ(catalogs_[0].Name, "하나");
    EXPECT_EQ(catalogs_[0].Count[kCatCircle], 1);
    EXPECT_TRUE(settings.usercatfile0is);
    // The vanished file's slot is unassigned and emptied, not left with the old objects.
    EXPECT_FALSE(settings.usercatfile1is);
    EXPECT_EQ(settings.usercatfile1, "");
    EXPECT_EQ(catalogs_[1].Count, (std::array<std::int32_t, kCatKindCount>{}));
    EXPECT_FALSE(LookupUserCatObject("(UC2_Ch:0000)", catalogs_).has_value());

    // A blank path counts as no file.
    settings.usercatfile0 = "   ";
    CheckUserCatalogs(settings, catalogs_);
    EXPECT_FALSE(settings.usercatfile0is);
    EXPECT_EQ(catalogs_[0].Count[kCatCircle], 0);
}

TEST_F(UserCatalogsTest, UnreadableFileEmptiesTheSlot) {
    SettingsSnapshot settings;
    settings.usercatfile1 = dir_.string();  // exists, but is a folder
    settings.usercatfile1is = true;
    CheckUserCatalogs(settings, catalogs_);
    EXPECT_EQ(catalogs_[1].Count[kCatText], 0);
    EXPECT_TRUE(settings.usercatfile1is);
}

// Lines refused in either slot come back as one notice naming each file and
// line, the first five of them; the rest of each file loads.
TEST_F(UserCatalogsTest, RefusedLinesOfBothSlotsMakeOneNotice) {
    const fs::path one = dir_ / "one.UC", two = dir_ / "two.UC";
    ASSERT_TRUE(platform::WriteTextFileCp949(
        one, "<Header>\r\nCatalog Name=t\r\nCoordinate=e\r\n</Header>\r\n<ObjectList>\r\n"
             "longln,10,20,1E+12,30,1\r\ncl,1,2\r\n</ObjectList>\r\n"));
    std::string many = "<ObjectList>\r\n";
    for (int i = 0; i < 6; ++i) many += "star,0,100\r\n";
    ASSERT_TRUE(platform::WriteTextFileCp949(two, many + "str,1,2,ok\r\n</ObjectList>"));
    SettingsSnapshot settings;
    settings.usercatfile0 = one.string();
    settings.usercatfile1 = two.string();
    settings.usercatfile0is = settings.usercatfile1is = true;
    const std::string notice = CheckUserCatalogs(settings, catalogs_);
    const std::string refused = "행 범위를 벗어난 값";
    EXPECT_EQ(notice, std::string(kRefusedLinesNotice) + "\r\n" + one.string() + " 6" + refused + "\r\n" +
                          two.string() + " 2" + refused + "\r\n" + two.string() + " 3" + refused + "\r\n" +
                          two.string() + " 4" + refused + "\r\n" + two.string() + " 5" + refused +
                          "\r\n... (모두 7줄)");
    EXPECT_EQ(catalogs_[0].Count[kCatLongLine], 0);
    EXPECT_EQ(catalogs_[0].Count[kCatCircle], 1);
    EXPECT_EQ(catalogs_[1].Count[kCatStar], 0);
    EXPECT_EQ(catalogs_[1].Count[kCatText], 1);
}

// A text cut at load is named in the same notice as the refused lines, and
// the cut entry is found by its key with the name as kept.
TEST_F(UserCatalogsTest, ACutNameIsNamedInTheNoticeWithTheRefusedLines) {
    const fs::path one = dir_ / "long.UC";
    ASSERT_TRUE(platform::WriteTextFileCp949(
        one, "<ObjectList>\r\nnst,10,20,5,10,gx," + std::string(2 * 1000 * 1000, 'G') + ",desc\r\nstar,0,100\r\n"
             "</ObjectList>\r\n"));
    SettingsSnapshot settings;
    settings.usercatfile0 = one.string();
    settings.usercatfile0is = true;
    const std::string notice = CheckUserCatalogs(settings, catalogs_);
    EXPECT_EQ(notice, std::string(kRefusedLinesNotice) + "\r\n" + one.string() +
                          " 2행 1000자가 넘는 글을 1000자로 줄임\r\n" + one.string() + " 3행 범위를 벗어난 값");
    const auto obj = LookupUserCatObject("(UC1_Nb:0000)", catalogs_);
    ASSERT_TRUE(obj.has_value());
    EXPECT_EQ(obj->Name, std::string(kMaxCatText_chars, 'G'));
}

}  // namespace
