#pragma once
// The date conversion window: one date between the solar calendar, the
// Korean lunisolar calendar and the Islamic calendar, in six directions,
// under a chosen set of lunisolar rules and a reference zone. It reads the
// zone in force and changes nothing outside itself.
#include <QDialog>

#include <optional>
#include <string>

#include "almanac/LunarCalendar.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zu {

// " 2008년 (윤) 5월  1일": the year, month and day as signed-number fields
// (one leading blank), "(윤)" for a leap month; a year up to 0 is written
// "기원전 " and |year| + 1 without blanks.
std::string FormatLunarDate(int year, int month, int day, bool leap);

class FrmLuniSolar final : public QDialog {
public:
    explicit FrmLuniSolar(QWidget* owner = nullptr);

    // Converts the entered date in the chosen direction into Lr(0..2). A
    // date box that does not hold a whole number in its range gets a message
    // box and leaves the results as they were.
    void CmdCalc_Click();

    QComboBox* Combo1 = nullptr;  // direction 0..5
    QComboBox* Combo2 = nullptr;  // reference zone 0..3
    QCheckBox* Check1[3] = {};
    QLineEdit* txtDate[3] = {};
    QComboBox* CmbADBC = nullptr;
    QCheckBox* CLeap = nullptr;
    QPushButton* CmdCalc = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Lr[3] = {};

    almanac::LunisolarRules Rules;

private:
    void Combo1_Click();
    void Check1_Click(int index);
};

}  // namespace zu
