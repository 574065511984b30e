#pragma once
// The calendar's solar terms window: the moments of the 24 true solar terms
// of a year (summer time shown, the Julian day in each tool tip), stepped a
// year back or forward. The terms always come from the true solver.
#include <QDialog>

#include <array>
#include <string>

class QLabel;
class QPushButton;

namespace vu {

struct SolarTermRow {
    std::string Name;   // hangul
    std::string Hanja;
    double Day = 0;        // first guess, days after 0 January
    double Longitude = 0;  // target apparent solar longitude, degrees
};

class Frm24julgi final : public QDialog {
public:
    // Loads for the displayed year CalYear.
    explicit Frm24julgi(QWidget* owner = nullptr);

    // Fills the table of the 24 terms (소한 first).
    void Set24Julgi();
    // Shows the 24 terms of year (astronomical numbering).
    void CalcJulGi(double year);

    std::array<SolarTermRow, 24> Terms{};
    double YearOffset = 0;  // years added to CalYear by the step buttons

    QLabel* Label1 = nullptr;  // title
    QLabel* Label2[24] = {};   // term names
    QLabel* Label3[24] = {};   // term moments
    QPushButton* CmdAdj[2] = {};
    QPushButton* CmdExit = nullptr;
};

}  // namespace vu
