#include "zu/tracks/MarkerWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Matrix.h"
#include "astro/TextFormat.h"
#include "platform/Colour.h"
#include "platform/Guard.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/DocumentFolders.h"

namespace zu {
namespace {

constexpr int kWidth_px = 300;
constexpr int kBriefHeight_twips = 4380;
constexpr int kFullHeight_twips = 6690;
constexpr float kNewMarkerSize_arcmin = 60;
constexpr std::uint8_t kCircle = 1;
constexpr int kShapeCount = 5;
constexpr const char* kShapes[kShapeCount] = {"원", "채운 원", "사각형", "채운 사각형", "십자표"};
constexpr const char* kShapeWords[kShapeCount] = {"cl", "scl", "rect", "srect", "cr"};
constexpr const char* kBrief = "자세히";
constexpr const char* kFull = "간략히";
constexpr const char* kShowMarkers = "표지를 화면에 표시";
constexpr const char* kShowLines = "선을 화면에 표시";
constexpr const char* kSaveTitle = "표지 저장하기";
constexpr const char* kSaveFilter = "사용자 정의 목록 파일(*.UC)|*.UC";
constexpr const char* kSaveName = "표지목록.UC";
constexpr const char* kSaveFailure = "표지 목록 파일을 저장할 수 없습니다: ";


std::vector<skydata::MapPoint>& Markers() { return skydata::MapPointModule().MapPoints; }
std::vector<skydata::DrawnLine>& Lines() { return skydata::DrawnLineModule().DrawnLines; }

// "(index)name" as a list row shows an entry.
QString RowText(std::size_t index, const std::string& name) {
    return ui::QText(std::string(1, '(').append(std::to_string(index)).append(")").append(name));
}

// A name or text as one field of a .UC object line: the separators and line
// ends of the format written with its own escapes.
std::string CatalogField(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',') {
            out += "/c";
        } else if (c == '\t') {
            out += "/t";
        } else if (c == '\r' || c == '\n') {
            out += "/n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

FrmPoint::FrmPoint(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmPoint::BuildControls() {
    setWindowTitle(QString::fromUtf8("표지 관리"));
    setFixedWidth(kWidth_px);
    resize(kWidth_px, kBriefHeight_twips / skydata::kTwipsPerPixel);
    ui::Named(new QLabel(QString::fromUtf8("표시 항목:"), this), "Label1", 0)->setGeometry(10, 8, 70, 22);
    optkind[0] = ui::Named(new QRadioButton(QString::fromUtf8("표지"), this), "optkind", 0);
    optkind[0]->setGeometry(84, 8, 70, 22);
    optkind[1] = ui::Named(new QRadioButton(QString::fromUtf8("선"), this), "optkind", 1);
    optkind[1]->setGeometry(160, 8, 70, 22);
    List1 = ui::Named(new QListWidget(this), "List1");
    List1->setGeometry(10, 36, 280, 150);
    ChkView = ui::Named(new QCheckBox(QString::fromUtf8(kShowMarkers), this), "ChkView");
    ChkView->setGeometry(10, 192, 280, 22);
    CmdCenter = ui::Named(new QPushButton(QString::fromUtf8("가운데로"), this), "CmdCenter");
    CmdCenter->setGeometry(10, 218, 136, 28);
    CmdEdit = ui::Named(new QPushButton(QString::fromUtf8(kBrief), this), "CmdEdit");
    CmdEdit->setGeometry(154, 218, 136, 28);
    CmdDel = ui::Named(new QPushButton(QString::fromUtf8("지우기"), this), "CmdDel");
    CmdDel->setGeometry(10, 252, 88, 28);
    CmdAllDel = ui::Named(new QPushButton(QString::fromUtf8("모두 지우기"), this), "CmdAllDel");
    CmdAllDel->setGeometry(106, 252, 88, 28);
    cmdSave = ui::Named(new QPushButton(QString::fromUtf8("저장"), this), "cmdSave");
    cmdSave->setGeometry(202, 252, 88, 28);
    cmdSave->setToolTip(QString::fromUtf8("표식을 사용자 정의 목록으로 저장합니다."));

    Frame1 = ui::Named(new QGroupBox(QString::fromUtf8("편집"), this), "Frame1");
    Frame1->setGeometry(10, 290, 280, 150);
    ui::Named(new QLabel(QString::fromUtf8("적경:"), Frame1), "Label1", 1)->setGeometry(8, 22, 40, 22);
    ui::Named(new QLabel(QString::fromUtf8("적위:"), Frame1), "Label1", 2)->setGeometry(8, 48, 40, 22);
    const char* ra_units[3] = {"시", "분", "초"};
    const char* de_units[3] = {"도", "분", "초"};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const int x = 48 + 76 * i;
        TxtRA[k] = ui::Named(new QLineEdit(Frame1), "TxtRA", i);
        TxtRA[k]->setGeometry(x, 22, 50, 22);
        ui::Named(new QLabel(QString::fromUtf8(ra_units[i]), Frame1), "Label3", i)->setGeometry(x + 52, 22, 20, 22);
        txtDE[k] = ui::Named(new QLineEdit(Frame1), "txtDE", i);
        txtDE[k]->setGeometry(x, 48, 50, 22);
        ui::Named(new QLabel(QString::fromUtf8(de_units[i]), Frame1), "Label4", i)->setGeometry(x + 52, 48, 20, 22);
        ui::SelectAllOnFocus(*TxtRA[k]);
        ui::SelectAllOnFocus(*txtDE[k]);
    }
    ui::Named(new QLabel(QString::fromUtf8("지름(분):"), Frame1), "Label1", 3)->setGeometry(8, 74, 60, 22);
    txtDia = ui::Named(new QLineEdit(Frame1), "txtDia");
    txtDia->setGeometry(70, 74, 54, 22);
    ui::Named(new QLabel(QString::fromUtf8("모양:"), Frame1), "Label1", 4)->setGeometry(136, 74, 36, 22);
    Combo1 = ui::Named(new QComboBox(Frame1), "Combo1");
    Combo1->setGeometry(172, 72, 100, 26);
    ui::Named(new QLabel(QString::fromUtf8("이름:"), Frame1), "Label1", 5)->setGeometry(8, 100, 40, 22);
    txtNM = ui::Named(new QLineEdit(Frame1), "txtNM");
    txtNM->setGeometry(48, 100, 224, 22);
    ui::Named(new QLabel(QString::fromUtf8("색상:"), Frame1), "Label1", 6)->setGeometry(8, 124, 40, 22);
    Label2 = ui::Named(new QLabel(Frame1), "Label2");
    Label2->setGeometry(48, 126, 60, 18);
    Label2->setAutoFillBackground(true);
    Label2->setFrameShape(QFrame::Box);
    Label2->installEventFilter(this);
    CmdApply = ui::Named(new QPushButton(QString::fromUtf8("고치기"), Frame1), "CmdApply");
    CmdApply->setGeometry(192, 122, 80, 26);
    ui::SelectAllOnFocus(*txtDia);
    ui::SelectAllOnFocus(*txtNM);

    auto guarded = [this](void (FrmPoint::*handler)()) {
        return [this, handler] { platform::Guard([this, handler] { (this->*handler)(); }); };
    };
    for (int i = 0; i < 2; ++i) {
        connect(optkind[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { platform::Guard([this, i] { optkind_Click(i); }); });
    }
    connect(List1, &QListWidget::currentRowChanged, this, guarded(&FrmPoint::List1_Click));
    connect(List1, &QListWidget::itemDoubleClicked, this, guarded(&FrmPoint::List1_DblClick));
    connect(ChkView, &QCheckBox::clicked, this, guarded(&FrmPoint::ChkView_Click));
    connect(CmdCenter, &QPushButton::clicked, this, guarded(&FrmPoint::CmdCenter_Click));
    connect(CmdEdit, &QPushButton::clicked, this, guarded(&FrmPoint::CmdEdit_Click));
    connect(CmdDel, &QPushButton::clicked, this, guarded(&FrmPoint::CmdDel_Click));
    connect(CmdAllDel, &QPushButton::clicked, this, guarded(&FrmPoint::CmdAllDel_Click));
    connect(CmdApply, &QPushButton::clicked, this, guarded(&FrmPoint::CmdApply_Click));
    connect(cmdSave, &QPushButton::clicked, this, guarded(&FrmPoint::cmdSave_Click));
}

void FrmPoint::Form_Load() {
    ListMode = true;
    optkind[0]->setChecked(true);
    Combo1->clear();
    for (const char* shape : kShapes) Combo1->addItem(QString::fromUtf8(shape));
    Combo1->setCurrentIndex(0);
    ChkView->setChecked(skydata::MapPointModule().MapPointsShown);
    SetSwatchColor(SwatchColor);
    Frame1->setEnabled(false);
    ReflashList();
}

bool FrmPoint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2 && event->type() == QEvent::MouseButtonPress) {
        platform::Guard([this] { Label2_Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmPoint::SetSwatchColor(std::int32_t color) {
    SwatchColor = color;
    const auto c = static_cast<platform::Colour>(color);
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::Window, QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c)));
    Label2->setPalette(palette);
}

std::optional<std::size_t> FrmPoint::SelectedEntry() const {
    const QListWidgetItem* item = List1->currentItem();
    if (!item || List1->currentRow() < 0) return std::nullopt;
    const std::size_t index = item->data(Qt::UserRole).toULongLong();
    const std::size_t size = ListMode ? Markers().size() : Lines().size();
    if (index >= size) return std::nullopt;
    return index;
}

void FrmPoint::SelectEntry(std::size_t index) {
    for (int row = 0; row < List1->count(); ++row) {
        if (List1->item(row)->data(Qt::UserRole).toULongLong() == index) {
            List1->setCurrentRow(row);
            return;
        }
    }
}

void FrmPoint::ReflashList() {
    List1->clear();
    const std::vector<skydata::MapPoint>& points = Markers();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].Flag != "y") continue;
        auto* item = new QListWidgetItem(RowText(i, points[i].Name), List1);
        item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    }
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void FrmPoint::ReflashList2() {
    List1->clear();
    const std::vector<skydata::DrawnLine>& lines = Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (skydata::IsEmptyDrawnLine(lines[i])) continue;
        auto* item = new QListWidgetItem(RowText(i, lines[i].Text), List1);
        item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    }
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void FrmPoint::optkind_Click(int index) {
    optkind[index == 0 ? 0 : 1]->setChecked(true);
    ListMode = index == 0;
    if (ListMode) {
        ChkView->setText(QString::fromUtf8(kShowMarkers));
        ChkView->setChecked(skydata::MapPointModule().MapPointsShown);
        ReflashList();
    } else {
        ChkView->setText(QString::fromUtf8(kShowLines));
        ChkView->setChecked(skydata::DrawnLineModule().DrawnLinesShown);
        ReflashList2();
    }
    // A line's place, size and shape are not edited here, only its colour and text.
    for (QLineEdit* box : TxtRA) box->setEnabled(ListMode);
    for (QLineEdit* box : txtDE) box->setEnabled(ListMode);
    txtDia->setEnabled(ListMode);
    Combo1->setEnabled(ListMode);
}

void FrmPoint::AddPoint(double ra_deg, double dec_deg) {
    const std::vector<skydata::MapPoint>& points = Markers();
    // The single unused slot of an empty list is filled in place.
    const bool reuse = points.size() == 1 && points[0].Flag.empty();
    const std::size_t slot = reuse ? 0 : points.size();
    skydata::AddMapPoint(ra_deg, dec_deg, kCircle, kNewMarkerSize_arcmin,
                         std::string("표지 ").append(std::to_string(slot + 1)), SwatchColor);
    optkind_Click(0);
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

void FrmPoint::RefreshLineList() {
    optkind_Click(1);
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

void FrmPoint::ShowPlace(double ra_deg, double dec_deg) {
    int hours = 0, minutes = 0, degrees = 0;
    float seconds = 0;
    astro::SplitDegreesHms(ra_deg, hours, minutes, seconds);
    TxtRA[0]->setText(ui::QText(skydata::FormatPlainNumber(hours)));
    TxtRA[1]->setText(ui::QText(skydata::FormatPlainNumber(minutes)));
    TxtRA[2]->setText(ui::QText(astro::FormatDigitPattern(seconds, "0.0")));
    astro::SplitDegreesDms(dec_deg, degrees, minutes, seconds);
    // "-12", never "- 12": the sign must stay part of the number that the
    // box reads back, also for "-0".
    std::string degrees_text = skydata::FormatPlainNumber(degrees);
    if (dec_deg < 0) degrees_text = std::string(1, '-').append(skydata::TrimBlanks(degrees_text));
    txtDE[0]->setText(ui::QText(degrees_text));
    txtDE[1]->setText(ui::QText(skydata::FormatPlainNumber(minutes)));
    txtDE[2]->setText(ui::QText(astro::FormatDigitPattern(seconds, "0.0")));
}

void FrmPoint::List1_Click() {
    const std::optional<std::size_t> index = SelectedEntry();
    if (!index) return;
    if (ListMode) {
        const skydata::MapPoint& point = Markers()[*index];
        ShowPlace(point.RA, point.Dec);
        txtDia->setText(ui::QText(skydata::FormatPlainNumberSingle(point.Size)));
        txtNM->setText(ui::QText(point.Name));
        SetSwatchColor(point.Color);
        Combo1->setCurrentIndex(std::clamp(static_cast<int>(point.Kind) - 1, 0, kShapeCount - 1));
    } else {
        const skydata::DrawnLine& line = Lines()[*index];
        ShowPlace(line.RA1, line.Dec1);
        SetSwatchColor(line.Color);
        txtNM->setText(ui::QText(line.Text));
    }
}

void FrmPoint::PrecessToDate(double& ra_deg, double& dec_deg) {
    double x = 0, y = 0, z = 0;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    astro::Matrix3 m;
    astro::MakePrecessionMatrix(astro::kJ2000, skydata::CurrentSettings().CurrentJD, m);
    astro::RotateVector(x, y, z, m);
    astro::VectorToSpherical(x, y, z, ra_deg, dec_deg);
}

void FrmPoint::List1_DblClick() {
    const std::optional<std::size_t> index = SelectedEntry();
    if (!index) return;
    double ra = 0, dec = 0;
    if (ListMode) {
        ra = Markers()[*index].RA;
        dec = Markers()[*index].Dec;
    } else {
        ra = Lines()[*index].RA1;
        dec = Lines()[*index].Dec1;
    }
    PrecessToDate(ra, dec);
    Host().CenterOnObject(ra, dec);
}

void FrmPoint::CmdCenter_Click() {
    if (List1->count() == 0) return;
    List1_DblClick();
}

void FrmPoint::ChkView_Click() {
    if (ListMode) {
        skydata::MapPointModule().MapPointsShown = ChkView->isChecked();
    } else {
        skydata::DrawnLineModule().DrawnLinesShown = ChkView->isChecked();
    }
    Host().SetMapBox();
}

void FrmPoint::CmdEdit_Click() {
    const bool brief = CmdEdit->text() == QString::fromUtf8(kBrief);
    resize(width(), (brief ? kFullHeight_twips : kBriefHeight_twips) / skydata::kTwipsPerPixel);
    Frame1->setEnabled(brief);
    CmdEdit->setText(QString::fromUtf8(brief ? kFull : kBrief));
}

void FrmPoint::RemovePoint(std::size_t index) {
    std::vector<skydata::MapPoint>& points = Markers();
    if (index >= points.size()) return;
    if (points.size() == 1) {
        points[0].Flag.clear();
        return;
    }
    points.erase(points.begin() + static_cast<std::ptrdiff_t>(index));
}

void FrmPoint::CmdDel_Click() {
    const std::optional<std::size_t> selected = SelectedEntry();
    if (List1->count() == 0 || !selected) return;
    const std::size_t index = *selected;
    if (ListMode) {
        RemovePoint(index);
        ReflashList();
    } else {
        skydata::DeleteDrawnLine(static_cast<std::int64_t>(index));
        ReflashList2();
    }
    Host().SetMapBox();
}

void FrmPoint::CmdAllDel_Click() {
    const char* title = ListMode ? "표지 지우기" : "선 지우기";
    const char* text = ListMode ? "표지를 모두 지웁니다. 계속하시겠습니까?" : "선을 모두 지웁니다. 계속하시겠습니까?";
    if (platform::MsgBox(text, platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation, title) !=
        platform::MsgAnswer::Yes) {
        return;
    }
    if (ListMode) {
        skydata::ClearMapPoints();
        ReflashList();
    } else {
        Lines().assign(1, skydata::DrawnLine{});
        List1->clear();
    }
    Host().SetMapBox();
}

void FrmPoint::CmdApply_Click() {
    if (List1->count() == 0) return;
    const std::optional<std::size_t> index = SelectedEntry();
    if (!index) return;
    if (ListMode) {
        skydata::MapPoint& point = Markers()[*index];
        const double ra = (ui::BoxNumber(TxtRA[0]) + ui::BoxNumber(TxtRA[1]) / 60 + ui::BoxNumber(TxtRA[2]) / 3600) * 15;
        double dec = std::fabs(ui::BoxNumber(txtDE[0])) + ui::BoxNumber(txtDE[1]) / 60 + ui::BoxNumber(txtDE[2]) / 3600;
        if (skydata::TrimBlanks(ui::StdText(txtDE[0]->text())).starts_with('-')) dec = -dec;
        point.RA = std::isfinite(ra) ? astro::Norm360(ra) : 0;
        point.Dec = std::isfinite(dec) ? std::clamp(dec, -90.0, 90.0) : 0;
        point.Size = static_cast<float>(ui::BoxNumber(txtDia));
        point.Name = skydata::SanitizeMarkName(ui::StdText(txtNM->text()));
        point.Color = SwatchColor;
        point.Kind = static_cast<std::uint8_t>(std::clamp(Combo1->currentIndex(), 0, kShapeCount - 1) + 1);
        ReflashList();
    } else {
        skydata::DrawnLine& line = Lines()[*index];
        line.Color = SwatchColor;
        line.Text = skydata::SanitizeLineText(ui::StdText(txtNM->text()));
        ReflashList2();
    }
    SelectEntry(*index);
    Host().SetMapBox();
}

void FrmPoint::Label2_Click() {
    if (!platform::Env().colours) return;
    const std::optional<platform::Colour> chosen =
        platform::Env().colours->Show(static_cast<platform::Colour>(SwatchColor), "");
    if (chosen) SetSwatchColor(static_cast<std::int32_t>(*chosen));
}

std::string FrmPoint::MarkerCatalogText() {
    std::string text =
        "<Header>\r\n"
        "Catalog Name=표지 목록\r\n"
        "Epoch=";
    text += skydata::FormatPlainNumber(astro::kJ2000);
    text +=
        "\r\n"
        "Coordinate=e\r\n"
        "Author=zu 0.7\r\n"
        "Comments=표지 목록\r\n"
        "Object Color[1]=255,255,0\r\n"
        "Object Color[2]=0,128,0\r\n"
        "Object Color[3]=0,0,0\r\n"
        "Object Color[4]=0,0,0\r\n"
        "Object Color[5]=0,0,0\r\n"
        "</Header>\r\n"
        "\r\n"
        "<ObjectList>\r\n";
    for (const skydata::MapPoint& point : Markers()) {
        if (point.Flag != "y") continue;
        const bool known = point.Kind >= 1 && point.Kind <= kShapeCount;
        text += kShapeWords[known ? point.Kind - 1 : 0];
        text += ',' + skydata::FormatPlainNumber(point.RA) + ',' + skydata::FormatPlainNumber(point.Dec) + ',' +
                skydata::FormatPlainNumberSingle(point.Size) + ", 1, " + CatalogField(point.Name) + "\r\n";
    }
    for (const skydata::DrawnLine& line : Lines()) {
        if (skydata::IsEmptyDrawnLine(line)) continue;
        text += "ln, " + skydata::FormatPlainNumber(line.RA1) + ',' + skydata::FormatPlainNumber(line.Dec1) + ',' +
                skydata::FormatPlainNumber(line.RA2) + ',' + skydata::FormatPlainNumber(line.Dec2) + ", 2\r\n";
    }
    text += "</ObjectList>\r\n";
    return text;
}

void FrmPoint::cmdSave_Click() {
    const std::string text = MarkerCatalogText();
    platform::FileRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.title = kSaveTitle;
    request.filter = kSaveFilter;
    request.folder = DocumentFolderFor(DocumentKind::Catalog);
    request.name = kSaveName;
    const std::optional<platform::FileChoice> choice = platform::ChooseSaveFile(request);
    if (!choice) return;
    RememberDocumentFolder(DocumentKind::Catalog, choice->path);
    if (!platform::WriteTextFileCp949(choice->path, text)) {
        platform::MsgBox(kSaveFailure + choice->path.string(), platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                         kSaveTitle);
    }
}

}  // namespace zu
