// Long work under Qt: it runs off the calling thread, the progress window
// with "취소" shows only for work that lasts, "취소" stops it, input for other
// windows is dropped meanwhile, and the work's failure reaches the caller.
#include "platform/QtLongWork.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "platform/QtTestApp.h"
#include "platform/Services.h"

namespace platform {
namespace {

QProgressDialog* ShownProgress() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

class QtLongWorkTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApp(); }
    LongWork& work = QtLongWorkService();
};

TEST_F(QtLongWorkTest, ShortWorkRunsOffTheCallingThreadWithoutAWindow) {
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ran_on;
    bool seen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { seen = seen || ShownProgress(); });
    watch.start(5);
    const bool done = work.Run({"시험", "짧은 일"}, [&](WorkProgress& p) {
        ran_on = std::this_thread::get_id();
        p.SetTotal(10);
        for (int i = 0; i < 10; ++i) p.Advance();
    });
    EXPECT_TRUE(done);
    EXPECT_NE(ran_on, caller);
    EXPECT_FALSE(seen);
}

TEST_F(QtLongWorkTest, CancelStopsLongWorkAndOtherWindowsTakeNoInput) {
    QPushButton other(QString::fromUtf8("다른 창"));
    other.show();
    int other_clicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&] { ++other_clicks; });

    QString title, text, button;
    int value_seen = -1;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QProgressDialog* dialog = ShownProgress();
        if (!dialog || !title.isEmpty()) return;
        title = dialog->windowTitle();
        text = dialog->findChild<QLabel*>()->text();
        value_seen = dialog->value();
        auto* cancel = dialog->findChild<QPushButton*>();
        button = cancel->text();
        // A click on the other window is dropped.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), other.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), other.mapToGlobal(QPointF(5, 5)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&other, &press);
        QApplication::sendEvent(&other, &release);
        cancel->click();
    });
    driver.start(20);

    const bool done = work.Run({"궤적 그리기", "궤적을 계산하는 중입니다..."}, [](WorkProgress& p) {
        p.SetTotal(1000);
        for (int i = 0; i < 1000 && !p.Cancelled(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            p.Advance();
        }
        while (!p.Cancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(title, QString::fromUtf8("궤적 그리기"));
    EXPECT_EQ(text, QString::fromUtf8("궤적을 계산하는 중입니다..."));
    EXPECT_EQ(button, QString::fromUtf8("취소"));
    EXPECT_GT(value_seen, 0);
    EXPECT_EQ(other_clicks, 0);
    EXPECT_EQ(ShownProgress(), nullptr);

    // Afterwards the other window takes input again.
    other.click();
    EXPECT_EQ(other_clicks, 1);
}

TEST_F(QtLongWorkTest, TheWorksFailureReachesTheCaller) {
    EXPECT_THROW(work.Run({}, [](WorkProgress&) { throw std::runtime_error("실패"); }), std::runtime_error);
}

// A work that runs until it is stopped, and says when it has returned.
struct StoppableWork {
    std::atomic<bool> returned{false};
    void operator()(WorkProgress& p) {
        p.SetTotal(100);
        while (!p.Cancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        returned.store(true);
    }
};

// A failure on the waiting side (memory for the progress window runs out):
// the work is stopped and its thread joined before the failure reaches the
// caller, and the program goes on.
TEST_F(QtLongWorkTest, AFailureWhileWaitingStopsAndJoinsTheWork) {
    StoppableWork body;
    const std::unique_ptr<LongWork> failing = QtLongWorkWithWaitingStep([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        throw std::runtime_error("대기 중 실패");
    });
    bool returned_when_caught = false;
    try {
        failing->Run({"시험", "멈출 때까지"}, [&](WorkProgress& p) { body(p); });
        ADD_FAILURE() << "no failure";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "대기 중 실패");
        returned_when_caught = body.returned.load();
    }
    EXPECT_TRUE(returned_when_caught);
    EXPECT_EQ(ShownProgress(), nullptr);
    // The seam serves the next work as before.
    EXPECT_TRUE(work.Run({}, [](WorkProgress& p) { p.Advance(); }));
}

// The window system's close as it reaches a window: spontaneous, sent to its
// native window.
void CloseFromWindowSystem(QWidget& window) {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(window.windowHandle(), &close);
}

class ClosingWindow final : public QWidget {
public:
    using QWidget::QWidget;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

// Closing the main window from its frame while work runs stops the work;
// the window's own close runs once the caller's handler has returned, not in
// its middle. An owned window closed meanwhile closes then too, without
// stopping the work.
TEST_F(QtLongWorkTest, TheWindowSystemsCloseIsHeldUntilTheWorkIsOver) {
    for (const bool main_window : {true, false}) {
        SCOPED_TRACE(main_window ? "main window" : "owned window");
        ClosingWindow main;
        ClosingWindow owned(&main, Qt::Tool);
        main.show();
        owned.show();
        QCoreApplication::processEvents();
        ClosingWindow& closed = main_window ? main : owned;

        StoppableWork body;
        int closes_seen_by_work = -1;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] { CloseFromWindowSystem(closed); });
        closer.start(30);
        // An owned window's close stops nothing: the work is stopped by hand
        // once the close has been held.
        QTimer stopper;
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (QProgressDialog* dialog = ShownProgress(); dialog && !closer.isActive()) {
                dialog->findChild<QPushButton*>()->click();
            }
        });
        if (!main_window) stopper.start(20);
        const bool done = work.Run({"시험", "멈출 때까지"}, [&](WorkProgress& p) {
            body(p);
            closes_seen_by_work = closed.closes;
        });
        EXPECT_FALSE(done);
        EXPECT_EQ(closes_seen_by_work, 0);
        EXPECT_EQ(closed.closes, 0) << "closed in the middle of the caller's handler";
        EXPECT_TRUE(closed.isVisible());
        QCoreApplication::processEvents();
        EXPECT_EQ(closed.closes, 1);
        EXPECT_FALSE(closed.isVisible());
        EXPECT_EQ(main.closes + owned.closes, 1);
    }
}

}  // namespace
}  // namespace platform
