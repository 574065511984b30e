#include "zu/dialogs/SiteWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/UserFiles.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

constexpr const char* kTitle = "관측지 설정";
constexpr const char* kFileName = kSiteListFileName;
constexpr const char* kSemicolonName = "관측지 이름에는 ';'를 쓸 수 없습니다.";
constexpr const char* kOutOfRange =
    "위도는 -90~90도, 경도는 -180~180도, 시간권은 -14~14시간, 기온은 -100~100도, 기압은 0~1200hPa 사이로 입력해 "
    "주십시오.";
constexpr const char* kSaveFailed = "관측지 목록 파일을 저장할 수 없습니다: ";
constexpr int kSouthOrWest = 1;
// The widest text of a seconds box: two digits and up to four decimals.
constexpr const char* kWidestSeconds = "59.9999";
constexpr int kDesignedSecondsWidth = 46;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toUtf8().toStdString(); }
double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(S(box->text())); }
std::string Plain(double value) { return skydata::TrimBlanks(skydata::FormatPlainNumber(value)); }
std::string PlainSingle(float value) { return skydata::TrimBlanks(skydata::FormatPlainNumberSingle(value)); }

// A zone typed with its own sign keeps it; an unsigned one takes the sign of
// the longitude's hemisphere.
double ZoneOfText(const std::string& text, bool west) {
    const std::string trimmed = skydata::TrimBlanks(text);
    const double value = astro::ParseLeadingNumber(trimmed);
    if (!trimmed.empty() && (trimmed[0] == '+' || trimmed[0] == '-')) return value;
    return west ? -std::fabs(value) : std::fabs(value);
}

// The width a line edit of `window` needs to show `text` whole, frame and
// margins included.
int LineEditWidthFor(QWidget& window, const char* text) {
    QLineEdit probe(&window);
    QStyleOptionFrame option;
    option.initFrom(&probe);
    option.lineWidth = probe.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &probe);
    const QMargins margins = probe.textMargins();
    // Two pixels of side margin each way and one for the cursor, as the box draws.
    const int inner = probe.fontMetrics().horizontalAdvance(QString::fromUtf8(text)) + margins.left() +
                      margins.right() + 2 * 2 + 1;
    return probe.style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, probe.fontMetrics().height()),
                                           &probe).width();
}

}  // namespace

FrmObs::FrmObs(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmObs::BuildControls() {
    // The seconds boxes are as wide as their longest value needs in the
    // window's font; what they grow by widens the position frame and moves
    // the list column to the right.
    const int seconds_width = std::max(kDesignedSecondsWidth, LineEditWidthFor(*this, kWidestSeconds));
    const int grow = seconds_width - kDesignedSecondsWidth;
    setFixedSize(470 + grow, 330);
    int label = 0;
    auto text = [&label](QWidget* parent, const char* caption, int x, int y, int width) {
        ui::Named(new QLabel(QString::fromUtf8(caption), parent), "Label1", label++)->setGeometry(x, y, width, 22);
    };
    text(this, "관측지 이름", 10, 10, 80);
    TxtObs = ui::Named(new QLineEdit(this), "TxtObs");
    TxtObs->setGeometry(92, 10, 170, 22);
    List1 = ui::Named(new QListWidget(this), "List1");
    List1->setGeometry(292 + grow, 10, 168, 230);
    List1->setToolTip(QString::fromUtf8("300 곳까지 등록할 수 있습니다."));
    const char* edits[3] = {"더하기", "고치기", "지우기"};
    for (int i = 0; i < 3; ++i) {
        CmdEdit[static_cast<std::size_t>(i)] = ui::Named(new QPushButton(QString::fromUtf8(edits[i]), this), "CmdEdit", i);
        CmdEdit[static_cast<std::size_t>(i)]->setGeometry(292 + grow + 57 * i, 246, 54, 26);
    }

    auto* frame = ui::Named(new QGroupBox(QString::fromUtf8("위치"), this), "Frame1");
    frame->setGeometry(10, 40, 274 + grow, 90);
    const char* units[3] = {"도", "분", "초"};
    auto row = [&](const char* caption, QComboBox*& combo, const char* combo_name, std::array<QLineEdit*, 3>& boxes,
                   const char* box_name, int y) {
        text(frame, caption, 8, y, 32);
        combo = ui::Named(new QComboBox(frame), combo_name);
        combo->setGeometry(40, y, 60, 24);
        const int xs[3] = {104, 156, 206};
        const int widths[3] = {34, 30, seconds_width};
        for (int i = 0; i < 3; ++i) {
            QLineEdit* box = ui::Named(new QLineEdit(frame), box_name, i);
            box->setGeometry(xs[i], y, widths[i], 22);
            ui::SelectAllOnFocus(*box);
            boxes[static_cast<std::size_t>(i)] = box;
            text(frame, units[i], xs[i] + widths[i] + 2, y, 16);
        }
    };
    row("경도", CmbLon, "CmbLon", TxtLon, "TxtLon", 22);
    row("위도", CmbLat, "CmbLat", TxtLat, "TxtLat", 56);

    text(this, "시간권", 10, 140, 60);
    TxtTimeZone = ui::Named(new QLineEdit(this), "TxtTimeZone");
    TxtTimeZone->setGeometry(92, 140, 50, 22);
    TxtTimeZone->setToolTip(QString::fromUtf8("그리니치 표준시과의 시간 차이"));
    text(this, "시간", 146, 140, 40);
    text(this, "기온(C): ", 10, 170, 80);
    txtAir[0] = ui::Named(new QLineEdit(this), "txtAir", 0);
    txtAir[0]->setGeometry(92, 170, 50, 22);
    txtAir[0]->setToolTip(QString::fromUtf8("대기의 굴절 계산에 필요한 기온을 입력합니다. 단위는 섭씨 도입니다."));
    text(this, "기압(hPa): ", 10, 200, 80);
    txtAir[1] = ui::Named(new QLineEdit(this), "txtAir", 1);
    txtAir[1]->setGeometry(92, 200, 50, 22);
    txtAir[1]->setToolTip(QString::fromUtf8("대기의 굴절 계산에 필요한 기압을 입력합니다. 단위는 hPa입니다."));
    ChkGeocenter = ui::Named(new QCheckBox(QString::fromUtf8("지구중심좌표"), this), "ChkGeocenter");
    ChkGeocenter->setGeometry(10, 232, 200, 22);

    ChkCloseWin = ui::Named(new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this), "ChkCloseWin");
    ChkCloseWin->setGeometry(10, 292, 160, 24);
    CmdOK = ui::Named(new QPushButton(QString::fromUtf8("적용"), this), "CmdOK");
    CmdOK->setGeometry(290 + grow, 290, 80, 28);
    CmdCancel = ui::Named(new QPushButton(QString::fromUtf8("닫기"), this), "CmdCancel");
    CmdCancel->setGeometry(378 + grow, 290, 80, 28);
    CmdCancel->setToolTip(QString::fromUtf8("새로 설정한 값을 적용하지 않고 창을 닫습니다."));
    // Not a QDialog: the default button needs its keys bound.
    ui::BindEnterAndEscape(*this, CmdOK, CmdCancel);

    // The fields follow the highlighted row however it moves (mouse, arrow
    // and page keys, a typed letter), so the edits and 적용 take the site the
    // user sees highlighted. A row made current without being highlighted
    // (the list taking the focus by Tab) leaves the fields alone; a click on
    // the highlighted row shows its site again.
    connect(List1, &QListWidget::itemClicked, this, [this] { platform::Guard([this] { List1_Click(); }); });
    connect(List1, &QListWidget::currentRowChanged, this, [this] {
        const QListWidgetItem* current = List1->currentItem();
        if (current && current->isSelected()) platform::Guard([this] { List1_Click(); });
    });
    for (int i = 0; i < 3; ++i)
        connect(CmdEdit[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { CmdEdit_Click(i); }); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdOK_Click(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { close(); });
}

void FrmObs::Form_Load() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    CmbLat->addItem(QString::fromUtf8("북위"));
    CmbLat->addItem(QString::fromUtf8("남위"));
    CmbLon->addItem(QString::fromUtf8("동경"));
    CmbLon->addItem(QString::fromUtf8("서경"));
    ShowSiteCoords(s.lon, s.lat);
    ShowZone(s.timezone2, s.lon);
    TxtObs->setText(Q(s.nobsname));
    txtAir[0]->setText(Q(Plain(s.Temperature)));
    txtAir[1]->setText(Q(Plain(s.Pressure)));
    ChkGeocenter->setChecked(s.psystem);
    ChkCloseWin->setChecked(true);
    LoadSites();
    FillSiteList();
}

void FrmObs::ShowZone(double zone, double lon_deg) {
    // A zone of the other sign than its hemisphere shows that sign, so that
    // applying it unchanged keeps it.
    const bool differs = (zone < 0) != (lon_deg < 0) && zone != 0;
    std::string text = Plain(std::fabs(zone));
    if (differs) text.insert(0, 1, zone < 0 ? '-' : '+');
    TxtTimeZone->setText(Q(text));
}

void FrmObs::ShowSiteCoords(double lon_deg, double lat_deg) {
    auto show = [](double angle, QComboBox* combo, std::array<QLineEdit*, 3>& boxes) {
        int degrees = 0, minutes = 0;
        float seconds = 0;
        astro::SplitDegreesDms(angle, degrees, minutes, seconds);
        combo->setCurrentIndex(angle >= 0 ? 0 : kSouthOrWest);
        boxes[0]->setText(Q(Plain(degrees)));
        boxes[1]->setText(Q(Plain(minutes)));
        boxes[2]->setText(Q(astro::FormatDigitPattern(seconds, "0.00##")));
    };
    show(lat_deg, CmbLat, TxtLat);
    show(lon_deg, CmbLon, TxtLon);
}

void FrmObs::LoadSites() {
    lines_.clear();
    read_failed_ = false;
    const std::filesystem::path path = platform::UserFileToRead(kFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;
    const std::optional<std::string> bytes = platform::ReadFileBytes(path);
    if (!bytes) {
        read_failed_ = true;
        return;
    }
    lines_ = ParseSiteLines(*bytes);
}

bool FrmObs::SaveSites() {
    const std::filesystem::path path = platform::UserFileToWrite(kFileName);
    if (platform::WriteFileBytesAtomic(path, FormatSiteLines(lines_), platform::AtLink::WriteThrough)) return true;
    platform::MsgBox(kSaveFailed + path.string(), platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle);
    return false;
}

std::vector<const ObsSite*> FrmObs::ListedSites() const {
    std::vector<const ObsSite*> sites;
    for (const SiteLine& line : lines_)
        if (line.IsSite && !line.Removed) sites.push_back(&line.Site);
    return sites;
}

void FrmObs::FillSiteList() {
    List1->clear();
    for (const ObsSite* site : ListedSites()) List1->addItem(Q(site->Name));
    List1->setCurrentRow(-1);
    shown_row_ = -1;
    EnableEdits();
}

void FrmObs::EnableEdits() {
    const bool selected = shown_row_ >= 0;
    CmdEdit[0]->setEnabled(!read_failed_);
    CmdEdit[1]->setEnabled(selected && !read_failed_);
    CmdEdit[2]->setEnabled(selected && !read_failed_);
}

void FrmObs::List1_Click() {
    const std::vector<const ObsSite*> sites = ListedSites();
    const int row = List1->currentRow();
    if (row < 0 || row >= static_cast<int>(sites.size())) return;
    const ObsSite& site = *sites[static_cast<std::size_t>(row)];
    ShowSiteCoords(site.Longitude, site.Latitude);
    TxtObs->setText(Q(site.Name));
    ShowZone(site.TimeZone, site.Longitude);
    txtAir[1]->setText(Q(PlainSingle(site.Pressure)));
    txtAir[0]->setText(Q(PlainSingle(site.Temperature)));
    shown_row_ = row;
    EnableEdits();
}

bool FrmObs::ReadFields(ObsSite& site, bool for_list) {
    const char* signs[2] = {"+", "-"};
    site.Name = S(TxtObs->text());
    site.Latitude = astro::DmsTextToDegrees(signs[CmbLat->currentIndex() == kSouthOrWest], S(TxtLat[0]->text()),
                                            S(TxtLat[1]->text()), S(TxtLat[2]->text()));
    site.Longitude = astro::DmsTextToDegrees(signs[CmbLon->currentIndex() == kSouthOrWest], S(TxtLon[0]->text()),
                                             S(TxtLon[1]->text()), S(TxtLon[2]->text()));
    const double zone = ZoneOfText(S(TxtTimeZone->text()), CmbLon->currentIndex() == kSouthOrWest);
    const double temperature = Number(txtAir[0]);
    const double pressure = Number(txtAir[1]);
    if (for_list && site.Name.find(';') != std::string::npos) {
        platform::MsgBox(kSemicolonName, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
        return false;
    }
    if (std::fabs(site.Latitude) > 90 || std::fabs(site.Longitude) > 180 || std::fabs(zone) > 14 ||
        std::fabs(temperature) > 100 || pressure < 0 || pressure > 1200) {
        platform::MsgBox(kOutOfRange, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
        return false;
    }
    site.TimeZone = static_cast<float>(zone);
    site.Temperature = static_cast<float>(temperature);
    site.Pressure = static_cast<float>(pressure);
    return true;
}

void FrmObs::CmdEdit_Click(int index) {
    if (read_failed_) return;
    // 고치기 and 지우기 take the site the fields were filled from.
    const int row = shown_row_;
    SiteLine* selected = nullptr;
    int listed = 0;
    for (SiteLine& line : lines_) {
        if (!line.IsSite || line.Removed) continue;
        if (listed++ == row) selected = &line;
    }
    if (index != 0 && !selected) return;
    if (index == 2) {
        selected->Removed = true;
    } else {
        ObsSite site;
        if (!ReadFields(site, true)) return;
        if (index == 0) {
            site.Extra1 = 0;
            site.Extra2 = 0;
            SiteLine line;
            line.IsSite = true;
            line.Site = site;
            lines_.push_back(line);
        } else {
            site.Extra1 = selected->Site.Extra1;
            site.Extra2 = selected->Site.Extra2;
            selected->Site = site;
        }
    }
    SaveSites();
    LoadSites();
    FillSiteList();
}

void FrmObs::CmdOK_Click() {
    ObsSite site;
    if (!ReadFields(site, false)) return;
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.lat = site.Latitude;
    s.lon = site.Longitude;
    s.nobsname = site.Name;
    s.timezone2 = ZoneOfText(S(TxtTimeZone->text()), CmbLon->currentIndex() == kSouthOrWest);
    s.timezone = s.timezone2 + (s.summertime ? 1 : 0);
    s.psystem = ChkGeocenter->isChecked();
    s.Temperature = static_cast<float>(Number(txtAir[0]));
    s.Pressure = static_cast<float>(Number(txtAir[1]));
    ChartHost& host = Host();
    host.BuildRefractionTable();
    SaveDefaultSettingsOrShow(kTitle);
    host.ComputePaths();
    host.ProjectPaths();
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    host.FormSet();
    host.SetMapBox();
    if (ChkCloseWin->isChecked()) close();
}

}  // namespace zu
