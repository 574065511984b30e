// The calendar's tool windows as a user sees them, on 2024: the day details
// of 3 May, the Moon phases of April (total solar eclipse), the solar
// terms, the date converter, the lunar-to-solar table of 2023 and the
// year's special days. The pictures are kept as "vu-window-*.png" in the
// program folder.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"
#include "vu/grid/YearCycle.h"
#include "vu/windows/Form2.h"
#include "vu/windows/Form3.h"
#include "vu/windows/Frm24julgi.h"
#include "vu/windows/FrmDCal.h"
#include "vu/windows/FrmMoon.h"
#include "vu/windows/FrmOne.h"

namespace vu {
namespace {

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Shows the window, saves its picture; true when it holds more than one colour.
bool Keep(QWidget& window, const char* file) {
    window.show();
    RunEventsFor(100);
    const QImage shot = window.grab().toImage();
    if (shot.isNull() || !shot.save(file)) return false;
    const QRgb first = shot.pixel(0, 0);
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            if (shot.pixel(x, y) != first) return true;
    return false;
}

TEST(VuWindowsScreenshot, EveryToolWindow) {
    platform::EnsureQtApp();
    platform::FakeQtEnv env("vu");
    calendar::ResetCalendarState();
    calendar::CalendarState& state = calendar::Calendar();
    state.CalYear = 2024;
    calendar::UpdateSummerDays(state);
    PrepareDisplayedYear(state, 5);

    DetailJD() = calendar::JulianDay(2024, 5, 3, 12);
    FrmDCal details;
    EXPECT_TRUE(Keep(details, "vu-window-details.png"));

    FrmMoon moon(2024, 4);
    EXPECT_TRUE(Keep(moon, "vu-window-moon.png"));

    Frm24julgi terms;
    EXPECT_TRUE(Keep(terms, "vu-window-terms.png"));

    Form2 converter;
    converter.chkLeap->setChecked(true);
    converter.txtCal[6]->setText("2023");
    converter.txtCal[7]->setText("2");
    converter.CmdCalc->click();
    EXPECT_TRUE(Keep(converter, "vu-window-converter.png"));

    Form3 table(5);
    table.Option1[0]->click();
    table.Command2[0]->click();
    EXPECT_TRUE(Keep(table, "vu-window-table.png"));

    FrmOne special(5);
    EXPECT_TRUE(Keep(special, "vu-window-special-days.png"));
    calendar::ResetCalendarState();
}

}  // namespace
}  // namespace vu
