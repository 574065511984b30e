// The animation window: loading the step and the rate, the event codes, the
// rate check against the measured drawing time and the timer interval.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/dialogs/AnimationWindow.h"

namespace zu {
namespace {

// Records the interval menu and keeps a timer interval without a main window.
class TimerHost final : public DefaultChartHost {
public:
    TimerHost() { SetHost(this); }
    ~TimerHost() override { SetHost(nullptr); }
    TimerHost(const TimerHost&) = delete;
    TimerHost& operator=(const TimerHost&) = delete;
    void mnuInterval_Click(int index) override { items.push_back(index); }
    void SetTimer1Interval(int interval_ms) override { interval = interval_ms; }
    int Timer1Interval() override { return interval; }

    std::vector<int> items;
    int interval = 1000;
};

class AnimationWindowTest : public ::testing::Test {
protected:
    void SetUp() override { owner = std::make_unique<QWidget>(); }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmAni& Open() { return static_cast<FrmAni&>(ShowToolWindow(ToolWindowId::FrmAni, owner.get())); }
    static std::string Text(const QLineEdit* box) { return box->text().toUtf8().toStdString(); }
    static std::string Boxes(const FrmAni& w) {
        return Text(w.TxtInt[0]) + "/" + Text(w.TxtInt[1]) + "/" + Text(w.TxtInt[2]) + "/" + Text(w.TxtInt[3]);
    }
    static void Rate(FrmAni& w, const char* seconds, const char* count) {
        w.txtTm[0]->setText(seconds);
        w.txtTm[1]->setText(count);
    }
    const std::vector<platform::Message>& Shown() { return p.env.messages.shown; }

    test::ProgramEnv p;
    TimerHost host;
    std::unique_ptr<QWidget> owner;
};

TEST_F(AnimationWindowTest, LoadsTheRateAndTheStep) {
    struct Row {
        int interval;
        const char* seconds;
        const char* count;
    };
    for (const Row& row : {Row{1000, "1", "1"}, Row{4000, "60", "15"}, Row{200, "1", "5"}, Row{0, "1", "1000"}}) {
        host.interval = row.interval;
        FrmAni& w = Open();
        EXPECT_EQ(Text(w.txtTm[0]), row.seconds) << row.interval;
        EXPECT_EQ(Text(w.txtTm[1]), row.count) << row.interval;
        w.close();
    }

    AppState().CustomStep = 1.5;
    AppState().TimeStep = 1.0 / 24;
    FrmAni& regular = Open();
    EXPECT_EQ(Boxes(regular), "1/12/0/0");
    EXPECT_TRUE(regular.Option1[0]->isChecked());
    EXPECT_TRUE(regular.TxtInt[0]->isEnabled());
    EXPECT_FALSE(regular.CmbME->isEnabled());
    regular.close();

    AppState().TimeStep = -162;
    AppState().EventStepCode = -162;
    AppState().EventStepOffset = 7;
    FrmAni& events = Open();
    EXPECT_EQ(Boxes(events), "0/0/30/0");
    EXPECT_TRUE(events.Option1[1]->isChecked());
    EXPECT_FALSE(events.TxtInt[0]->isEnabled());
    EXPECT_EQ(events.CmbME->currentIndex(), 1);
    EXPECT_EQ(events.CmbType->currentIndex(), 2);
    EXPECT_EQ(Text(events.TxtAfter), "7");
    EXPECT_EQ(events.Label1[4]->text().toStdString(), "후");
    events.CmbME->setCurrentIndex(0);
    EXPECT_EQ(events.Label1[4]->text().toStdString(), "전");
}

TEST_F(AnimationWindowTest, AppliesTheEventStep) {
    FrmAni& w = Open();
    w.Option1[1]->setChecked(true);
    w.CmbME->setCurrentIndex(1);
    w.CmbType->setCurrentIndex(2);
    w.TxtAfter->setText("10.7");
    w.CmdOKExt[0]->click();
    EXPECT_EQ(AppState().EventStepCode, -162);
    EXPECT_EQ(AppState().EventStepOffset, 10);
    EXPECT_EQ(host.items, std::vector<int>{12});
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmAni), nullptr);
}

TEST_F(AnimationWindowTest, AppliesTheRegularStepAndRefusesOneNotAboveZero) {
    FrmAni& w = Open();
    w.TxtInt[0]->setText("-200");
    w.CmdOKExt[0]->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "시간 간격은 0보다 커야 합니다.");
    EXPECT_EQ(Shown()[0].title, "시간 간격 조절");
    EXPECT_TRUE(host.items.empty());
    EXPECT_EQ(AppState().EventStepCode, -160);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmAni), &w);

    w.TxtInt[0]->setText("0");
    w.CmdOKExt[0]->click();
    EXPECT_DOUBLE_EQ(AppState().TimeStep, 30.0 / 1440);
    EXPECT_DOUBLE_EQ(AppState().CustomStep, 30.0 / 1440);
    EXPECT_EQ(host.items, std::vector<int>{11});
}

TEST_F(AnimationWindowTest, RateChecks) {
    // Nothing drawn yet: no check, no recommendations.
    FrmAni& first = Open();
    EXPECT_FALSE(first.CmdSPD[0]->isEnabled());
    Rate(first, "1", "2000");
    first.CmdOKExt[0]->click();
    EXPECT_EQ(host.interval, 1);
    EXPECT_TRUE(Shown().empty());

    AppState().DrawCount = 10;
    AppState().DrawTimeTotal = 1000;  // 0.1 s a drawing
    FrmAni& repaired = Open();
    Rate(repaired, "0", "5");
    repaired.CmdOKExt[0]->click();
    EXPECT_EQ(host.interval, 200);
    EXPECT_TRUE(Shown().empty());

    AppState().DrawTimeTotal = 5000;  // 0.5 s a drawing
    for (platform::MsgAnswer answer : {platform::MsgAnswer::Yes, platform::MsgAnswer::No}) {
        p.env.messages.shown.clear();
        p.env.messages.answers.push_back(answer);
        FrmAni& w = Open();
        Rate(w, "1", "3");
        w.CmdOKExt[0]->click();
        ASSERT_EQ(Shown().size(), 1u);
        EXPECT_EQ(Shown()[0].text,
                  "그리기 횟수를 너무 크게 설정하셨습니다. 이 컴퓨터로는 이렇게 빠르게\r\n"
                  "그릴 수 없습니다. 프로그램에서 추천하는 값으로 간격을 바꾸시겠습니까?");
        EXPECT_EQ(Shown()[0].title, "안내");
        EXPECT_EQ(Shown()[0].buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::Information);
        EXPECT_EQ(host.interval, answer == platform::MsgAnswer::Yes ? 500 : 333);
    }

    AppState().DrawTimeTotal = 0;  // counted as 1 ms
    FrmAni& fast = Open();
    fast.CmdSPD[0]->click();
    EXPECT_EQ(Text(fast.txtTm[0]), "1");
    EXPECT_EQ(Text(fast.txtTm[1]), "10000");

    AppState().DrawTimeTotal = 20000;  // 2 s a drawing
    fast.CmdSPD[1]->click();
    EXPECT_EQ(Text(fast.txtTm[0]), "60");
    EXPECT_EQ(Text(fast.txtTm[1]), "12");  // 6 s a drawing: 0.2 per second, rounded first
    fast.CmdOKExt[1]->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmAni), nullptr);
    EXPECT_EQ(host.interval, 333);
}

}  // namespace
}  // namespace zu
