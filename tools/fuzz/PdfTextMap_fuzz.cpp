// libFuzzer target: the mending of a printed PDF's text maps, handed bytes
// as a damaged disk or another engine might leave them. Whatever the bytes,
// it ends without a fault, a sanitizer report or a hang; a file it mends
// reads back as needing nothing more, and so does a map it mends.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/PdfTextMap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::string> mended = platform::RepairPdfTextMaps(bytes))
        tools::fuzz::Check(!platform::RepairPdfTextMaps(*mended));
    if (const std::optional<std::string> map = platform::RepairToUnicodeCMap(bytes))
        tools::fuzz::Check(!platform::RepairToUnicodeCMap(*map));
    return 0;
}
