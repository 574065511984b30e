// The window's output commands offscreen through the seams: the HTML page
// and the BMP picture saved through the file dialog, the month printed to a
// fake printer and into a real PDF (checked with poppler's tools; the page's
// raster stays in print_pages/ of the working folder), and the template
// command from the open dialog to the saved result.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <string>

#include "calendar/CalendarSettings.h"
#include "calendar/CalendarState.h"
#include "platform/ImageSurface.h"
#include "platform/PrinterSurface.h"
#include "platform/SaveName.h"
#include "platform/TextFile.h"
#include "vu/grid/Templet.h"
#include "vu/main/Form1.h"
#include "vu/main/OutputCommands.h"
#include "vu/grid/VuTestSupport.h"
#include "vu/grid/MonthGrid.h"
#include "vu/main/VuWidgets.h"

namespace vu {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSavedPrefix = "vu를 ";
constexpr const char* kNotSavedSuffix = " 파일을 저장하지 못했습니다. 폴더가 있는지, 쓸 수 있는지 확인해 주세요.";
constexpr const char* kSavedSuffix = " 파일로 저장했습니다.";

std::string Bytes(const fs::path& path) { return platform::ReadFileBytes(path).value_or(""); }

// The standard output of a shell command.
std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 512> buffer{};
        while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) out += buffer.data();
        pclose(pipe);
    }
    return out;
}

// The text of a PDF page as a reader takes it out.
std::string PdfText(const std::filesystem::path& pdf, int page) {
    return Shell("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf.string() +
                 "' -");
}

bool HavePoppler() { return std::system("pdfinfo -v > /dev/null 2>&1") == 0; }

class OutputCommands : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>();
        ConnectOutputs(*form);
        form->resize(900, 700);
        form->show();
        Show(2024, 3);
    }
    void TearDown() override { form.reset(); }

    void Show(int year, int month) {
        form->txtYR->setText(QString::fromStdString(YearFieldText(year)));
        form->txtMN->setText(QString::number(month));
        form->ApplySetting();
    }
    void Answer(const fs::path& path) { p.env.files.answers.push_back(platform::FileChoice{path, 1}); }
    void Cancel() { p.env.files.answers.push_back(std::nullopt); }

    test::VuEnv p;
    std::unique_ptr<Form1> form;
};

// ---- HTML and BMP -------------------------------------------------------------

TEST_F(OutputCommands, HtmlSavedInCodePage949) {
    const fs::path target = p.folder / "user" / "page.htm";
    Answer(target);
    form->CmdHTML->click();
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    const platform::FileRequest& request = p.env.files.requests[0];
    EXPECT_EQ(request.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(request.title, "vu 저장하기");
    EXPECT_EQ(request.filter, "HTML 문서(*.htm)|*.htm");
    EXPECT_EQ(request.name, "vuAD2024년3월.htm");
    EXPECT_EQ(request.folder, p.env.folders.documents);
    const std::string bytes = Bytes(target);
    const std::string page = platform::Cp949ToUtf8(bytes);
    EXPECT_EQ(page.rfind("<html><head><meta charset=\"euc-kr\"><title>vu</title>", 0), 0u);
    EXPECT_NE(page.find("\r\n2024년 3월</font>"), std::string::npos);
    EXPECT_NE(bytes.find(platform::Utf8ToCp949("*이 문서는 vu 0.1 프로그램으로")), std::string::npos);
    EXPECT_EQ(p.Messages(), std::vector<std::string>{kSavedPrefix + target.string() + kSavedSuffix});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(p.env.messages.shown[0].title, "vu");

    // Ctrl+H does the same, starting where the last page went; the year 0
    // names BC0001.
    Show(0, 3);
    Cancel();
    form->mnuSaveHTML->trigger();
    EXPECT_EQ(p.env.files.requests.back().name, "vuBC0001년3월.htm");
    EXPECT_EQ(p.env.files.requests.back().folder, p.folder / "user");
    EXPECT_EQ(p.env.messages.shown.size(), 1u);
    // A file that cannot be written: no file, and a message says so.
    Answer(p.folder / "missing" / "page.htm");
    form->CmdHTML->click();
    EXPECT_FALSE(fs::exists(p.folder / "missing"));
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text, (p.folder / "missing" / "page.htm").string() + kNotSavedSuffix);
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Critical);
}

TEST_F(OutputCommands, BmpHoldsTheGridsPixels) {
    const fs::path target = p.folder / "user" / "grid.bmp";
    Answer(target);
    form->Command3->click();
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    EXPECT_EQ(p.env.files.requests[0].title, "그림으로 vu 저장하기");
    EXPECT_EQ(p.env.files.requests[0].filter, "BMP 그림 파일(*.bmp)|*.bmp");
    EXPECT_EQ(p.env.files.requests[0].name, "vuAD2024년3월.bmp");
    EXPECT_EQ(Bytes(target).substr(0, 2), "BM");
    // The month drawn afresh under its title: the grid as on the screen but
    // for today's highlight, the Saturday column's right border whole.
    const QImage saved = QImage(QString::fromStdString(target.string())).convertToFormat(QImage::Format_RGB32);
    const QImage grid = form->Grid->Surface().Image().convertToFormat(QImage::Format_RGB32);
    constexpr int kTitle = 40;
    ASSERT_EQ(saved.size(), QSize(grid.width(), grid.height() + kTitle));
    int title_ink = 0;
    for (int y = 0; y < kTitle; ++y)
        for (int x = 0; x < saved.width(); ++x) title_ink += qGray(saved.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(title_ink, 50);
    int differing = 0;
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x) differing += saved.pixel(x, y + kTitle) != grid.pixel(x, y) ? 1 : 0;
    EXPECT_GT(differing, 0);  // today (the clock's 15 March) is yellow on the screen only
    int yellow = 0;
    for (int y = kTitle; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x) yellow += saved.pixel(x, y) == qRgb(255, 255, 0) ? 1 : 0;
    int header_yellow = 0;  // the Sunday header is yellow too
    for (int y = 0; y < kHeaderPixels; ++y)
        for (int x = 0; x < grid.width(); ++x) header_yellow += grid.pixel(x, y) == qRgb(255, 255, 0) ? 1 : 0;
    EXPECT_EQ(yellow, header_yellow);
    int border = 0;
    for (int y = kTitle + kHeaderPixels; y < saved.height() - 2; ++y)
        border += saved.pixel(saved.width() - 1, y) == qRgb(70, 108, 34) ? 1 : 0;
    EXPECT_EQ(border, saved.height() - 2 - kTitle - kHeaderPixels);
    EXPECT_EQ(p.Messages(), std::vector<std::string>{kSavedPrefix + target.string() + kSavedSuffix});

    // The menu draws the month of the fields first; cancelled, it leaves no
    // file and no message.
    Show(0, 3);
    form->txtMN->setText("4");
    Cancel();
    form->mnuSaveBMP->trigger();
    EXPECT_EQ(form->ShownMonth(), 4);
    form->txtMN->setText("3");
    Cancel();
    form->Command3->click();
    EXPECT_EQ(p.env.files.requests.back().name, "vuBC0001년3월.bmp");
    EXPECT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(p.folder / "user"), fs::directory_iterator()), 1);
}

// A name typed without an extension is saved with its kind's, so the open
// dialog's filter lists it; a file already at the completed name is replaced
// only when the user says so ("아니요" is the default).
TEST_F(OutputCommands, NamesTypedWithoutAnExtensionGetTheirKinds) {
    const fs::path out = p.folder / "out";
    fs::create_directories(out);
    struct Case {
        const char* what;
        std::function<void()> command;
        const char* typed;
        const char* saved;
    } cases[] = {
        {"Ctrl+H", [&] { form->mnuSaveHTML->trigger(); }, "mymonth", "mymonth.htm"},
        {"Ctrl+B", [&] { form->mnuSaveBMP->trigger(); }, "mypicture", "mypicture.bmp"},
        {"Ctrl+H, trailing dot", [&] { form->CmdHTML->click(); }, "dotted.", "dotted.htm"},
        {"Ctrl+B, upper case", [&] { form->Command3->click(); }, "UPPER.BMP", "UPPER.BMP"},
    };
    for (const Case& c : cases) {
        p.env.messages.shown.clear();
        Answer(out / c.typed);
        c.command();
        EXPECT_TRUE(fs::is_regular_file(out / c.saved)) << c.what;
        EXPECT_EQ(p.Messages(), std::vector<std::string>{kSavedPrefix + (out / c.saved).string() + kSavedSuffix})
            << c.what;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 4);

    p.env.messages.shown.clear();
    ASSERT_TRUE(platform::WriteFileBytesAtomic(out / "mymonth.htm", "mine"));
    Answer(out / "mymonth");
    form->mnuSaveHTML->trigger();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, (out / "mymonth.htm").string() + " 파일이 이미 있습니다. 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].default_answer, platform::MsgAnswer::No);
    EXPECT_EQ(Bytes(out / "mymonth.htm"), "mine");
}

// ---- Printing -----------------------------------------------------------------

platform::PrintChoice Choice(int copies, bool landscape, const fs::path& pdf = {}) {
    platform::PrintChoice c;
    c.printer = pdf.empty() ? "Office" : "";
    c.copies = copies;
    c.landscape = landscape;
    c.pdf = pdf;
    return c;
}

TEST_F(OutputCommands, EachCopyIsADocumentOnAPrinter) {
    p.env.printing.answers.push_back(Choice(2, true));
    form->cmdPrint->click();
    ASSERT_EQ(p.env.printing.documents.size(), 2u);
    for (const auto& document : p.env.printing.documents) {
        EXPECT_EQ(document->target.printer, "Office");
        EXPECT_TRUE(document->target.landscape);
        EXPECT_TRUE(document->ended);
        EXPECT_EQ(document->pages, 1);
    }
    // Cancelled, or the printer fails to start: nothing more, no message.
    p.env.printing.answers.push_back(std::nullopt);
    form->mnuPrint->trigger();
    p.env.printing.answers.push_back(Choice(1, false));
    p.env.printing.fail_start = true;
    form->cmdPrint->click();
    EXPECT_EQ(p.env.printing.documents.size(), 2u);
    EXPECT_TRUE(p.env.messages.shown.empty());
}

// The print dialog offers the PDF file in the documents folder first, then
// where the last PDF went.
TEST_F(OutputCommands, PdfOfferedWhereTheLastOneWent) {
    const fs::path pdfs = p.folder / "pdfs";
    fs::create_directories(pdfs);
    p.env.printing.answers.push_back(Choice(1, false, pdfs / "month.pdf"));
    form->cmdPrint->click();
    p.env.printing.answers.push_back(std::nullopt);
    form->cmdPrint->click();
    ASSERT_EQ(p.env.printing.suggested_pdf.size(), 2u);
    EXPECT_EQ(p.env.printing.suggested_pdf[0], p.env.folders.documents / "vuAD2024년3월.pdf");
    EXPECT_EQ(p.env.printing.suggested_pdf[1], pdfs / "vuAD2024년3월.pdf");
}

// A PDF name typed without ".pdf" gets it (and a file at the completed name
// is asked about); a link at the name, pointing at a file or nowhere, is
// refused with a message before anything is printed, and what it points at
// stays as it was.
TEST_F(OutputCommands, PdfNamesAreCompletedAndLinksRefused) {
    const fs::path pdfs = p.folder / "pdfs";
    fs::create_directories(pdfs);
    p.env.printing.answers.push_back(Choice(1, false, pdfs / "mymonth"));
    form->cmdPrint->click();
    ASSERT_EQ(p.env.printing.documents.size(), 1u);
    EXPECT_EQ(p.env.printing.documents[0]->target.pdf, pdfs / "mymonth.pdf");
    EXPECT_TRUE(p.env.messages.shown.empty());

    ASSERT_TRUE(platform::WriteFileBytesAtomic(pdfs / "mine.pdf", "mine"));
    p.env.printing.answers.push_back(Choice(1, false, pdfs / "mine"));
    form->cmdPrint->click();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].default_answer, platform::MsgAnswer::No);
    EXPECT_EQ(p.env.printing.documents.size(), 1u);

    const fs::path victim = p.folder / "victim.txt";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(victim, "precious"));
    fs::create_symlink(victim, pdfs / "planted.pdf");
    fs::create_symlink(p.folder / "created.pdf", pdfs / "dangling.pdf");
    for (const char* name : {"planted.pdf", "dangling.pdf", "dangling"}) {
        p.env.messages.shown.clear();
        p.env.printing.answers.push_back(Choice(1, false, pdfs / name));
        form->cmdPrint->click();
        const fs::path link = pdfs / (fs::path(name).extension().empty() ? std::string(name) + ".pdf" : name);
        ASSERT_EQ(p.env.messages.shown.size(), 1u) << name;
        EXPECT_EQ(p.env.messages.shown[0].text, platform::NameRefusal(link)) << name;
        EXPECT_NE(p.env.messages.shown[0].text.find("링크"), std::string::npos);
        EXPECT_EQ(p.env.printing.documents.size(), 1u) << name;
    }
    EXPECT_EQ(Bytes(victim), "precious");
    EXPECT_FALSE(fs::exists(p.folder / "created.pdf"));
    EXPECT_TRUE(fs::is_symlink(pdfs / "planted.pdf"));
    EXPECT_TRUE(fs::is_symlink(pdfs / "dangling.pdf"));
}

// The fake dialog's choice, printed by the Qt printer backend.
class PdfPrinting final : public platform::PrintDialog {
public:
    std::vector<std::string> PrinterNames() override { return {}; }
    std::optional<platform::PrintChoice> Show(const std::string&) override { return choice; }
    std::unique_ptr<platform::PrintDocument> StartDocument(const platform::PrintTarget& target) override {
        return platform::StartPrinterDocument(target, 300);
    }
    platform::PrintChoice choice;
};

TEST_F(OutputCommands, TwoCopiesIntoOnePdf) {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    const fs::path folder = fs::current_path() / "print_pages";
    fs::create_directories(folder);
    PdfPrinting pdf;
    platform::Env().printing = &pdf;
    const fs::path file = folder / "vu_month.pdf";
    pdf.choice = Choice(2, false, file);
    form->cmdPrint->click();
    ASSERT_TRUE(fs::exists(file));
    EXPECT_TRUE(std::regex_search(Shell("pdfinfo '" + file.string() + "'"), std::regex(R"(Pages:\s+2\n)")));
    const std::string text = PdfText(file, 1);
    for (const char* word : {"2024년 3월\n", "일", "월", "화", "수", "목", "금", "토", "날짜", "31"})
        EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
    // The second copy is the same page: the scale survives the new page.
    for (const char* n : {"1", "2"}) {
        const std::string command = std::string("pdftoppm -gray -r 30 -singlefile -f ") + n + " -l " + n + " '" +
                                    file.string() + "' '" + (folder / "vu_copy").string() + n + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    EXPECT_EQ(Bytes(folder / "vu_copy1.pgm"), Bytes(folder / "vu_copy2.pgm"));
    const std::string prefix = (folder / "vu_month").string();
    ASSERT_EQ(std::system(("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + file.string() + "' '" + prefix + "'").c_str()),
              0);
    const QImage page(QString::fromStdString(prefix + ".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_LT(page.width(), page.height());
    // The frame's bottom line runs across at 95 % of the height.
    int dark = 0;
    const int y = static_cast<int>(0.95 * page.height());
    for (int x = 0; x < page.width(); ++x)
        for (int dy = -2; dy <= 2; ++dy) dark += qGray(page.pixel(x, y + dy)) < 128 ? 1 : 0;
    EXPECT_GT(dark, page.width() / 2);

    // Landscape, year 0.
    Show(0, 3);
    const fs::path turned = folder / "vu_month_bc.pdf";
    pdf.choice = Choice(1, true, turned);
    form->mnuPrint->trigger();
    EXPECT_NE(Shell("pdfinfo '" + turned.string() + "'").find("842 x 595 pts"), std::string::npos);
    EXPECT_NE(PdfText(turned, 1).find("기원전1년 3월\n"), std::string::npos);
    EXPECT_TRUE(p.env.messages.shown.empty());
    platform::Env().printing = &p.env.printing;
}

// A reader takes out of the PDF the texts of the page: the title with its
// blank, the weekday names, the days' stem-branch names in Hanja (unified
// ideographs, which the fonts draw with the glyphs of the Kangxi radicals),
// the legend; no control character anywhere.
TEST_F(OutputCommands, PdfTextIsThePagesText) {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    const fs::path folder = fs::current_path() / "print_pages";
    fs::create_directories(folder);
    PdfPrinting pdf;
    platform::Env().printing = &pdf;
    const fs::path file = folder / "vu_month_text.pdf";
    pdf.choice = Choice(1, false, file);
    Show(2026, 12);
    form->cmdPrint->click();
    const std::string text = PdfText(file, 1);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    const auto has_line = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_EQ(lines.front(), "2026년 12월") << text;
    for (const char* weekday : {"일", "월", "화", "수", "목", "금", "토"}) EXPECT_TRUE(has_line(weekday)) << weekday;
    // 1 December 2026 is a 己酉 day, 31 December a 己卯 day (counted on from
    // 7 January 2000, a 甲子 day): lunar 10. 23 and 11. 23.
    for (const char* lunar : {"10. 23/己酉", "11. 23/己卯"}) EXPECT_TRUE(has_line(lunar)) << lunar << "\n" << text;
    EXPECT_TRUE(has_line("날짜")) << text;
    for (const unsigned char c : text) EXPECT_TRUE(c >= 0x20 || c == '\n' || c == '\f') << int(c);
    EXPECT_TRUE(p.env.messages.shown.empty());
    platform::Env().printing = &p.env.printing;
}

// ---- Templates ----------------------------------------------------------------

TEST_F(OutputCommands, TemplateFilledAndSaved) {
    const fs::path templet = p.folder / "program" / "Templet";
    fs::create_directories(templet);
    ASSERT_TRUE(platform::WriteTextFileCp949(templet / "t.htm", "<p>#YEAR0#-#MONTH# #b06d1# #M15WK# #Z12AB#</p>"));
    const fs::path result = p.folder / "user" / "out.htm";
    Answer(templet / "t.htm");
    Answer(result);
    form->mnuTemplet->trigger();
    ASSERT_EQ(p.env.files.requests.size(), 2u);
    const platform::FileRequest& open = p.env.files.requests[0];
    EXPECT_EQ(open.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(open.title, "vu 형식 문서 파일 찾기");
    EXPECT_EQ(open.filter, "HTML 문서(*.htm)|*.htm|XML 문서(*.xml)|*.xml|모든 파일(*.*)|*.*");
    EXPECT_EQ(open.folder, templet);
    EXPECT_EQ(open.name, "");
    const platform::FileRequest& save = p.env.files.requests[1];
    EXPECT_EQ(save.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(save.title, "vu 문서 파일 저장");
    EXPECT_EQ(save.name, "Result_vuAD2024년3월.htm");
    EXPECT_EQ(save.filter_index, 1);
    EXPECT_EQ(save.folder, p.env.folders.documents);
    EXPECT_EQ(platform::ReadTextFileCp949(result).value_or(""), "<p>2024-3 1 금 #Z12AB#</p>");
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{"파일 열기 창이 열리면 형식 파일을 지정해주세요.",
                                                      "파일 저장 창이 열리면 저장할 vu 파일의 이름을 지정해주세요.",
                                                      kSavedPrefix + result.string() + kSavedSuffix}));

    // A Templet folder of the user comes first.
    fs::create_directories(p.folder / "user" / "Templet");
    EXPECT_EQ(TempletFolder(), p.folder / "user" / "Templet");
}

TEST_F(OutputCommands, TemplateMissingOrCancelled) {
    Answer(p.folder / "program" / "none.htm");
    form->mnuTemplet->trigger();
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text, "파일이 없습니다. 형식 파일을 정확히 지정해주시기 바랍니다.");
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(p.env.messages.shown[1].title, "vu");
    EXPECT_EQ(p.env.files.requests.size(), 1u);

    // Cancelling the save dialog leaves no file and says nothing more.
    ASSERT_TRUE(platform::WriteTextFileCp949(p.folder / "program" / "t.xml", "#M01D1#"));
    Answer(p.folder / "program" / "t.xml");
    Cancel();
    form->mnuTemplet->trigger();
    EXPECT_EQ(p.env.messages.shown.size(), 4u);
    EXPECT_EQ(p.env.files.requests.size(), 3u);
    EXPECT_EQ(std::distance(fs::directory_iterator(p.folder / "user"), fs::directory_iterator()), 0);
}

TEST_F(OutputCommands, TemplateResultTakesTheTemplatesKind) {
    const fs::path program = p.folder / "program";
    ASSERT_TRUE(platform::WriteTextFileCp949(program / "t.htm", "<p>#M01SD#</p>"));
    ASSERT_TRUE(platform::WriteTextFileCp949(program / "t.xml", "<d>#M01SD#</d>"));
    ASSERT_TRUE(platform::WriteTextFileCp949(program / "t.txt", "[#M01SD#]"));
    calendar::Calendar().SDays[0][0].month = 3;
    calendar::Calendar().SDays[0][0].day = 1;
    calendar::Calendar().SDays[0][0].name = "A&B <행사>";
    form->ApplySetting();  // the set resolved for the year
    const fs::path out = p.folder / "out";
    fs::create_directories(out);
    // The typed name without an extension gets the template's; the values
    // of an HTML or XML template are written as text.
    struct Case {
        const char* templet;
        const char* typed;
        int filter_index;
        const char* saved;
        const char* text;
    } cases[] = {
        {"t.htm", "a", 1, "a.htm", "<p>A&amp;B &lt;행사&gt;</p>"},
        {"t.xml", "b", 2, "b.xml", "<d>A&amp;B &lt;행사&gt;</d>"},
        {"t.txt", "c", 3, "c.txt", "[A&B <행사>]"},
        {"t.htm", "d.html", 1, "d.html", "<p>A&amp;B &lt;행사&gt;</p>"},
    };
    for (const Case& c : cases) {
        Answer(program / c.templet);
        Answer(out / c.typed);
        form->mnuTemplet->trigger();
        EXPECT_EQ(p.env.files.requests.back().filter_index, c.filter_index) << c.templet;
        EXPECT_EQ(p.env.files.requests.back().name, std::string("Result_vuAD2024년3월") + fs::path(c.templet).extension().string());
        EXPECT_EQ(platform::ReadTextFileCp949(out / c.saved).value_or("-"), c.text) << c.saved;
        EXPECT_EQ(p.Messages().back(), kSavedPrefix + (out / c.saved).string() + kSavedSuffix);
    }
    EXPECT_FALSE(fs::exists(out / "a"));
    // The second result's dialog started where the first went.
    EXPECT_EQ(p.env.files.requests[3].folder, out);

    // A name whose extended form exists is replaced only when the user says so.
    ASSERT_TRUE(platform::WriteTextFileCp949(out / "a.htm", "mine"));
    for (const platform::MsgAnswer answer : {platform::MsgAnswer::No, platform::MsgAnswer::Yes}) {
        p.env.messages.shown.clear();
        p.env.messages.answers = {platform::MsgAnswer::Ok, platform::MsgAnswer::Ok, answer};
        Answer(program / "t.htm");
        Answer(out / "a");
        form->mnuTemplet->trigger();
        ASSERT_GE(p.env.messages.shown.size(), 3u);
        EXPECT_EQ(p.env.messages.shown[2].text, (out / "a.htm").string() + " 파일이 이미 있습니다. 바꾸시겠습니까?");
        EXPECT_EQ(platform::ReadTextFileCp949(out / "a.htm").value_or("-"),
                  answer == platform::MsgAnswer::No ? "mine" : "<p>A&amp;B &lt;행사&gt;</p>");
    }

    // A result that cannot be written says so and leaves no file.
    p.env.messages.shown.clear();
    Answer(program / "t.txt");
    Answer(p.folder / "missing" / "r.txt");
    form->mnuTemplet->trigger();
    EXPECT_EQ(p.Messages().back(), (p.folder / "missing" / "r.txt").string() + kNotSavedSuffix);
    EXPECT_EQ(p.env.messages.shown.back().icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(fs::exists(p.folder / "missing"));
}

// The longest name a settings file keeps, in every tag of a 1 MB template:
// refused with a message before the save dialog, nothing written.
TEST_F(OutputCommands, TemplateResultBeyondTheLimitIsRefused) {
    const fs::path program = p.folder / "program";
    std::string name;
    for (std::size_t i = 0; i < calendar::kLongestSettingText; ++i) name += "가";
    calendar::Calendar().SDays[0][0].month = 3;
    calendar::Calendar().SDays[0][0].day = 15;
    calendar::Calendar().SDays[0][0].name = name;
    form->ApplySetting();
    std::string templet;
    while (templet.size() < 1024 * 1024) templet += "<td title='#M15SD#'>#M15D1#</td>\r\n";
    ASSERT_TRUE(platform::WriteTextFileCp949(program / "big.htm", templet));
    Answer(program / "big.htm");
    form->mnuTemplet->trigger();
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{"파일 열기 창이 열리면 형식 파일을 지정해주세요.",
                                                      "형식 문서를 채운 결과가 64MB를 넘어 저장하지 않습니다."}));
    EXPECT_EQ(p.env.messages.shown.back().icon, platform::MsgIcon::Critical);
    EXPECT_EQ(p.env.files.requests.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(p.folder / "user"), fs::directory_iterator()), 0);

    // A template larger than any result may be is not even read.
    const fs::path huge = program / "huge.htm";
    std::ofstream(huge).put('#');
    fs::resize_file(huge, kLargestTempletResult + 1);
    p.env.messages.shown.clear();
    Answer(huge);
    form->mnuTemplet->trigger();
    EXPECT_EQ(p.Messages().back(), huge.string() + " 파일은 64MB보다 커서 형식 파일로 쓸 수 없습니다.");
    EXPECT_EQ(p.env.files.requests.size(), 2u);
}

TEST_F(OutputCommands, EachKindStartsInItsOwnFolder) {
    const fs::path pages = p.folder / "pages";
    const fs::path pictures = p.folder / "pictures";
    fs::create_directories(pages);
    fs::create_directories(pictures);
    Answer(pages / "m.htm");
    form->CmdHTML->click();
    Answer(pictures / "m.bmp");
    form->Command3->click();
    Cancel();
    form->CmdHTML->click();
    Cancel();
    form->Command3->click();
    ASSERT_EQ(p.env.files.requests.size(), 4u);
    EXPECT_EQ(p.env.files.requests[0].folder, p.env.folders.documents);
    EXPECT_EQ(p.env.files.requests[1].folder, p.env.folders.documents);
    EXPECT_EQ(p.env.files.requests[2].folder, pages);
    EXPECT_EQ(p.env.files.requests[3].folder, pictures);
    // Never the hidden settings folder: without a documents folder, home; a
    // remembered folder that is gone no longer counts.
    fs::remove_all(pages);
    fs::remove_all(p.env.folders.documents);
    Cancel();
    form->CmdHTML->click();
    EXPECT_EQ(p.env.files.requests.back().folder, p.env.folders.home);
    // A picture that cannot be written says so.
    p.env.messages.shown.clear();
    Answer(p.folder / "missing" / "m.bmp");
    form->Command3->click();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{(p.folder / "missing" / "m.bmp").string() + kNotSavedSuffix});
}

TEST_F(OutputCommands, ShippedTemplateExpandsEveryTag) {
    const fs::path shipped = fs::path(ZU_SOURCE_DIR) / "data" / "Templet" / "Month.htm";
    const fs::path result = p.folder / "user" / "month.htm";
    Answer(shipped);
    Answer(result);
    form->mnuTemplet->trigger();
    const std::string text = platform::ReadTextFileCp949(result).value_or("");
    EXPECT_NE(text.find("2024년 3월"), std::string::npos);
    EXPECT_EQ(text.find("#B"), std::string::npos);
    EXPECT_EQ(text.find("#M"), std::string::npos);
    EXPECT_NE(text.find(">31</font>"), std::string::npos);
}

}  // namespace
}  // namespace vu
