#include "platform/PdfTextMap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// The ToUnicode map Qt 6.4 writes for "2026년 12월 己酉 일 월 화" set in
// NanumGothic: the blank reads as U+0001, 己 and 酉 as the Kangxi radicals.
constexpr std::string_view kQtCMap =
    "/CIDInit /ProcSet findresource begin\n"
    "12 dict begin\n"
    "begincmap\n"
    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
    "/CMapName /Adobe-Identity-UCS def\n"
    "/CMapType 2 def\n"
    "1 begincodespacerange\n"
    "<0000> <FFFF>\n"
    "endcodespacerange\n"
    "2 beginbfrange\n"
    "<0000> <0000> <0000>\n"
    "<0001> <000B> [<0032> <0030> <0036> <B144> <0001> <0031> <C6D4> <2F30> <2FA3> <C77C> <D654> ]\n"
    "endbfrange\n"
    "endcmap\n"
    "CMapName currentdict /CMap defineresource pop\n"
    "end\n"
    "end\n";

constexpr std::string_view kCMapHead =
    "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
    "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
    "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
constexpr std::string_view kCMapTail = "\nendcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";

std::string CMap(std::string_view blocks) { return std::string(kCMapHead) + std::string(blocks) + std::string(kCMapTail); }

// The code -> text pairs of a map's bfchar entries, as "0005:0020".
std::vector<std::string> CharEntries(const std::string& cmap) {
    std::vector<std::string> entries;
    static const std::regex entry("<([0-9A-F]+)> <([0-9A-F]+)>\n");
    const std::size_t from = cmap.find("beginbfchar");
    for (std::sregex_iterator it(cmap.begin() + static_cast<std::ptrdiff_t>(from), cmap.end(), entry), end; it != end;
         ++it)
        entries.push_back((*it)[1].str() + ":" + (*it)[2].str());
    return entries;
}

TEST(PdfTextMap, GlyphTextOfControlsRadicalsAndOthers) {
    struct Case {
        const char* what;
        char32_t mapped, text;
    };
    // Radicals and their ideographs from the Unicode code charts (Kangxi
    // Radicals, CJK Radicals Supplement, CJK Strokes).
    const Case cases[] = {
        {"U+0001, the first code of Nanum's blank", 0x0001, 0x0020},
        {"tab, DejaVu Sans' blank", 0x0009, 0x0020},
        {"last control", 0x001F, 0x0020},
        {"no text stays none", 0x0000, 0x0000},
        {"space", 0x0020, 0x0020},
        {"DEL is no blank", 0x007F, 0x007F},
        {"KANGXI RADICAL ONE", 0x2F00, 0x4E00},
        {"KANGXI RADICAL SELF (己)", 0x2F30, 0x5DF1},
        {"KANGXI RADICAL WINE (酉)", 0x2FA3, 0x9149},
        {"KANGXI RADICAL FLUTE, the last", 0x2FD5, 0x9FA0},
        {"after the Kangxi radicals", 0x2FD6, 0x2FD6},
        {"CJK RADICAL SMALL TWO, in a range", 0x2E8D, 0x5C0F},
        {"CJK RADICAL TABLE, beyond the BMP", 0x2E87, 0x20628},
        {"CJK RADICAL REPEAT has no ideograph", 0x2E80, 0x2E80},
        {"CJK STROKE T has no ideograph", 0x31C0, 0x31C0},
        {"CJK STROKE H", 0x31D0, 0x4E00},
        {"an ideograph", 0x4E00, 0x4E00},
        {"a Hangul syllable", 0xAC00, 0xAC00},
        {"a compatibility ideograph", 0xF967, 0xF967},
    };
    for (const Case& c : cases) EXPECT_EQ(GlyphText(c.mapped), c.text) << c.what;
}

TEST(PdfTextMap, QtsMapReadsAsThePage) {
    const std::optional<std::string> mended = RepairToUnicodeCMap(kQtCMap);
    ASSERT_TRUE(mended);
    // The frame around the mappings stays as written.
    EXPECT_EQ(mended->substr(0, kCMapHead.size()), kCMapHead);
    EXPECT_EQ(mended->substr(mended->size() - kCMapTail.size()), kCMapTail);
    EXPECT_EQ(CharEntries(*mended),
              (std::vector<std::string>{"0000:0000", "0001:0032", "0002:0030", "0003:0036", "0004:B144", "0005:0020",
                                        "0006:0031", "0007:C6D4", "0008:5DF1", "0009:9149", "000A:C77C",
                                        "000B:D654"}));
    EXPECT_NE(mended->find("12 beginbfchar\n"), std::string::npos);
    // Mended once, nothing is left to mend.
    EXPECT_FALSE(RepairToUnicodeCMap(*mended));
}

TEST(PdfTextMap, RangesCharsAndBlocks) {
    struct Case {
        const char* what;
        std::string blocks;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"a run of radicals counts up",
         "1 beginbfrange\n<0010> <0012> <2F00>\nendbfrange", {"0010:4E00", "0011:4E28", "0012:4E36"}},
        {"bfchar entries and a following range block",
         "2 beginbfchar\n<0001> <0041>\n<0002> <0003>\nendbfchar\n1 beginbfrange\n<0003> <0003> <2E87>\nendbfrange",
         {"0001:0041", "0002:0020", "0003:D841DE28"}},
        {"multi-unit texts stay as written",
         "1 beginbfchar\n<0001> <00660069>\nendbfchar\n1 beginbfchar\n<0002> <001F>\nendbfchar",
         {"0001:00660069", "0002:0020"}},
        {"one-byte codes and lower-case hex",
         "1 beginbfrange\n<1e> <1f> [<2f00> <0041>]\nendbfrange", {"1E:4E00", "1F:0041"}},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> mended = RepairToUnicodeCMap(CMap(c.blocks));
        ASSERT_TRUE(mended) << c.what;
        EXPECT_EQ(CharEntries(*mended), c.entries) << c.what;
    }

    // More than a block may hold: blocks of 100.
    std::string many = "1 beginbfrange\n<0100> <01FF> [";
    for (int k = 0; k < 256; ++k) many += k == 7 ? "<0001> " : "<AC00> ";
    many += "]\nendbfrange";
    const std::optional<std::string> split = RepairToUnicodeCMap(CMap(many));
    ASSERT_TRUE(split);
    EXPECT_EQ(CharEntries(*split).size(), 256u);
    EXPECT_EQ(CharEntries(*split)[7], "0107:0020");
    const std::regex counts("(\\d+) beginbfchar");
    std::vector<std::string> sizes;
    for (std::sregex_iterator it(split->begin(), split->end(), counts), end; it != end; ++it)
        sizes.push_back((*it)[1].str());
    EXPECT_EQ(sizes, (std::vector<std::string>{"100", "100", "56"}));
}

TEST(PdfTextMap, MapsLeftAsWritten) {
    struct Case {
        const char* what;
        std::string cmap;
    };
    const Case cases[] = {
        {"nothing to mend", CMap("1 beginbfrange\n<0001> <0002> [<0041> <4E00>]\nendbfrange")},
        {"no mappings", CMap("")},
        {"a hex string not closed", CMap("1 beginbfchar\n<0001> <0001\nendbfchar")},
        {"a stray character in hex", CMap("1 beginbfchar\n<0001> <00x1>\nendbfchar")},
        {"no end of the block", CMap("1 beginbfchar\n<0001> <0001>\n")},
        {"an array shorter than its range", CMap("1 beginbfrange\n<0001> <0003> [<0001> <0002>]\nendbfrange")},
        {"an array longer than its range", CMap("1 beginbfrange\n<0001> <0001> [<0001> <0002>]\nendbfrange")},
        {"a range over more than its last byte", CMap("1 beginbfrange\n<00FF> <0101> <0001>\nendbfrange")},
        {"a range running backwards", CMap("1 beginbfrange\n<0005> <0001> <0001>\nendbfrange")},
        {"a text counting past its last byte", CMap("1 beginbfrange\n<0001> <0003> <00FF>\nendbfrange")},
        {"a name as text", CMap("1 beginbfchar\n<0001> /space\nendbfchar")},
        {"no count before a block", CMap("beginbfchar\n<0001> <0001>\nendbfchar")},
        {"other text between blocks",
         CMap("1 beginbfchar\n<0001> <0001>\nendbfchar\nfoo\n1 beginbfchar\n<0002> <0002>\nendbfchar")},
        {"an unclosed string", "(Adobe 1 beginbfchar\n<0001> <0001>\nendbfchar"},
        {"empty", ""},
    };
    for (const Case& c : cases) EXPECT_FALSE(RepairToUnicodeCMap(c.cmap)) << c.what;
}

// ---- Whole files ---------------------------------------------------------------

// A PDF laid out as Qt writes it: objects 1..n in order, a classic xref
// table, the trailer. `objects` are the bodies between "n 0 obj\n" and
// "endobj\n".
std::string Pdf(const std::vector<std::string>& objects, const std::string& trailer_extra = "",
                const std::string& line_end = " \n") {
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(k + 1) + " 0 obj\n" + objects[k] + "endobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f" + line_end;
    for (const std::size_t offset : offsets) {
        char field[11];
        std::snprintf(field, sizeof field, "%010zu", offset);
        pdf += std::string(field) + " 00000 n" + line_end;
    }
    pdf += "trailer\n<<\n/Size " + std::to_string(objects.size() + 1) + "\n/Root 1 0 R\n" + trailer_extra +
           ">>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string Stream(std::string_view data) {
    return "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + std::string(data) + "\nendstream\n";
}

// Reads the file the way a viewer does: each xref offset starts its object,
// startxref finds the table; returns the objects' bodies, or a reason.
std::vector<std::string> Objects(const std::string& pdf, std::string& fault) {
    std::smatch m;
    if (!std::regex_search(pdf, m, std::regex("startxref\n(\\d+)\n%%EOF\n$"))) {
        fault = "no startxref";
        return {};
    }
    const std::size_t xref = std::stoul(m[1]);
    if (pdf.compare(xref, 5, "xref\n") != 0) {
        fault = "startxref misses the table";
        return {};
    }
    std::vector<std::string> bodies;
    static const std::regex entry("(\\d{10}) 00000 n");
    const std::string table = pdf.substr(xref, pdf.find("trailer", xref) - xref);
    for (std::sregex_iterator it(table.begin(), table.end(), entry), end; it != end; ++it) {
        const std::size_t at = std::stoul((*it)[1].str());
        const std::string head = std::to_string(bodies.size() + 1) + " 0 obj\n";
        if (pdf.compare(at, head.size(), head) != 0) {
            fault = "offset of object " + std::to_string(bodies.size() + 1) + " misses it";
            return {};
        }
        const std::size_t end_at = pdf.find("endobj", at);
        bodies.push_back(pdf.substr(at + head.size(), end_at - at - head.size()));
    }
    return bodies;
}

// A stream's data by its /Length.
std::string StreamData(const std::string& body) {
    std::smatch m;
    if (!std::regex_search(body, m, std::regex("/Length (\\d+)"))) return "";
    const std::size_t start = body.find("stream\n") + 7;
    return body.substr(start, std::stoul(m[1]));
}

TEST(PdfTextMap, FilesMovesEveryOffsetAndKeepsTheRest) {
    const std::string font_a = "<< /Type /Font\n/Subtype /Type0\n/ToUnicode 3 0 R>>\n";
    const std::string font_b = "<< /Type /Font\n/Subtype /Type0\n/ToUnicode 5 0 R>>\n";
    const std::string plain_map = CMap("1 beginbfchar\n<0001> <0041>\nendbfchar");
    const std::string binary = std::string("<<\n/Length 6 0 R\n/Filter /FlateDecode\n>>\nstream\n") +
                               std::string("x\x9c\0\xff/ToUnicode 3 0 R", 21) + "\nendstream\n";
    const std::vector<std::string> objects = {
        "<<\n/Type /Catalog\n>>\n", font_a, Stream(kQtCMap), font_b, Stream(plain_map), "21\n", binary,
        Stream(CMap("1 beginbfrange\n<0001> <0002> <2F00>\nendbfrange")),  // named by no font
    };
    const std::string pdf = Pdf(objects, "/ID [ <00> <00> ]\n");
    std::string fault;
    ASSERT_EQ(Objects(pdf, fault).size(), objects.size()) << fault;

    const std::optional<std::string> mended = RepairPdfTextMaps(pdf);
    ASSERT_TRUE(mended);
    const std::vector<std::string> bodies = Objects(*mended, fault);
    ASSERT_EQ(bodies.size(), objects.size()) << fault;
    for (const std::size_t k : {0u, 1u, 3u, 4u, 5u, 6u, 7u}) EXPECT_EQ(bodies[k], objects[k]) << "object " << k + 1;
    EXPECT_EQ(StreamData(bodies[2]), *RepairToUnicodeCMap(kQtCMap));
    EXPECT_EQ(bodies[2], Stream(*RepairToUnicodeCMap(kQtCMap)));
    EXPECT_EQ(mended->substr(0, 15), pdf.substr(0, 15));
    EXPECT_NE(mended->find("/ID [ <00> <00> ]\n>>\nstartxref\n"), std::string::npos);
    EXPECT_FALSE(RepairPdfTextMaps(*mended));

    // An indirect length, line ends of CR LF in the stream and the table.
    std::string data(kQtCMap);
    const std::vector<std::string> indirect = {
        "<< /Type /Font /ToUnicode 2 0 R >>\n",
        "<<\n/Length 3 0 R\n>>\r\nstream\r\n" + data + "\r\nendstream\n", std::to_string(data.size()) + "\n"};
    const std::optional<std::string> mended2 = RepairPdfTextMaps(Pdf(indirect, "", "\r\n"));
    ASSERT_TRUE(mended2);
    const std::vector<std::string> bodies2 = Objects(*mended2, fault);
    ASSERT_EQ(bodies2.size(), 3u) << fault;
    EXPECT_EQ(StreamData(bodies2[1]), *RepairToUnicodeCMap(kQtCMap));
}

TEST(PdfTextMap, FilesLeftAsWritten) {
    const std::string font = "<< /Type /Font /ToUnicode 2 0 R >>\n";
    const std::string good = Pdf({font, Stream(kQtCMap)});
    ASSERT_TRUE(RepairPdfTextMaps(good));
    struct Case {
        const char* what;
        std::string pdf;
    };
    std::string no_eof = good.substr(0, good.size() - 6);
    std::string bad_startxref = good;
    bad_startxref.replace(bad_startxref.rfind("startxref\n") + 10, 1, "9");
    std::string moved_object = good;
    moved_object.replace(moved_object.find("2 0 obj"), 1, "7");
    const Case cases[] = {
        {"nothing to mend", Pdf({font, Stream(CMap("1 beginbfchar\n<0001> <0041>\nendbfchar"))})},
        {"a filtered map",
         Pdf({font, "<< /Length " + std::to_string(kQtCMap.size()) + " /Filter /FlateDecode >>\nstream\n" +
                        std::string(kQtCMap) + "\nendstream\n"})},
        {"a length past the object", Pdf({font, "<< /Length 99999 >>\nstream\n" + std::string(kQtCMap) +
                                                    "\nendstream\n"})},
        {"a length short of the data", Pdf({font, "<< /Length 20 >>\nstream\n" + std::string(kQtCMap) +
                                                     "\nendstream\n"})},
        {"a length naming no object", Pdf({font, "<< /Length 9 0 R >>\nstream\n" + std::string(kQtCMap) +
                                                    "\nendstream\n"})},
        {"a map naming no object", Pdf({"<< /ToUnicode 7 0 R >>\n", Stream(kQtCMap)})},
        {"an incremental update", Pdf({font, Stream(kQtCMap)}, "/Prev 9\n")},
        {"no %%EOF", no_eof},
        {"startxref off the table", bad_startxref},
        {"an offset off its object", moved_object},
        {"cut in the table", good.substr(0, good.find("xref\n") + 30)},
        {"cut in the map", good.substr(0, good.find("beginbfrange"))},
        {"not a PDF", "hello"},
        {"empty", ""},
    };
    for (const Case& c : cases) EXPECT_FALSE(RepairPdfTextMaps(c.pdf)) << c.what;
}

// The offset field of entry `k` (1 for the first object) of a Pdf() file.
std::size_t OffsetField(const std::string& pdf, std::size_t k) {
    const std::size_t table = pdf.find("\n", pdf.rfind("\nxref\n") + 6) + 1;
    return table + 20 * k;
}

std::string WithOffset(std::string pdf, std::size_t k, std::size_t offset) {
    char field[11];
    std::snprintf(field, sizeof field, "%010zu", offset);
    pdf.replace(OffsetField(pdf, k), 10, field, 10);
    return pdf;
}

std::string Replaced(std::string pdf, std::string_view what, std::string_view with, std::size_t from = 0) {
    const std::size_t at = pdf.find(what, from);
    return at == std::string::npos ? pdf : pdf.replace(at, what.size(), with);
}

// A damaged file is read within its bytes, whatever its offsets and lengths
// claim, and left as written: it never throws.
TEST(PdfTextMap, DamagedFilesAreLeftAsWritten) {
    const std::string font = "<< /Type /Font /ToUnicode 2 0 R >>\n";
    const std::string good = Pdf({font, Stream(kQtCMap), "21\n"});
    ASSERT_TRUE(RepairPdfTextMaps(good));
    const std::size_t map_at = std::stoul(good.substr(OffsetField(good, 2), 10));
    const std::size_t table_at = good.rfind("\nxref\n") + 1;
    const std::string length = "/Length " + std::to_string(kQtCMap.size());
    struct Case {
        const char* what;
        std::string pdf;
    };
    const Case cases[] = {
        {"the next object's offset inside the map's header", WithOffset(good, 3, map_at + 2)},
        {"the next object's offset just after the map's header", WithOffset(good, 3, map_at + 8)},
        {"the map's offset inside the font's header", WithOffset(good, 2, std::stoul(good.substr(OffsetField(good, 1), 10)) + 3)},
        {"the map's offset on the table", WithOffset(good, 2, table_at - 1)},
        {"the map's offset past the file", WithOffset(good, 2, good.size() + 50)},
        {"the map's offset at the start", WithOffset(good, 2, 0)},
        {"two entries at one offset", WithOffset(good, 3, map_at)},
        {"a length past the file", Replaced(good, length, "/Length 99999999")},
        {"a length beyond any number", Replaced(good, length, "/Length 99999999999999999999999")},
        {"a negative length", Replaced(good, length, "/Length -5")},
        {"a length of no number", Replaced(good, length, "/Length x")},
        {"an indirect length of another size", Replaced(good, length, "/Length 3 0 R")},
        {"startxref past the file", Replaced(good, "startxref\n" + std::to_string(table_at), "startxref\n99999999")},
        {"startxref on the startxref", Replaced(good, "startxref\n" + std::to_string(table_at),
                                                "startxref\n" + std::to_string(good.rfind("startxref")))},
        {"a count running into the trailer", Replaced(good, "xref\n0 4", "xref\n0 9", table_at)},
        {"a huge count", Replaced(good, "xref\n0 4", "xref\n0 99999999999", table_at)},
        {"no trailer", Replaced(good, "trailer", "xxxxxxx", table_at)},
        {"the table overwritten", Replaced(good, " 00000 n", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", table_at)},
        {"the map's header overwritten", Replaced(good, "2 0 obj", "2 0 \xFF\xFFj", map_at)},
        {"the stream keyword overwritten", Replaced(good, ">>\nstream", ">>\nstrXam", map_at)},
        {"the endstream overwritten", Replaced(good, "endstream", "endstreax", map_at)},
        {"a map of no map", Replaced(good, "beginbfrange", "begin(frange", map_at)},
    };
    for (const Case& c : cases) EXPECT_FALSE(RepairPdfTextMaps(c.pdf)) << c.what;
    // Cut anywhere before its last line end: no %%EOF, nothing read.
    for (std::size_t size = 0; size + 1 < good.size(); ++size)
        EXPECT_FALSE(RepairPdfTextMaps(std::string_view(good).substr(0, size))) << "cut at " << size;
    // A byte overwritten anywhere, with each kind of byte the reader tells
    // apart: mended or left, never a fault.
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const char c : {'\0', '\n', '9', '<', 'R', '\xFF'}) {
            std::string damaged = good;
            damaged[at] = c;
            (void)RepairPdfTextMaps(damaged);
        }
    }
}

TEST(PdfTextMap, FileRepairedInPlace) {
    const fs::path folder = fs::temp_directory_path() / "zu_pdf_text_map";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string pdf = Pdf({"<< /Type /Font /ToUnicode 2 0 R >>\n", Stream(kQtCMap)});
    ASSERT_TRUE(WriteFileBytesAtomic(folder / "a.pdf", pdf));
    EXPECT_TRUE(RepairPdfTextMapsInFile(folder / "a.pdf"));
    EXPECT_EQ(ReadFileBytes(folder / "a.pdf"), RepairPdfTextMaps(pdf));
    // Nothing to mend, or nothing there: the file as it was, no new file.
    const std::string clean = *ReadFileBytes(folder / "a.pdf");
    EXPECT_TRUE(RepairPdfTextMapsInFile(folder / "a.pdf"));
    EXPECT_EQ(ReadFileBytes(folder / "a.pdf"), clean);
    EXPECT_TRUE(RepairPdfTextMapsInFile(folder / "missing.pdf"));
    EXPECT_FALSE(fs::exists(folder / "missing.pdf"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace platform
