#include "platform/PrinterSurface.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "platform/PdfTextMap.h"
#include "platform/QtTestApp.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("zu_printer_surface_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PrinterSurface, DrawingLeavesThePositionWhereTheSurfaceRuleSays) {
    EnsureQtApp();
    const fs::path pdf = ScratchFolder("position") / "page.pdf";
    auto document = StartPrinterDocument(PrintTarget{"", pdf}, 300);
    ASSERT_NE(document, nullptr);
    Surface& page = document->Page();
    EXPECT_EQ(page.ScaleMode(), Scale::Pixels);
    EXPECT_DOUBLE_EQ(page.ScaleWidth(), 211);
    EXPECT_DOUBLE_EQ(page.ScaleHeight(), 297);
    page.Line(10, 20, 30.5, 40.25);
    EXPECT_DOUBLE_EQ(page.CurrentX(), 30.5);
    EXPECT_DOUBLE_EQ(page.CurrentY(), 40.25);
    page.Circle(100.5, 120.25, 3);
    EXPECT_DOUBLE_EQ(page.CurrentX(), 100.5);
    EXPECT_DOUBLE_EQ(page.CurrentY(), 120.25);
    EXPECT_TRUE(document->End());
    EXPECT_TRUE(fs::exists(pdf));
}

TEST(PrinterSurface, TextSizesArePointsOnPaperAtAnyResolution) {
    EnsureQtApp();
    const fs::path folder = ScratchFolder("text");
    double height8[2] = {0, 0};
    int k = 0;
    for (int dpi : {300, 1200}) {
        auto document = StartPrinterDocument(PrintTarget{"", folder / std::string("t").append(std::to_string(dpi)).append(".pdf")}, dpi);
        ASSERT_NE(document, nullptr);
        Surface& page = document->Page();
        page.SetFontName("Tahoma");
        page.SetFontSize(8);
        const double h8 = page.TextHeight("0");
        EXPECT_GE(h8, 2.8) << dpi;
        EXPECT_LE(h8, 4.0) << dpi;
        page.SetFontSize(17);
        EXPECT_NEAR(page.TextHeight("0") / h8, 17.0 / 8.0, 17.0 / 8.0 * 0.03) << dpi;
        EXPECT_GT(page.TextWidth("00"), page.TextWidth("0"));
        height8[k++] = h8;
        EXPECT_TRUE(document->End());
    }
    EXPECT_NEAR(height8[0] / height8[1], 1.0, 0.03);
}

TEST(PrinterSurface, APdfAppearsOnlyWhenItsDocumentEnds) {
    EnsureQtApp();
    const fs::path folder = ScratchFolder("atomic");
    const fs::path pdf = folder / "chart.pdf";
    {
        std::ofstream(pdf) << "older";
    }
    {
        auto abandoned = StartPrinterDocument(PrintTarget{"", pdf}, 300);
        ASSERT_NE(abandoned, nullptr);
        abandoned->Page().Line(0, 0, 10, 10);
    }
    EXPECT_EQ(Contents(pdf), "older");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    auto document = StartPrinterDocument(PrintTarget{"", pdf}, 300);
    ASSERT_NE(document, nullptr);
    document->Page().Line(0, 0, 10, 10);
    ASSERT_TRUE(document->End());
    EXPECT_EQ(Contents(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_FALSE(document->End());
}

// The PDF engine writes through a pending file of the target's folder: a link
// planted at the name prints once wrote through ("<chosen>.part") is never
// followed, and a print that cannot take the target's name leaves no file.
TEST(PrinterSurface, APdfNeverWritesThroughAPlantedLinkNorLeavesATemporaryFile) {
    EnsureQtApp();
    const fs::path folder = ScratchFolder("links");
    const fs::path victim = folder / "victim.txt";
    std::ofstream(victim) << "precious";
    const fs::path pdf = folder / "chart.pdf";
    fs::create_symlink(victim, folder / "chart.pdf.part");
    auto document = StartPrinterDocument(PrintTarget{"", pdf}, 300);
    ASSERT_NE(document, nullptr);
    document->Page().Line(0, 0, 10, 10);
    ASSERT_TRUE(document->End());
    EXPECT_EQ(Contents(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(folder / "chart.pdf.part"));
    EXPECT_EQ(Contents(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);

    const fs::path taken = folder / "taken.pdf";
    fs::create_directories(taken / "inside");
    auto failing = StartPrinterDocument(PrintTarget{"", taken}, 300);
    ASSERT_NE(failing, nullptr);
    failing->Page().Line(0, 0, 10, 10);
    EXPECT_FALSE(failing->End());
    EXPECT_TRUE(fs::is_directory(taken / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);
}

// A print killed half way leaves the folder as it was: the user's old PDF
// whole and nothing beside it.
TEST(PrinterSurface, AKilledPrintLeavesOnlyTheUsersFiles) {
    EnsureQtApp();
    const fs::path folder = ScratchFolder("killed");
    const fs::path pdf = folder / "chart.pdf";
    std::ofstream(pdf) << "older";
    const pid_t child = ::fork();
    if (child == 0) {
        auto document = StartPrinterDocument(PrintTarget{"", pdf}, 300);
        if (!document) std::_Exit(1);
        document->Page().Line(0, 0, 10, 10);
        document->NewPage();
        ::raise(SIGKILL);
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Contents(pdf), "older");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// Ink runs along a row of an image (pixels darker than mid-grey).
int InkRuns(const QImage& image, int y, int x0, int x1) {
    int runs = 0;
    bool inside = false;
    for (int x = x0; x < x1; ++x) {
        const bool ink = qGray(image.pixel(x, y)) < 128;
        if (ink && !inside) ++runs;
        inside = ink;
    }
    return runs;
}

TEST(PrinterSurface, PatternsAreMillimetresAtAnyResolution) {
    EnsureQtApp();
    for (int dpi : {150, 600}) {
        const double perMm = dpi / 25.4;
        QImage image(static_cast<int>(211 * perMm), static_cast<int>(297 * perMm), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PrinterSurface page(painter, image, perMm, QPointF(0, 0));
            page.SetScaleMode(Scale::Pixels);
            page.SetDrawWidth(2);
            page.SetDrawStyle(LineStyle::Dot);
            page.Line(10, 20, 60, 20);
            page.SetDrawStyle(LineStyle::DashDotDot);
            page.Line(10, 40, 60, 40);
            page.SetDrawStyle(LineStyle::Solid);
            page.SetDrawWidth(1);
            page.SetFillColor(Rgb(0, 0, 0));
            page.SetFillStyle(Fill::DownwardDiagonal);
            page.Line(10, 60, 40, 90, std::nullopt, Box::B);
        }
        const auto row = [&](double y_mm) { return static_cast<int>(y_mm * perMm); };
        const auto col = [&](double x_mm) { return static_cast<int>(x_mm * perMm); };
        // A dot every millimetre; three marks (dash, dot, dot) every 1.9 mm.
        EXPECT_NEAR(InkRuns(image, row(20), col(11), col(59)), 48, 2) << dpi;
        EXPECT_NEAR(InkRuns(image, row(40), col(11), col(59)), 3 * 48 / 1.9, 3) << dpi;
        // Hatch lines a millimetre apart across them: sqrt 2 mm along a row.
        EXPECT_NEAR(InkRuns(image, row(75), col(11), col(39)), 28 / std::sqrt(2.0), 2) << dpi;
    }
}

// The text of a PDF as a reader takes it out; empty without poppler's tools.
std::string PdfText(const fs::path& pdf) {
    std::string text;
    if (FILE* pipe = ::popen(("pdftotext -q '" + pdf.string() + "' - 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
        ::pclose(pipe);
    }
    return text;
}

// What a reader takes out of a PDF is what its page shows: blanks the fonts
// draw with the glyph of control characters read as blanks, Hanja the fonts
// share with the Kangxi radicals as the ideographs, in the Korean fonts and
// the Latin one, plain and bold, on every page.
TEST(PrinterSurface, APdfsTextIsTheTextOnItsPage) {
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "poppler-utils missing";
    EnsureQtApp();
    const fs::path pdf = ScratchFolder("text") / "page.pdf";
    auto document = StartPrinterDocument(PrintTarget{"", pdf}, 300);
    ASSERT_NE(document, nullptr);
    struct Line {
        const char* font;
        bool bold;
        const char* text;
    };
    const Line lines[] = {
        {"굴림", false, "2026년 12월 己酉 庚戌"},
        {"돋움", true, "범례 은하 적도"},
        {"굴림체", false, "음력: 11. 3 一 乙"},
        {"Tahoma", false, "Hello world 1 2"},
    };
    for (int copy = 0; copy < 2; ++copy) {
        if (copy > 0) {
            ASSERT_TRUE(document->NewPage());
        }
        Surface& page = document->Page();
        double y = 20;
        for (const Line& line : lines) {
            page.SetFontName(line.font);
            page.SetFontBold(line.bold);
            page.SetFontSize(12);
            page.SetCurrentX(20);
            page.SetCurrentY(y);
            page.Print(line.text);
            y += 10;
        }
    }
    ASSERT_TRUE(document->End());
    const std::string text = PdfText(pdf);
    std::size_t at = 0;
    for (int copy = 0; copy < 2; ++copy) {
        for (const Line& line : lines) {
            at = text.find(std::string(line.text) + "\n", at);
            ASSERT_NE(at, std::string::npos) << line.text << "\n" << text;
        }
    }
    for (const unsigned char c : text) EXPECT_TRUE(c >= 0x20 || c == '\n' || c == '\f') << int(c) << "\n" << text;
    // Kangxi Radicals are U+2F00..U+2FDF, E2 BC 80 to E2 BF 9F in UTF-8.
    for (std::size_t k = text.find('\xE2'); k != std::string::npos; k = text.find('\xE2', k + 1)) {
        const auto next = static_cast<unsigned char>(text[k + 1]);
        EXPECT_FALSE(next >= 0xBC && next <= 0xBF) << text;
    }
}

// A small PDF as Qt's engine writes it, before any mending: a line of
// Korean and Hanja in NanumGothic, whose map reads the blank as U+0001 and
// the Hanja as radicals.
std::string QtsOwnPdf(const fs::path& path) {
    EnsureQtApp();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path.string()));
    printer.setResolution(300);
    QPainter painter;
    if (!painter.begin(&printer)) return {};
    painter.setFont(QFont("NanumGothic", 12));
    painter.drawText(QPointF(100, 200), QString::fromUtf8("12월 己酉"));
    painter.end();
    return Contents(path);
}

// Damaged copies of a real PDF of Qt's (cut, bytes overwritten, a /Length or
// a table offset changed, an offset moved into another object's header) are
// left as written or mended, never a fault. With ZU_PDF_FUZZ_SEED naming a
// folder the PDF is written there as the fuzz target's seed
// (tools/fuzz/corpus/PdfTextMap_fuzz).
TEST(PrinterSurface, DamagedCopiesOfQtsPdfAreLeftOrMended) {
    const std::string pdf = QtsOwnPdf(ScratchFolder("damaged") / "qt.pdf");
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    ASSERT_TRUE(RepairPdfTextMaps(pdf)) << "Qt's map needs mending";
    if (const char* seed = std::getenv("ZU_PDF_FUZZ_SEED")) std::ofstream(fs::path(seed) / "qt-page.pdf", std::ios::binary) << pdf;

    // Where the table's offsets stand, and the numbers after "/Length".
    std::vector<std::size_t> fields, lengths;
    const std::size_t table = pdf.rfind("\nxref\n");
    ASSERT_NE(table, std::string::npos);
    static const std::regex entry("(\\d{10}) \\d{5} n");
    for (std::sregex_iterator it(pdf.begin() + static_cast<std::ptrdiff_t>(table), pdf.end(), entry), end; it != end; ++it)
        fields.push_back(table + static_cast<std::size_t>(it->position(1)));
    for (std::size_t at = pdf.find("/Length "); at != std::string::npos; at = pdf.find("/Length ", at + 1))
        lengths.push_back(at + 8);
    ASSERT_GE(fields.size(), 5u);
    ASSERT_FALSE(lengths.empty());

    std::mt19937 random(20240315);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    int mended = 0, left = 0;
    for (int copy = 0; copy < 4000; ++copy) {
        std::string damaged = pdf;
        for (int change = 0, changes = 1 + static_cast<int>(pick(3)); change < changes; ++change) {
            switch (pick(5)) {
                case 0:
                    if (!damaged.empty()) damaged.resize(pick(damaged.size()));
                    break;
                case 1:
                    for (std::size_t n = 1 + pick(8), at = pick(damaged.size() + 1); n > 0 && at < damaged.size(); --n)
                        damaged[at++] = static_cast<char>(pick(256));
                    break;
                case 2: {
                    const std::string number = std::to_string(pick(3) == 0 ? pick(1u << 30) : pick(2000));
                    const std::size_t at = lengths[pick(lengths.size())];
                    if (at < damaged.size()) damaged.replace(at, std::min<std::size_t>(pick(6), damaged.size() - at), number);
                    break;
                }
                case 3:
                case 4: {
                    // One entry's offset somewhere else: often just inside
                    // another object's header.
                    const std::size_t field = fields[pick(fields.size())];
                    const std::size_t other = std::stoul(pdf.substr(fields[pick(fields.size())], 10));
                    const std::size_t to = pick(2) == 0 ? other + pick(12) : pick(pdf.size() + 100);
                    char digits[11];
                    std::snprintf(digits, sizeof digits, "%010zu", to % 10'000'000'000u);
                    if (field + 10 <= damaged.size()) damaged.replace(field, 10, digits, 10);
                    break;
                }
            }
        }
        (RepairPdfTextMaps(damaged) ? mended : left)++;
    }
    // Most copies are damaged where the mending reads; some only elsewhere.
    EXPECT_GT(left, 1000);
    EXPECT_GT(mended, 100);
}

TEST(PrinterSurface, UnusableTargetsDoNotStart) {
    EnsureQtApp();
    const fs::path missing = ScratchFolder("missing") / "no such folder" / "chart.pdf";
    EXPECT_EQ(StartPrinterDocument(PrintTarget{"", missing}, 300), nullptr);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    EXPECT_EQ(StartPrinterDocument(PrintTarget{"zu test printer that is not installed", {}}), nullptr);
}

}  // namespace
}  // namespace platform
