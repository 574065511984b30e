#pragma once
// The calendar's direct date converter: one solar date to the Korean lunar
// date and one lunar date to the solar date, both at once, with the
// calendar's current settings (the main window's panel read first).
#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vu {

class Form2 final : public QDialog {
public:
    // read_form_settings takes the main window's settings panel, unapplied
    // edits included, into the calendar's settings (nothing when empty).
    explicit Form2(std::function<void()> read_form_settings = {}, QWidget* owner = nullptr);

    // Both conversions from the boxes; TZ, CalYear and the era rule flags
    // are as before afterwards.
    void DirectChange();

    // 0-2 solar input, 3-5 lunar output, 6-8 lunar input, 9-11 solar output
    // (year, month, day each).
    QLineEdit* txtCal[12] = {};
    QCheckBox* chkLeap = nullptr;
    QLabel* Label1_41 = nullptr;  // "(윤)" after a converted leap-month date
    QPushButton* CmdCalc = nullptr;
    QPushButton* Command1 = nullptr;

private:
    std::function<void()> read_form_settings_;
};

}  // namespace vu
