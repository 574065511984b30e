#include "zu/main/PictureExport.h"

#include <FreeImage.h>
#include <dlfcn.h>

#include <QString>

#include <array>
#include <cctype>
#include <memory>

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"

namespace zu {
namespace {

constexpr int kDotExtensionLength = 4;  // ".PNG"
constexpr int kTrueColourBits = 24;

struct FormatRow {
    PictureFormat format;
    const char* extension;
};
constexpr std::array<FormatRow, 4> kFilterOrder = {{
    {PictureFormat::Bmp, "BMP"},
    {PictureFormat::Jpeg, "JPG"},
    {PictureFormat::Gif, "GIF"},
    {PictureFormat::Png, "PNG"},
}};

std::string UpperAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// FreeImage is opened on the first save of a JPEG, PNG or GIF picture and
// stays open: linked, it and the many image libraries it pulls in would be
// loaded and initialised at every start of the program.
struct FreeImageCalls {
    decltype(&FreeImage_Allocate) Allocate = nullptr;
    decltype(&FreeImage_GetScanLine) GetScanLine = nullptr;
    decltype(&FreeImage_Save) Save = nullptr;
    decltype(&FreeImage_ColorQuantize) ColorQuantize = nullptr;
    decltype(&FreeImage_Unload) Unload = nullptr;
};

template <typename Function>
bool Bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The bound calls, or nullptr when the library or an entry point is missing.
const FreeImageCalls* FreeImage() {
    static const FreeImageCalls* const calls = []() -> const FreeImageCalls* {
        void* library = dlopen("libfreeimage.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        static FreeImageCalls bound;
        const bool complete = Bind(library, "FreeImage_Allocate", bound.Allocate) &&
                              Bind(library, "FreeImage_GetScanLine", bound.GetScanLine) &&
                              Bind(library, "FreeImage_Save", bound.Save) &&
                              Bind(library, "FreeImage_ColorQuantize", bound.ColorQuantize) &&
                              Bind(library, "FreeImage_Unload", bound.Unload);
        return complete ? &bound : nullptr;
    }();
    return calls;
}

struct DibDeleter {
    void operator()(FIBITMAP* dib) const {
        if (dib) FreeImage()->Unload(dib);
    }
};
using Dib = std::unique_ptr<FIBITMAP, DibDeleter>;

// A 24-bit FreeImage bitmap of the picture's pixels (FreeImage keeps its rows
// bottom-up).
Dib TrueColourDib(const FreeImageCalls& fi, const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    Dib dib(fi.Allocate(image.width(), image.height(), kTrueColourBits, 0, 0, 0));
    if (!dib) return dib;
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        BYTE* row = fi.GetScanLine(dib.get(), image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            BYTE* pixel = row + 3 * x;
            pixel[FI_RGBA_RED] = static_cast<BYTE>(qRed(source[x]));
            pixel[FI_RGBA_GREEN] = static_cast<BYTE>(qGreen(source[x]));
            pixel[FI_RGBA_BLUE] = static_cast<BYTE>(qBlue(source[x]));
        }
    }
    return dib;
}

bool WriteWithFreeImage(const QImage& image, PictureFormat format, const std::filesystem::path& path) {
    const FreeImageCalls* fi = FreeImage();
    if (!fi) return false;
    Dib dib = TrueColourDib(*fi, image);
    if (!dib) return false;
    const std::string name = path.string();
    switch (format) {
        case PictureFormat::Jpeg: return fi->Save(FIF_JPEG, dib.get(), name.c_str(), JPEG_QUALITYSUPERB) != 0;
        case PictureFormat::Png: return fi->Save(FIF_PNG, dib.get(), name.c_str(), PNG_DEFAULT) != 0;
        case PictureFormat::Gif: {
            Dib palette(fi->ColorQuantize(dib.get(), FIQ_WUQUANT));
            return palette && fi->Save(FIF_GIF, palette.get(), name.c_str(), GIF_DEFAULT) != 0;
        }
        case PictureFormat::Bmp: break;
    }
    return false;
}

bool Write(const QImage& image, PictureFormat format, const std::filesystem::path& path) {
    if (format == PictureFormat::Bmp) return image.save(QString::fromStdString(path.string()), "BMP");
    return WriteWithFreeImage(image, format, path);
}

}  // namespace

std::string ExtensionOf(PictureFormat format) {
    for (const FormatRow& row : kFilterOrder) {
        if (row.format == format) return row.extension;
    }
    return "BMP";
}

PictureTarget ResolvePictureName(const std::filesystem::path& chosen, int filter_index) {
    const std::string name = chosen.filename().string();
    if (name.size() > kDotExtensionLength) {
        const std::string tail = UpperAscii(name.substr(name.size() - kDotExtensionLength));
        for (const FormatRow& row : kFilterOrder) {
            if (tail == std::string(".") + row.extension) return {chosen, row.format};
        }
    }
    const bool known_index = filter_index >= 1 && filter_index <= static_cast<int>(kFilterOrder.size());
    const FormatRow& row = kFilterOrder[static_cast<std::size_t>(known_index ? filter_index - 1 : 0)];
    std::filesystem::path with_extension = chosen;
    with_extension += std::string(".") + row.extension;
    return {with_extension, row.format};
}

void SavePicture(const QImage& image, const PictureTarget& target) {
    // The codecs open the file by name: they write the pending file, which
    // takes the target's name only when the picture is whole.
    platform::PendingFile file(target.path);
    const bool written =
        file.IsOpen() && Write(image, target.format, file.WriteName()) && file.Size() > 0 && file.Commit();
    if (!written) throw platform::RunTimeError("그림 파일을 저장할 수 없습니다: " + target.path.string());
}

}  // namespace zu
