// The calendar window offscreen through the platform doubles: start-up,
// navigation and the year and month fields, the cycles' reference zone, the
// settings panel, the layout, the tabs and pickers, the special-day editor
// and the settings-file commands.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include <QShortcut>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <set>

#include "calendar/SettingsFiles.h"
#include "calendar/TimeBase.h"
#include "platform/ImageSurface.h"
#include "platform/Surface.h"
#include "platform/TextFile.h"
#include "vu/grid/CellText.h"
#include "vu/grid/VuTestSupport.h"
#include "vu/main/Form1.h"
#include "vu/main/VuWidgets.h"

// Qt's entries for what the window system delivers (exported by Qt GUI for
// its test library): a key goes to the focus widget's shortcut override, the
// window's shortcuts, then the focus widget; a mouse press gives the focus as
// a real click does.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString& text, bool autorep, ushort count);
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers modifiers, int timestamp);

namespace vu {
namespace {

using test::Text;
using test::VuEnv;

std::string Q2S(const QString& s) { return s.toStdString(); }

std::vector<std::string> Items(const QComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(Q2S(combo->itemText(i)));
    return items;
}

// The window shown offscreen at its design size, so layout runs as on screen.
std::unique_ptr<Form1> Shown() {
    auto form = std::make_unique<Form1>();
    form->show();
    QApplication::processEvents();
    return form;
}

constexpr const char* kYearMessage = "계산할 수 있는 연도는 기원전 10000년부터 서기 32000년까지입니다.";
constexpr const char* kMonthMessage = "월은 1부터 12까지 입력할 수 있습니다.";

// ---- Start-up ---------------------------------------------------------------

TEST(VuStartup, WithoutSettingsFileShowsTheClockMonthAndTheDesignTexts) {
    VuEnv p;
    Form1 form;
    EXPECT_EQ(Q2S(form.windowTitle()), "vu 0.1");
    EXPECT_EQ(Q2S(form.Label2_0->text()), "vu 0.1");
    EXPECT_FALSE(form.PicCal[0]->isHidden());
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(form.PicCal[static_cast<std::size_t>(i)]->isHidden());
    EXPECT_FALSE(form.Picture1->isHidden());
    EXPECT_EQ(Text(form.txtYR), "CE. 2024");
    EXPECT_EQ(Text(form.txtMN), "3");
    EXPECT_EQ(calendar::Calendar().CalYear, 2024);

    EXPECT_EQ(Items(form.Combo1), (std::vector<std::string>{"매우 높음", "높음", "보통", "낮음"}));
    EXPECT_EQ(Items(form.Combo2), (std::vector<std::string>{"일반", "휴일", "강조", "휴일+강조"}));
    EXPECT_EQ(Items(form.Combo4),
              (std::vector<std::string>{"선택한 기념일 모음만 표시", "선택한 모음+기본 모음", "선택한 모음+기본 모음(휴일)",
                                        "선택한 모음+기본 모음(휴일, 이름)", "모든 모음을 표시"}));
    EXPECT_EQ(Items(form.Combo3), (std::vector<std::string>{"기념일 모음 1[기본]", "기념일 모음 2[사용자 1]",
                                                            "기념일 모음 3[사용자 2]"}));
    EXPECT_EQ(Items(form.cmbTidal), (std::vector<std::string>{"표시 안함(일진 표시)", "일반 표현", "남해안", "서해안"}));
    EXPECT_EQ(form.Combo1->currentIndex(), 3);  // RSP 4 of the defaults shown after the first item
    EXPECT_EQ(form.cmbTidal->currentIndex(), 0);

    EXPECT_EQ(Q2S(form.Label3->text()),
              "*각 모음 별로 366개까지 등록 가능\r\n\r\n*연도 칸을 비워두면 매년 반복되는  기념일로 간주.\r\n\r\n"
              "*D-Day 기능을 쓰려면 연도란에는 'x'를 입력하고 월란에는 계산하려는 기념일의 번호를, 일란에는 몇일 "
              "전(또는 후)으로 할 것인지를 입력하면 됩니다. 예를 들어 신정 100일 후라면 연도란에는 'x', 월란에는 "
              "'2'(신정이 2번일 때), 일란에는 '+100'을 입력하면 됩니다.\r\n"
              "D-Day 기념일끼리 서로 참고하려면 참고하려는 D-Day 기념일이 참고하는 D-Day 기념일보다 작은 번호일 때에 "
              "제대로 동작합니다.");
    // QPlainTextEdit keeps paragraphs; its text joins them with "\n".
    const std::string notes = Q2S(form.Text1->toPlainText());
    EXPECT_EQ(notes.rfind("*vu 0.1 : 0번째 수정판\n*vu 0.1은 공개 프로그램입니다.\n\n"
                          "*이 프로그램은 화면의 해상도가 1024*768 이상일 때 편리하게 쓸 수 있습니다.\n"
                          "*vu 화면에서 마우스 오른쪽 버튼을 누르면 그 날짜에 대한 자세한 정보를 볼 수 있습니다.\n\n"
                          "*음양력 계산의 정확성을 보증할 수 있는 기간은 BC 1350년부터 AD 3000년 사이입니다.\n",
                          0),
              0u);
    for (const char* line : {"*정확성을 보장할 수는 없지만, 계산이 가능한 범위는 BC 10000년~AD 32000년입니다.",
                             "*양력은 1582년 10월 4일까지는 율리우스력, 그 이후는 그레고리력에 따라 표기합니다.",
                             "*계산의 정확성은 입기시각은 ±1분 이내(평균 ±0.5분), 정삭 시간 ±4분 이내(평균 ±1분).",
                             "*해와 달의 위치는 VSOP87과 ELP2000-82의 축약판을 기준으로 계산하였습니다.",
                             "\n\n<참고자료>\n", "\n\n*계산 정밀도에 관하여..\n"}) {
        EXPECT_NE(notes.find(line), std::string::npos) << line;
    }
    // The start-up editor fields and slot.
    EXPECT_EQ(Text(form.txtSD[0]), "2008");
    EXPECT_EQ(Text(form.txtSD[3]), "신정");
    EXPECT_EQ(Q2S(form.lblSD->text()), "001");
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST(VuStartup, MenuBarCarriesTheCaptionsAndKeys) {
    VuEnv p;
    Form1 form;
    struct Item {
        QAction* action;
        const char* caption;
        const char* key;
    };
    const Item items[] = {
        {form.mnuSaveHTML, "vu를 HTML 형식으로 저장(&H)", "Ctrl+H"},
        {form.mnuTemplet, "vu를 미리 준비한 형식으로 출력(&T)", "Ctrl+T"},
        {form.mnuSaveBMP, "vu를 그림 파일로 저장(&B)", "Ctrl+B"},
        {form.mnuLoadCFG, "설정파일 불러오기(&O)", "Ctrl+O"},
        {form.mnuSaveCFG, "설정파일 저장하기(&S)", "Ctrl+S"},
        {form.mnuPrint, "vu 인쇄(&P)", "Ctrl+P"},
        {form.mnuDetailView, "자세히 보기(&D)", "Ctrl+I"},
        {form.mnuMoon, "달의 정삭망 시각/식 현상(&M)", "F2"},
        {form.mnuSun24, "24절기 입기 시각(&S)", "F3"},
        {form.mnuOne, "기념일을 한 번에 보기(&O)", "F4"},
        {form.mnuDirectChange, "음력-양력 계산기(&L)", "F5"},
        {form.mnuTrans, "음양력 환산표(&U)", "F6"},
        {form.mnuReset, "vu 설정 초기화(&R)", ""},
        {form.mnuCelSub[0], "기념일 모음 1[기본 모음]", ""},
        {form.mnuCelSub[1], "기념일 모음 2", ""},
        {form.mnuCelSub[2], "기념일 모음 3", ""},
        {form.mnuExit, "종료(&E)", ""},
    };
    for (const Item& item : items) {
        EXPECT_EQ(Q2S(item.action->text()), item.caption);
        EXPECT_EQ(Q2S(item.action->shortcut().toString()), item.key) << item.caption;
    }
    EXPECT_EQ(Q2S(form.mnuMain->title()), "vu(&C)");
    EXPECT_EQ(Q2S(form.mnuInfo->title()), "도구(&T)");
    EXPECT_EQ(Q2S(form.mnuCel->title()), "기념일(&S)");
    EXPECT_EQ(form.mnuMain->actions().size(), 8);  // six commands and two separators
    EXPECT_TRUE(form.mnuCelSub[0]->isChecked());
    EXPECT_FALSE(form.mnuCelSub[1]->isChecked());
    // Tips of the bars and a page tab's caption.
    EXPECT_EQ(Q2S(form.CmdYR[1]->toolTip()), "마우스 오른쪽 단추로 누르면 10년씩 이동합니다.");
    EXPECT_EQ(Q2S(form.CmdMN[0]->toolTip()), "마우스 오른쪽 단추로 누르면 4달씩 이동합니다.");
    EXPECT_EQ(Q2S(form.cmdPrint->toolTip()), "vu를 인쇄합니다.");
    EXPECT_EQ(Q2S(form.cmdInfo[2]->toolTip()), "1년 동안의 기념일을 한 번에 확인합니다.");
    EXPECT_EQ(Q2S(form.cmdTab[1]->text()), "기념일");
    // The outputs are hooks until their module connects them.
    int infos = -1;
    form.Hooks.Info = [&infos](int which) { infos = which; };
    form.mnuSun24->trigger();
    EXPECT_EQ(infos, 1);
    form.cmdInfo[2]->click();
    EXPECT_EQ(infos, 2);
    form.mnuSaveHTML->trigger();  // unset: nothing happens
    EXPECT_TRUE(p.env.messages.shown.empty());
}

// The home page is the documentation installed with the programs; without
// it the user is told where it was looked for.
TEST(VuStartup, HomePageLinkOpensTheInstalledDocumentation) {
    VuEnv p;
    Form1 form;
    EXPECT_NE(Q2S(form.XpLink1->text()).find(">설명서 (README.html)</a>"), std::string::npos);
    EXPECT_EQ(Q2S(form.XpLink1->toolTip()), "클릭하면 홈페이지로 이동합니다.");
    const std::filesystem::path page = p.env.folders.program / "README.html";
    form.XpLink1_Click();
    EXPECT_TRUE(p.env.shell.opened.empty());
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "설명서 파일을 찾을 수 없습니다: " + page.string());

    std::ofstream(page) << "<html></html>";
    form.XpLink1_Click();
    EXPECT_EQ(p.env.shell.opened, std::vector<std::string>{page.string()});
    EXPECT_EQ(p.env.messages.shown.size(), 1u);

    // A desktop without a browser: the user is told which file to open.
    p.env.shell.opens = false;
    form.XpLink1_Click();
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text,
              "설명서를 웹 브라우저로 열 수 없습니다. 이 파일을 직접 여십시오:\r\n" + page.string());
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Exclamation);
}

// ---- Navigation and the fields ---------------------------------------------------

TEST(VuNavigation, MonthStepsCrossTheYearWithAFullCycle) {
    VuEnv p;
    Form1 form;
    struct Case {
        const char* month;
        bool next;
        int step;
        const char* month_after;
        int year_after;
    };
    const Case cases[] = {
        {"1", false, 1, "12", 2023}, {"2", false, 4, "12", 2023}, {"11", true, 4, "1", 2025},
        {"12", true, 1, "1", 2025},  {"5", true, 4, "9", 2024},   {"5", false, 4, "1", 2024},
    };
    for (const Case& c : cases) {
        calendar::Calendar().CalYear = 2024;
        form.ProcessL();
        form.txtMN->setText(c.month);
        ClearMonthCells(MonthGrid());
        c.next ? form.NextMon(c.step) : form.PrevMon(c.step);
        EXPECT_EQ(Text(form.txtMN), c.month_after) << c.month;
        EXPECT_EQ(calendar::Calendar().CalYear, c.year_after) << c.month;
        EXPECT_EQ(Text(form.txtYR), "CE. " + std::to_string(c.year_after));
        // The grid shows the new month: day 1 sits in the first row.
        bool found = false;
        for (int col = 0; col < 7; ++col) {
            found |= MonthGrid().CellText[static_cast<std::size_t>(col)][0].rfind(
                         std::string(c.month_after) + "월 1일/", 0) == 0;
        }
        EXPECT_TRUE(found) << c.month;
    }
    // December 2023: the lunar months of 2023 were prepared (1 December 2023
    // is lunar 10. 19).
    form.txtMN->setText("1");
    calendar::Calendar().CalYear = 2024;
    form.PrevMon(1);
    EXPECT_EQ(MonthGrid().CellText[5][0], "12월 1일//음력: 10. 19/" + GetIljin(calendar::JulianDay(2023, 12, 1, 12)));
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST(VuNavigation, RightButtonStepsTenYearsAndFourMonths) {
    VuEnv p;
    Form1 form;
    form.CmdYR_MouseUp(1, kRightButton);
    EXPECT_EQ(calendar::Calendar().CalYear, 2034);
    form.CmdYR_MouseUp(0, kRightButton);
    form.CmdYR_MouseUp(0, kRightButton);
    EXPECT_EQ(calendar::Calendar().CalYear, 2014);
    form.CmdYR_MouseUp(1, kLeftButton);  // the left button's step is its click
    EXPECT_EQ(calendar::Calendar().CalYear, 2014);
    form.CmdYR_Click(1);
    EXPECT_EQ(calendar::Calendar().CalYear, 2015);
    form.CmdMN_MouseUp(1, kRightButton);
    EXPECT_EQ(Text(form.txtMN), "7");
    form.CmdMN_Click(0);
    EXPECT_EQ(Text(form.txtMN), "6");

    // A real right-button press and release over the graphic button.
    form.show();
    QApplication::processEvents();
    GraphicButton* next_year = form.CmdYR[1];
    const QPointF inside(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, inside, next_year->mapToGlobal(inside), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, next_year->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(next_year, &press);
    EXPECT_EQ(calendar::Calendar().CalYear, 2015);  // fires on the release
    QApplication::sendEvent(next_year, &release);
    EXPECT_EQ(calendar::Calendar().CalYear, 2025);
}

TEST(VuNavigation, YearFieldParseAndDisplay) {
    struct Parse {
        const char* text;
        int year;
    };
    for (const Parse& c : {Parse{"BCE. 100", -99}, Parse{"BCE. 1", 0}, Parse{"12.5", 5}, Parse{"BCE 100", kNotAYear},
                           Parse{"-99", -99}, Parse{"CE. 2008", 2008}, Parse{"2008", 2008}, Parse{"BCE.", kNotAYear},
                           Parse{"CE. ", kNotAYear}, Parse{"", kNotAYear}, Parse{"abc", kNotAYear},
                           Parse{"2024년", 2024}}) {
        EXPECT_EQ(ParseYearField(c.text), c.year) << c.text;
    }
    struct Show {
        int year;
        const char* text;
    };
    for (const Show& c : {Show{-99, "BCE. 100"}, Show{0, "BCE. 1"}, Show{1, "CE. 1"}, Show{2008, "CE. 2008"}}) {
        EXPECT_EQ(YearFieldText(c.year), c.text);
    }
    VuEnv p;
    Form1 form;
    form.txtYR->setText("BCE. 100");
    EXPECT_EQ(form.GetYR(), -99);
}

TEST(VuNavigation, FieldsEnterEscapeLeaveAndRefusals) {
    VuEnv p;
    Form1 form;
    form.txtYR_GotFocus();
    EXPECT_EQ(Text(form.txtYR), "2024");
    form.txtYR->setText("1999");
    form.txtYR_KeyPress(27);
    EXPECT_EQ(Text(form.txtYR), "2024");
    form.txtYR->setText("1999");
    form.txtYR_KeyPress(13);
    EXPECT_EQ(calendar::Calendar().CalYear, 1999);
    form.txtYR->setText("BCE. 100");
    form.txtYR_LostFocus();
    EXPECT_EQ(calendar::Calendar().CalYear, -99);
    EXPECT_EQ(Text(form.txtYR), "BCE. 100");
    EXPECT_TRUE(p.env.messages.shown.empty());

    // Beyond the range, letters or nothing: the message, the old year kept.
    for (const char* typed : {"40000", "-10000", "BCE. 10001", "99999999999", "abc", "", "BCE."}) {
        form.txtYR->setText(typed);
        form.txtYR_KeyPress(13);
        EXPECT_EQ(calendar::Calendar().CalYear, -99) << typed;
    }
    form.txtYR->setText("40000");
    form.txtYR_LostFocus();
    EXPECT_EQ(calendar::Calendar().CalYear, -99);
    EXPECT_EQ(Text(form.txtYR), "BCE. 100");
    ASSERT_EQ(p.env.messages.shown.size(), 8u);
    EXPECT_EQ(p.env.messages.shown[0].text, kYearMessage);
    form.txtYR->setText("");
    form.txtYR_LostFocus();
    EXPECT_EQ(calendar::Calendar().CalYear, -99);
    EXPECT_EQ(Text(form.txtYR), "BCE. 100");
    form.txtYR->setText("x");
    form.ApplySetting();
    EXPECT_EQ(calendar::Calendar().CalYear, -99);
    EXPECT_EQ(p.env.messages.shown.size(), 10u);
    EXPECT_EQ(p.env.messages.shown[0].title, "vu");

    // Month: 13, 0, text and a fraction are refused; the last month stays.
    p.env.messages.shown.clear();
    form.txtMN->setText("4");
    form.txtMN_KeyPress(13);
    ClearMonthCells(MonthGrid());
    for (const char* typed : {"13", "0", "x", "2.5"}) {
        form.txtMN->setText(typed);
        form.txtMN_KeyPress(13);
        EXPECT_EQ(Text(form.txtMN), "4") << typed;
    }
    form.txtMN->setText("13");
    form.txtMN_LostFocus();
    EXPECT_EQ(p.Messages().size(), 5u);
    EXPECT_EQ(p.Messages()[0], kMonthMessage);
    // Nothing was drawn for them.
    EXPECT_EQ(MonthGrid().CellJD[0][2], 0);
    form.txtMN->setText("13");
    form.RefreshCalendar();
    EXPECT_EQ(MonthGrid().CellJD[0][2], 0);

    // Steps beyond the range are refused too.
    p.env.messages.shown.clear();
    form.txtYR->setText("32000");
    form.txtMN->setText("12");
    form.txtYR_KeyPress(13);
    form.NextMon(1);
    EXPECT_EQ(calendar::Calendar().CalYear, 32000);
    EXPECT_EQ(Text(form.txtMN), "12");
    EXPECT_FALSE(form.NextYear(1));
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{kYearMessage, kYearMessage}));
}

TEST(VuNavigation, FocusEventsOfTheYearField) {
    VuEnv p;
    Form1 form;
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(form.txtYR, &in);
    EXPECT_EQ(Text(form.txtYR), "2024");
    EXPECT_NE(form.txtYR->styleSheet().indexOf("#FFFF00"), -1);
    form.txtYR->setText("2001");
    // Leaving for another program keeps the typing; a move inside the
    // window applies it.
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form.txtYR, &away);
    EXPECT_EQ(Text(form.txtYR), "2001");
    EXPECT_EQ(calendar::Calendar().CalYear, 2024);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(form.txtYR, &out);
    EXPECT_EQ(Text(form.txtYR), "CE. 2001");
    EXPECT_EQ(calendar::Calendar().CalYear, 2001);
    EXPECT_NE(form.txtYR->styleSheet().indexOf("#FFFFFF"), -1);
    // Keys reach the handlers through the window's filter.
    QApplication::sendEvent(form.txtYR, &in);
    form.txtYR->setText("1950");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.txtYR, &escape);
    EXPECT_EQ(Text(form.txtYR), "2001");
    form.txtYR->setText("1950");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form.txtYR, &enter);
    EXPECT_EQ(calendar::Calendar().CalYear, 1950);
}

TEST(VuNavigation, TodayButtonGoesToTheClockMonth) {
    VuEnv p;
    Form1 form;
    form.txtYR->setText("1900");
    form.txtMN->setText("7");
    form.ApplySetting();
    p.env.clock.Set(2025, 11, 2, 8, 0, 0);
    ClearMonthCells(MonthGrid());
    form.Command2_Click();
    EXPECT_EQ(calendar::Calendar().CalYear, 2025);
    EXPECT_EQ(Text(form.txtMN), "11");
    EXPECT_EQ(Text(form.txtYR), "CE. 2025");
    EXPECT_EQ(MonthGrid().CellJD[6][0], calendar::JulianDay(2025, 11, 1, 12));
}

// ---- The reference zone of the cycles -----------------------------------------

TEST(VuCycle, KoreanReferenceZoneForTheLunarYearOnly) {
    VuEnv p;
    Form1 form;
    form.txtTZ->setText("5.5");
    struct Case {
        bool ref_kr;
        const char* year;
        double zone;
    };
    for (const Case& c : {Case{true, "1910", 8}, Case{true, "1911", 8}, Case{true, "1912", 9},
                          Case{false, "1910", 5.5}, Case{false, "2024", 5.5}}) {
        form.Check1[0]->setChecked(c.ref_kr);
        form.txtYR->setText(c.year);
        form.txtYR_KeyPress(13);
        EXPECT_EQ(form.PreparedZone(), c.zone) << c.year << c.ref_kr;
        EXPECT_EQ(calendar::Calendar().settings.TZ, 5.5);
    }
    // The year buttons run the same cycle.
    form.Check1[0]->setChecked(true);
    form.txtYR->setText("1912");
    form.txtYR_KeyPress(13);
    form.PrevYear(1);
    EXPECT_EQ(form.PreparedZone(), 8);
    EXPECT_EQ(calendar::Calendar().settings.TZ, 5.5);
}

// The official tables count the days of 1908-1911 in UTC+8 and from 1912 in
// UTC+9, by the moment: the new moon of 1911-12-20 (UT 16:xx) starts month
// 11 on the 20th, and January 1912 goes on counting from that start, whichever
// year the grid shows.
TEST(VuCycle, KoreanRuleOfTheOfficialTables) {
    VuEnv p;
    Form1 form;
    form.Check1[0]->setChecked(true);
    struct Case {
        const char* year;
        const char* month;
        int y, m, d;
        int lunar_month, lunar_day;
    } cases[] = {
        {"1911", "12", 1911, 12, 19, 10, 29},
        {"1911", "12", 1911, 12, 20, 11, 1},
        {"1912", "1", 1912, 1, 1, 11, 13},
        {"1912", "1", 1911, 12, 20, 11, 1},
    };
    for (const Case& c : cases) {
        form.txtYR->setText(c.year);
        form.txtMN->setText(c.month);
        form.ApplySetting();
        std::int16_t ly = 0, leap = 0;
        std::uint8_t lm = 0, ld = 0;
        ASSERT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, calendar::JulianDay(c.y, c.m, c.d, 12), ly, lm, ld, leap));
        EXPECT_EQ(lm, c.lunar_month) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(ld, c.lunar_day) << c.y << "-" << c.m << "-" << c.d;
    }
}

// ---- The settings panel ------------------------------------------------------------

TEST(VuPanel, SiteAnglesRoundTripExactly) {
    VuEnv p;
    Form1 form;
    for (const double lat : {37.5, -33.25}) {
        calendar::Calendar().settings.LAT = lat;
        form.ShowSettings();
        const bool south = lat < 0;
        EXPECT_EQ(Text(form.txtObs[0]), south ? "33" : "37");
        EXPECT_EQ(Text(form.txtObs[1]), south ? "15" : "30");
        EXPECT_EQ(Text(form.txtObs[2]), "0");
        EXPECT_EQ(form.chkObs[0]->isChecked(), south);
        calendar::Calendar().settings.LAT = 0;
        form.ReadFormSettings();
        EXPECT_EQ(calendar::Calendar().settings.LAT, lat);
    }
    calendar::Calendar().settings.LON = -0.1275;
    form.ShowSettings();
    EXPECT_TRUE(form.chkObs[1]->isChecked());
    EXPECT_EQ(Text(form.txtObs[3]), "0");
    EXPECT_EQ(Text(form.txtObs[4]), "7");
    EXPECT_EQ(Text(form.txtObs[5]), "39");
}

// Every number box shows its value as a user types it: plain decimals, at
// most four, never an exponent, the seconds carried into the minutes when
// they round to 60. Read back untouched, the settings keep their exact
// values (whole-minute longitudes once showed "1.18348e-09" seconds); a box
// the user edits gives its own number.
TEST(VuPanel, NumberBoxesShowTypedNumbersAndKeepUntouchedValues) {
    VuEnv p;
    Form1 form;
    calendar::CalendarSettings& cs = calendar::Calendar().settings;
    struct Angle {
        double lat, lon;
        const char* lat_texts[3];
        const char* lon_texts[3];
    };
    const Angle angles[] = {
        {37.5, 126.966666666667, {"37", "30", "0"}, {"126", "58", "0"}},
        {-33.2551234, -0.1275, {"33", "15", "18.4442"}, {"0", "7", "39"}},
        {37.99999999999, 179.99999, {"38", "0", "0"}, {"179", "59", "59.964"}},
        {1e-12, 128.0000000001, {"0", "0", "0"}, {"128", "0", "0"}},
    };
    for (const Angle& a : angles) {
        cs.LAT = a.lat;
        cs.LON = a.lon;
        form.ShowSettings();
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(Text(form.txtObs[k]), a.lat_texts[k]) << a.lat;
            EXPECT_EQ(Text(form.txtObs[k + 3]), a.lon_texts[k]) << a.lon;
        }
        cs.LAT = cs.LON = 0;
        form.ReadFormSettings();
        EXPECT_EQ(cs.LAT, a.lat);
        EXPECT_EQ(cs.LON, a.lon);
    }
    struct Single {
        QLineEdit* box;
        double calendar::CalendarSettings::*setting;
        double value;
        const char* shown;
    };
    const Single singles[] = {
        {form.txtTZ, &calendar::CalendarSettings::TZ, 9, "9"},
        {form.txtTZ, &calendar::CalendarSettings::TZ, 5.75, "5.75"},
        {form.txtTZ, &calendar::CalendarSettings::TZ, -3.5, "-3.5"},
        {form.txtTZ, &calendar::CalendarSettings::TZ, 9.00000000001, "9"},
        {form.txtTZ, &calendar::CalendarSettings::TZ, 1e-10, "0"},
        {form.txtSummer[4], &calendar::CalendarSettings::FH, 1, "1"},
        {form.txtSummer[4], &calendar::CalendarSettings::FH, -0.00001, "0"},
        {form.txtHT, &calendar::CalendarSettings::ObsHT, 1234.56789, "1234.5679"},
        {form.txtHT, &calendar::CalendarSettings::ObsHT, 2e-7, "0"},
        {form.txtHT, &calendar::CalendarSettings::ObsHT, -999.5, "-999.5"},
    };
    for (const Single& c : singles) {
        cs.*c.setting = c.value;
        form.ShowSettings();
        EXPECT_EQ(Text(c.box), c.shown) << c.value;
        cs.*c.setting = 12345;
        form.ReadFormSettings();
        EXPECT_EQ(cs.*c.setting, c.value);
    }
    cs.DispGap = 32767;
    cs.Base = calendar::JulianDay(-9999, 12, 31, 12);
    form.ShowSettings();
    EXPECT_EQ(Text(form.txtSummer[6]), "32767");
    EXPECT_EQ(Text(form.txtREF[0]) + "/" + Text(form.txtREF[1]) + "/" + Text(form.txtREF[2]), "-9999/12/31");

    // Edited boxes count as typed.
    cs.LON = 126.966666666667;
    cs.TZ = 9.00000000001;
    form.ShowSettings();
    form.txtObs[5]->setText("30");
    form.txtTZ->setText("8");
    form.ReadFormSettings();
    EXPECT_DOUBLE_EQ(cs.LON, 126 + 58.0 / 60 + 30.0 / 3600);
    EXPECT_EQ(cs.TZ, 8);
}

TEST(VuPanel, PanelFieldsSelectTheirWholeTextOnFocus) {
    VuEnv p;
    Form1 form;
    form.show();
    form.cmdTab_Click(2);
    QApplication::processEvents();
    for (QLineEdit* box : {form.txtObs[1], form.txtREF[0], form.txtSummer[6], form.txtTZ}) {
        box->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(box->selectedText(), box->text()) << box->objectName().toStdString();
        EXPECT_FALSE(box->text().isEmpty());
    }
}

TEST(VuPanel, IntervalTideAndSummerDays) {
    VuEnv p;
    Form1 form;
    calendar::CalendarSettings& cs = calendar::Calendar().settings;
    form.txtSummer[6]->setText("7");
    form.ReadFormSettings();
    EXPECT_EQ(cs.DispGap, 7);
    for (const char* typed : {"", "abc", "7x"}) {
        form.txtSummer[6]->setText(typed);
        form.ReadFormSettings();
        EXPECT_EQ(cs.DispGap, 7) << typed;
    }
    for (const char* typed : {"0", "-5"}) {
        form.txtSummer[6]->setText(typed);
        form.ReadFormSettings();
        EXPECT_EQ(cs.DispGap, 1) << typed;
    }
    form.txtSummer[6]->setText("2.9");
    form.ReadFormSettings();
    EXPECT_EQ(cs.DispGap, 2);

    form.cmbTidal->setCurrentIndex(2);
    form.Check1[15]->setChecked(false);
    form.ReadFormSettings();
    EXPECT_EQ(cs.Tidal, 0);
    form.Check1[15]->setChecked(true);
    form.ReadFormSettings();
    EXPECT_EQ(cs.Tidal, 2);
    cs.Tidal = 0;
    form.ShowSettings();
    EXPECT_FALSE(form.Check1[15]->isChecked());

    cs.RSP = 0;
    form.ShowSettings();
    EXPECT_EQ(form.Combo1->currentIndex(), 0);
    EXPECT_EQ(cs.RSP, 1);

    calendar::Calendar().CalYear = 2024;
    form.ReadFormSettings();
    EXPECT_EQ(calendar::Calendar().SummerStartJD, calendar::JulianDay(2024, 3, 15, 12));
    EXPECT_EQ(calendar::Calendar().SummerEndJD, calendar::JulianDay(2024, 9, 15, 12));
    EXPECT_EQ(cs.Base, 2451545);
}

// Each value of the panel is checked where it is typed: out of its range or
// not a number, the message, and the field (with the fields of the same
// value) back at its last good text; the settings keep the good value.
TEST(VuPanel, FieldsRefuseWhatIsOutOfRangeOrNoNumber) {
    VuEnv p;
    Form1 form;
    calendar::CalendarSettings& cs = calendar::Calendar().settings;
    constexpr const char* kLat = "위도는 -90도부터 90도까지 입력할 수 있습니다. 분과 초는 0 이상 60 미만의 수입니다.";
    constexpr const char* kLon = "경도는 -180도부터 180도까지 입력할 수 있습니다. 분과 초는 0 이상 60 미만의 수입니다.";
    constexpr const char* kZone = "시간대는 -12부터 14까지의 수로 입력할 수 있습니다.";
    constexpr const char* kHeight = "해발고도는 -1000m부터 10000m까지의 수로 입력할 수 있습니다.";
    constexpr const char* kBase =
        "기준일은 기원전 10000년부터 서기 32000년까지의 날짜를 연, 월(1~12), 일(1~31)의 수로 입력할 수 있습니다.";
    constexpr const char* kSummer =
        "일광시간절약제도의 시작일과 종료일은 월(1~12)과 일(1~31)의 수로, 변경 시간은 -3부터 3시간까지의 수로 입력할 "
        "수 있습니다.";
    struct Case {
        QLineEdit* box;
        const char* typed;
        const char* message;  // nullptr: taken
    } cases[] = {
        {form.txtObs[0], "95", kLat},       {form.txtObs[1], "75", kLat},      {form.txtObs[0], "abc", kLat},
        {form.txtObs[0], "90", kLat},  // 90° 30′ is beyond the pole
        {form.txtObs[3], "200", kLon},      {form.txtObs[5], "60", kLon},      {form.txtTZ, "99", kZone},
        {form.txtTZ, "-13", kZone},         {form.txtTZ, "", kZone},           {form.txtHT, "1e9", kHeight},
        {form.txtHT, "높음", kHeight},       {form.txtREF[0], "abc", kBase},    {form.txtREF[1], "13", kBase},
        {form.txtREF[2], "32", kBase},      {form.txtREF[0], "40000", kBase},  {form.txtSummer[0], "13", kSummer},
        {form.txtSummer[3], "x", kSummer},  {form.txtSummer[4], "5", kSummer},
        {form.txtTZ, "5.5", nullptr},       {form.txtTZ, "14", nullptr},       {form.txtObs[0], "-33", nullptr},
        {form.txtHT, "1950", nullptr},      {form.txtREF[0], "-100", nullptr}, {form.txtSummer[4], "0.5", nullptr},
    };
    for (const Case& c : cases) {
        p.env.messages.shown.clear();
        const std::string before = Text(c.box);
        c.box->setText(QString::fromStdString(c.typed));
        form.ReadFormSettings();
        if (c.message) {
            EXPECT_EQ(p.Messages(), std::vector<std::string>{c.message}) << c.typed;
            EXPECT_EQ(Text(c.box), before) << c.typed;
        } else {
            EXPECT_TRUE(p.env.messages.shown.empty()) << c.typed;
            EXPECT_EQ(Text(c.box), c.typed);
        }
        ASSERT_TRUE(std::isfinite(cs.LAT) && std::fabs(cs.LAT) <= 90) << c.typed;
        ASSERT_TRUE(std::fabs(cs.LON) <= 180 && cs.TZ >= -12 && cs.TZ <= 14) << c.typed;
    }
    EXPECT_EQ(cs.TZ, 14);
    EXPECT_EQ(cs.ObsHT, 1950);
    // The field's own end of editing checks it too, once.
    p.env.messages.shown.clear();
    form.txtTZ->setText("99");
    emit form.txtTZ->editingFinished();
    form.ReadFormSettings();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{kZone});
    EXPECT_EQ(Text(form.txtTZ), "14");
}

// Summer time across New Year (a southern summer): the year's days from the
// first date on and up to the last date.
TEST(VuPanel, SummerTimeAcrossNewYear) {
    VuEnv p;
    Form1 form;
    const std::array<const char*, 5> typed = {"10", "4", "4", "5", "1"};
    for (int i = 0; i < 5; ++i) form.txtSummer[static_cast<std::size_t>(i)]->setText(typed[static_cast<std::size_t>(i)]);
    form.txtTZ->setText("10");
    form.ApplySetting();
    EXPECT_TRUE(p.env.messages.shown.empty());
    struct Day {
        int month, day;
        double zone;
    };
    for (const Day& d : {Day{1, 10, 11}, Day{4, 5, 11}, Day{4, 6, 10}, Day{10, 3, 10}, Day{10, 4, 11}, Day{12, 31, 11}}) {
        EXPECT_EQ(calendar::ZoneInForce(calendar::Calendar(), calendar::JulianDay(2024, d.month, d.day, 12)), d.zone) << d.month << "/" << d.day;
    }
}

// ---- Layout ----------------------------------------------------------------------

TEST(VuLayout, TooSmallWindowIsSetBackOnce) {
    VuEnv p;
    auto form = Shown();
    p.env.messages.shown.clear();
    form->resize(499, 400);
    QApplication::processEvents();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{"창의 크기가 너무 작습니다. 좀 더 크게 조절해 주세요."});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(form->size(), QSize(501, 401));
}

TEST(VuLayout, PagesFollowTheClientArea) {
    VuEnv p;
    auto form = Shown();
    form->resize(900, 650);
    QApplication::processEvents();
    const int sw = form->Client->width(), sh = form->Client->height();
    const int bar = form->Picture1->height();
    EXPECT_EQ(bar, 49);
    EXPECT_EQ(form->PicCal[0]->geometry(), QRect(5, bar + 10, sw - 10, sh - 35 - bar));
    EXPECT_EQ(form->PicCal[2]->geometry(), QRect(5, 5, sw - 10, sh - 30));
    EXPECT_EQ(form->Picture1->geometry(), QRect(5, 5, sw - 10, bar));
    EXPECT_EQ(form->ListSD->y(), form->Combo3->y() + form->Combo3->height() + 10);
    EXPECT_EQ(form->Frame2[1]->y() + form->Frame2[1]->height(), form->PicCal[1]->height() - 10);
    EXPECT_EQ(form->Label1_52->x() + form->Label1_52->width(), sw - 4);
    // The grid was redrawn at the new size.
    EXPECT_EQ(form->Grid->Surface().PixelWidth(), sw - 10);
    EXPECT_EQ(MonthGrid().CellText[5][0].rfind("3월 1일/", 0), 0u);

    // Minimised: nothing is laid out.
    form->showMinimized();
    QApplication::processEvents();
    const QRect before = form->PicCal[0]->geometry();
    p.env.messages.shown.clear();
    form->Form_Resize();
    EXPECT_EQ(form->PicCal[0]->geometry(), before);
    EXPECT_TRUE(p.env.messages.shown.empty());
}

// A surface that measures text as the grid's does and notes, for each text
// printed, the box filled just before it: the text's band.
class BandSurface final : public platform::Surface {
public:
    BandSurface(int width, int height) : metrics_(1, 1), width_(width), height_(height) {
        metrics_.SetScaleMode(platform::Scale::Pixels);
    }
    struct Printed {
        QRectF band, text;
        std::string line;
    };
    std::vector<Printed> printed;

protected:
    double Width() const override { return width_; }
    double Height() const override { return height_; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour) override {}
    void DrawBox(double x1, double y1, double x2, double y2, platform::Colour, bool filled) override {
        if (filled) band_ = QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
    }
    void DrawEllipse(double, double, double, double, platform::Colour) override {}
    void DrawPoint(double, double, platform::Colour) override {}
    void DrawPolygon(const std::vector<platform::PointF>&) override {}
    void DrawText(double x, double y, const std::string& line) override {
        printed.push_back({band_, QRectF(x, y, LineWidth(line), LineHeight()), line});
    }
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return metrics_.TextWidth(line); }
    double LineHeight() const override { return metrics_.TextHeight("가"); }
    void FontChanged() override { metrics_.SetFont(Font()); }

private:
    platform::ImageSurface metrics_;
    QRectF band_;
    int width_, height_;
};

// At the smallest window the cells' texts stay in their bands: a cell too
// low for every line shows fewer, the last ending in "…", and its tip holds
// the lines left out.
TEST(VuLayout, SmallestWindowKeepsCellTextsInTheirBands) {
    VuEnv p;
    auto form = Shown();
    form->resize(501, 401);
    QApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(501, 401));
    for (const bool rise_set : {false, true}) {
        form->Check1[3]->setChecked(rise_set);
        form->ApplySetting();
        BandSurface pic(form->Grid->width(), form->Grid->height());
        MonthCells cells;
        ASSERT_TRUE(DrawCalendar(pic, calendar::Calendar(), 2024, 3, calendar::JulianDay(2024, 3, 15, 12), cells));
        int ellipses = 0;
        for (const BandSurface::Printed& text : pic.printed) {
            const QRectF band = text.band.adjusted(-0.5, -0.5, 0.5, 0.5);
            EXPECT_TRUE(band.contains(text.text)) << text.line << " " << rise_set;
            ellipses += text.line.size() >= 3 && text.line.compare(text.line.size() - 3, 3, "…") == 0;
        }
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 6; ++r) {
                const auto k = static_cast<std::size_t>(c), l = static_cast<std::size_t>(r);
                const std::string& tip = cells.CellTip[k][l];
                EXPECT_EQ(tip, MonthGrid().CellTip[k][l]);
                if (cells.CellJD[k][l] == 0) continue;
                if (!rise_set) {
                    EXPECT_EQ(tip, cells.CellText[k][l]);
                    continue;
                }
                // The Sun and Moon lines did not fit: they are in the tip.
                const std::size_t sun = tip.find("/일출몰: ");
                ASSERT_EQ(tip.rfind(cells.CellText[k][l] + "/일출몰: ", 0), 0u) << tip;
                EXPECT_NE(tip.find("/월출몰(위상): ", sun), std::string::npos) << tip;
                EXPECT_NE(tip.find(":", sun + std::string("/일출몰: ").size()), std::string::npos) << tip;
            }
        // Every day and the legend show the mark of the lines left out.
        if (rise_set) {
            EXPECT_GE(ellipses, 32);
        }
    }
}

// At the smallest size no control of the top bar lies over another: the
// output and tool buttons go to a second row; wide again, one row.
TEST(VuLayout, TopBarControlsNeverOverlap) {
    VuEnv p;
    auto form = Shown();
    const auto overlaps = [&form] {
        std::vector<QRect> boxes;
        for (QWidget* w : form->Picture1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden()) boxes.push_back(w->geometry());
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                if (boxes[i].intersects(boxes[j])) return true;
        for (const QRect& r : boxes)
            if (r.right() >= form->Picture1->width() || r.bottom() >= form->Picture1->height()) return true;
        return false;
    };
    for (const QSize size : {QSize(501, 401), QSize(1024, 740), QSize(501, 401)}) {
        form->resize(size);
        QApplication::processEvents();
        EXPECT_FALSE(overlaps()) << size.width();
        EXPECT_EQ(form->PicCal[0]->y(), form->Picture1->height() + 10);
    }
    EXPECT_GT(form->CmdHTML->y(), form->CmdYR[0]->y());
    form->resize(1024, 740);
    QApplication::processEvents();
    EXPECT_EQ(form->CmdHTML->y(), form->CmdYR[0]->y());
    EXPECT_EQ(form->Picture1->height(), 49);
}

// PageUp and PageDown step a month, with Ctrl a year; Home goes to the
// clock's month. Only while the grid page is shown.
TEST(VuNavigation, PageKeysAndHome) {
    VuEnv p;
    auto form = Shown();
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        int year, month;
    } keys[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2024, 4}, {Qt::Key_PageUp, Qt::NoModifier, 2024, 3},
        {Qt::Key_PageUp, Qt::NoModifier, 2024, 2},   {Qt::Key_PageDown, Qt::ControlModifier, 2025, 2},
        {Qt::Key_PageUp, Qt::ControlModifier, 2024, 2}, {Qt::Key_PageUp, Qt::ControlModifier, 2023, 2},
        {Qt::Key_Home, Qt::NoModifier, 2024, 3},
    };
    const auto press = [&form](int key, Qt::KeyboardModifiers modifiers) {
        const QKeySequence sequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
        int found = 0;
        for (QShortcut* shortcut : form->findChildren<QShortcut*>()) {
            if (shortcut->key() != sequence) continue;
            ++found;
            if (shortcut->isEnabled()) emit shortcut->activated();
        }
        EXPECT_EQ(found, 1) << sequence.toString().toStdString();
    };
    for (const Key& k : keys) {
        press(k.key, k.modifiers);
        EXPECT_EQ(calendar::Calendar().CalYear, k.year) << k.key;
        EXPECT_EQ(Text(form->txtMN), std::to_string(k.month)) << k.key;
    }
    form->cmdTab_Click(2);
    press(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(Text(form->txtMN), "3");
    form->cmdTab_Click(0);
    press(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(Text(form->txtMN), "4");
}

// A key pressed and released as the user would.
void Key(Form1& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString()) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        qt_handleKeyEvent(form.windowHandle(), type, key, modifiers, text, false, 1);
    QApplication::processEvents();
}

void ClickGrid(Form1& form) {
    const QPoint at = form.Grid->mapTo(&form, form.Grid->rect().center());
    const QPointF global = form.mapToGlobal(QPointF(at));
    qt_handleMouseEvent(form.windowHandle(), QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, Qt::NoModifier, 0);
    qt_handleMouseEvent(form.windowHandle(), QPointF(at), global, Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, Qt::NoModifier, 1);
    QApplication::processEvents();
}

// What a user reads or works on a page: the scroll areas' own parts, the
// grid's picture and empty labels aside.
bool IsControl(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           (label && !label->text().isEmpty());
}

// The height a control needs: its text's for a width (a wrapping label, a
// group holding one), its smallest sensible one otherwise.
int LeastHeight(const QWidget* w) {
    if (const QLayout* layout = w->layout())
        return layout->hasHeightForWidth() ? layout->totalMinimumHeightForWidth(w->width())
                                           : layout->totalMinimumSize().height();
    return w->hasHeightForWidth() ? w->heightForWidth(w->width()) : w->minimumSizeHint().height();
}

// The scroll area a control scrolls in, if any.
QScrollArea* ScrollingIn(const QWidget* w) {
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up); area && area->widget() && area->widget()->isAncestorOf(w))
            return area;
    return nullptr;
}

// At the smallest window every page is usable: each control at least as
// high as it needs, none over another, each inside its page or inside what
// scrolls there; a page that scrolls does so only downwards, and Tab reaches
// every control of it, each scrolled into view when it takes the focus. At
// the design size nothing scrolls and the settings keep their two columns.
TEST(VuLayout, EveryPageIsUsableAtTheSmallestSize) {
    VuEnv p;
    auto form = Shown();
    form->resize(501, 401);
    QApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(501, 401));
    form->activateWindow();
    QApplication::processEvents();
    for (int tab = 0; tab < 4; ++tab) {
        form->cmdTab_Click(tab);
        QApplication::processEvents();
        QWidget* page = form->PicCal[static_cast<std::size_t>(tab)];
        std::vector<QWidget*> roots = {page};
        if (tab == 0) roots.push_back(form->Picture1);
        std::vector<QWidget*> focusable;
        for (QWidget* root : roots) {
            for (QWidget* w : root->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(root)) continue;
                const std::string name = w->objectName().toStdString() + " on page " + std::to_string(tab);
                const bool control = IsControl(w);
                if (control) {
                    EXPECT_GE(w->height(), LeastHeight(w)) << name;
                    const QScrollArea* area = ScrollingIn(w);
                    const QWidget* inside = area ? area->widget() : root;
                    EXPECT_TRUE(inside->rect().contains(QRect(w->mapTo(inside, QPoint(0, 0)), w->size()))) << name;
                    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) focusable.push_back(w);
                }
                if (!control && !w->layout()) continue;
                for (QWidget* other : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (other == w || !other->isVisibleTo(root) || (!IsControl(other) && !other->layout())) continue;
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << name << " and " << other->objectName().toStdString();
                }
            }
        }
        if (tab != 1 && tab != 2) continue;
        QScrollArea* scroll = tab == 1 ? form->DaysScroll : form->SettingsScroll;
        EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0) << tab;
        // The list ends at the bottom of the view, all of it seen at once.
        if (tab == 1) {
            EXPECT_EQ(form->ListSD->y() + form->ListSD->height(), scroll->viewport()->height() - 10);
        }
        if (tab == 2) {
            EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
        }
        // Tab once round the whole window.
        std::set<QWidget*> reached;
        for (int step = 0; step < 200; ++step) {
            Key(*form, Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr);
            if (!page->isAncestorOf(now)) continue;
            reached.insert(now);
            // The page itself may take the focus, to scroll by keys.
            if (!scroll->widget()->isAncestorOf(now)) continue;
            const QWidget* view = scroll->viewport();
            EXPECT_TRUE(view->rect().contains(QRect(now->mapTo(view, QPoint(0, 0)), now->size())))
                << now->objectName().toStdString();
        }
        for (QWidget* w : focusable) EXPECT_TRUE(reached.count(w)) << w->objectName().toStdString();
        // Given the focus otherwise (a click, the program), each comes into view too.
        const QWidget* view = scroll->viewport();
        for (QWidget* w : focusable) {
            if (!scroll->widget()->isAncestorOf(w)) continue;
            scroll->horizontalScrollBar()->setValue(0);
            scroll->verticalScrollBar()->setValue(0);
            form->cmdTab[3]->setFocus();  // away first, so the focus changes
            w->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            EXPECT_TRUE(view->rect().contains(QRect(w->mapTo(view, QPoint(0, 0)), w->size())))
                << w->objectName().toStdString();
        }
    }

    form->resize(1024, 740);
    QApplication::processEvents();
    for (int tab : {1, 2}) {
        form->cmdTab_Click(tab);
        QApplication::processEvents();
        const QScrollArea* scroll = tab == 1 ? form->DaysScroll : form->SettingsScroll;
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << tab;
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << tab;
    }
    const QGroupBox* site = form->findChild<QGroupBox*>("Frame1_0");
    const QGroupBox* display = form->findChild<QGroupBox*>("Frame1_2");
    ASSERT_TRUE(site && display);
    EXPECT_EQ(display->y(), site->y());
    EXPECT_GT(display->x(), site->x());
}

// From the first moment (the year field holds the focus), from the year and
// month fields and after a click on the grid, PageUp PageUp Home comes back
// to the clock's month; while the user types in a field, the keys stay there.
TEST(VuNavigation, MonthKeysWhateverHasTheFocus) {
    VuEnv p;
    auto form = Shown();
    form->activateWindow();
    QApplication::processEvents();
    const auto there_and_back = [&form](const char* where) {
        Key(*form, Qt::Key_PageUp);
        Key(*form, Qt::Key_PageUp);
        EXPECT_EQ(Text(form->txtMN), "1") << where;
        Key(*form, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(calendar::Calendar().CalYear, 2023) << where;
        Key(*form, Qt::Key_Home);
        EXPECT_EQ(Text(form->txtMN), "3") << where;
        EXPECT_EQ(calendar::Calendar().CalYear, 2024) << where;
    };
    EXPECT_EQ(QApplication::focusWidget(), form->txtYR);
    there_and_back("start");
    form->txtMN->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    there_and_back("month field");
    form->txtYR->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    there_and_back("year field");
    ClickGrid(*form);
    EXPECT_EQ(QApplication::focusWidget(), form->Grid);
    there_and_back("grid");

    // Typing a year: Home goes to the field's start, PageUp does nothing;
    // once entered, the keys move the month again.
    form->txtYR->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    form->txtYR->selectAll();
    for (const char digit : std::string("2023")) Key(*form, Qt::Key_0 + (digit - '0'), Qt::NoModifier, QString(digit));
    EXPECT_EQ(Text(form->txtYR), "2023");
    Key(*form, Qt::Key_Home);
    EXPECT_EQ(form->txtYR->cursorPosition(), 0);
    Key(*form, Qt::Key_PageUp);
    EXPECT_EQ(Text(form->txtMN), "3");
    EXPECT_EQ(calendar::Calendar().CalYear, 2024);
    Key(*form, Qt::Key_Return);
    EXPECT_EQ(calendar::Calendar().CalYear, 2023);
    Key(*form, Qt::Key_Home);
    EXPECT_EQ(calendar::Calendar().CalYear, 2024);
    EXPECT_EQ(Text(form->txtMN), "3");
    // In the month field likewise.
    form->txtMN->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    form->txtMN->selectAll();
    Key(*form, Qt::Key_7, Qt::NoModifier, "7");
    Key(*form, Qt::Key_PageDown);
    Key(*form, Qt::Key_Home);
    EXPECT_EQ(Text(form->txtMN), "7");
    EXPECT_EQ(form->txtMN->cursorPosition(), 0);
}

// ---- Tabs, set chooser and pickers ----------------------------------------------------

TEST(VuTabs, GridTabRedrawsAndSpecialDayTabLoadsSlotZero) {
    VuEnv p;
    Form1 form;
    ClearMonthCells(MonthGrid());
    form.cmdTab_Click(0);
    EXPECT_EQ(MonthGrid().CellText[5][0].rfind("3월 1일/", 0), 0u);
    EXPECT_FALSE(form.Picture1->isHidden());

    calendar::SDayRecord holiday;
    holiday.year = calendar::EveryYear;
    holiday.month = 1;
    holiday.day = 1;
    holiday.name = "신정";
    holiday.kind = 1;
    calendar::Calendar().SDays[0][0] = holiday;
    form.cmdTab_Click(1);
    EXPECT_FALSE(form.PicCal[1]->isHidden());
    EXPECT_TRUE(form.PicCal[0]->isHidden());
    EXPECT_TRUE(form.Picture1->isHidden());
    EXPECT_EQ(form.ListSD->count(), 366);
    EXPECT_EQ(Q2S(form.ListSD->item(0)->text()), "(000) 신정-1월 1일");
    EXPECT_EQ(Q2S(form.lblSD->text()), "000");
    EXPECT_EQ(Text(form.txtSD[0]), "");
    EXPECT_EQ(Text(form.txtSD[3]), "신정");
    EXPECT_EQ(form.Combo2->currentIndex(), 1);

    form.cmdTab_Click(2);
    EXPECT_FALSE(form.PicCal[2]->isHidden());
    form.cmdTab_Click(3);
    EXPECT_FALSE(form.PicCal[3]->isHidden());
    EXPECT_TRUE(form.PicCal[2]->isHidden());
}

TEST(VuTabs, SetChooserMovesTheMenuCheckWithoutRedraw) {
    VuEnv p;
    Form1 form;
    calendar::Calendar().SDays[2][0].month = 5;
    calendar::Calendar().SDays[2][0].day = 8;
    calendar::Calendar().SDays[2][0].name = "어버이날";
    ClearMonthCells(MonthGrid());
    form.Combo3->setCurrentIndex(2);
    EXPECT_EQ(calendar::Calendar().settings.SDCAT, 2);
    EXPECT_FALSE(form.mnuCelSub[0]->isChecked());
    EXPECT_FALSE(form.mnuCelSub[1]->isChecked());
    EXPECT_TRUE(form.mnuCelSub[2]->isChecked());
    EXPECT_EQ(Q2S(form.ListSD->item(0)->text()), "(000) 어버이날-5월 8일");
    EXPECT_EQ(MonthGrid().CellJD[5][0], 0);  // not redrawn

    // The menu does the same and redraws.
    form.mnuCelSub[1]->trigger();
    EXPECT_EQ(calendar::Calendar().settings.SDCAT, 1);
    EXPECT_EQ(form.Combo3->currentIndex(), 1);
    EXPECT_TRUE(form.mnuCelSub[1]->isChecked());
    EXPECT_FALSE(form.mnuCelSub[2]->isChecked());
    EXPECT_EQ(Q2S(form.ListSD->item(0)->text()), "(000) 지정된 내용 없음");
    EXPECT_NE(MonthGrid().CellJD[5][0], 0);
}

TEST(VuTabs, FontAndColourPickers) {
    VuEnv p;
    Form1 form;
    calendar::CalFontSlot& slot = calendar::Calendar().fonts[1];
    const std::int32_t colour = slot.colour = 0x123456;
    struct Case {
        double size;
        int stored;
    };
    for (const Case& c : {Case{10.5, 10}, Case{11.5, 12}, Case{14, 14}}) {
        platform::FontSpec chosen{"굴림", c.size, true, false, false, false};
        p.env.fonts.answers.push_back(chosen);
        form.LColor_Click(0);
        EXPECT_EQ(slot.size, c.stored);
        EXPECT_EQ(slot.name, "굴림");
        EXPECT_TRUE(slot.bold);
        EXPECT_EQ(slot.colour, colour);
        EXPECT_EQ(form.LColor[0]->font().pointSizeF(), c.size);
    }
    EXPECT_EQ(p.env.fonts.requests.back().title, "글꼴 설정");
    EXPECT_EQ(p.env.fonts.requests.back().initial.size_pt, 12);
    const calendar::CalFontSlot before = slot;
    form.LColor_Click(0);  // cancelled
    EXPECT_EQ(slot.size, before.size);
    EXPECT_EQ(slot.name, before.name);
    p.env.fonts.answers.push_back(platform::FontSpec{"돋움", 18, false, true, false, false});
    form.LBColor_Click();
    EXPECT_EQ(calendar::Calendar().fonts[0].size, 18);
    EXPECT_TRUE(calendar::Calendar().fonts[0].italic);
    EXPECT_EQ(p.env.fonts.requests.back().title, "");

    p.env.colours.answers.push_back(platform::Rgb(10, 20, 30));
    form.Command4_Click(0);
    EXPECT_EQ(calendar::Calendar().settings.HCol, static_cast<std::int32_t>(platform::Rgb(10, 20, 30)));
    EXPECT_EQ(form.LColor[1]->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(p.env.colours.requests.back().title, "강조 색상 설정-배경");
    EXPECT_EQ(p.env.colours.requests.back().initial, 0xFFFF00u);
    p.env.colours.answers.push_back(platform::Rgb(200, 0, 0));
    form.Command4_Click(1);
    EXPECT_EQ(calendar::Calendar().fonts[2].colour, static_cast<std::int32_t>(platform::Rgb(200, 0, 0)));
    EXPECT_EQ(form.LColor[1]->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_EQ(p.env.colours.requests.back().title, "강조 색상 설정-글꼴");
    form.Command4_Click(0);  // cancelled
    EXPECT_EQ(calendar::Calendar().settings.HCol, static_cast<std::int32_t>(platform::Rgb(10, 20, 30)));
}

// ---- The special-day editor -------------------------------------------------------

class VuEditor : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>();
        form_->cmdTab_Click(1);
    }
    // Types the fields into slot n and stores them.
    void Store(int n, const char* year, const char* month, const char* day, const char* name, bool lunar = false) {
        form_->ListSD->setCurrentRow(n);
        form_->txtSD[0]->setText(QString::fromUtf8(year));
        form_->txtSD[1]->setText(QString::fromUtf8(month));
        form_->txtSD[2]->setText(QString::fromUtf8(day));
        form_->txtSD[3]->setText(QString::fromUtf8(name));
        form_->Check2[0]->setChecked(lunar);
        form_->Check2[1]->setChecked(false);
        form_->Combo2->setCurrentIndex(2);
        form_->CmdSD_Click();
    }
    calendar::SDayRecord& Slot(int set, int n) { return calendar::Calendar().SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(n)]; }

    VuEnv p_;
    std::unique_ptr<Form1> form_;
};

TEST_F(VuEditor, StoresEveryYearDDayAndTrimmedNames) {
    Store(3, "", "2", "29", " 설날 ");
    EXPECT_EQ(Slot(0, 3).year, calendar::EveryYear);
    EXPECT_EQ(Slot(0, 3).month, 2);
    EXPECT_EQ(Slot(0, 3).name, "설날");
    EXPECT_EQ(Slot(0, 3).kind, 2);
    EXPECT_EQ(Q2S(form_->ListSD->item(3)->text()), "(003) 설날-2월 29일");
    EXPECT_EQ(form_->ListSD->currentRow(), 3);
    Store(4, "X", "2", "+100", "백일");
    EXPECT_EQ(Slot(0, 4).year, calendar::DDayYear);
    EXPECT_EQ(Slot(0, 4).day, 100);
    EXPECT_EQ(Text(form_->txtSD[0]), "x");  // reloaded from the slot
    Store(5, "2024", "2", "29", "윤일");
    EXPECT_EQ(Slot(0, 5).year, 2024);
    Store(6, "1500", "2", "29", "율리우스 윤일");
    EXPECT_EQ(Slot(0, 6).year, 1500);
    Store(7, "", "12", "30", "음력 그믐", true);
    EXPECT_TRUE(Slot(0, 7).lunar);
    EXPECT_TRUE(p_.env.messages.shown.empty());
}

TEST_F(VuEditor, RefusesNamesAndDatesTheFilesCannotHold) {
    Store(8, "", "5", "5", "어린이날");
    const calendar::SDayRecord kept = Slot(0, 8);
    struct Case {
        const char* year;
        const char* month;
        const char* day;
        const char* name;
        bool lunar;
        const char* message;
    };
    const char* kName = "기념일 이름에 쓸 수 없는 글자가 있습니다.";
    const char* kDate = "날짜를 바르게 입력해 주세요.";
    const Case cases[] = {
        {"", "5", "5", "a:;b", false, kName},      {"", "5", "5", "[x]", false, kName},
        {"", "5", "5", "줄\n바꿈", false, kName},  {"", "5", "5", "😀", false, kName},
        {"", "13", "1", "a", false, kDate},        {"", "0", "1", "a", false, kDate},
        {"", "4", "31", "a", false, kDate},        {"2023", "2", "29", "a", false, kDate},
        {"1900", "2", "29", "a", false, kDate},    {"", "1", "0", "a", false, kDate},
        {"", "13", "1", "a", true, kDate},         {"", "1", "31", "a", true, kDate},
        {"x", "366", "10", "a", false, kDate},     {"40000", "1", "1", "a", false, kDate},
        {"", "70000", "1", "a", false, kDate},     {"x", "2", "99999", "a", false, kDate},
        {"", "", "", "a", false, kDate},
    };
    for (const Case& c : cases) {
        p_.env.messages.shown.clear();
        Store(8, c.year, c.month, c.day, c.name, c.lunar);
        EXPECT_EQ(p_.Messages(), std::vector<std::string>{c.message}) << c.year << "/" << c.month << "/" << c.day;
        EXPECT_EQ(Slot(0, 8), kept) << c.name;
    }
}

TEST_F(VuEditor, EmptyingAsksAndTouchesOnlyTheActiveSet) {
    for (int set = 0; set < 3; ++set) {
        Slot(set, 5).month = 6;
        Slot(set, 5).day = 6;
        Slot(set, 5).name = "현충일";
    }
    form_->Combo3->setCurrentIndex(2);
    form_->ListSD->setCurrentRow(5);
    EXPECT_EQ(Text(form_->txtSD[3]), "현충일");
    p_.env.messages.answers.push_back(platform::MsgAnswer::No);
    form_->CmdCL_Click();
    EXPECT_EQ(Slot(2, 5).name, "현충일");
    EXPECT_EQ(Text(form_->txtSD[3]), "현충일");
    ASSERT_EQ(p_.env.messages.shown.size(), 1u);
    EXPECT_EQ(p_.env.messages.shown[0].text, "설정된 기념일을 지우시겠습니까?");
    EXPECT_EQ(p_.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    p_.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    form_->CmdCL_Click();
    EXPECT_EQ(Slot(2, 5), calendar::SDayRecord{});
    EXPECT_EQ(Slot(0, 5).name, "현충일");
    EXPECT_EQ(Slot(1, 5).name, "현충일");
    EXPECT_EQ(Text(form_->txtSD[3]), "");
    EXPECT_EQ(Q2S(form_->ListSD->item(5)->text()), "(005) 지정된 내용 없음");
}

// The load message names a field by the words the settings page shows it with.
TEST(VuPanel, FileMessagesNameTheFieldsAsThePanelDoes) {
    VuEnv p;
    Form1 form;
    std::vector<std::string> texts;
    for (QWidget* page : {form.PicCal[1], form.PicCal[2]}) {
        for (const QLabel* w : page->findChildren<QLabel*>()) texts.push_back(Q2S(w->text()));
        for (const QAbstractButton* w : page->findChildren<QAbstractButton*>()) texts.push_back(Q2S(w->text()));
        for (const QGroupBox* w : page->findChildren<QGroupBox*>()) texts.push_back(Q2S(w->title()));
        for (const QComboBox* w : page->findChildren<QComboBox*>())
            for (const std::string& item : Items(w)) texts.push_back(item);
    }
    // A caption, or a label of it with a colon, a unit or a number after it.
    const auto shown = [&](const std::string& words) {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
            return text == words || (text.rfind(words, 0) == 0 && std::string(":( ").find(text[words.size()]) !=
                                                                       std::string::npos);
        });
    };
    for (const char* key : {"TZ", "RefKR", "Islam", "RSP", "Today", "ShowRST", "Astro", "SDay", "LON", "LAT",
                            "MeanSun", "MeanMoon", "Jinsak", "Auto", "AutoSize", "DT", "SDCAT", "DispType", "Jan1",
                            "BaseJD", "Base", "DispGap", "HCol", "SDALL", "Tidal", "CalcOBSHT", "ObsHT",
                            "CFONT_COL2"}) {
        EXPECT_TRUE(shown(calendar::SettingCaption(key))) << key << " " << calendar::SettingCaption(key);
    }
    // Fields inside a group: the group's title and the field's label.
    EXPECT_TRUE(shown("일광시간절약제도") && shown("변경 시간") && shown("시작") && shown("종료"));
    EXPECT_EQ(calendar::SettingCaption("FH"), "일광시간절약제도 변경 시간");
    EXPECT_EQ(calendar::SettingCaption("S1"), "일광시간절약제도 시작 월");
    EXPECT_EQ(calendar::SettingCaption("S4"), "일광시간절약제도 종료 일");
    EXPECT_EQ(Q2S(form.Check1[11]->text()).rfind(calendar::SettingCaption("dTValue"), 0), 0u);
    EXPECT_EQ(calendar::SettingCaption("CFONT_SIZE0"), Q2S(form.LBColor->text()) + " 글꼴");
    const char* kSevenths[3] = {"SD7", "SDA7", "SDB7"};
    for (int set = 0; set < 3; ++set) {
        const std::string caption = calendar::SettingCaption(kSevenths[set]);  // "기념일 모음 1 (007)"
        const std::string set_words = caption.substr(0, caption.size() - std::string(" (007)").size());
        EXPECT_EQ(Q2S(form.Combo3->itemText(set)).rfind(set_words + "[", 0), 0u) << caption;
    }
}

// ---- Settings files and closing ----------------------------------------------------------

TEST(VuFiles, OpenMissingDamagedAndValidFiles) {
    VuEnv p;
    Form1 form;
    calendar::Calendar().SDays[0][0].month = 1;
    calendar::Calendar().SDays[0][0].day = 1;
    calendar::Calendar().SDays[0][0].name = "신정";
    const calendar::CalendarSettings settings_before = calendar::Calendar().settings;

    p.env.files.answers.push_back(platform::FileChoice{p.folder / "없는파일.cal", 1});
    form.OpenConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{"파일이 없습니다."});
    EXPECT_EQ(p.env.files.requests[0].title, "vu 설정 파일 불러오기");
    EXPECT_EQ(p.env.files.requests[0].filter, "vu 설정 문서(*.cal)|*.cal|모든 형식(*.*)|*.*");
    EXPECT_EQ(p.env.files.requests[0].name, "") << "an open dialog starts without a name";
    EXPECT_EQ(p.env.files.requests[0].folder, p.env.folders.documents);
    EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "신정");

    const std::filesystem::path damaged = p.folder / "damaged.cal";
    std::ofstream(damaged) << "this is no settings file";
    p.env.messages.shown.clear();
    p.env.files.answers.push_back(platform::FileChoice{damaged, 1});
    form.OpenConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{damaged.string() + " 파일을 vu 설정 파일로 읽을 수 없습니다."});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "신정");
    EXPECT_EQ(calendar::Calendar().settings.TZ, settings_before.TZ);

    // A valid file written from other settings and sets.
    calendar::CalendarState other;
    other.settings.TZ = 8;
    other.settings.LAT = -33.25;
    other.settings.SDCAT = 1;
    other.settings.ShowRST = true;
    other.SDays[1][2].month = 12;
    other.SDays[1][2].day = 25;
    other.SDays[1][2].name = "성탄절";
    const std::filesystem::path valid = p.folder / "other.cal";
    ASSERT_TRUE(calendar::WriteSettings(valid, other));
    p.env.messages.shown.clear();
    p.env.files.answers.push_back(platform::FileChoice{valid, 1});
    form.OpenConfig();
    EXPECT_TRUE(p.env.messages.shown.empty());
    EXPECT_EQ(calendar::Calendar().settings.TZ, 8);
    EXPECT_EQ(calendar::Calendar().settings.LAT, -33.25);
    EXPECT_EQ(calendar::Calendar().SDays[0][0].month, calendar::NoMonth);
    EXPECT_EQ(calendar::Calendar().SDays[1][2].name, "성탄절");
    EXPECT_EQ(form.Combo3->currentIndex(), 1);
    EXPECT_TRUE(form.mnuCelSub[1]->isChecked());
    EXPECT_EQ(Text(form.txtTZ), "8");
    EXPECT_TRUE(form.chkObs[0]->isChecked());
    EXPECT_TRUE(form.Check1[3]->isChecked());
    EXPECT_EQ(Q2S(form.ListSD->item(2)->text()), "(002) 성탄절-12월 25일");
    // Redrawn with the file's settings: Christmas in the grid of December.
    form.txtMN->setText("12");
    form.ApplySetting();
    bool christmas = false;
    for (const auto& column : MonthGrid().CellText)
        for (const std::string& cell : column) christmas |= cell.find("성탄절") != std::string::npos;
    EXPECT_TRUE(christmas);

    // Cancelling the dialog changes nothing.
    form.OpenConfig();
    EXPECT_EQ(calendar::Calendar().settings.TZ, 8);
}

TEST(VuFiles, SaveReportsTheFullNameAndReadsBack) {
    VuEnv p;
    Form1 form;
    form.txtTZ->setText("7");
    calendar::Calendar().SDays[2][9].month = 3;
    calendar::Calendar().SDays[2][9].day = 1;
    calendar::Calendar().SDays[2][9].name = "삼일절";
    const std::filesystem::path file = p.folder / "saved.cal";
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    form.SaveConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{"vu 설정 파일을 " + file.string() + " 파일로 저장했습니다."});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(p.env.files.requests[0].name, "vu설정.cal");
    EXPECT_EQ(p.env.files.requests[0].title, "vu 설정 파일 저장하기");
    // The documents folder first, then the folder the last settings file went to.
    EXPECT_EQ(p.env.files.requests[0].folder, p.env.folders.documents);
    form.SaveConfig();
    EXPECT_EQ(p.env.files.requests[1].folder, p.folder);
    calendar::CalendarState back;
    ASSERT_EQ(calendar::ReadSettings(file, back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 7);
    EXPECT_EQ(back.SDays[2][9].name, "삼일절");
}

// Ctrl+S with a name typed without an extension, whichever filter is in
// force, saves a ".cal" file, which Ctrl+O's filter lists.
TEST(VuFiles, ASettingsNameTypedWithoutAnExtensionIsACalFile) {
    VuEnv p;
    Form1 form;
    form.txtTZ->setText("7");
    for (const int filter_index : {1, 2}) {
        p.env.messages.shown.clear();
        const std::string typed = "mysettings" + std::to_string(filter_index);
        p.env.files.answers.push_back(platform::FileChoice{p.folder / typed, filter_index});
        form.SaveConfig();
        const std::filesystem::path saved = p.folder / (typed + ".cal");
        EXPECT_EQ(p.Messages(), std::vector<std::string>{"vu 설정 파일을 " + saved.string() + " 파일로 저장했습니다."});
        EXPECT_FALSE(std::filesystem::exists(p.folder / typed));
        calendar::CalendarState back;
        ASSERT_EQ(calendar::ReadSettings(saved, back), skydata::ConfigFileStatus::Loaded);
        EXPECT_EQ(back.settings.TZ, 7);
    }
}

TEST(VuFiles, ResetGivesEveryDefaultWithoutReadingAFile) {
    VuEnv p;
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(p.folder);
    // A file "x" holding other settings in the current folder is not read.
    {
        calendar::CalendarState other;
        other.settings.TZ = 3;
        ASSERT_TRUE(calendar::WriteSettings(p.folder / "x", other));
    }
    {
        Form1 form;
        form.txtTZ->setText("5");
        form.Check1[4]->setChecked(false);
        calendar::Calendar().SDays[1][1].month = 1;
        calendar::Calendar().fonts[3].size = 30;
        p.env.messages.answers.push_back(platform::MsgAnswer::No);
        form.mnuReset_Click();
        EXPECT_EQ(Text(form.txtTZ), "5");
        p.env.clock.Set(2030, 6, 1, 0, 0, 0);
        p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
        form.mnuReset_Click();
        ASSERT_EQ(p.env.messages.shown.size(), 2u);
        EXPECT_EQ(p.env.messages.shown[1].text,
                  "설정을 초기화하면 기념일도 모두 지워집니다. 초기화를 계속 하시겠습니까?");
        EXPECT_EQ(calendar::Calendar().settings.TZ, 9);
        EXPECT_TRUE(calendar::Calendar().settings.Astro);
        EXPECT_EQ(calendar::Calendar().fonts[3].size, 11);
        EXPECT_EQ(calendar::Calendar().SDays[1][1].month, calendar::NoMonth);
        EXPECT_EQ(Text(form.txtTZ), "9");
        EXPECT_TRUE(form.Check1[4]->isChecked());
        EXPECT_EQ(calendar::Calendar().CalYear, 2030);
        EXPECT_EQ(Text(form.txtMN), "6");
    }
    std::filesystem::current_path(cwd);
}

TEST(VuFiles, UnloadSavesOnYesOnlyAndAsksWhenTheSaveFails) {
    VuEnv p;
    const std::filesystem::path cfg = p.env.folders.user / "CalConfig.cfg";
    {
        Form1 form;
        p.env.messages.answers.push_back(platform::MsgAnswer::No);
        EXPECT_FALSE(form.Form_Unload());
        EXPECT_FALSE(std::filesystem::exists(cfg));
        EXPECT_EQ(p.env.messages.shown[0].text, "vu 프로그램을 종료하시겠습니까?");
        EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Question);

        form.txtTZ->setText("6.5");
        p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
        EXPECT_TRUE(form.Form_Unload());
        ASSERT_TRUE(std::filesystem::exists(cfg));
        calendar::CalendarState back;
        ASSERT_EQ(calendar::ReadSettings(cfg, back), skydata::ConfigFileStatus::Loaded);
        EXPECT_EQ(back.settings.TZ, 6.5);
    }
    // The next start reads it.
    {
        Form1 form;
        EXPECT_EQ(Text(form.txtTZ), "6.5");
    }
    // A user folder that cannot be made: the question, and No keeps the window.
    const std::filesystem::path blocker = p.folder / "blocker";
    std::ofstream(blocker) << "a file, not a folder";
    p.env.folders.user = blocker / "vu";
    Form1 form;
    form.show();
    p.env.messages.shown.clear();
    p.env.messages.answers = {platform::MsgAnswer::Yes, platform::MsgAnswer::No};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text,
              "설정 파일(CalConfig.cfg)을 저장하지 못했습니다. 저장하지 않고 끝내시겠습니까?");
    p.env.messages.answers = {platform::MsgAnswer::Yes, platform::MsgAnswer::Yes};
    form.mnuExit_Click();
    EXPECT_FALSE(form.isVisible());
}

// ---- Shipped holidays and damaged settings files ------------------------------

std::filesystem::path ShippedCalConfig() { return std::filesystem::path(ZU_SOURCE_DIR) / "data" / "CalConfig.cfg"; }

// The grid text of a day of the displayed month ("" when it is not shown).
std::string CellOf(int day) {
    for (const auto& column : MonthGrid().CellText)
        for (const std::string& cell : column) {
            std::string label = " ";
            label += std::to_string(day);
            label += "일/";
            const std::size_t space = cell.find(' ');
            if (space != std::string::npos && cell.compare(space, label.size(), label) == 0) return cell;
        }
    return "";
}

TEST(VuFiles, FirstStartShowsTheShippedHolidaysAndResetRestoresThem) {
    VuEnv p;
    std::filesystem::copy_file(ShippedCalConfig(), p.env.folders.program / "CalConfig.cfg");
    const std::string shipped = *platform::ReadFileBytes(p.env.folders.program / "CalConfig.cfg");
    p.env.clock.Set(2026, 2, 1, 9, 0, 0);
    Form1 form;
    EXPECT_TRUE(p.Messages().empty());
    form.ApplySetting();
    EXPECT_NE(CellOf(17).find("/설날"), std::string::npos) << CellOf(17);
    EXPECT_NE(CellOf(18).find("설날/"), std::string::npos) << CellOf(18);
    EXPECT_NE(CellOf(16).find("/제석/"), std::string::npos) << CellOf(16);
    form.txtMN->setText("9");
    form.ApplySetting();
    for (int day : {24, 25, 26}) EXPECT_NE(CellOf(day).find("/추석"), std::string::npos) << CellOf(day);
    form.txtMN->setText("12");
    form.ApplySetting();
    EXPECT_NE(CellOf(25).find("/기독탄신일/"), std::string::npos) << CellOf(25);

    // The user's edits go to the user's file; the shipped one never changes.
    calendar::Calendar().SDays[0][0].name = "새해";
    calendar::Calendar().SDays[1][3] = calendar::TextToSDay("-10000 :;  7 :;  7 :; F :; F :; 칠석 :;  0");
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    ASSERT_TRUE(form.Form_Unload());
    EXPECT_EQ(*platform::ReadFileBytes(p.env.folders.program / "CalConfig.cfg"), shipped);
    calendar::CalendarState saved;
    ASSERT_EQ(calendar::ReadSettings(p.env.folders.user / "CalConfig.cfg", saved), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(saved.SDays[0][0].name, "새해");

    // The reset restores the shipped holidays and nothing of the user's.
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    form.mnuReset_Click();
    EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "신정");
    EXPECT_EQ(calendar::Calendar().SDays[0][13].name, "기독탄신일");
    EXPECT_EQ(calendar::Calendar().SDays[1][3].month, calendar::NoMonth);
    EXPECT_EQ(Q2S(form.ListSD->item(1)->text()), "(001) 설날-(음)1월 1일");
}

// The user's CalConfig.cfg as UTF-16 (another editor's "Unicode"): the
// start says it cannot be read, quitting leaves it byte for byte, and only
// the user's own save replaces it, keeping it as CalConfig.cfg.bak first.
TEST(VuFiles, FirstStartWithAUtf16CalConfigThenQuitLeavesItByteIdentical) {
    calendar::CalendarState edited;
    edited.settings.TZ = 8;
    edited.SDays[0][4] = calendar::TextToSDay("-10000 :;  4 :;  4 :; F :; F :; 내 기념일 :;  1");
    VuEnv p;
    ASSERT_TRUE(calendar::WriteSettings(p.folder / "whole.cfg", edited));
    const std::string whole = *platform::ReadFileBytes(p.folder / "whole.cfg");
    std::string utf16 = "\xff\xfe";
    for (char c : whole) utf16 += std::string{c, '\0'};
    std::filesystem::copy_file(ShippedCalConfig(), p.env.folders.program / "CalConfig.cfg");
    const std::filesystem::path cfg = p.env.folders.user / "CalConfig.cfg";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(cfg, utf16));
    for (int start = 1; start <= 2; ++start) {
        p.env.messages.shown.clear();
        auto form = Shown();
        EXPECT_EQ(p.Messages(), std::vector<std::string>{"설정 파일(CalConfig.cfg)을 읽을 수 없어 기본 설정으로 "
                                                         "시작합니다.\r\n" + cfg.string() +
                                                         "\r\n이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다."});
        EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "신정");  // the shipped holidays
        form->txtTZ->setText("6");
        p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
        EXPECT_TRUE(form->close());
        EXPECT_EQ(p.Messages().back(), "vu 프로그램을 종료하시겠습니까?");
        EXPECT_TRUE(*platform::ReadFileBytes(cfg) == utf16) << start;
        EXPECT_FALSE(std::filesystem::exists(p.env.folders.user / "CalConfig.cfg.bak")) << start;
    }
    // The user saves the settings into it: kept first, then replaced.
    Form1 form;
    p.env.files.answers.push_back(platform::FileChoice{cfg, 1});
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);  // replace it
    form.SaveConfig();
    EXPECT_TRUE(*platform::ReadFileBytes(p.env.folders.user / "CalConfig.cfg.bak") == utf16);
    calendar::CalendarState saved;
    ASSERT_EQ(calendar::ReadSettings(cfg, saved), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(saved.SDays[0][0].name, "신정");
    // From then on the end of the run saves it again.
    form.txtTZ->setText("5");
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    ASSERT_TRUE(form.Form_Unload());
    ASSERT_EQ(calendar::ReadSettings(cfg, saved), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(saved.settings.TZ, 5);
}

TEST(VuFiles, DamagedCalConfigIsReportedAtStartAndLeftOrKeptAtTheEnd) {
    calendar::CalendarState edited;
    edited.settings.TZ = 8;
    edited.SDays[0][4] = calendar::TextToSDay("-10000 :;  4 :;  4 :; F :; F :; 내 기념일 :;  1");
    std::string whole;
    {
        VuEnv p;
        ASSERT_TRUE(calendar::WriteSettings(p.folder / "whole.cfg", edited));
        whole = *platform::ReadFileBytes(p.folder / "whole.cfg");
    }
    const struct {
        const char* what;
        std::string bytes;
        bool loads;  // with the entries that could be read; else the shipped defaults
        double tz;
    } cases[] = {
        {"empty", "", false, 9},
        {"garbage", "\x01\x02 no settings here", false, 9},
        {"cut off", whole.substr(0, whole.size() / 2), false, 9},
        {"nan", "[TZ]nan[/TZ]\r\n" + whole.substr(whole.find("[RefKR]")), true, 9},
        {"out of range", "[TZ] 1E+308[/TZ]\r\n" + whole.substr(whole.find("[RefKR]")), true, 9},
    };
    for (const auto& c : cases) {
        VuEnv p;
        std::filesystem::copy_file(ShippedCalConfig(), p.env.folders.program / "CalConfig.cfg");
        const std::filesystem::path cfg = p.env.folders.user / "CalConfig.cfg";
        const std::filesystem::path bak = p.env.folders.user / "CalConfig.cfg.bak";
        ASSERT_TRUE(platform::WriteFileBytesAtomic(cfg, c.bytes));
        {
            Form1 form;
            ASSERT_EQ(p.Messages().size(), 1u) << c.what;
            EXPECT_NE(p.Messages()[0].find(cfg.string()), std::string::npos) << c.what;
            EXPECT_NE(p.Messages()[0].find(c.loads ? "CalConfig.cfg.bak 파일로 남겨 둡니다."
                                                   : "이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다."),
                      std::string::npos)
                << c.what;
            EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
            EXPECT_EQ(calendar::Calendar().SDays[0][4].name, c.loads ? "내 기념일" : "어린이날") << c.what;
            if (!c.loads) {
                EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "신정") << c.what;
            }
            EXPECT_EQ(calendar::Calendar().settings.TZ, c.tz) << c.what;
            p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
            ASSERT_TRUE(form.Form_Unload()) << c.what;
        }
        p.env.messages.shown.clear();
        if (!c.loads) {
            // Left as it was, and said so again at the next start.
            EXPECT_TRUE(*platform::ReadFileBytes(cfg) == c.bytes) << c.what;
            EXPECT_FALSE(std::filesystem::exists(bak)) << c.what;
            Form1 again;
            EXPECT_EQ(p.Messages().size(), 1u) << c.what;
            continue;
        }
        // Kept as its backup, then saved; the next start reads it without a word.
        EXPECT_TRUE(*platform::ReadFileBytes(bak) == c.bytes) << c.what;
        Form1 again;
        EXPECT_TRUE(p.Messages().empty()) << c.what;
        EXPECT_EQ(calendar::Calendar().SDays[0][4].name, "내 기념일") << c.what;
    }
}

TEST(VuFiles, OpenRefusesAFileWithoutSettingsAndReportsDamagedValues) {
    VuEnv p;
    Form1 form;
    calendar::Calendar().SDays[1][2] = calendar::TextToSDay("-10000 :;  2 :;  2 :; F :; F :; 둘 :;  0");
    form.txtTZ->setText("7");
    form.ReadFormSettings();
    const calendar::CalendarState before = calendar::Calendar();
    const std::string sky = "[version]1.0[/version]\r\n[mcenterx] 3.5[/mcenterx]\r\n[lat] 37[/lat]\r\n";
    calendar::CalendarState other;
    other.settings.TZ = 3;
    other.SDays[1][2] = calendar::TextToSDay("-10000 :;  3 :;  3 :; F :; F :; 셋 :;  0");
    ASSERT_TRUE(calendar::WriteSettings(p.folder / "whole.cal", other));
    const std::string whole = *platform::ReadFileBytes(p.folder / "whole.cal");
    const std::string cut = whole.substr(0, whole.find("[SDA2]") + 30);
    const std::filesystem::path refused_file = p.folder / "other.cal";
    const std::string refused = " 파일을 vu 설정 파일로 읽을 수 없습니다.";
    const std::string cut_off = " 파일은 끝이 잘려 있어 vu 설정 파일로 읽을 수 없습니다.";
    for (const auto& [bytes, message] : std::vector<std::pair<std::string, std::string>>{
             {"", refused}, {"  \r\n\r\n", refused}, {"[foo]bar[/foo]", refused}, {sky, refused}, {cut, cut_off}}) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(refused_file, bytes));
        p.env.messages.shown.clear();
        p.env.files.answers.push_back(platform::FileChoice{refused_file, 1});
        form.OpenConfig();
        EXPECT_EQ(p.Messages(), std::vector<std::string>{refused_file.string() + message}) << bytes.substr(0, 40);
        EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(calendar::Calendar().settings.TZ, 7) << bytes.substr(0, 40);
        EXPECT_EQ(calendar::Calendar().SDays[1][2], before.SDays[1][2]) << bytes.substr(0, 40);
        EXPECT_EQ(Text(form.txtTZ), "7") << bytes.substr(0, 40);
    }
    // A file with damaged values loads the rest and names what took its default.
    const std::filesystem::path file = p.folder / "half.cal";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(
        file, "[TZ]abc[/TZ]\r\n[LAT] 99999[/LAT]\r\n[SDA5]-10000 :;  5 :;  5 :; F :; F :; ab :;  0[/SDA5]\r\n"));
    p.env.messages.shown.clear();
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    form.OpenConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{"설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 "
                                                     "바꾸었습니다.\r\n" + file.string() +
                                                     "\r\n항목: 시간대, 위도\r\n원래 파일은 이 파일에 저장하기 전에 "
                                                     "half.cal.bak 파일로 남겨 둡니다."});
    EXPECT_EQ(calendar::Calendar().settings.TZ, 9);
    EXPECT_EQ(calendar::Calendar().settings.LAT, 37.5);
    EXPECT_EQ(calendar::Calendar().SDays[1][5].name, "ab");
    EXPECT_EQ(calendar::Calendar().SDays[1][2].month, calendar::NoMonth);
    // Saving over it (the user says "예") keeps the file first.
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    form.SaveConfig();
    EXPECT_TRUE(std::filesystem::exists(p.folder / "half.cal.bak"));
    // A save that fails says so.
    const std::filesystem::path nowhere = p.folder / "없는 폴더" / "x.cal";
    p.env.messages.shown.clear();
    p.env.files.answers.push_back(platform::FileChoice{nowhere, 1});
    form.SaveConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{nowhere.string() + " 파일에 vu 설정을 저장하지 못했습니다."});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
}

// A .cal another editor saved as UTF-8: the names read right, the user is
// told once, and the file is kept before it is saved in code page 949.
TEST(VuFiles, OpenReadsAUtf8FileAndSaysSoOnce) {
    VuEnv p;
    Form1 form;
    const std::filesystem::path file = p.folder / "utf8.cal";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(
        file, "[TZ] 9[/TZ]\r\n[SD0]-10000 :;  12 :;  25 :; F :; F :; 기독탄신일 :;  1[/SD0]\r\n"));
    const std::string original = *platform::ReadFileBytes(file);
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    form.OpenConfig();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{"UTF-8로 쓰인 글을 UTF-8로 읽었습니다. 저장할 때에는 이 "
                                                     "프로그램의 문자 코드(CP949)로 바꾸어 저장합니다.\r\n" +
                                                     file.string() + "\r\n원래 파일은 이 파일에 저장하기 전에 "
                                                     "utf8.cal.bak 파일로 남겨 둡니다."});
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "기독탄신일");
    EXPECT_EQ(Q2S(form.ListSD->item(0)->text()), "(000) 기독탄신일-12월 25일");
    form.txtYR->setText("2024");
    form.txtMN->setText("12");
    form.ApplySetting();
    EXPECT_NE(CellOf(25).find("기독탄신일"), std::string::npos) << CellOf(25);
    // Saved over: the original kept, the file in code page 949, read again
    // without a word.
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);  // replace it
    form.SaveConfig();
    EXPECT_TRUE(*platform::ReadFileBytes(p.folder / "utf8.cal.bak") == original);
    EXPECT_NE(platform::ReadFileBytes(file)->find(platform::Utf8ToCp949("기독탄신일")), std::string::npos);
    p.env.messages.shown.clear();
    p.env.files.answers.push_back(platform::FileChoice{file, 1});
    form.OpenConfig();
    EXPECT_TRUE(p.Messages().empty());
    EXPECT_EQ(calendar::Calendar().SDays[0][0].name, "기독탄신일");
}

}  // namespace
}  // namespace vu
