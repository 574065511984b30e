// The print dialog and its jobs through the platform seams: documents are
// recorded on recording pages, messages and the file dialog are scripted.
#include "zu/print/FrmPrint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "platform/RecordingSurface.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"

namespace zu {
namespace {

std::string S(const QString& text) { return text.toUtf8().toStdString(); }

class FrmPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        s.ViewCoordSys = std::string(1, 'e');
        s.ViewCenterX = 83.6;
        s.ViewCenterY = -5;
        s.ViewFOV = 60;
        s.CurrentJD = 2451545.0;
        p.env.printing.printers = {"Laser", "Inkjet"};
        dialog = std::make_unique<FrmPrint>(nullptr);
        dialog->show();
    }
    void TearDown() override { dialog.reset(); }

    std::size_t Documents() const { return p.env.printing.documents.size(); }
    const platform::RecordingSurface& Page(std::size_t i) const {
        return static_cast<const platform::RecordingSurface&>(*p.env.printing.documents.at(i)->page);
    }
    bool PagePrinted(std::size_t i, const std::string& text) const {
        const std::string call = std::string("Print \"").append(text).append("\"");
        for (const std::string& c : Page(i).Calls())
            if (c == call) return true;
        return false;
    }
    void Click(const char* copies) {
        dialog->TxtPNum->setText(QString::fromUtf8(copies));
        dialog->CmdPrint_Click(0);
    }

    // Panel 4 of the status bar as the job wrote it, in order.
    std::vector<std::string> Panel4() const {
        std::vector<std::string> texts;
        for (const std::string& call : host.calls)
            if (call.rfind("SetStatusText(", 0) == 0) texts.push_back(call.substr(14, call.size() - 15));
        return texts;
    }

    test::ProgramEnv p;
    RecordingChartHost host;
    std::unique_ptr<FrmPrint> dialog;
};

TEST_F(FrmPrintTest, ControlsAsDesigned) {
    EXPECT_EQ(S(dialog->windowTitle()), "인쇄");
    EXPECT_EQ(dialog->width(), 300);
    EXPECT_EQ(S(dialog->Label1[5]->text()), "프린터: ");
    EXPECT_EQ(S(dialog->Label1[3]->text()), "인쇄 방법: ");
    EXPECT_EQ(S(dialog->Label1[0]->text()), "zu 이름: ");
    EXPECT_EQ(S(dialog->Label1[1]->text()), "인쇄 매수: ");
    EXPECT_EQ(S(dialog->Label1[2]->text()), " 매");
    EXPECT_EQ(S(dialog->Option1[0]->text()), "온하늘 zu 전용");
    EXPECT_EQ(S(dialog->Option1[0]->toolTip()), "지평좌표를 기준으로 온하늘 zu를 인쇄합니다.");
    EXPECT_EQ(S(dialog->Option1[1]->text()), "범용 인쇄 환경");
    EXPECT_EQ(S(dialog->Option1[1]->toolTip()), "화면에 그려진 것을 그대로 인쇄합니다.");
    EXPECT_TRUE(dialog->Option1[1]->isChecked());
    EXPECT_EQ(S(dialog->TxtPName->text()), "zu");
    EXPECT_EQ(dialog->TxtPName->maxLength(), 25);
    EXPECT_EQ(S(dialog->TxtPNum->text()), "1");
    EXPECT_EQ(dialog->TxtPNum->maxLength(), 2);
    EXPECT_EQ(S(dialog->CmdPrint[0]->text()), "인쇄");
    EXPECT_TRUE(dialog->CmdPrint[0]->isDefault());
    EXPECT_EQ(S(dialog->CmdPrint[1]->text()), "취소");
    EXPECT_EQ(dialog->Combo2->geometry(), QRect(72, 8, 217, 20));
    EXPECT_EQ(dialog->CmdPrint[1]->geometry(), QRect(208, 128, 73, 25));
    // Tab order.
    const QWidget* order[] = {dialog->Combo2, dialog->Option1[0], dialog->Option1[1], dialog->TxtPName,
                              dialog->TxtPNum, dialog->CmdPrint[0], dialog->CmdPrint[1]};
    const auto nextTabStop = [](const QWidget* w) {
        QWidget* next = w->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        return next;
    };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << i;
    // For a person to look at.
    dialog->grab().save("frmprint.png");
}

TEST_F(FrmPrintTest, PrinterListEndsWithThePdfFile) {
    ASSERT_EQ(dialog->Combo2->count(), 3);
    EXPECT_EQ(S(dialog->Combo2->itemText(0)), "Laser");
    EXPECT_EQ(S(dialog->Combo2->itemText(2)), "PDF 파일로 저장");
    p.env.printing.printers.clear();
    dialog->Form_Load();
    ASSERT_EQ(dialog->Combo2->count(), 1);
    EXPECT_EQ(S(dialog->Combo2->itemText(0)), "PDF 파일로 저장");
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(FrmPrintTest, DefaultsPrintOneCopyOfTheScreenChartTitledZu) {
    dialog->Combo2->setCurrentIndex(1);
    dialog->CmdPrint_Click(0);
    ASSERT_EQ(Documents(), 1u);
    const auto& document = *p.env.printing.documents[0];
    EXPECT_EQ(document.target.printer, "Inkjet");
    EXPECT_TRUE(document.target.pdf.empty());
    EXPECT_TRUE(document.sent);
    EXPECT_TRUE(PagePrinted(0, "zu"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Panel4(), (std::vector<std::string>{"zu 인쇄하는 중...", "완료"}));
    EXPECT_EQ(S(dialog->windowTitle()), "인쇄");
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(FrmPrintTest, CopiesTextGivesTheNumberOfDocuments) {
    struct Case {
        const char* text;
        std::size_t documents;
    };
    for (const Case& c : {Case{"2", 2}, Case{"0", 0}, Case{"", 0}, Case{"-1", 0}, Case{"1.5", 1}, Case{"x", 0},
                          Case{"99", 99}}) {
        p.env.printing.documents.clear();
        dialog->show();
        Click(c.text);
        EXPECT_EQ(Documents(), c.documents) << c.text;
        EXPECT_FALSE(dialog->isVisible()) << c.text;
    }
}

TEST_F(FrmPrintTest, StatusAndCaptionWhileAPageIsDrawn) {
    std::string captionDuring, panelDuring;
    auto recording = p.env.printing.new_page;
    p.env.printing.new_page = [&] {
        captionDuring = S(dialog->windowTitle());
        panelDuring = Panel4().empty() ? "" : Panel4().back();
        return recording();
    };
    dialog->CmdPrint_Click(0);
    EXPECT_EQ(captionDuring, "인쇄 - zu 인쇄하는 중...");
    EXPECT_EQ(panelDuring, "zu 인쇄하는 중...");
    EXPECT_EQ(Panel4().back(), "완료");
    EXPECT_EQ(S(dialog->windowTitle()), "인쇄");
}

TEST_F(FrmPrintTest, AFailedJobIsReportedAndStopsTheCopies) {
    p.env.printing.fail_start = true;
    Click("3");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "인쇄 오류");
    EXPECT_EQ(p.env.messages.shown[0].text, "프린터가 설치되어 있지 않거나, 설치된 프린터에 문제가 있습니다.");
    EXPECT_EQ(Panel4().back(), "인쇄 오류");
    EXPECT_EQ(S(dialog->windowTitle()), "인쇄");

    // A document the printer cannot finish.
    p.env.printing.fail_start = false;
    p.env.printing.fail_end = true;
    p.env.messages.shown.clear();
    dialog->show();
    Click("2");
    EXPECT_EQ(Documents(), 1u);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "프린터가 설치되어 있지 않거나, 설치된 프린터에 문제가 있습니다.");
    EXPECT_EQ(Panel4().back(), "인쇄 오류");
}

// A page that fails whenever it draws a circle.
class FailingPage final : public platform::Surface {
protected:
    double Width() const override { return 211; }
    double Height() const override { return 297; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour) override {}
    void DrawBox(double, double, double, double, platform::Colour, bool) override {}
    void DrawEllipse(double, double, double, double, platform::Colour) override {
        throw std::runtime_error("circle");
    }
    void DrawPoint(double, double, platform::Colour) override {}
    void DrawPolygon(const std::vector<platform::PointF>&) override {}
    void DrawText(double, double, const std::string&) override {}
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return 2.0 * static_cast<double>(line.size()); }
    double LineHeight() const override { return 4; }
};

TEST_F(FrmPrintTest, APageThatFailsWhileDrawnIsNotSent) {
    p.env.printing.new_page = [] { return std::make_unique<FailingPage>(); };
    Click("2");
    ASSERT_EQ(Documents(), 1u);
    EXPECT_FALSE(p.env.printing.documents[0]->ended);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "인쇄 오류");
    EXPECT_EQ(p.env.messages.shown[0].text, "인쇄하는 중에 오류가 생겼습니다.\ncircle");
    EXPECT_EQ(Panel4(), (std::vector<std::string>{"zu 인쇄하는 중...", "인쇄 오류"}));
}

TEST_F(FrmPrintTest, AllSkyPrintLeavesTheScreenChartEquatorial) {
    dialog->Option1[0]->setChecked(true);
    dialog->CmdPrint_Click(0);
    ASSERT_EQ(Documents(), 1u);
    EXPECT_TRUE(PagePrinted(0, "온하늘 zu-zu"));
    EXPECT_EQ(skydata::CurrentSettings().ViewCoordSys, "e");

    // Also when the job throws.
    p.env.printing.new_page = []() -> std::unique_ptr<platform::Surface> { throw std::runtime_error("no page"); };
    dialog->show();
    dialog->Option1[0]->setChecked(true);
    dialog->CmdPrint_Click(0);
    EXPECT_EQ(skydata::CurrentSettings().ViewCoordSys, "e");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "인쇄하는 중에 오류가 생겼습니다.\nno page");
}

TEST_F(FrmPrintTest, PdfFilesAreChosenOnceAndNumberedByCopy) {
    dialog->Combo2->setCurrentIndex(2);
    dialog->TxtPName->setText(QString::fromUtf8("오리온"));
    Click("1");
    // Cancelled: nothing printed, the dialog stays open.
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    const platform::FileRequest& request = p.env.files.requests[0];
    EXPECT_EQ(request.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(request.title, "PDF 파일로 인쇄");
    EXPECT_EQ(request.filter, "PDF 문서(*.pdf)|*.pdf");
    EXPECT_EQ(request.name, "오리온.pdf");
    EXPECT_EQ(request.folder, p.documents.path()) << "never the program folder";
    EXPECT_EQ(Documents(), 0u);
    EXPECT_TRUE(dialog->isVisible());

    p.env.files.answers.push_back(platform::FileChoice{p.user.path() / "orion.pdf", 1});
    Click("3");
    ASSERT_EQ(Documents(), 3u);
    EXPECT_EQ(p.env.printing.documents[0]->target.pdf, p.user.path() / "orion.pdf");
    EXPECT_EQ(p.env.printing.documents[1]->target.pdf, p.user.path() / "orion-2.pdf");
    EXPECT_EQ(p.env.printing.documents[2]->target.pdf, p.user.path() / "orion-3.pdf");
    EXPECT_TRUE(p.env.printing.documents[2]->target.printer.empty());

    // A file that cannot be written.
    p.env.printing.documents.clear();
    p.env.printing.fail_end = true;
    p.env.files.answers.push_back(platform::FileChoice{p.user.path() / "bad.pdf", 1});
    dialog->show();
    dialog->Combo2->setCurrentIndex(2);
    Click("2");
    EXPECT_EQ(p.env.files.requests.back().folder, p.user.path()) << "the folder of the last PDF";
    EXPECT_EQ(Documents(), 1u);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "PDF 파일을 만들 수 없습니다.\n" + (p.user.path() / "bad.pdf").string());
}

// The file dialog asks about the chosen name only; files already at the
// names of the further copies are replaced only when the user says so.
TEST_F(FrmPrintTest, ExistingFilesOfFurtherCopiesAreReplacedOnlyWhenTheUserSaysSo) {
    const std::filesystem::path folder = p.user.path();
    std::ofstream(folder / "report-3.pdf") << "kept";
    std::filesystem::create_symlink(folder / "nowhere", folder / "report-4.pdf");
    const std::string question =
        "다음 파일이 이미 있습니다. 새로 인쇄한 파일로 바꾸시겠습니까?\nreport-3.pdf\nreport-4.pdf";
    p.env.files.answers.push_back(platform::FileChoice{folder / "report.pdf", 1});
    p.env.messages.answers.push_back(platform::MsgAnswer::No);
    dialog->Combo2->setCurrentIndex(2);
    Click("4");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, question);
    EXPECT_EQ(p.env.messages.shown[0].title, "PDF 파일로 인쇄");
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(p.env.messages.shown[0].default_answer, platform::MsgAnswer::No) << "Enter keeps the files";
    EXPECT_EQ(Documents(), 0u);
    EXPECT_TRUE(dialog->isVisible());

    // Enter on the question: the default answer keeps them too.
    p.env.files.answers.push_back(platform::FileChoice{folder / "report.pdf", 1});
    Click("4");
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(Documents(), 0u);
    p.env.messages.shown.erase(p.env.messages.shown.begin());

    p.env.files.answers.push_back(platform::FileChoice{folder / "report.pdf", 1});
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    Click("4");
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text, question);
    ASSERT_EQ(Documents(), 4u);
    EXPECT_EQ(p.env.printing.documents[3]->target.pdf, folder / "report-4.pdf");

    // Copies whose names are free: no question.
    p.env.printing.documents.clear();
    p.env.files.answers.push_back(platform::FileChoice{folder / "report.pdf", 1});
    dialog->show();
    Click("2");
    EXPECT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(Documents(), 2u);
}

TEST_F(FrmPrintTest, TheMainWindowOpensThePrintDialog) {
    ResetToolWindows();
    QWidget owner;
    QWidget& window = ToolWindow(ToolWindowId::FrmPrint, &owner);
    EXPECT_NE(dynamic_cast<FrmPrint*>(&window), nullptr);
    ResetToolWindows();
}

TEST(PdfCopyPath, CopiesAfterTheFirstAreNumbered) {
    EXPECT_EQ(PdfCopyPath("/a/b/chart.pdf", 1), std::filesystem::path("/a/b/chart.pdf"));
    EXPECT_EQ(PdfCopyPath("/a/b/chart.pdf", 2), std::filesystem::path("/a/b/chart-2.pdf"));
    EXPECT_EQ(PdfCopyPath("chart.pdf", 12), std::filesystem::path("chart-12.pdf"));
}

}  // namespace
}  // namespace zu
