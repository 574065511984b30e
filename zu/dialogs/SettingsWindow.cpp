#include "zu/dialogs/SettingsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"

namespace zu {
namespace {

constexpr const char* kTitle = "설정";
constexpr const char* kTabCaptions[4] = {"별/행성", "세부 설정", "글꼴/색상", "천체 목록"};
constexpr const char* kTabKeys[4] = {"star", "set2", "color", "catalog"};
constexpr int kStarFrame = 0, kColourFrame = 1, kListFrame = 2, kDetailFrame = 3;
constexpr int kStarSizeItems = 11;  // "0.2" .. "1.2"
constexpr double kMaxLimit = 11;
constexpr float kDefaultExtinction = 0.28f;
constexpr int kDefaultRefresh_s = 10;
constexpr float kMaxFinder_deg = 50, kMinFinder_deg = 0.1f;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toUtf8().toStdString(); }
double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(S(box->text())); }
float Single(const QLineEdit* box) { return static_cast<float>(Number(box)); }
QString Shortest(float value) { return Q(skydata::TrimBlanks(skydata::FormatPlainNumberSingle(value))); }
QString Shortest(double value) { return Q(skydata::TrimBlanks(skydata::FormatPlainNumber(value))); }
// The text after the "T:"/"F:" prefix of a finder-circle label.
std::string AfterPrefix(const std::string& label) { return label.size() > 2 ? label.substr(2) : std::string(); }

}  // namespace

FrmSet::FrmSet(QWidget* owner) : QDialog(owner) {
    BuildControls();
    Form_Load();
}

void FrmSet::BuildControls() {
    setFixedSize(460, 420);
    TabStrip1 = ui::Named(new QTabBar(this), "TabStrip1");
    for (int i = 0; i < 4; ++i) {
        TabStrip1->addTab(QString::fromUtf8(kTabCaptions[i]));
        TabStrip1->setTabData(i, QString::fromUtf8(kTabKeys[i]));
    }
    TabStrip1->setGeometry(10, 8, 440, 28);
    const char* frame_captions[4] = {"별/행성", "글꼴/색상", "천체 목록", "세부 설정"};
    for (int i = 0; i < 4; ++i) {
        Frame1[static_cast<std::size_t>(i)] =
            ui::Named(new QGroupBox(QString::fromUtf8(frame_captions[i]), this), "Frame1", i);
        // Designed side by side; the first tab change brings them to one place.
        Frame1[static_cast<std::size_t>(i)]->setGeometry(10 + 450 * i, 40, 440, 330);
        Frame1[static_cast<std::size_t>(i)]->setVisible(i == kStarFrame);
    }
    BuildStarTab();
    BuildDetailTab();
    BuildListTab();
    BuildColourTab();
    CmdOK = ui::Named(new QPushButton(QString::fromUtf8("적용"), this), "CmdOK");
    CmdOK->setGeometry(282, 382, 80, 28);
    CmdOK->setDefault(true);
    CmdCancel = ui::Named(new QPushButton(QString::fromUtf8("취소"), this), "CmdCancel");
    CmdCancel->setGeometry(370, 382, 80, 28);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { platform::Guard([this] { TabStrip1_Click(); }); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdOK_Click(); }, kTitle); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void FrmSet::BuildStarTab() {
    QGroupBox* frame = Frame1[kStarFrame];
    int label = 0;
    auto text = [frame, &label](const char* caption, int x, int y, int width) {
        QLabel* l = ui::Named(new QLabel(QString::fromUtf8(caption), frame), "Label1", label++);
        l->setGeometry(x, y, width, 22);
        return l;
    };
    auto box = [frame](const char* name, int x, int y) {
        QLineEdit* edit = ui::Named(new QLineEdit(frame), name);
        edit->setGeometry(x, y, 50, 22);
        ui::SelectAllOnFocus(*edit);
        return edit;
    };
    text("극한등급(<11)", 12, 24, 110);
    TxtLimit = box("TxtLimit", 126, 24);
    text("기(氣):", 12, 56, 110)->setToolTip(QString::fromUtf8("성운, 성단, 은하"));
    TxtKi = box("TxtKi", 126, 56);
    text("등급까지", 180, 56, 70);
    text("혜성:", 12, 84, 110);
    TxtComet = box("TxtComet", 126, 84);
    text("등급까지", 180, 84, 70);
    text("소행성:", 12, 112, 110);
    TxtAst = box("TxtAst", 126, 112);
    text("등급까지", 180, 112, 70);
    text("별 이름:", 12, 140, 110);
    TxtName = box("TxtName", 126, 140);
    text("등급까지", 180, 140, 70);
    text("별 기호, 번호:", 12, 168, 110);
    TxtBLimit = box("TxtBLimit", 126, 168);
    text("등급까지(BSC 목록)", 180, 168, 160);
    txt2kLimit = box("txt2kLimit", 126, 196);
    text("등급까지(Sky 2000 목록)", 180, 196, 180);
    text("별 크기:", 12, 228, 110);
    Combo1 = ui::Named(new QComboBox(frame), "Combo1");
    for (int i = 0; i < kStarSizeItems; ++i)
        Combo1->addItem(Q(astro::FormatDigitPattern((i + 2) / 10.0, "0.0")));
    Combo1->setGeometry(126, 228, 70, 24);
    text("계산 정밀도", 12, 262, 110);
    ChkPre = ui::Named(new QCheckBox(QString::fromUtf8("세차, 장동 운동"), frame), "ChkPre");
    ChkPre->setGeometry(24, 286, 150, 22);
    ChkPre->setToolTip(
        QString::fromUtf8("세차 운동을 계산합니다. 이를 계산하지 않을 경우 2000.0년을 기준으로 합니다."));
    ChkPM = ui::Named(new QCheckBox(QString::fromUtf8("고유 운동"), frame), "ChkPM");
    ChkPM->setGeometry(180, 286, 120, 22);
    ChkPM->setToolTip(QString::fromUtf8("별의 고유 운동을 계산합니다."));
}

void FrmSet::BuildDetailTab() {
    QGroupBox* frame = Frame1[kDetailFrame];
    int label = 20;
    auto text = [&label](QWidget* parent, const char* caption, int x, int y, int width) {
        QLabel* l = ui::Named(new QLabel(QString::fromUtf8(caption), parent), "Label1", label++);
        l->setGeometry(x, y, width, 22);
        return l;
    };
    auto box = [](QWidget* parent, QLineEdit* edit, int x, int y, int width) {
        edit->setParent(parent);
        edit->setGeometry(x, y, width, 22);
        ui::SelectAllOnFocus(*edit);
        return edit;
    };
    auto* finder = ui::Named(new QGroupBox(QString::fromUtf8("탐색원"), frame), "Frame2", 0);
    finder->setGeometry(10, 20, 420, 96);
    text(finder, "크기(지름)", 30, 18, 80);
    text(finder, "이름", 130, 18, 60);
    for (int i = 0; i < 2; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const int y = 42 + 26 * i;
        text(finder, i == 0 ? "1:" : "2:", 10, y, 18);
        TxtFSize[n] = box(finder, ui::Named(new QLineEdit, "TxtFSize", i), 30, y, 50);
        text(finder, "도", 84, y, 20);
        TxtfName[n] = box(finder, ui::Named(new QLineEdit, "TxtfName", i), 130, y, 160);
        ChkLabel[n] = ui::Named(new QCheckBox(QString::fromUtf8("이름표 표시"), finder), "ChkLabel", i);
        ChkLabel[n]->setGeometry(300, y, 110, 22);
    }
    auto* rotate = ui::Named(new QGroupBox(QString::fromUtf8("zu 회전"), frame), "Frame2", 1);
    rotate->setGeometry(10, 122, 205, 52);
    text(rotate, "회전 각도(도):", 10, 20, 100);
    TxtRotate = box(rotate, ui::Named(new QLineEdit, "TxtRotate"), 112, 20, 60);
    auto* degrees = ui::Named(new QGroupBox(QString::fromUtf8("입수도 표시법"), frame), "Frame2", 2);
    degrees->setGeometry(225, 122, 205, 52);
    Opt360[1] = ui::Named(new QRadioButton(QString::fromUtf8("365.25분법"), degrees), "Opt360", 1);
    Opt360[1]->setGeometry(10, 20, 100, 22);
    Opt360[0] = ui::Named(new QRadioButton(QString::fromUtf8("360분법"), degrees), "Opt360", 0);
    Opt360[0]->setGeometry(112, 20, 86, 22);
    auto* air = ui::Named(new QGroupBox(QString::fromUtf8("대기 소광"), frame), "Frame2", 3);
    air->setGeometry(10, 180, 420, 52);
    text(air, "대기 소광 상수:", 10, 20, 110);
    txtAirEx = box(air, ui::Named(new QLineEdit, "txtAirEx"), 122, 20, 60);
    txtAirEx->setToolTip(QString::fromUtf8("0보다 작은 값이 입력되면 0.28로 간주합니다. 평균값은 0.28 입니다."));
    auto* show = ui::Named(new QGroupBox(QString::fromUtf8("zu 표시"), frame), "Frame2", 4);
    show->setGeometry(10, 238, 420, 80);
    text(show, "화면갱신간격(초) : ", 10, 20, 130);
    txtRefreshRate = box(show, ui::Named(new QLineEdit, "txtRefreshRate"), 142, 20, 50);
    txtRefreshRate->setToolTip(QString::fromUtf8(
        "시간을 컴퓨터의 시계에 자동으로 맞춰줄 때 zu를 자동으로 그리는 간격을 지정합니다(1~60)."));
    Check2 = ui::Named(new QCheckBox(QString::fromUtf8("행성을 반투명하게 그리기"), show), "Check2");
    Check2->setGeometry(10, 48, 250, 22);
}

void FrmSet::Form_Load() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    txtAirEx->setText(Q(astro::FormatDigitPattern(s.AirExCoff, "0.00")));
    TxtLimit->setText(Shortest(s.vmlimit));
    TxtKi->setText(Shortest(s.vmnonstellar));
    TxtBLimit->setText(Shortest(s.viewbayerlimit));
    txt2kLimit->setText(Shortest(s.ViewS2kLimit));
    TxtName->setText(Shortest(s.viewnamelimit));
    TxtComet->setText(Shortest(s.cometlimit));
    TxtAst->setText(Shortest(s.asteroidlimit));
    // Halves to even; a factor outside the list selects the nearest item.
    const double item = std::nearbyint(static_cast<double>(s.sf) * 10) - 2;
    Combo1->setCurrentIndex(static_cast<int>(std::clamp(item, 0.0, double{kStarSizeItems - 1})));
    txtRefreshRate->setText(s.MapRefreshRate >= 1 && s.MapRefreshRate <= 60 ? QString::number(s.MapRefreshRate)
                                                                            : QString("10"));
    TxtFSize[0]->setText(Q(s.fcircle00));
    TxtFSize[1]->setText(Q(s.fcircle10));
    TxtfName[0]->setText(Q(AfterPrefix(s.fcircle01)));
    TxtfName[1]->setText(Q(AfterPrefix(s.fcircle11)));
    ChkLabel[0]->setChecked(s.fcircle01.starts_with('T'));
    ChkLabel[1]->setChecked(s.fcircle11.starts_with('T'));
    TxtRotate->setText(Q(astro::FormatDigitPattern(s.rotateang, "0.0##")));
    Opt360[s.juchon ? 1 : 0]->setChecked(true);
    Check2->setChecked(s.TransPlanet);
    ChkPre->setChecked(s.calcprecession);
    ChkPM->setChecked(s.calcpropermotion);
    LoadColourTab();
    LoadUserLists();
}

void FrmSet::TabStrip1_Click() {
    const QRect home = Frame1[kStarFrame]->geometry();
    for (QGroupBox* frame : Frame1) {
        frame->move(home.topLeft());
        frame->hide();
    }
    const std::string key = S(TabStrip1->tabData(TabStrip1->currentIndex()).toString());
    if (key == "star") Frame1[kStarFrame]->show();
    if (key == "color") Frame1[kColourFrame]->show();
    if (key == "catalog") {
        Frame1[kListFrame]->show();
        ListCat->setCurrentRow(0);
    }
    if (key == "set2") Frame1[kDetailFrame]->show();
}

void FrmSet::CmdOK_Click() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    ChartHost& host = Host();
    const float extinction = Single(txtAirEx);
    s.AirExCoff = extinction < 0 ? kDefaultExtinction : extinction;
    host.BuildExtinctionTable();
    s.vmlimit = std::min(Number(TxtLimit), kMaxLimit);
    s.vmnonstellar = Single(TxtKi);
    s.viewbayerlimit = Single(TxtBLimit);
    s.viewnamelimit = Single(TxtName);
    s.ViewS2kLimit = Single(txt2kLimit);
    s.asteroidlimit = Single(TxtAst);
    s.cometlimit = Single(TxtComet);
    s.sf = static_cast<float>(astro::ParseLeadingNumber(S(Combo1->currentText())));
    s.calcpropermotion = ChkPM->isChecked();
    s.rotateang = Number(TxtRotate);
    s.juchon = !Opt360[0]->isChecked();
    s.TransPlanet = Check2->isChecked();
    // A text without a number counts as out of range.
    const std::string refresh = skydata::TrimBlanks(S(txtRefreshRate->text()));
    const double rate = std::nearbyint(astro::ParseLeadingNumber(refresh));
    s.MapRefreshRate = !refresh.empty() && rate >= 1 && rate <= 60 ? static_cast<int>(rate) : kDefaultRefresh_s;
    s.calcprecession = ChkPre->isChecked();
    host.PrecessMansionStars();
    host.ComputeBscVectors(s.calcpropermotion);
    host.ComputeS2kVectors(s.calcpropermotion);
    ApplyColourTab();
    std::array<std::string*, 2> sizes = {&s.fcircle00, &s.fcircle10};
    std::array<std::string*, 2> labels = {&s.fcircle01, &s.fcircle11};
    for (std::size_t i = 0; i < 2; ++i) {
        float size = Single(TxtFSize[i]);
        if (size > kMaxFinder_deg) size = kMaxFinder_deg;
        if (size <= 0) size = kMinFinder_deg;
        *sizes[i] = skydata::TrimBlanks(skydata::FormatPlainNumberSingle(size));
        if (sizes[i]->starts_with('.')) sizes[i]->insert(0, 1, '0');
        *labels[i] = (ChkLabel[i]->isChecked() ? "T:" : "F:") + S(TxtfName[i]->text());
    }
    s.usercatfile0 = UserLists[0].Path;
    s.usercatfile0is = UserLists[0].Assigned;
    s.usercatfile1 = UserLists[1].Path;
    s.usercatfile1is = UserLists[1].Assigned;
    host.CheckUserCatalogs();
    SaveDefaultSettingsOrShow(kTitle);
    host.ComputePaths();
    host.ProjectPaths();
    host.FormSet();
    host.SetMapBox();
    accept();
}

}  // namespace zu
