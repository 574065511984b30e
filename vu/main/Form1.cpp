#include "vu/main/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QShortcut>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/SettingsFiles.h"
#include "calendar/TimeBase.h"
#include "platform/Guard.h"
#include "platform/ImageSurface.h"
#include "platform/Services.h"
#include "ui/About.h"
#include "ui/KoreanParticles.h"
#include "ui/ToolControls.h"
#include "vu/grid/CellText.h"
#include "vu/grid/MonthGrid.h"
#include "vu/grid/YearCycle.h"
#include "vu/main/VuWidgets.h"

namespace vu {
namespace {

using ui::Named;

QString Q(std::string_view text) { return ui::QText(text); }

constexpr const char* kTitle = "vu";
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
// Yellow while a navigation field is being edited, white otherwise.
constexpr const char* kEditingStyle = "QLineEdit { background: #FFFF00; }";
constexpr const char* kIdleStyle = "QLineEdit { background: #FFFFFF; }";

// Window design, pixels.
constexpr int kTopBarHeight = 49;
constexpr int kTwoRowTopBarHeight = 62;
constexpr int kBottomBarHeight = 20;
constexpr int kTabWidth = 72;
constexpr int kMinWidth = 500;
constexpr int kMinHeight = 400;
constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 740;

constexpr const char* kMonthRangeMessage = "월은 1부터 12까지 입력할 수 있습니다.";
constexpr const char* kStepYearTip = "마우스 오른쪽 단추로 누르면 10년씩 이동합니다.";
constexpr const char* kStepMonthTip = "마우스 오른쪽 단추로 누르면 4달씩 이동합니다.";
constexpr int kRightYearStep = 10;
constexpr int kRightMonthStep = 4;

bool YearInRange(long long year) { return year >= kFirstYear && year <= kLastYear; }

// Whether the text starts with a number: blanks, an optional sign, then a
// digit (or a point and a digit).
bool StartsWithNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

// Puts the displayed year and its field back when a cycle ends by an error
// before it finished, so the field never names a year that was not drawn.
class YearRollback {
public:
    explicit YearRollback(Form1& form) : form_(form), year_(calendar::Calendar().CalYear) {}
    ~YearRollback() {
        if (done_) return;
        calendar::Calendar().CalYear = year_;
        form_.ProcessL();
    }
    YearRollback(const YearRollback&) = delete;
    YearRollback& operator=(const YearRollback&) = delete;
    void Done() { done_ = true; }

private:
    Form1& form_;
    std::int16_t year_;
    bool done_ = false;
};

// The notes of the information page after the program lines.
constexpr const char* kCalculationNotes[] = {
    "*음양력 계산의 정확성을 보증할 수 있는 기간은 BC 1350년부터 AD 3000년 사이입니다.",
    "*정확성을 보장할 수는 없지만, 계산이 가능한 범위는 BC 10000년~AD 32000년입니다.",
    "*양력은 1582년 10월 4일까지는 율리우스력, 그 이후는 그레고리력에 따라 표기합니다.",
    "*계산의 정확성은 입기시각은 ±1분 이내(평균 ±0.5분), 정삭 시간 ±4분 이내(평균 ±1분).",
    "*해와 달의 위치는 VSOP87과 ELP2000-82의 축약판을 기준으로 계산하였습니다.",
    "",
    "<참고자료>",
    "- 역법의 원리를 다룬 책: 음력 계산 방법을 설계하고 확인하는 데 썼습니다.",
    "- 2002년의 국가 역서: 음력 계산 결과를 확인하는 데 썼습니다.",
    "- 천문 계산 알고리즘을 다룬 책: 해와 달의 위치와 이슬람력 계산에 썼습니다.",
    "- 일식을 다룬 웹 페이지: 역학시(TT)와 세계시의 차이를 어림하는 데 썼습니다.",
    "",
    "*계산 정밀도에 관하여..",
    "행성 현상의 시각은 기원전 2000년부터 서기 4000년 사이에서 4시간 이내로 맞습니다. 목성은 4시간까지, "
    "다른 행성은 2시간 이내의 차이를 보이며, 이 범위를 벗어나면 오차가 점점 커집니다.",
    "해와 달이 뜨고 지는 시각은 1분 이내로 맞고, 가장 낮은 정밀도로 계산해도 4분을 넘지 않습니다. "
    "기원전 1000년부터 서기 5000년 사이에서 쓸 수 있습니다.",
    "2000년에서 1500년 이상 떨어진 시대에서는 역학시와 평균시의 차이를 정확히 알 수 없어 음력 날짜와 "
    "출몰 시각이 불확실해집니다. 2000년 이전에는 역학시 추정에 2시간이 넘는 오차가 있을 수 있으나 출몰 "
    "시각은 몇 분 이내로 맞고, 정삭과 절기의 시각은 5분 이내로 맞습니다.",
};

}  // namespace

std::string VuObject() { return ui::WithParticle("vu", ui::Particle::Object); }

std::string VuCaption() {
    return std::string("vu ") + TrimNum(VU_VERSION_MAJOR) + "." + TrimNum(VU_VERSION_MINOR);
}

int VuRevision() { return VU_VERSION_REVISION; }

int ParseYearField(const std::string& text) {
    const bool bce = text.find("BCE") != std::string::npos;
    const std::size_t point = text.find('.');
    const std::string number = point == std::string::npos ? text : text.substr(point + 1);
    if (!StartsWithNumber(number)) return kNotAYear;
    const double value = std::nearbyint(astro::ParseLeadingNumber(number));
    // Far beyond any year: kept outside the computable range, never overflowed.
    const double clamped = std::clamp(value, -1e9, 1e9);
    const int v = std::isfinite(clamped) ? static_cast<int>(clamped) : 1000000000;
    return bce ? 1 - v : v;
}

std::string YearFieldText(int year) {
    if (year < 1) return "BCE. " + astro::FormatDigitPattern(std::abs(year) + 1, "0");
    return "CE. " + astro::FormatDigitPattern(year, "0");
}

Form1::Form1() {
    platform::InstallFontSubstitutes();
    Client = Named(new QWidget(this), "Client");
    setCentralWidget(Client);
    BuildMenus();
    BuildTopBar();
    Grid = Named(new MonthPicture(Client), "PicCal", 0);
    PicCal[0] = Grid;
    for (int i = 1; i < 4; ++i) PicCal[static_cast<std::size_t>(i)] = Named(new QWidget(Client), "PicCal", i);
    BuildNotesPage();
    BuildSpecialDayPage();
    BuildSettingsPage();
    BuildBottomBar();
    Label1_52 = Named(new QLabel(Q(ui::kDeveloper), Client), "Label1_52");
    Label1_52->adjustSize();
    Picture1->raise();
    ConnectHandlers();
    // A control given the focus by Tab or by a click lies whole in view,
    // scrolling its page as far as needed (the scroll area's own care shows
    // no more than a field's text cursor).
    focus_watch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now) return;
        for (QScrollArea* area : {DaysScroll, SettingsScroll}) {
            if (!area->widget()->isAncestorOf(now)) continue;
            constexpr int kRoom = 6;
            const QRect box(now->mapTo(area->widget(), QPoint(0, 0)), now->size());
            area->ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + kRoom, box.height() / 2 + kRoom);
        }
    });
    resize(kDesignWidth, kDesignHeight);
    Run([this] { Form_Load(); });
}

Form1::~Form1() {
    disconnect(focus_watch_);
    // A field losing its focus while the window goes must not reach the
    // checks of a window that is half gone.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->disconnect(this);
}

void Form1::Run(const std::function<void()>& handler) { platform::Guard(handler, kTitle); }

void Form1::BuildMenus() {
    QMenuBar* bar = menuBar();
    const auto item = [](QMenu* menu, const char* name, const std::string& caption, const QKeySequence& key) {
        QAction* action = menu->addAction(Q(caption));
        action->setObjectName(QString::fromUtf8(name));
        if (!key.isEmpty()) action->setShortcut(key);
        return action;
    };
    mnuMain = Named(bar->addMenu(Q("vu(&C)")), "mnuMain");
    mnuSaveHTML = item(mnuMain, "mnuSaveHTML", VuObject() + " HTML 형식으로 저장(&H)", QKeySequence("Ctrl+H"));
    mnuTemplet = item(mnuMain, "mnuTemplet", VuObject() + " 미리 준비한 형식으로 출력(&T)", QKeySequence("Ctrl+T"));
    mnuSaveBMP = item(mnuMain, "mnuSaveBMP", VuObject() + " 그림 파일로 저장(&B)", QKeySequence("Ctrl+B"));
    mnuMain->addSeparator()->setObjectName("s2");
    mnuLoadCFG = item(mnuMain, "mnuLoadCFG", "설정파일 불러오기(&O)", QKeySequence("Ctrl+O"));
    mnuSaveCFG = item(mnuMain, "mnuSaveCFG", "설정파일 저장하기(&S)", QKeySequence("Ctrl+S"));
    mnuMain->addSeparator()->setObjectName("s3");
    mnuPrint = item(mnuMain, "mnuPrint", "vu 인쇄(&P)", QKeySequence("Ctrl+P"));

    mnuInfo = Named(bar->addMenu(Q("도구(&T)")), "mnuInfo");
    mnuDetailView = item(mnuInfo, "mnuDetailView", "자세히 보기(&D)", QKeySequence("Ctrl+I"));
    mnuInfo->addSeparator()->setObjectName("s6");
    mnuMoon = item(mnuInfo, "mnuMoon", "달의 정삭망 시각/식 현상(&M)", QKeySequence(Qt::Key_F2));
    mnuSun24 = item(mnuInfo, "mnuSun24", "24절기 입기 시각(&S)", QKeySequence(Qt::Key_F3));
    mnuOne = item(mnuInfo, "mnuOne", "기념일을 한 번에 보기(&O)", QKeySequence(Qt::Key_F4));
    mnuInfo->addSeparator()->setObjectName("s4");
    mnuDirectChange = item(mnuInfo, "mnuDirectChange", "음력-양력 계산기(&L)", QKeySequence(Qt::Key_F5));
    mnuTrans = item(mnuInfo, "mnuTrans", "음양력 환산표(&U)", QKeySequence(Qt::Key_F6));
    mnuInfo->addSeparator()->setObjectName("s5");
    mnuReset = item(mnuInfo, "mnuReset", "vu 설정 초기화(&R)", QKeySequence());

    mnuCel = Named(bar->addMenu(Q("기념일(&S)")), "mnuCel");
    constexpr const char* kSets[3] = {"기념일 모음 1[기본 모음]", "기념일 모음 2", "기념일 모음 3"};
    for (int i = 0; i < 3; ++i) {
        QAction* action = mnuCel->addAction(Q(kSets[i]));
        action->setObjectName(ui::IndexedName("mnuCelSub", i));
        action->setCheckable(true);
        mnuCelSub[static_cast<std::size_t>(i)] = action;
    }
    mnuExit = bar->addAction(Q("종료(&E)"));
    mnuExit->setObjectName("mnuExit");
}

void Form1::BuildTopBar() {
    Picture1 = Named(new QWidget(Client), "Picture1");
    Picture1->setAutoFillBackground(true);
    auto* rows = new QVBoxLayout(Picture1);
    rows->setContentsMargins(4, 4, 4, 4);
    rows->setSpacing(2);
    auto* row = new QHBoxLayout;
    top_rows_[0] = row;
    top_rows_[1] = new QHBoxLayout;
    rows->addLayout(top_rows_[0]);
    rows->addLayout(top_rows_[1]);
    CmdYR[0] = Named(new GraphicButton(Q("◀◀"), Q(kStepYearTip), Picture1), "CmdYR", 0);
    txtYR = Named(new QLineEdit(Picture1), "txtYR");
    txtYR->setFixedWidth(110);
    txtYR->setAlignment(Qt::AlignCenter);
    Label1_42 = Named(new QLabel(Q("년"), Picture1), "Label1_42");
    CmdYR[1] = Named(new GraphicButton(Q("▶▶"), Q(kStepYearTip), Picture1), "CmdYR", 1);
    CmdMN[0] = Named(new GraphicButton(Q("◀"), Q(kStepMonthTip), Picture1), "CmdMN", 0);
    txtMN = Named(new QLineEdit(Picture1), "txtMN");
    txtMN->setFixedWidth(40);
    txtMN->setAlignment(Qt::AlignCenter);
    Label1_43 = Named(new QLabel(Q("월"), Picture1), "Label1_43");
    CmdMN[1] = Named(new GraphicButton(Q("▶"), Q(kStepMonthTip), Picture1), "CmdMN", 1);
    Command2 = Named(new GraphicButton(Q("오늘"), Q("vu의 연도와 월을 오늘 날짜가 포함된 연도와 달로 바꿉니다."),
                                       Picture1),
                     "Command2");
    CmdHTML = Named(new GraphicButton(Q("HTML"), Q("HTML 형식으로 " + VuObject() + " 저장합니다."), Picture1), "CmdHTML");
    Command3 = Named(new GraphicButton(Q("BMP"), Q("BMP 형식으로 " + VuObject() + " 저장합니다."), Picture1), "Command3");
    cmdPrint = Named(new GraphicButton(Q("인쇄"), Q(VuObject() + " 인쇄합니다."), Picture1), "cmdPrint");
    cmdInfo[0] = Named(new GraphicButton(Q("정삭망"), Q("달의 정삭망 시각을 확인합니다."), Picture1), "cmdInfo", 0);
    cmdInfo[1] = Named(new GraphicButton(Q("절기"), Q("24절기의 입기 시각을 확인합니다."), Picture1), "cmdInfo", 1);
    cmdInfo[2] =
        Named(new GraphicButton(Q("기념일"), Q("1년 동안의 기념일을 한 번에 확인합니다."), Picture1), "cmdInfo", 2);
    for (QWidget* w : std::initializer_list<QWidget*>{CmdYR[0], txtYR, Label1_42, CmdYR[1]}) row->addWidget(w);
    row->addSpacing(16);
    for (QWidget* w : std::initializer_list<QWidget*>{CmdMN[0], txtMN, Label1_43, CmdMN[1]}) row->addWidget(w);
    row->addSpacing(16);
    row->addWidget(Command2);
    row->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{CmdHTML, Command3, cmdPrint, cmdInfo[0], cmdInfo[1], cmdInfo[2]})
        row->addWidget(w);
    top_rows_[1]->addStretch();
    one_row_width_ = Picture1->layout()->minimumSize().width();
}

void Form1::ArrangeTopBar(int width) {
    // Too narrow for one row (the smallest window), the output and tool
    // buttons go to a second row, so no control lies over another.
    const bool two = width < one_row_width_;
    if (two != top_two_rows_) {
        top_two_rows_ = two;
        QHBoxLayout* from = top_rows_[two ? 0 : 1];
        QHBoxLayout* to = top_rows_[two ? 1 : 0];
        const std::initializer_list<QWidget*> tools = {CmdHTML, Command3, cmdPrint, cmdInfo[0], cmdInfo[1], cmdInfo[2]};
        for (QWidget* w : tools) {
            from->removeWidget(w);
            to->insertWidget(to->count() - (two ? 1 : 0), w);
        }
    }
    Picture1->setGeometry(Picture1->x(), Picture1->y(), width, two ? kTwoRowTopBarHeight : kTopBarHeight);
    Picture1->layout()->activate();
}

void Form1::BuildBottomBar() {
    PicBottom = Named(new QWidget(Client), "PicBottom");
    auto* row = new QHBoxLayout(PicBottom);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    constexpr const char* kTabs[4] = {"vu", "기념일", "설정", "안내"};
    for (int i = 0; i < 4; ++i) {
        auto* tab = Named(new GraphicButton(Q(kTabs[i]), QString(), PicBottom), "cmdTab", i);
        tab->setFixedSize(kTabWidth - 2, kBottomBarHeight);
        cmdTab[static_cast<std::size_t>(i)] = tab;
        row->addWidget(tab);
    }
    PicBottom->setFixedSize(4 * kTabWidth, kBottomBarHeight);
}

void Form1::BuildNotesPage() {
    QWidget* page = PicCal[3];
    Label2_0 = Named(new QLabel(page), "Label2_0");
    QFont title = Label2_0->font();
    title.setPointSize(14);
    title.setBold(true);
    Label2_0->setFont(title);
    Label2_0->setGeometry(10, 5, 200, 28);
    XpLink1 = Named(new LinkLabel(Q("설명서 (README.html)"), page), "XpLink1");
    XpLink1->setToolTip(Q("클릭하면 홈페이지로 이동합니다."));
    XpLink1->setGeometry(220, 10, XpLink1->sizeHint().width(), 20);
    Text1 = Named(new QPlainTextEdit(page), "Text1");
    Text1->setReadOnly(true);
}

void Form1::ConnectHandlers() {
    connect(mnuSaveHTML, &QAction::triggered, this, [this] { Run([this] { if (Hooks.SaveHtml) Hooks.SaveHtml(); }); });
    connect(mnuTemplet, &QAction::triggered, this, [this] { Run([this] { if (Hooks.Templet) Hooks.Templet(); }); });
    // The menu draws the grid afresh before saving it; the button saves it as it is.
    connect(mnuSaveBMP, &QAction::triggered, this, [this] {
        Run([this] {
            ApplySetting();
            if (Hooks.SaveBmp) Hooks.SaveBmp();
        });
    });
    connect(mnuPrint, &QAction::triggered, this, [this] { Run([this] { if (Hooks.Print) Hooks.Print(); }); });
    connect(mnuDetailView, &QAction::triggered, this,
            [this] { Run([this] { if (Hooks.DetailView) Hooks.DetailView(); }); });
    const std::array<QAction*, 3> info_items = {mnuMoon, mnuSun24, mnuOne};
    for (int i = 0; i < 3; ++i) {
        connect(info_items[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { Run([this, i] { if (Hooks.Info) Hooks.Info(i); }); });
        connect(cmdInfo[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, i] { Run([this, i] { if (Hooks.Info) Hooks.Info(i); }); });
    }
    connect(mnuDirectChange, &QAction::triggered, this,
            [this] { Run([this] { if (Hooks.DirectChange) Hooks.DirectChange(); }); });
    connect(mnuTrans, &QAction::triggered, this, [this] { Run([this] { if (Hooks.Trans) Hooks.Trans(); }); });
    connect(CmdHTML, &QToolButton::clicked, this, [this] { Run([this] { if (Hooks.SaveHtml) Hooks.SaveHtml(); }); });
    connect(Command3, &QToolButton::clicked, this, [this] { Run([this] { if (Hooks.SaveBmp) Hooks.SaveBmp(); }); });
    connect(cmdPrint, &QToolButton::clicked, this, [this] { Run([this] { if (Hooks.Print) Hooks.Print(); }); });

    connect(mnuLoadCFG, &QAction::triggered, this, [this] { mnuLoadCFG_Click(); });
    connect(mnuSaveCFG, &QAction::triggered, this, [this] { mnuSaveCFG_Click(); });
    connect(mnuReset, &QAction::triggered, this, [this] { mnuReset_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    for (int i = 0; i < 3; ++i) {
        connect(mnuCelSub[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { mnuCelSub_Click(i); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(cmdTab[static_cast<std::size_t>(i)], &QToolButton::clicked, this, [this, i] { cmdTab_Click(i); });
    }
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        connect(CmdYR[k], &QToolButton::clicked, this, [this, i] { CmdYR_Click(i); });
        CmdYR[k]->onMouseUp = [this, i](int button) { CmdYR_MouseUp(i, button); };
        connect(CmdMN[k], &QToolButton::clicked, this, [this, i] { CmdMN_Click(i); });
        CmdMN[k]->onMouseUp = [this, i](int button) { CmdMN_MouseUp(i, button); };
    }
    connect(Command2, &QToolButton::clicked, this, [this] { Command2_Click(); });
    // Keys of the month grid: a month back and on, a year with Ctrl, and
    // today's month. They work from the year and month fields too, unless
    // the user is typing there (see eventFilter).
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageUp), [this] { CmdMN_Click(0); }},
        {QKeySequence(Qt::Key_PageDown), [this] { CmdMN_Click(1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { CmdYR_Click(0); }},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { CmdYR_Click(1); }},
        {QKeySequence(Qt::Key_Home), [this] { Command2_Click(); }},
    };
    for (const auto& key : keys) {
        auto* shortcut = new QShortcut(key.first, this);
        connect(shortcut, &QShortcut::activated, this, [action = key.second] { action(); });
        grid_keys_.push_back(shortcut);
    }
    XpLink1->onClick = [this] { XpLink1_Click(); };
    txtYR->installEventFilter(this);
    txtMN->installEventFilter(this);
}

void Form1::Form_Load() {
    calendar::CalendarState& state = calendar::Calendar();
    const std::string caption = VuCaption();
    setWindowTitle(Q(caption));
    Label2_0->setText(Q(caption));
    std::string notes = "*" + caption + " : " + TrimNum(VuRevision()) + "번째 수정판\r\n*" +
                        ui::WithParticle(caption, ui::Particle::Topic) + " 공개 프로그램입니다.\r\n\r\n"
                        "*이 프로그램은 화면의 해상도가 1024*768 이상일 때 편리하게 쓸 수 있습니다.\r\n"
                        "*vu 화면에서 마우스 오른쪽 버튼을 누르면 그 날짜에 대한 자세한 정보를 볼 수 있습니다.\r\n\r\n";
    // The character set of the grid's font is the platform's business here:
    // every font is drawn in Unicode.
    for (QWidget* page : PicCal) page->hide();
    PicCal[0]->show();
    Picture1->show();
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    Combo4->setCurrentIndex(0);
    for (const char* item : {"기념일 모음 1[기본]", "기념일 모음 2[사용자 1]", "기념일 모음 3[사용자 2]"}) {
        Combo3->addItem(Q(item));
    }
    for (const char* item : {"표시 안함(일진 표시)", "일반 표현", "남해안", "서해안"}) cmbTidal->addItem(Q(item));
    cmbTidal->setCurrentIndex(0);
    Label3->setText(Q("*각 모음 별로 366개까지 등록 가능\r\n\r\n*연도 칸을 비워두면 매년 반복되는  기념일로 간주.\r\n\r\n"
                      "*D-Day 기능을 쓰려면 연도란에는 'x'를 입력하고 월란에는 계산하려는 "
                      "기념일의 번호를, 일란에는 몇일 전(또는 후)으로 할 것인지를 입력하면 됩니다. "
                      "예를 들어 신정 100일 후라면 연도란에는 'x', 월란에는 '2'(신정이 2번일 때), 일란에는 '+100'을 "
                      "입력하면 됩니다.\r\n"
                      "D-Day 기념일끼리 서로 참고하려면 참고하려는 D-Day 기념일이 참고하는 D-Day 기념일보다 "
                      "작은 번호일 때에 제대로 동작합니다."));
    for (std::size_t i = 0; i < std::size(kCalculationNotes); ++i) {
        if (i > 0) notes += "\r\n";
        notes += kCalculationNotes[i];
    }
    Text1->setPlainText(Q(notes));
    for (int set = 0; set < calendar::kSDaySets; ++set) calendar::ClearSDaySet(state.SDays[static_cast<std::size_t>(set)]);
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families()) families.push_back(ui::StdText(family));
    calendar::ListFonts(std::move(families));
    // A file that did not load cleanly is reported once, and kept as its
    // backup before the first save over it; one that did not load at all is
    // left as it is at the end.
    calendar::SettingsReport report;
    const std::string notice = calendar::SettingsReadMessage(calendar::LoadDefaultConfig(state, &report), report, true);
    if (!notice.empty()) platform::MsgBox(notice, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
    if (state.settings.SDCAT > 2) state.settings.SDCAT = 0;
    {
        const QSignalBlocker quiet(Combo3);
        Combo3->setCurrentIndex(state.settings.SDCAT);
    }
    ShowSettings();
    ThisMon();
    SDList();
}

// ---- Cycles and navigation ---------------------------------------------------

int Form1::FieldMonth() const {
    const std::string text = ui::StdText(txtMN->text());
    const double v = astro::ParseLeadingNumber(text);
    if (v != std::floor(v) || v < 1 || v > 12) return 0;
    return static_cast<int>(v);
}

bool Form1::CheckMonthField() {
    const int m = FieldMonth();
    if (m != 0) {
        shown_month_ = m;
        return true;
    }
    txtMN->setText(Q(TrimNum(shown_month_)));
    platform::MsgBox(kMonthRangeMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
    return false;
}

void Form1::YearOutOfRange() {
    platform::MsgBox(kYearRangeMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
}

void Form1::PrepareYear() { prepared_zone_ = PrepareDisplayedYear(calendar::Calendar(), shown_month_); }

void Form1::PrevMon(int step) {
    const int m = FieldMonth();
    if (m == 0) {
        CheckMonthField();
        return;
    }
    const long long result = static_cast<long long>(m) - step;
    if (result < 1) {
        if (!YearInRange(calendar::Calendar().CalYear - 1LL)) {
            YearOutOfRange();
            return;
        }
        txtMN->setText("12");
        PrevYear(1);
        return;
    }
    txtMN->setText(Q(TrimNum(static_cast<double>(result))));
    RefreshCalendar();
}

void Form1::NextMon(int step) {
    const int m = FieldMonth();
    if (m == 0) {
        CheckMonthField();
        return;
    }
    const long long result = static_cast<long long>(m) + step;
    if (result > 12) {
        if (!YearInRange(calendar::Calendar().CalYear + 1LL)) {
            YearOutOfRange();
            return;
        }
        txtMN->setText("1");
        NextYear(1);
        return;
    }
    txtMN->setText(Q(TrimNum(static_cast<double>(result))));
    RefreshCalendar();
}

bool Form1::PrevYear(int step) { return NextYear(-step); }

bool Form1::NextYear(int step) {
    calendar::CalendarState& state = calendar::Calendar();
    const long long year = state.CalYear + static_cast<long long>(step);
    if (!YearInRange(year)) {
        YearOutOfRange();
        return false;
    }
    if (!CheckMonthField()) return false;
    YearRollback rollback(*this);
    state.CalYear = static_cast<std::int16_t>(year);
    ReadFormSettings();
    txtYR->setText(Q(TrimNum(state.CalYear)));
    PrepareYear();
    ProcessL();
    RefreshCalendar();
    rollback.Done();
    return true;
}

void Form1::ThisMon() {
    calendar::CalendarState& state = calendar::Calendar();
    const platform::LocalTime now = platform::Now();
    state.CalYear = static_cast<std::int16_t>(std::clamp(now.year, kFirstYear, kLastYear));
    txtMN->setText(Q(TrimNum(now.month)));
    shown_month_ = std::clamp(now.month, 1, 12);
    ReadFormSettings();
    PrepareYear();
    ProcessL();
}

void Form1::ApplySetting() {
    calendar::CalendarState& state = calendar::Calendar();
    const int year = GetYR();
    if (!YearInRange(year)) {
        ProcessL();
        YearOutOfRange();
        return;
    }
    if (!CheckMonthField()) return;
    YearRollback rollback(*this);
    state.CalYear = static_cast<std::int16_t>(year);
    ReadFormSettings();
    PrepareYear();
    RefreshCalendar();
    rollback.Done();
}

void Form1::ProcessL() { txtYR->setText(Q(YearFieldText(calendar::Calendar().CalYear))); }

int Form1::GetYR() const { return ParseYearField(ui::StdText(txtYR->text())); }

void Form1::RefreshCalendar() {
    ReadFormSettings();
    const int m = FieldMonth();
    if (m == 0) return;
    shown_month_ = m;
    Grid->FitSurface();
    platform::ImageSurface& pic = Grid->Surface();
    const platform::LocalTime now = platform::Now();
    const double today = calendar::JulianDay(now.year, now.month, now.day, 12);
    calendar::CalendarState& state = calendar::Calendar();
    DrawCalendar(pic, state, state.CalYear, m, today, MonthGrid());
    pic.SetScaleMode(platform::Scale::Twips);
    Grid->update();
}

// ---- Input fields ------------------------------------------------------------

void Form1::txtYR_GotFocus() {
    Run([this] {
        txtYR->setStyleSheet(kEditingStyle);
        txtYR->setText(Q(TrimNum(calendar::Calendar().CalYear)));
    });
}

void Form1::txtYR_KeyPress(int key_code) {
    Run([this, key_code] {
        if (key_code == kKeyEnter) {
            const int year = GetYR();
            if (!YearInRange(year)) {
                txtYR->setText(Q(TrimNum(calendar::Calendar().CalYear)));
                YearOutOfRange();
                return;
            }
            calendar::Calendar().CalYear = static_cast<std::int16_t>(year);
            ApplySetting();
        } else if (key_code == kKeyEscape) {
            txtYR->setText(Q(TrimNum(calendar::Calendar().CalYear)));
        }
    });
}

void Form1::txtYR_LostFocus() {
    if (in_year_leave_) return;
    in_year_leave_ = true;
    Run([this] {
        txtYR->setStyleSheet(kIdleStyle);
        const int year = GetYR();
        if (!YearInRange(year)) {
            ProcessL();
            YearOutOfRange();
            return;
        }
        calendar::Calendar().CalYear = static_cast<std::int16_t>(year);
        ProcessL();
        ApplySetting();
    });
    in_year_leave_ = false;
}

void Form1::txtMN_GotFocus() { Run([this] { txtMN->setStyleSheet(kEditingStyle); }); }

void Form1::txtMN_KeyPress(int key_code) {
    Run([this, key_code] {
        if (key_code == kKeyEnter) ApplySetting();
    });
}

void Form1::txtMN_LostFocus() {
    if (in_year_leave_) return;
    in_year_leave_ = true;
    Run([this] {
        txtMN->setStyleSheet(kIdleStyle);
        ApplySetting();
    });
    in_year_leave_ = false;
}

bool Form1::IsGridKey(const QKeyEvent& key) const {
    // The number pad's PageUp is the same key.
    const QKeySequence pressed(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key.key())));
    for (const QShortcut* shortcut : grid_keys_)
        if (shortcut->isEnabled() && shortcut->key() == pressed) return true;
    return false;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == LBColor) LBColor_Click();
        for (int i = 0; i < 5; ++i) {
            if (watched == LColor[static_cast<std::size_t>(i)]) LColor_Click(i);
        }
    }
    const bool year = watched == txtYR;
    if (!year && watched != txtMN) return QMainWindow::eventFilter(watched, event);
    // Only a move of the focus inside the window counts: switching to
    // another program or opening a menu leaves the field as it is.
    const auto within_window = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    switch (event->type()) {
        case QEvent::FocusIn:
            if (within_window()) year ? txtYR_GotFocus() : txtMN_GotFocus();
            break;
        case QEvent::FocusOut:
            if (within_window()) year ? txtYR_LostFocus() : txtMN_LostFocus();
            break;
        case QEvent::ShortcutOverride: {
            // A field would take Home for its cursor: the month keys go to the
            // grid unless the user is typing in the field, which then keeps
            // every one of them.
            if (!IsGridKey(*static_cast<QKeyEvent*>(event))) break;
            if (static_cast<QLineEdit*>(watched)->isModified()) event->accept();
            return true;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? kKeyEnter
                             : key == Qt::Key_Escape                       ? kKeyEscape
                                                                           : 0;
            if (code != 0) {
                year ? txtYR_KeyPress(code) : txtMN_KeyPress(code);
                // Entered or taken back: the user is no longer typing.
                static_cast<QLineEdit*>(watched)->setModified(false);
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::XpLink1_Click() {
    Run([] { ui::OpenDocumentation(); });
}

// ---- Buttons of the bars -----------------------------------------------------

void Form1::cmdTab_Click(int index) {
    Run([this, index] {
        if (index < 0 || index > 3) return;
        for (QWidget* page : PicCal) page->hide();
        Picture1->hide();
        if (index == 0) {
            ApplySetting();
            Picture1->show();
        }
        PicCal[static_cast<std::size_t>(index)]->show();
        if (index == 0) Picture1->raise();
        // The other pages keep these keys for their lists and fields.
        for (QShortcut* key : grid_keys_) key->setEnabled(index == 0);
        if (index == 1) {
            SDList();
            ListSD->setFocus();
            ListSD->setCurrentRow(0);
            ListSD_Click();
        }
    });
}

void Form1::CmdYR_Click(int index) {
    Run([this, index] { index == 1 ? NextYear(1) : PrevYear(1); });
}

void Form1::CmdYR_MouseUp(int index, int button) {
    if (button != kRightButton) return;
    Run([this, index] { index == 1 ? NextYear(kRightYearStep) : PrevYear(kRightYearStep); });
}

void Form1::CmdMN_Click(int index) {
    Run([this, index] { index == 1 ? NextMon(1) : PrevMon(1); });
}

void Form1::CmdMN_MouseUp(int index, int button) {
    if (button != kRightButton) return;
    Run([this, index] { index == 1 ? NextMon(kRightMonthStep) : PrevMon(kRightMonthStep); });
}

void Form1::Command2_Click() {
    Run([this] {
        ThisMon();
        RefreshCalendar();
    });
}

// ---- Layout and closing ------------------------------------------------------

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Run([this] { Form_Resize(); });
}

void Form1::Form_Resize() {
    // A minimised window has no room for the margins below.
    if (isMinimized()) return;
    if (!isMaximized() && !isFullScreen() && (width() < kMinWidth || height() < kMinHeight)) {
        platform::MsgBox("창의 크기가 너무 작습니다. 좀 더 크게 조절해 주세요.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, kTitle);
        resize(kMinWidth + 1, kMinHeight + 1);
        return;
    }
    // The client's own geometry follows the window's only once the layout of
    // the main window has run.
    if (layout()) layout()->activate();
    const int sw = Client->width(), sh = Client->height();
    const auto at_least0 = [](int v) { return std::max(0, v); };
    for (QWidget* page : PicCal) page->setGeometry(5, 5, at_least0(sw - 10), at_least0(sh - 30));
    QWidget* notes = PicCal[3];
    Text1->setGeometry(5, Label2_0->height() + 10, at_least0(notes->width() - 10),
                       at_least0(notes->height() - 15 - Label2_0->height()));
    Picture1->move(5, 5);
    ArrangeTopBar(at_least0(sw - 10));
    PicCal[0]->setGeometry(5, Picture1->height() + 10, at_least0(sw - 10), at_least0(sh - 35 - Picture1->height()));

    ArrangeSpecialDayPage();
    ArrangeSettingsPage(PicCal[2]->width());
    Label1_52->move(sw - 4 - Label1_52->width(), sh - kBottomBarHeight);
    PicBottom->move(5, sh - kBottomBarHeight - 2);
    RefreshCalendar();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (exit_confirmed_) {
        event->accept();
        return;
    }
    bool close = false;
    Run([this, &close] { close = Form_Unload(); });
    close ? event->accept() : event->ignore();
}

}  // namespace vu
