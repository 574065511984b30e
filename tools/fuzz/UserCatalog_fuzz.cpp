// libFuzzer target: the user-catalogue (.UC) parser and the entry lookup.
// Any input must parse without a crash or sanitizer report into a record
// whose counts match its arrays, whose first coordinates lie in 0..360, whose
// second coordinates lie within one turn either way, whose declinations lie
// within -90..90, whose sizes and magnitudes lie in the loaders' ranges and
// whose texts hold at most kMaxCatText_chars characters.
#include "platform/TextFile.h"
#include "skydata/CustomCatalog.h"
#include "skydata/LoadedRanges.h"
#include "skydata/UserCatalogs.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool InCircle(double ra) { return ra >= 0 && ra < 360; }
bool OnSky(double ra, double dec) { return InCircle(ra) && skydata::IsUsableLatitude(dec); }

bool Short(const std::string& text) {
    std::size_t chars = 0;
    for (char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return chars <= skydata::kMaxCatText_chars;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    std::array<skydata::CustomCatalog, 2> slots;
    skydata::LoadLog log;
    slots[0] = skydata::ParseCustomCatalogText(platform::Cp949ToUtf8(raw), "fuzz.UC", log);
    slots[1] = skydata::ParseCustomCatalogText(raw);
    Check(!skydata::RefusedLinesNotice(log).empty() == !log.Problems.empty());

    for (const skydata::CustomCatalog& cat : slots) {
        for (int k = 0; k < 5; ++k) {
            Check(cat.Count[k] == static_cast<std::int32_t>(cat.Shapes[k].size()));
            for (const auto& s : cat.Shapes[k]) {
                Check(OnSky(s.RA, s.Dec) && s.Shape == k + 1 && skydata::IsUsableMarkSize(s.Size));
                Check(Short(s.Name) && Short(s.Comment));
            }
        }
        Check(cat.Count[skydata::kCatStar] == static_cast<std::int32_t>(cat.Stars.size()));
        Check(cat.Count[skydata::kCatNonstellar] == static_cast<std::int32_t>(cat.Nonstellar.size()));
        Check(cat.Count[skydata::kCatText] == static_cast<std::int32_t>(cat.Texts.size()));
        for (const auto& s : cat.Stars) {
            Check(OnSky(s.RA, s.Dec) && skydata::IsUsableMagnitude(s.Mag));
            Check(Short(s.SpType) && Short(s.Name) && Short(s.Comment));
        }
        for (const auto& n : cat.Nonstellar) {
            Check(OnSky(n.RA, n.Dec) && n.Type <= 5 && skydata::IsUsableMarkSize(n.Size));
            Check(Short(n.Name) && Short(n.Comment));
        }
        for (const auto& lines : cat.Lines) {
            for (const auto& l : lines) {
                Check(OnSky(l.RA1, l.Dec1) && l.RA2 >= -360 && l.RA2 <= 360 && skydata::IsUsableLatitude(l.Dec2));
            }
        }
        for (const auto& t : cat.Texts) Check(OnSky(t.RA, t.Dec) && Short(t.Text));
        Check(Short(cat.Name) && Short(cat.Author) && Short(cat.Comments));
        Check(skydata::IsUsableJD(cat.Epoch));
        Check(cat.Coordinate == "a" || cat.Coordinate == "e");
    }

    // Keys built from the input, and the keys of every entry found.
    (void)skydata::LookupUserCatObject(raw.substr(0, 16), slots);
    static const char* kCodes[] = {"S1", "S2", "S3", "S4", "S5", "St", "Nb", "Ch"};
    for (int slot = 1; slot <= 2; ++slot) {
        for (const char* code : kCodes) {
            for (int index : {0, 1, 9999}) {
                char key[32];
                std::snprintf(key, sizeof key, "(UC%d_%s:%04d)", slot, code, index);
                (void)skydata::LookupUserCatObject(key, slots);
            }
        }
    }
    return 0;
}
