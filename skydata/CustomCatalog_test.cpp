#include "skydata/CustomCatalog.h"

#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace skydata;

namespace {

constexpr std::int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(CustomCatalogTest, HeaderTagInAnyCaseAndKeysAtLineStart) {
    for (const char* tags : {"HEADER", "header", "HeAdEr"}) {
        const std::string text = std::string("<") + tags + ">\r\nCATALOG NAME = 내 목록\r\nepoch=2433282.5\r\n" +
                                 "coordinate=Alt-Az\r\nAuthor=me\r\n</" + tags + ">\r\n";
        const CustomCatalog cat = ParseCustomCatalogText(text);
        SCOPED_TRACE(tags);
        EXPECT_EQ(cat.Name, "내 목록");
        EXPECT_EQ(cat.Epoch, 2433282.5);
        EXPECT_EQ(cat.Coordinate, "a");
        EXPECT_EQ(cat.Author, "me");
    }
    // A key inside another line's value does not count.
    const CustomCatalog cat =
        ParseCustomCatalogText("<Header>\r\nComments=see Author=nobody /c really\r\n</Header>");
    EXPECT_EQ(cat.Author, "");
    EXPECT_EQ(cat.Comments, "see Author=nobody , really");
}

TEST(CustomCatalogTest, HeaderDefaultsAndColours) {
    const CustomCatalog empty = ParseCustomCatalogText("");
    EXPECT_EQ(empty.Name, "Custom 1");
    EXPECT_EQ(empty.Epoch, 2451545);
    EXPECT_EQ(empty.Coordinate, "e");
    for (std::int32_t c : empty.Color) EXPECT_EQ(c, Rgb(255, 255, 255));

    const CustomCatalog cat = ParseCustomCatalogText(
        "<Header>\r\nObject Color[1]=255,0,0\r\nObject Color[2]= 300 , -5 , 127.5 \r\nObject Color[3]=1,2\r\n"
        "Object Color[5]=0,0,0</Header>");
    EXPECT_EQ(cat.Color[0], Rgb(255, 0, 0));
    EXPECT_EQ(cat.Color[1], Rgb(255, 0, 128));  // clamped; 127.5 rounds to the even 128
    EXPECT_EQ(cat.Color[2], Rgb(255, 255, 255));  // too few numbers keeps white
    EXPECT_EQ(cat.Color[3], Rgb(255, 255, 255));
    EXPECT_EQ(cat.Color[4], 0);  // the last header line runs to the closing tag
}

TEST(CustomCatalogTest, ObjectLinesOfEveryKind) {
    const std::string text =
        "<header>\r\nObject Color[2]=0,255,0\r\n</header>\r\n"
        "<objectlist>\r\n"
        "; cl,1,1,1,1,comment line\r\n"
        "\tcl , 10 , 20\r\n"
        "SCL,-10,-90,30,2,filled,a/cb//n\r\n"
        "rect,370,0,5,9,r\r\n"
        "srect,0,0,1,0\r\n"
        "cr,720,-5,2,5,x,y\r\n"
        "star,83.8,-5.4,2.1,0.01,-0.02,B0,별/t이름,desc/nline\r\n"
        "nst,10.68,41.27,3.4,190,GX,M31,Andromeda\r\n"
        "nst,1,2,3,,gn\r\n"
        "nst,1,2\r\n"
        "ln,-30,1,-40,2,2\r\n"
        "longln,1,2,3,4\r\n"
        "str,5,6,Text/cwith comma,0\r\n"
        "str,5,6,t,7\r\n"
        "unknown,1,2\r\n"
        "</objectlist>\r\n";
    const CustomCatalog cat = ParseCustomCatalogText(text);
    const std::array<std::int32_t, kCatKindCount> counts = {1, 1, 1, 1, 1, 1, 3, 1, 1, 2};
    EXPECT_EQ(cat.Count, counts);

    const CustomCatShape& cl = cat.Shapes[kCatCircle][0];
    EXPECT_EQ(cl.RA, 10);
    EXPECT_EQ(cl.Dec, 20);
    EXPECT_EQ(cl.Size, 0);
    EXPECT_EQ(cl.Color, Rgb(255, 255, 255));  // colour 1
    EXPECT_EQ(cl.Name, "");
    EXPECT_EQ(cl.Shape, 1);

    const CustomCatShape& scl = cat.Shapes[kCatFilledCircle][0];
    EXPECT_EQ(scl.RA, 350);
    EXPECT_EQ(scl.Dec, -90);
    EXPECT_EQ(scl.Color, Rgb(0, 255, 0));
    EXPECT_EQ(scl.Comment, "a,b/\r\n");  // "/n" runs before "//"
    EXPECT_EQ(scl.Shape, 2);
    EXPECT_EQ(cat.Shapes[kCatRect][0].RA, 10);
    EXPECT_EQ(cat.Shapes[kCatRect][0].Color, Rgb(255, 255, 255));  // index 9 gives 1
    EXPECT_EQ(cat.Shapes[kCatCross][0].RA, 0);
    EXPECT_EQ(cat.Shapes[kCatCross][0].Shape, 5);

    const CustomCatStar& star = cat.Stars[0];
    EXPECT_DOUBLE_EQ(star.RA, 83.8);
    EXPECT_FLOAT_EQ(star.Mag, 2.1f);
    EXPECT_FLOAT_EQ(star.PmDec, -0.02f);
    EXPECT_EQ(star.SpType, "B0");
    EXPECT_EQ(star.Name, "별\t이름");  // names are unescaped like descriptions
    EXPECT_EQ(star.Comment, "desc\r\nline");

    EXPECT_EQ(cat.Nonstellar[0].Type, 4);
    EXPECT_EQ(cat.Nonstellar[0].Size, 190);
    EXPECT_EQ(cat.Nonstellar[0].Name, "M31");
    EXPECT_EQ(cat.Nonstellar[1].Type, 0);
    EXPECT_EQ(cat.Nonstellar[1].Size, 0);   // present but empty
    EXPECT_EQ(cat.Nonstellar[2].Size, 10);  // missing: the default

    EXPECT_EQ(cat.Lines[0][0].RA1, 330);
    EXPECT_EQ(cat.Lines[0][0].RA2, -40);  // only the first is reduced
    EXPECT_EQ(cat.Lines[0][0].Color, Rgb(0, 255, 0));
    EXPECT_EQ(cat.Lines[1][0].Color, Rgb(255, 255, 255));
    EXPECT_EQ(cat.Texts[0].Text, "Text,with comma");
    EXPECT_EQ(cat.Texts[0].Color, Rgb(255, 255, 255));
    EXPECT_EQ(cat.Texts[1].Color, Rgb(255, 255, 255));
}

// Numbers the chart cannot use refuse their line, noted once with the file
// and the line's number in the file (comments and blank lines counted); the
// lines around it load.
TEST(CustomCatalogTest, LinesWithUnusableNumbersAreRefusedAndNoted) {
    struct Row {
        const char* line;
        bool kept;
    };
    const Row rows[] = {
        {"longln,10,20,1E+12,30,1", false},  // a walk of 1e12 degrees
        {"longln,10,20,1E+8,30,1", false},
        {"ln,10,20,30,-90.5", false},
        {"ln,1E+999,20,30,40", false},        // too large for a Double
        {"cl,1000001,0,1", false},
        {"scl,0,90.001,1", false},
        {"rect,0,0,-1", false},
        {"srect,0,0,21601", false},
        {"star,0,0,-30.5", false},
        {"star,0,0,1,4E+38", false},           // proper motion beyond a Single
        {"nst,0,0,31", false},
        {"nst,0,0,1,1E+308", false},
        {"str,0,-1E+308,t", false},
        {"cr,1000000,-90,21600,1,edge", true},  // 1e6 folds to 280
        {"star,-360,90,-30,1,-1", true},
        {"nst,0,0,30,0", true},
        {"longln,10,20,-350,30", true},       // within one turn: as written
        {"str,NaN,NaN,no number reads as 0", true},
    };
    std::string text = "<Header>\r\nCatalog Name=t\r\nCoordinate=e\r\n</Header>\r\n\r\n; note\r\n<ObjectList>\r\n";
    const long first = 8;  // line number of the first row
    for (const Row& row : rows) text += std::string(row.line) + "\r\n";
    text += "</ObjectList>\r\n";

    LoadLog log;
    const CustomCatalog cat = ParseCustomCatalogText(text, "t.UC", log);
    std::vector<std::string> expected;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        if (rows[i].kept) {
            ++kept;
        } else {
            expected.push_back("t.UC " + std::to_string(first + static_cast<long>(i)) + "행 범위를 벗어난 값");
        }
    }
    EXPECT_EQ(log.Problems, expected);
    std::size_t loaded = 0;
    for (std::int32_t n : cat.Count) loaded += static_cast<std::size_t>(n);
    EXPECT_EQ(loaded, kept);
    ASSERT_EQ(cat.Count[kCatCross], 1);
    EXPECT_DOUBLE_EQ(cat.Shapes[kCatCross][0].RA, 280);
    EXPECT_EQ(cat.Shapes[kCatCross][0].Size, 21600);
    ASSERT_EQ(cat.Count[kCatStar], 1);
    EXPECT_EQ(cat.Stars[0].RA, 0);
    ASSERT_EQ(cat.Count[kCatLongLine], 1);
    EXPECT_EQ(cat.Lines[1][0].RA2, -350);
    ASSERT_EQ(cat.Count[kCatText], 1);
    EXPECT_EQ(cat.Texts[0].RA, 0);

    // Without a log the same lines are left out all the same.
    EXPECT_EQ(ParseCustomCatalogText(text).Count, cat.Count);
}

TEST(CustomCatalogTest, LineNumbersCountEveryLineOfTheFileAndAnEpochOutOfRangeKeepsJ2000) {
    const std::string text =
        "; a catalogue\n<header>\n\tEpoch = 1E+300\n</header><objectlist>cl,0,95\r\n\r\n"
        "\tcl,0,0\n  cl , 0 , -91</objectlist>";
    LoadLog log;
    const CustomCatalog cat = ParseCustomCatalogText(text, "dir/a.UC", log);
    EXPECT_EQ(cat.Epoch, 2451545);
    EXPECT_EQ(cat.Count[kCatCircle], 1);
    EXPECT_EQ(log.Problems, (std::vector<std::string>{"dir/a.UC 3행 범위를 벗어난 값", "dir/a.UC 4행 범위를 벗어난 값",
                                                      "dir/a.UC 7행 범위를 벗어난 값"}));
}

TEST(CustomCatalogTest, FoldedLineEnds) {
    struct Row {
        CustomCatLine line;
        std::optional<std::array<double, 4>> folded;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        {{-30, 1, -40, 2, 0}, std::array<double, 4>{330, 1, -40, 2}},
        {{720.5, -90, 1000, 90, 0}, std::array<double, 4>{0.5, -90, 280, 90}},
        {{10, 20, 1e12, 30, 0}, std::nullopt},
        {{10, 20, 30, 90.5, 0}, std::nullopt},
        {{nan, 20, 30, 40, 0}, std::nullopt},
        {{10, nan, 30, 40, 0}, std::nullopt},
        {{10, 20, -1e308, 40, 0}, std::nullopt},
    };
    for (const Row& row : rows) {
        const std::optional<CustomCatLine> got = FoldedCatLine(row.line);
        SCOPED_TRACE(row.line.RA2);
        ASSERT_EQ(got.has_value(), row.folded.has_value());
        if (!got) continue;
        EXPECT_DOUBLE_EQ(got->RA1, (*row.folded)[0]);
        EXPECT_DOUBLE_EQ(got->Dec1, (*row.folded)[1]);
        EXPECT_DOUBLE_EQ(got->RA2, (*row.folded)[2]);
        EXPECT_DOUBLE_EQ(got->Dec2, (*row.folded)[3]);
    }
}

// Characters (UTF-8 code points) of a text.
std::size_t Chars(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// Every text a label or the information window shows is cut at load to
// kMaxCatText_chars characters, counted after the escapes are resolved and
// never inside a Korean character; the line loads and is noted once.
TEST(CustomCatalogTest, LongTextsAreCutToWhatALabelShowsAndNoted) {
    const std::string long_ascii = Repeat("x", kMaxCatText_chars + 1);
    const std::string long_korean = Repeat("별", kMaxCatText_chars + 1);  // 3 bytes each
    const std::string exact = Repeat("가", kMaxCatText_chars);
    const std::string breaks = Repeat("/n", kMaxCatText_chars / 2 + 1);  // CR LF each: 1002 characters
    struct Row {
        const char* name;
        std::string line;
        bool cut;
    };
    const Row rows[] = {
        {"circle name", "cl,1,2,3,1," + long_ascii + ",c", true},
        {"cross comment", "cr,1,2,3,1,n," + long_korean, true},
        {"star spectral type and name", "star,1,2,3,0,0," + long_ascii + "," + long_korean + ",d", true},
        {"nonstellar description", "nst,1,2,3,4,gx,n," + breaks, true},
        {"text label", "str,1,2," + long_korean + ",2", true},
        {"exactly the limit", "str,1,2," + exact + ",2", false},
        {"escapes that shrink to the limit", "str,1,2," + Repeat("//", kMaxCatText_chars) + ",2", false},
    };
    const std::string head = "<Header>\r\nCatalog Name=" + long_korean + "\r\nAuthor=me\r\nComments=" + breaks +
                             "\r\n</Header>\r\n<ObjectList>\r\n";
    const long first = 7;  // line number of the first row
    std::string text = head;
    std::vector<std::string> expected = {"c.UC 2행 1000자가 넘는 글을 1000자로 줄임",
                                         "c.UC 4행 1000자가 넘는 글을 1000자로 줄임"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        text += rows[i].line + "\r\n";
        if (rows[i].cut) {
            expected.push_back("c.UC " + std::to_string(first + static_cast<long>(i)) + "행 1000자가 넘는 글을 1000자로 줄임");
        }
    }
    text += "</ObjectList>\r\n";

    LoadLog log;
    const CustomCatalog cat = ParseCustomCatalogText(text, "c.UC", log);
    EXPECT_EQ(log.Problems, expected);
    EXPECT_EQ(cat.Name, Repeat("별", kMaxCatText_chars));
    EXPECT_EQ(cat.Author, "me");
    EXPECT_EQ(cat.Comments, Repeat("\r\n", kMaxCatText_chars / 2));
    ASSERT_EQ(cat.Count[kCatCircle], 1);
    EXPECT_EQ(cat.Shapes[kCatCircle][0].Name, Repeat("x", kMaxCatText_chars));
    EXPECT_EQ(cat.Shapes[kCatCircle][0].Comment, "c");
    ASSERT_EQ(cat.Count[kCatCross], 1);
    EXPECT_EQ(cat.Shapes[kCatCross][0].Comment, Repeat("별", kMaxCatText_chars));
    ASSERT_EQ(cat.Count[kCatStar], 1);
    EXPECT_EQ(cat.Stars[0].SpType, Repeat("x", kMaxCatText_chars));
    EXPECT_EQ(cat.Stars[0].Name, Repeat("별", kMaxCatText_chars));
    ASSERT_EQ(cat.Count[kCatNonstellar], 1);
    EXPECT_EQ(cat.Nonstellar[0].Comment, Repeat("\r\n", kMaxCatText_chars / 2));
    EXPECT_EQ(cat.Nonstellar[0].Type, 4);
    ASSERT_EQ(cat.Count[kCatText], 3);
    EXPECT_EQ(cat.Texts[0].Text, Repeat("별", kMaxCatText_chars));
    EXPECT_EQ(cat.Texts[0].Color, cat.Color[1]);
    EXPECT_EQ(cat.Texts[1].Text, exact);
    EXPECT_EQ(cat.Texts[2].Text, Repeat("/", kMaxCatText_chars));
    for (const CustomCatText& t : cat.Texts) EXPECT_EQ(Chars(t.Text), kMaxCatText_chars);

    // A line refused for its numbers is noted once, as refused.
    LoadLog refused;
    ParseCustomCatalogText("<ObjectList>\r\nstr,1,95," + long_ascii + "\r\n</ObjectList>", "r.UC", refused);
    EXPECT_EQ(refused.Problems, std::vector<std::string>{"r.UC 2행 범위를 벗어난 값"});
}

// A 10 MB name read from a file is kept at the limit, so the chart never
// measures more at a redraw or a print.
TEST(CustomCatalogTest, TenMegabyteNameFromAFileIsCut) {
    const fs::path dir = fs::temp_directory_path() / ("zu_customcat_long_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string name(10 * 1000 * 1000, 'N');
    ASSERT_TRUE(platform::WriteTextFileCp949(
        dir / "big.UC", "<ObjectList>\r\nstr,10,20,ok\r\nstar,10,20,1,0,0,A0," + name + ",d\r\n</ObjectList>\r\n"));
    CustomCatalog cat;
    LoadLog log;
    EXPECT_EQ(LoadCustomCatalog(dir / "big.UC", cat, log), CustomCatLoadStatus::Loaded);
    ASSERT_EQ(cat.Count[kCatStar], 1);
    EXPECT_EQ(cat.Stars[0].Name.size(), kMaxCatText_chars);
    EXPECT_EQ(cat.Stars[0].Comment, "d");
    EXPECT_EQ(cat.Count[kCatText], 1);
    EXPECT_EQ(log.Problems, std::vector<std::string>{(dir / "big.UC").string() + " 3행 1000자가 넘는 글을 1000자로 줄임"});
    fs::remove_all(dir);
}

TEST(CustomCatalogTest, EscapesAndTypeCodes) {
    EXPECT_EQ(UnescapeCatText("a/nb/cc/td//e"), "a\r\nb,c\td/e");
    EXPECT_EQ(UnescapeCatText("//n"), "/\r\n");
    EXPECT_EQ(NstTypeCode("gx"), 4);
    EXPECT_EQ(NstTypeCode("GX"), 4);
    EXPECT_EQ(NstTypeCode("Pn"), 5);
    EXPECT_EQ(NstTypeCode("gn"), 0);
    EXPECT_EQ(StripCommentLines("\t a \r\n;x\r\n\r\n b\tc\n"), "a\r\nbc\r\n");
}

TEST(CustomCatalogTest, MarkerManagerOutputReadsBack) {
    // The layout the marker manager writes.
    const std::string text =
        "<Header>\r\nCatalog Name=표지목록\r\nEpoch=2451545\r\nCoordinate=e\r\nAuthor=\r\nComments=\r\n"
        "Object Color[1]=255,255,0\r\nObject Color[2]=255,0,0\r\nObject Color[3]=0,255,0\r\n"
        "Object Color[4]=0,0,255\r\nObject Color[5]=0,0,0\r\n</Header>\r\n<ObjectList>\r\n"
        "cl,15.5,-20.25,60,1,표지 1,\r\nln,1,2,3,4,2\r\n</ObjectList>\r\n";
    const CustomCatalog cat = ParseCustomCatalogText(text);
    EXPECT_EQ(cat.Name, "표지목록");
    EXPECT_EQ(cat.Color[4], 0);
    ASSERT_EQ(cat.Count[kCatCircle], 1);
    EXPECT_EQ(cat.Shapes[kCatCircle][0].Name, "표지 1");
    EXPECT_EQ(cat.Shapes[kCatCircle][0].Color, Rgb(255, 255, 0));
    EXPECT_EQ(cat.Lines[0][0].Color, Rgb(255, 0, 0));
}

TEST(CustomCatalogTest, FilesMissingOrUnreadableLeaveTheRecord) {
    const fs::path dir = fs::temp_directory_path() / ("zu_customcat_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    CustomCatalog cat;
    cat.Name = "previous";
    EXPECT_EQ(LoadCustomCatalog(dir / "none.UC", cat), CustomCatLoadStatus::Missing);
    EXPECT_EQ(LoadCustomCatalog(dir, cat), CustomCatLoadStatus::Unreadable);
    EXPECT_EQ(cat.Name, "previous");
    EXPECT_FALSE(ReadCatalogHeader(dir / "none.UC").has_value());

    ASSERT_TRUE(platform::WriteTextFileCp949(dir / "k.UC", "<Header>\r\nCatalog Name=별목록\r\nComments=a/cb\r\n"
                                                           "</Header>\r\n<ObjectList>\r\nstar,1,2\r\n</ObjectList>"));
    EXPECT_EQ(LoadCustomCatalog(dir / "k.UC", cat), CustomCatLoadStatus::Loaded);
    EXPECT_EQ(cat.Name, "별목록");
    EXPECT_EQ(cat.Count[kCatStar], 1);
    const auto header = ReadCatalogHeader(dir / "k.UC");
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->Name, "별목록");
    EXPECT_EQ(header->Comments, "a,b");
    fs::remove_all(dir);
}

}  // namespace
