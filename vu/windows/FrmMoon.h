#pragma once
// The calendar's Moon phases window: the new moon, first quarter, full moon
// and last quarter of one lunation in local time (summer time shown) with
// their Julian days and Terrestrial Time in the tool tips, the solar eclipse
// at the new moon and the lunar eclipse at the full moon. The buttons step
// one mean synodic month from the full moon last shown.
#include <QDialog>

class QLabel;
class QPushButton;

namespace vu {

inline constexpr double kSynodicMonth_days = 29.5305882;

class FrmMoon final : public QDialog {
public:
    // Loads for the 15th of `month` of `year` at noon (the displayed month).
    FrmMoon(double year, double month, QWidget* owner = nullptr);

    // Fills every label from MoonBaseJD; MoonBaseJD then becomes the full
    // moon found.
    void CalcMoon();

    double MoonBaseJD = 0;  // local civil Julian day the phases are searched from

    QLabel* Label1[5] = {};  // heading and the four phase names
    QLabel* LbTime[4] = {};
    QLabel* LbJD[4] = {};
    QLabel* LbEclipse[2] = {};  // under the new moon, under the full moon
    QPushButton* Command2[2] = {};
    QPushButton* Command1 = nullptr;
};

}  // namespace vu
