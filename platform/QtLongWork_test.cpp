// Long work under Qt: it runs off the calling thread, the progress window
// with "취소" shows only for work that lasts, "취소" stops it, input for other
// windows is dropped meanwhile, and the work's failure reaches the caller.
#include "platform/QtLongWork.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <chrono>
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

}  // namespace
}  // namespace platform
