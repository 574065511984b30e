#pragma once
// Saving the chart as a picture file: a Windows bitmap through Qt, JPEG
// (superb quality), PNG (24 bits per pixel) and GIF (8 bits per pixel,
// colour-quantised) through FreeImage.
#include <QImage>

#include <filesystem>
#include <string>

namespace zu {

enum class PictureFormat { Bmp, Jpeg, Gif, Png };

// The picture filter of the save dialog; its pairs are, from 1, BMP, JPEG,
// GIF and PNG.
inline constexpr const char* kPictureFilter =
    "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG";

struct PictureTarget {
    std::filesystem::path path;  // exactly the file that is written
    PictureFormat format = PictureFormat::Bmp;
};

// The file and format for a name chosen in the save dialog with the filter
// pair `filter_index` (from 1) in force. A name ending in ".BMP", ".JPG",
// ".GIF" or ".PNG" in any letter case keeps its name and takes that format;
// any other name takes the chosen filter's format with its extension added
// (an unknown filter index counts as the first).
PictureTarget ResolvePictureName(const std::filesystem::path& chosen, int filter_index);

// The extension of a format as the filter writes it: "BMP", "JPG", "GIF", "PNG".
std::string ExtensionOf(PictureFormat format);

// Writes `image` to target.path in its format. The picture is written into a
// platform::PendingFile and takes the target's name only when complete, so a
// failure or a kill leaves any existing file as it was and nothing beside it. Throws
// platform::RunTimeError naming the file when it cannot be written.
void SavePicture(const QImage& image, const PictureTarget& target);

}  // namespace zu
