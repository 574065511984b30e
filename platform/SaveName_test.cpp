#include "platform/SaveName.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Fakes.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

TEST(CompleteSaveName, ANameWithoutAnExtensionGetsTheKinds) {
    struct Case {
        const char* what;
        const char* typed;
        const char* extension;
        const char* saved;
    } cases[] = {
        {"no extension", "/home/u/mysettings", ".cal", "/home/u/mysettings.cal"},
        {"Korean name", "/home/u/vu설정", ".cal", "/home/u/vu설정.cal"},
        {"with the kind's extension", "/home/u/mychart.SKY", ".SKY", "/home/u/mychart.SKY"},
        {"upper-case extension", "/home/u/MYSET.CAL", ".cal", "/home/u/MYSET.CAL"},
        {"lower-case extension", "/home/u/mychart.sky", ".SKY", "/home/u/mychart.sky"},
        {"another extension", "/home/u/notes.txt", ".cal", "/home/u/notes.txt"},
        {"dot in a folder", "/home/u/.config/vu/mysettings", ".cal", "/home/u/.config/vu/mysettings.cal"},
        {"dotted folder, dotted name", "/home/u/v1.2/a.b", ".cal", "/home/u/v1.2/a.b"},
        {"trailing dot", "/home/u/mychart.", ".SKY", "/home/u/mychart.SKY"},
        {"trailing dots", "/home/u/mychart...", ".SKY", "/home/u/mychart.SKY"},
        {"extension and a trailing dot", "/home/u/m.htm.", ".htm", "/home/u/m.htm"},
        {"hidden name", "/home/u/.vu", ".cal", "/home/u/.vu.cal"},
        {"relative name", "mychart", ".SKY", "mychart.SKY"},
        {"picture format", "/p/2024년3월5일21시7분_서울", ".PNG", "/p/2024년3월5일21시7분_서울.PNG"},
        {"no kind", "/home/u/mysettings", "", "/home/u/mysettings"},
        {"folder only", "/home/u/", ".cal", "/home/u/"},
        {"dots only", "/home/u/..", ".cal", "/home/u/.."},
    };
    for (const Case& c : cases) EXPECT_EQ(CompleteSaveName(c.typed, c.extension), fs::path(c.saved)) << c.what;
}

TEST(SaveExtension, TheRequestsElseThePairInForce) {
    FileRequest settings;
    settings.filter = "vu 설정 문서(*.cal)|*.cal|모든 형식(*.*)|*.*";
    EXPECT_EQ(SaveExtension(settings, 1), ".cal");
    EXPECT_EQ(SaveExtension(settings, 2), "") << "all files";
    EXPECT_EQ(SaveExtension(settings, 7), ".cal") << "an unknown pair counts as the first";
    settings.extension = ".cal";
    EXPECT_EQ(SaveExtension(settings, 2), ".cal") << "the dialog's kind whatever the filter";

    FileRequest picture;
    picture.filter = "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG";
    EXPECT_EQ(SaveExtension(picture, 1), ".BMP");
    EXPECT_EQ(SaveExtension(picture, 4), ".PNG");

    FileRequest templet;
    templet.filter = "HTML 문서(*.htm)|*.htm|XML 문서(*.xml)|*.xml|모든 파일(*.*)|*.*";
    templet.extension = ".xml";
    EXPECT_EQ(SaveExtension(templet, 1), ".xml") << "the document's own kind wins";

    FileRequest any;
    any.filter = "모든 파일(*.*)|*.*";
    EXPECT_EQ(SaveExtension(any, 1), "");
    any.filter = "그림(*.BMP;*.PNG)|*.BMP;*.PNG";
    EXPECT_EQ(SaveExtension(any, 1), "");
}

class ChooseSaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zu_savename_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        request_.kind = FileDialogKind::Save;
        request_.title = "vu 설정 파일 저장하기";
        request_.filter = "vu 설정 문서(*.cal)|*.cal|모든 형식(*.*)|*.*";
        request_.folder = dir_;
        request_.name = "vu설정.cal";
        request_.extension = ".cal";
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Answer(const fs::path& path, int filter_index = 1) {
        env_.files.answers.push_back(FileChoice{path, filter_index});
    }

    FakeEnv env_{"vu"};
    fs::path dir_;
    FileRequest request_;
};

TEST_F(ChooseSaveFileTest, ATypedNameIsCompletedAndAFreeNameAsksNothing) {
    Answer(dir_ / "mysettings", 2);
    const std::optional<FileChoice> choice = ChooseSaveFile(request_);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->path, dir_ / "mysettings.cal");
    EXPECT_EQ(choice->filter_index, 2);
    EXPECT_TRUE(env_.messages.shown.empty());

    EXPECT_FALSE(ChooseSaveFile(request_).has_value()) << "cancelled";
}

// The completed name is what is asked about: "mysettings" is free, but
// "mysettings.cal" is the user's. "아니요" (also Enter) keeps it and shows the
// dialog again at that name; "예" replaces it.
TEST_F(ChooseSaveFileTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    std::ofstream(dir_ / "mysettings.cal") << "mine";
    Answer(dir_ / "mysettings");
    env_.messages.answers = {MsgAnswer::No};
    EXPECT_FALSE(ChooseSaveFile(request_).has_value());
    ASSERT_EQ(env_.messages.shown.size(), 1u);
    const Message& question = env_.messages.shown[0];
    EXPECT_EQ(question.text, (dir_ / "mysettings.cal").string() + " 파일이 이미 있습니다. 바꾸시겠습니까?");
    EXPECT_EQ(question.title, "vu 설정 파일 저장하기");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Exclamation);
    EXPECT_EQ(question.default_answer, MsgAnswer::No);
    ASSERT_EQ(env_.files.requests.size(), 2u);
    EXPECT_EQ(env_.files.requests[1].folder, dir_);
    EXPECT_EQ(env_.files.requests[1].name, "mysettings.cal");

    // Enter on the question: the default answer keeps the file.
    Answer(dir_ / "mysettings.cal");
    EXPECT_FALSE(ChooseSaveFile(request_).has_value());
    EXPECT_EQ(env_.messages.shown.size(), 2u);

    Answer(dir_ / "mysettings");
    env_.messages.answers = {MsgAnswer::Yes};
    const std::optional<FileChoice> replaced = ChooseSaveFile(request_);
    ASSERT_TRUE(replaced.has_value());
    EXPECT_EQ(replaced->path, dir_ / "mysettings.cal");

    // A link counts as a file, a dangling one too.
    fs::create_symlink(dir_ / "nowhere", dir_ / "linked.cal");
    Answer(dir_ / "linked");
    env_.messages.answers = {MsgAnswer::No};
    EXPECT_FALSE(ChooseSaveFile(request_).has_value());
    EXPECT_EQ(env_.messages.shown.size(), 4u);

    // Kept, then another name.
    Answer(dir_ / "mysettings");
    Answer(dir_ / "other");
    env_.messages.answers = {MsgAnswer::No};
    const std::optional<FileChoice> other = ChooseSaveFile(request_);
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->path, dir_ / "other.cal");
    EXPECT_EQ(fs::file_size(dir_ / "mysettings.cal"), 4u);
}

}  // namespace
}  // namespace platform
