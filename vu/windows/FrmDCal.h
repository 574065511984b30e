#pragma once
// The calendar's day details window ("자세히.."): for one civil date the
// weekday and era years, the day's stem-branch and lunar mansion, the lunar
// and Islamic dates, the special days and events, a count from the base
// date and the day of the year, rise, set and twilight of the Sun and Moon
// without and with the height correction, the Moon's phase and age, the
// equation of time and Delta T. Buttons and the keypad's + and - step a day.
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace ui {
class WrappedLabel;
class WrappedLabelScroller;
}  // namespace ui

namespace vu {

// The day the window shows, a noon Julian day as the month grid's CellJD
// holds it. The grid sets it before opening the window; the window steps it
// and leaves it at the last day shown.
double& DetailJD();

// Special-day and event names of one day (all three sets and the events).
std::string MakeSDStr2(double jd);
// Equation of time in degrees (-180..180, times 4 for minutes) at a Julian
// day of UT: the mean Sun's longitude less the aberration, minus the Sun's
// right ascension, plus the nutation in right ascension (Meeus ch. 28).
double EqTime(double jd_ut);
// Days since the new moon at or before jd (local), new moons in zone_h.
double GetMoonAge(double jd, double zone_h);

// The sexagenary name of n (0..59) up to its hanja branch: "갑진(甲辰"; the
// caller closes the parenthesis.
std::string SexagenaryName(int n);

class FrmDCal final : public QDialog {
public:
    explicit FrmDCal(QWidget* owner = nullptr);

    // Fills every label for DetailJD.
    void ShowDayInfo();
    // Keypad plus (107) steps a day forward, keypad minus (109) back; any
    // key then redraws the day.
    void StepDayByKey(int key_code);

    double DetailZone = 0;  // hours: TZ, or TZ + FH inside summer time

    QLabel* LblDay[16] = {};
    QLabel* LCal1[2] = {};
    ui::WrappedLabel* LSD = nullptr;
    ui::WrappedLabelScroller* LSDScroller = nullptr;  // LSD scrolls in it
    QPushButton* Command2[2] = {};
    QPushButton* CmdOK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDayCalendars();
};

}  // namespace vu
