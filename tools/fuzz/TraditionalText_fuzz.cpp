// libFuzzer target: the traditional texts. The comments on the traditional
// constellations ("concmt.txt", code page 949) as the constellation
// information window reads a section of it, for the roots, a district and
// every section key the input names; and the traditional position texts
// (north polar distance, lunar mansion, branch palace) of the numbers the
// input's first bytes make, mansion table included. Any input ends without
// a crash or sanitizer report, and a comment is never empty.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "platform/TextFile.h"
#include "skydata/StartupTables.h"
#include "skydata/TraditionalText.h"
#include "zu/core/ConstInfoText.h"

namespace {

void PositionTexts(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kNumbers = 1 + skydata::kMansionCount;
    std::array<double, kNumbers> numbers{};
    std::memcpy(numbers.data(), data, std::min(size, sizeof numbers));
    std::array<double, skydata::kMansionCount> mansions{};
    skydata::InitGanzhiAndMansionStars(mansions);
    for (const bool degrees : {true, false}) {
        (void)skydata::NorthPolarDistance(numbers[0], degrees);
        (void)skydata::MansionPositionText(numbers[0], degrees, mansions);
    }
    (void)skydata::BranchPalaceText(numbers[0]);
    (void)skydata::BranchPalaceLabel(numbers[0]);
    std::array<double, skydata::kMansionCount> fromInput{};
    std::copy(numbers.begin() + 1, numbers.end(), fromInput.begin());
    (void)skydata::MansionPositionText(numbers[0], false, fromInput);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PositionTexts(data, size);

    const std::filesystem::path file = tools::fuzz::WriteInput(std::string(zu::kConstCommentFile), data, size);
    std::vector<std::string> codes = {"ECxx", "OCxx", "P1xx", "E101", ""};
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = bytes.find('#'); at != std::string::npos && codes.size() < 16; at = bytes.find('#', at + 1)) {
        codes.push_back(bytes.substr(at + 1, 4));
    }
    // The window reads the file for every node it shows; read it once here and
    // look up every section in the text read.
    tools::fuzz::Check(!zu::ReadConstComment(file, codes[0]).empty());
    const std::optional<std::string> text = platform::ReadTextFileCp949(file);
    tools::fuzz::Check(text.has_value());
    for (const std::string& code : codes) tools::fuzz::Check(!zu::ConstCommentOfText(*text, code).empty());
    return 0;
}
