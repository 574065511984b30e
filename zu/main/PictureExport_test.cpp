// Picture files of the chart: which name and format a dialog answer gives,
// the bytes each format writes and what a failed write leaves behind.
#include <FreeImage.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <string>

#include "platform/RunTimeError.h"
#include "zu/core/TestSupport.h"
#include "zu/main/PictureExport.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

TEST(PictureExport, NamesAndFormats) {
    struct Row {
        const char* chosen;
        int filter;
        const char* written;
        PictureFormat format;
    };
    const Row rows[] = {
        {"x.PNG", 1, "x.PNG", PictureFormat::Png},      // typed extension beats the filter
        {"x.png", 1, "x.png", PictureFormat::Png},      // in any letter case
        {"x.Jpg", 4, "x.Jpg", PictureFormat::Jpeg},
        {"x.gif", 2, "x.gif", PictureFormat::Gif},
        {"x.bmp", 3, "x.bmp", PictureFormat::Bmp},
        {"x", 4, "x.PNG", PictureFormat::Png},          // no extension: the filter's, added
        {"x", 2, "x.JPG", PictureFormat::Jpeg},
        {"x", 3, "x.GIF", PictureFormat::Gif},
        {"x", 1, "x.BMP", PictureFormat::Bmp},
        {"x", 0, "x.BMP", PictureFormat::Bmp},          // unknown filter index: the first
        {"x.txt", 3, "x.txt.GIF", PictureFormat::Gif},  // unknown extension kept, format added
        {"x.jpeg", 2, "x.jpeg.JPG", PictureFormat::Jpeg},
        {"2024년3월15일21시7분_고령", 4, "2024년3월15일21시7분_고령.PNG", PictureFormat::Png},
    };
    for (const Row& row : rows) {
        const PictureTarget target = ResolvePictureName(fs::path("/some/folder") / row.chosen, row.filter);
        EXPECT_EQ(target.path, fs::path("/some/folder") / row.written) << row.chosen << " " << row.filter;
        EXPECT_EQ(target.format, row.format) << row.chosen << " " << row.filter;
    }
    // The folder is never taken for the name's extension.
    EXPECT_EQ(ResolvePictureName("/a.png/x", 1).path, fs::path("/a.png/x.BMP"));
}

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureQtApp();
        // A picture with distinct colours in its corners, so an upside-down
        // or channel-swapped file shows.
        image = QImage(64, 48, QImage::Format_RGB32);
        image.fill(QColor(10, 20, 40));
        QPainter painter(&image);
        painter.fillRect(0, 0, 8, 8, QColor(255, 0, 0));
        painter.fillRect(56, 40, 8, 8, QColor(0, 0, 255));
        painter.fillRect(0, 40, 8, 8, QColor(0, 255, 0));
    }
    std::string Save(const std::string& name, PictureFormat format) {
        const fs::path path = folder.path() / name;
        SavePicture(image, {path, format});
        return test::ReadBytes(path);
    }

    test::TempFolder folder;
    QImage image;
};

TEST_F(PictureFiles, EachFormatWritesItsOwnFile) {
    const std::string png = Save("x.PNG", PictureFormat::Png);
    ASSERT_GE(png.size(), 26u);
    EXPECT_EQ(png.substr(0, 4), "\x89PNG");
    // IHDR: 8 bits per sample, colour type 2 (RGB): 24 bits per pixel.
    EXPECT_EQ(static_cast<unsigned char>(png[24]), 8);
    EXPECT_EQ(static_cast<unsigned char>(png[25]), 2);

    const std::string jpg = Save("x.JPG", PictureFormat::Jpeg);
    EXPECT_EQ(jpg.substr(0, 3), "\xFF\xD8\xFF");

    const std::string gif = Save("x.GIF", PictureFormat::Gif);
    EXPECT_EQ(gif.substr(0, 4), "GIF8");
    // A palette picture of 8 bits per pixel.
    FIBITMAP* read = FreeImage_Load(FIF_GIF, (folder.path() / "x.GIF").string().c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(FreeImage_GetBPP(read), 8u);
    EXPECT_EQ(FreeImage_GetColorType(read), FIC_PALETTE);
    FreeImage_Unload(read);

    const std::string bmp = Save("x.BMP", PictureFormat::Bmp);
    EXPECT_EQ(bmp.substr(0, 2), "BM");

    // Exactly the four names, nothing left beside them.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST_F(PictureFiles, LosslessFormatsKeepEveryPixel) {
    for (const auto& [name, format] : {std::pair{"x.PNG", PictureFormat::Png}, {"x.BMP", PictureFormat::Bmp}}) {
        Save(name, format);
        const QImage read(QString::fromStdString((folder.path() / name).string()));
        ASSERT_EQ(read.size(), image.size()) << name;
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image) << name;
    }
}

TEST_F(PictureFiles, ReducedFormatsKeepTheColoursRoughly) {
    for (const auto& [name, format] : {std::pair{"x.JPG", PictureFormat::Jpeg}, {"x.GIF", PictureFormat::Gif}}) {
        Save(name, format);
        const QImage read(QString::fromStdString((folder.path() / name).string()));
        ASSERT_EQ(read.size(), image.size()) << name;
        const QColor top_left = read.pixelColor(2, 2);
        const QColor bottom_right = read.pixelColor(60, 44);
        const QColor bottom_left = read.pixelColor(2, 44);
        EXPECT_GT(top_left.red(), 200) << name;
        EXPECT_LT(top_left.blue(), 60) << name;
        EXPECT_GT(bottom_right.blue(), 200) << name;
        EXPECT_LT(bottom_right.red(), 60) << name;
        EXPECT_GT(bottom_left.green(), 200) << name;
    }
}

TEST_F(PictureFiles, AnExistingFileIsReplacedWhole) {
    const fs::path path = folder.path() / "x.PNG";
    std::ofstream(path) << std::string(100000, 'z');
    Save("x.PNG", PictureFormat::Png);
    const std::string bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 4), "\x89PNG");
    EXPECT_EQ(bytes.find("zzzz"), std::string::npos);
}

TEST_F(PictureFiles, AFailedWriteThrowsNamingTheFileAndLeavesNothing) {
    // A folder where the file should go cannot be replaced by a picture; a
    // missing folder cannot take one at all.
    const fs::path blocked = folder.path() / "x.PNG";
    fs::create_directory(blocked);
    const fs::path missing = folder.path() / "no such folder" / "y.BMP";
    for (const auto& [path, format] : {std::pair{blocked, PictureFormat::Png}, {missing, PictureFormat::Bmp}}) {
        try {
            SavePicture(image, {path, format});
            ADD_FAILURE() << "no error for " << path;
        } catch (const platform::RunTimeError& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
        }
    }
    EXPECT_TRUE(fs::is_directory(blocked));
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "only the blocking folder";
}

}  // namespace
}  // namespace zu
