#pragma once
// User catalogue files (.UC): a header and a list of the user's own objects
// (outline shapes, stars, nonstellar objects, lines and text labels), text in
// code page 949 with CR LF line ends:
//
//   <Header>
//   Catalog Name=...        Epoch=2451545        Coordinate=e
//   Author=...              Comments=...         Object Color[1]=255,0,0 .. [5]
//   </Header>
//   <ObjectList>
//   cl,10.5,20,30,2,name,comment      (kind, then the kind's fields)
//   </ObjectList>
//
// TABs are removed, lines trimmed, empty lines and lines starting with ";"
// dropped; tags and header keys are matched without regard to case, a key
// only at the start of a header line. Right ascensions (first coordinates)
// are reduced to 0..360, the second of a line kept as written within one
// turn either way.
//
// Numbers are kept in the ranges of the map points and drawn lines
// (LoadedRanges.h): a line whose right ascension is beyond
// kMaxFoldedAngle_deg, whose declination lies outside -90..90, whose size
// lies outside 0..kMaxMarkSize_arcmin, whose magnitude lies outside
// kMinMagnitude..kMaxMagnitude or whose proper motion does not fit a Single
// is refused (left out and noted with its line); so is an Epoch outside the
// chart's dates, which leaves J2000.
//
// Texts (names, comments, descriptions, spectral types, labels and the
// header's name, author and comments) are cut to kMaxCatText_chars
// characters after their escapes are resolved, and the line is noted: the
// chart draws and measures every label at every redraw and print, and no
// label shows more.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skydata/LoadLog.h"

namespace skydata {

// Object kinds in the order of CustomCatalog::Count.
enum CustomCatKind : int {
    kCatCircle = 0,        // "cl"
    kCatFilledCircle = 1,  // "scl"
    kCatRect = 2,          // "rect"
    kCatFilledRect = 3,    // "srect"
    kCatCross = 4,         // "cr"
    kCatStar = 5,          // "star"
    kCatNonstellar = 6,    // "nst"
    kCatLine = 7,          // "ln"
    kCatLongLine = 8,      // "longln"
    kCatText = 9,          // "str"
    kCatKindCount = 10,
};

// Shapes share the layout of a map point so that one drawer serves both.
struct CustomCatShape {
    double RA = 0;   // degrees (azimuth for a horizontal catalogue), 0..360
    double Dec = 0;  // degrees (altitude for a horizontal catalogue)
    float Size = 0;  // arcminutes
    std::int32_t Color = 0;  // RGB of the header colour chosen by the line
    std::string Name;
    std::string Comment;
    std::uint8_t Shape = 1;  // 1 cl, 2 scl, 3 rect, 4 srect, 5 cr
};

struct CustomCatStar {
    double RA = 0;
    double Dec = 0;
    float Mag = 0;
    float PmRA = 0;   // arcseconds per year
    float PmDec = 0;  // arcseconds per year
    std::string SpType;
    std::string Name;
    std::string Comment;
};

struct CustomCatNst {
    double RA = 0;
    double Dec = 0;
    float Mag = 0;
    float Size = 10;        // arcminutes
    std::uint8_t Type = 0;  // 1 nb, 2 gc, 3 oc, 4 gx, 5 pn, 0 other
    std::string Name;
    std::string Comment;
};

struct CustomCatLine {
    double RA1 = 0;  // 0..360
    double Dec1 = 0;
    double RA2 = 0;  // as written within -360..360, else folded into 0..360
    double Dec2 = 0;
    std::int32_t Color = 0;
};

struct CustomCatText {
    double RA = 0;
    double Dec = 0;
    std::string Text;
    std::int32_t Color = 0;
};

// A line's ends as the reader keeps them: the first right ascension (or
// azimuth) folded into 0..360, the second as it stands within one turn either
// way and folded beyond, both declinations within -90..90 (LoadedRanges.h);
// nullopt when a number is beyond those ranges or not finite. Walked between
// such ends, a long line takes a bounded number of steps.
std::optional<CustomCatLine> FoldedCatLine(const CustomCatLine& line);

// The longest text kept from a catalogue, in characters (UTF-8 code points).
constexpr std::size_t kMaxCatText_chars = 1000;

constexpr std::int32_t kCatWhite = 255 + 256 * 255 + 65536 * 255;

struct CustomCatalog {
    std::string Name = "Custom 1";
    double Epoch = 2451545;        // Julian day of the catalogue's equinox
    std::string Coordinate = "e";  // "a" horizontal (azimuth, altitude), "e" equatorial
    std::string Author;
    std::string Comments;
    std::array<std::int32_t, 5> Color = {kCatWhite, kCatWhite, kCatWhite, kCatWhite, kCatWhite};  // Color(1..5)
    std::array<std::int32_t, kCatKindCount> Count = {};  // objects of each kind
    std::array<std::vector<CustomCatShape>, 5> Shapes;   // cl, scl, rect, srect, cr
    std::vector<CustomCatStar> Stars;
    std::vector<CustomCatNst> Nonstellar;
    std::array<std::vector<CustomCatLine>, 2> Lines;     // ln, longln
    std::vector<CustomCatText> Texts;
};

// Parses the text of a catalogue file (already decoded to UTF-8); names,
// descriptions and texts are unescaped (UnescapeCatText). Never
// fails: what cannot be read keeps its default, and a refused line (or one
// with a text cut) is noted in `log` once, as displayName and its line number
// in the text, while the other lines load.
CustomCatalog ParseCustomCatalogText(std::string_view text, const std::string& displayName, LoadLog& log);
// As above, the refused lines left out without a note.
CustomCatalog ParseCustomCatalogText(std::string_view text);

enum class CustomCatLoadStatus { Loaded, Missing, Unreadable };

// Reads a catalogue file into `catalog`. A missing or unreadable file leaves
// `catalog` untouched and says so. Refused lines are noted in `log` under
// the file's path.
CustomCatLoadStatus LoadCustomCatalog(const std::filesystem::path& path, CustomCatalog& catalog, LoadLog& log);
CustomCatLoadStatus LoadCustomCatalog(const std::filesystem::path& path, CustomCatalog& catalog);

struct CustomCatHeader {
    std::string Name;
    std::string Comments;
};
// Name and comments of a catalogue file's header; nullopt when the file cannot
// be read.
std::optional<CustomCatHeader> ReadCatalogHeader(const std::filesystem::path& path);

// Inner steps, public for the tests.
std::string StripCommentLines(std::string_view text);
std::string UnescapeCatText(std::string_view text);   // "/n" CR LF, "/c" ",", "/t" TAB, "//" "/", in this order
std::uint8_t NstTypeCode(std::string_view code);      // nb 1, gc 2, oc 3, gx 4, pn 5, else 0
std::optional<std::int32_t> ParseRgbText(std::string_view text);  // "r,g,b", each clamped to 0..255

}  // namespace skydata
