#include "zu/print/FrmPrint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <system_error>

#include "astro/TextFormat.h"
#include "chart/PrintLayers.h"
#include "platform/Guard.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/DocumentFolders.h"
#include "zu/core/MainState.h"

namespace zu {

namespace {

constexpr int kClientWidth_twips = 4500;
constexpr int kClientHeight_twips = 2424;
constexpr int kTitleMaxLength = 25;
constexpr int kCopiesMaxLength = 2;
constexpr int kMaxCopies = 99;
constexpr double kAllSkyCentreAz = 180;
constexpr double kAllSkyCentreAlt = 90;
constexpr double kAllSkyFov = 190;

constexpr const char* kCaption = "인쇄";
constexpr const char* kPrintingCaption = "인쇄 - zu 인쇄하는 중...";
constexpr const char* kPrinting = "zu 인쇄하는 중...";
constexpr const char* kDone = "완료";
constexpr const char* kFailed = "인쇄 오류";
constexpr const char* kPdfEntry = "PDF 파일로 저장";
constexpr const char* kPrinterProblem = "프린터가 설치되어 있지 않거나, 설치된 프린터에 문제가 있습니다.";
constexpr const char* kPdfProblem = "PDF 파일을 만들 수 없습니다.";
constexpr const char* kPrintingProblem = "인쇄하는 중에 오류가 생겼습니다.";
constexpr const char* kPdfDialogTitle = "PDF 파일로 인쇄";
constexpr const char* kPdfFilter = "PDF 문서(*.pdf)|*.pdf";
constexpr const char* kReplaceCopies = "다음 파일이 이미 있습니다. 새로 인쇄한 파일로 바꾸시겠습니까?";

QString U(const char* text) { return QString::fromUtf8(text); }
QString U(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toUtf8().toStdString(); }

// The window design measures in twips; whole pixels here.
constexpr int kTwipsPerPixel = static_cast<int>(platform::kTwipsPerPixel);

QRect Twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

void Failure(const std::string& text) { platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, kFailed); }

// Puts the view system back whatever happens while the all-sky chart prints.
class ViewSystemScope {
public:
    explicit ViewSystemScope(std::string& system) : system_(system), saved_(system) {}
    ~ViewSystemScope() { system_ = saved_; }
    ViewSystemScope(const ViewSystemScope&) = delete;
    ViewSystemScope& operator=(const ViewSystemScope&) = delete;

private:
    std::string& system_;
    std::string saved_;
};

// The file dialog asked before the chosen file is replaced; the files of the
// further copies are asked about here, all in one question. False when the
// user keeps them.
bool MayReplaceCopies(const std::filesystem::path& chosen, int copies) {
    std::string names;
    for (int copy = 2; copy <= copies; ++copy) {
        const std::filesystem::path path = PdfCopyPath(chosen, copy);
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
            names += '\n';
            names += path.filename().string();
        }
    }
    if (names.empty()) return true;
    platform::Message question;
    question.text = kReplaceCopies + names;
    question.title = kPdfDialogTitle;
    question.buttons = platform::MsgButtons::YesNo;
    question.icon = platform::MsgIcon::Question;
    question.default_answer = platform::MsgAnswer::No;
    return platform::ShowMessage(question) == platform::MsgAnswer::Yes;
}

}  // namespace

std::filesystem::path PdfCopyPath(const std::filesystem::path& chosen, int copy) {
    if (copy <= 1) return chosen;
    std::filesystem::path path = chosen;
    std::string name = chosen.stem().string();
    name += '-';
    name += std::to_string(copy);
    name += chosen.extension().string();
    path.replace_filename(name);
    return path;
}

FrmPrint::FrmPrint(QWidget* owner) : QDialog(owner) {
    setObjectName("FrmPrint");
    setWindowTitle(U(kCaption));
    setFixedSize(kClientWidth_twips / kTwipsPerPixel, kClientHeight_twips / kTwipsPerPixel);

    const auto label = [this](int index, const char* text, QRect where) {
        Label1[index] = new QLabel(U(text), this);
        Label1[index]->setObjectName(QString("Label1_%1").arg(index));
        Label1[index]->setGeometry(where);
    };
    label(5, "프린터: ", Twips(120, 120, 1095, 255));
    Combo2 = new QComboBox(this);
    Combo2->setObjectName("Combo2");
    Combo2->setGeometry(Twips(1080, 120, 3255, 300));
    label(3, "인쇄 방법: ", Twips(120, 600, 1095, 255));
    Option1[0] = new QRadioButton(U("온하늘 zu 전용"), this);
    Option1[0]->setObjectName("Option1_0");
    Option1[0]->setToolTip(U("지평좌표를 기준으로 온하늘 zu를 인쇄합니다."));
    Option1[0]->setGeometry(Twips(1080, 600, 1695, 255));
    Option1[1] = new QRadioButton(U("범용 인쇄 환경"), this);
    Option1[1]->setObjectName("Option1_1");
    Option1[1]->setToolTip(U("화면에 그려진 것을 그대로 인쇄합니다."));
    Option1[1]->setGeometry(Twips(2880, 600, 1575, 255));
    label(0, "zu 이름: ", Twips(120, 1080, 1095, 255));
    TxtPName = new QLineEdit(this);
    TxtPName->setObjectName("TxtPName");
    TxtPName->setMaxLength(kTitleMaxLength);
    TxtPName->setGeometry(Twips(1080, 1065, 3255, 270));
    ui::SelectAllOnFocus(*TxtPName);
    label(1, "인쇄 매수: ", Twips(120, 1440, 1095, 255));
    TxtPNum = new QLineEdit(this);
    TxtPNum->setObjectName("TxtPNum");
    TxtPNum->setMaxLength(kCopiesMaxLength);
    TxtPNum->setGeometry(Twips(1080, 1440, 735, 270));
    ui::SelectAllOnFocus(*TxtPNum);
    label(2, " 매", Twips(1920, 1440, 375, 255));
    CmdPrint[0] = new QPushButton(U("인쇄"), this);
    CmdPrint[0]->setObjectName("CmdPrint_0");
    CmdPrint[0]->setGeometry(Twips(1920, 1920, 1095, 375));
    CmdPrint[0]->setDefault(true);
    CmdPrint[0]->setAutoDefault(true);
    CmdPrint[1] = new QPushButton(U("취소"), this);
    CmdPrint[1]->setObjectName("CmdPrint_1");
    CmdPrint[1]->setGeometry(Twips(3120, 1920, 1095, 375));
    CmdPrint[1]->setAutoDefault(false);

    setTabOrder(Combo2, Option1[0]);
    setTabOrder(Option1[0], Option1[1]);
    setTabOrder(Option1[1], TxtPName);
    setTabOrder(TxtPName, TxtPNum);
    setTabOrder(TxtPNum, CmdPrint[0]);
    setTabOrder(CmdPrint[0], CmdPrint[1]);

    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Change(); });
    connect(CmdPrint[0], &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdPrint_Click(0); }); });
    connect(CmdPrint[1], &QPushButton::clicked, this, [this] { CmdPrint_Click(1); });
    Form_Load();
}

void FrmPrint::Form_Load() {
    printers_ = platform::Env().printing->PrinterNames();
    Combo2->blockSignals(true);
    Combo2->clear();
    for (const std::string& name : printers_) Combo2->addItem(U(name));
    Combo2->addItem(U(kPdfEntry));
    Combo2->setCurrentIndex(0);
    Combo2->blockSignals(false);
    printer_ = 0;
    Option1[1]->setChecked(true);
    TxtPName->setText(U("zu"));
    TxtPNum->setText(U("1"));
    setWindowTitle(U(kCaption));
}

void FrmPrint::Combo2_Change() { printer_ = std::max(0, Combo2->currentIndex()); }

bool FrmPrint::IsPdfEntry(int index) const { return index >= static_cast<int>(printers_.size()); }

void FrmPrint::Status(const std::string& text) { Host().SetStatusText(text); }

void FrmPrint::CmdPrint_Click(int index) {
    if (index != 0) {
        reject();
        return;
    }
    const double number = std::floor(astro::ParseLeadingNumber(S(TxtPNum->text())));
    const int copies = number >= 1 && number <= kMaxCopies ? static_cast<int>(number) : 0;
    const std::string title = S(TxtPName->text());
    std::filesystem::path chosen;
    if (copies > 0 && IsPdfEntry(printer_)) {
        platform::FileRequest request;
        request.kind = platform::FileDialogKind::Save;
        request.title = kPdfDialogTitle;
        request.filter = kPdfFilter;
        request.folder = DocumentFolderFor(DocumentKind::Pdf);
        request.name = title + ".pdf";
        const std::optional<platform::FileChoice> choice = platform::ChooseSaveFile(request);
        // Cancelled: nothing is printed and the dialog stays open.
        if (!choice) return;
        chosen = choice->path;
        RememberDocumentFolder(DocumentKind::Pdf, chosen);
    }
    // Kept: nothing is printed and the dialog stays open.
    if (!chosen.empty() && !MayReplaceCopies(chosen, copies)) return;
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    for (int copy = 1; copy <= copies; ++copy) {
        pdf_ = chosen.empty() ? std::filesystem::path() : PdfCopyPath(chosen, copy);
        const bool printed = Option1[0]->isChecked()
                                 ? PrintAllSkyChart(title, s.starnamelang, printer_)
                                 : PrintChart(title, s.lat, AppState().LocalSiderealTime, s.ViewCenterX,
                                              s.ViewCenterY, s.ViewFOV, s.starnamelang, printer_);
        if (!printed) break;
    }
    pdf_.clear();
    accept();
}

bool FrmPrint::PrintAllSkyChart(const std::string& title, int starNameLang, int printerIndex) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    ViewSystemScope scope(s.ViewCoordSys);
    s.ViewCoordSys.assign(1, 'a');
    return PrintChart(std::string("온하늘 zu-").append(title), s.lat, AppState().LocalSiderealTime, kAllSkyCentreAz,
                      kAllSkyCentreAlt, kAllSkyFov, starNameLang, printerIndex);
}

bool FrmPrint::PrintChart(const std::string& printTitle, double latitude, double siderealTime, double centerX,
                          double centerY, double fov, int starNameLang, int printerIndex) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    chart::PrintView view;
    view.title = printTitle;
    view.lat_deg = latitude;
    view.lst_h = siderealTime;
    view.center_lon_deg = centerX;
    view.center_lat_deg = centerY;
    view.fov_deg = fov;
    view.star_name_lang = starNameLang;
    view.coord_sys = s.ViewCoordSys;
    view.rotation_deg = s.MapRotation;
    view.jd_local = s.CurrentJD;
    view.screen_fov_deg = s.ViewFOV;

    platform::PrintTarget target;
    const bool toPdf = IsPdfEntry(printerIndex);
    if (toPdf) {
        target.pdf = pdf_;
    } else {
        target.printer = printers_[static_cast<std::size_t>(std::max(0, printerIndex))];
    }

    Status(kPrinting);
    setWindowTitle(U(kPrintingCaption));
    std::string problem;
    try {
        std::unique_ptr<platform::PrintDocument> document;
        if (!target.printer.empty() || !target.pdf.empty()) document = platform::Env().printing->StartDocument(target);
        if (!document) {
            problem = toPdf ? std::string(kPdfProblem) + "\n" + target.pdf.string() : kPrinterProblem;
        } else if (const std::optional<std::string> error =
                       chart::PrintChartPage(document->Page(), view, chart::ModuleSources())) {
            problem = std::string(kPrintingProblem) + "\n" + *error;
        } else if (!document->End()) {
            problem = toPdf ? std::string(kPdfProblem) + "\n" + target.pdf.string() : kPrinterProblem;
        }
    } catch (const std::exception& e) {
        problem = std::string(kPrintingProblem) + "\n" + e.what();
    }
    setWindowTitle(U(kCaption));
    if (!problem.empty()) {
        Status(kFailed);
        Failure(problem);
        return false;
    }
    Status(kDone);
    return true;
}

}  // namespace zu
