#pragma once
// The calendar's list of the year's special days ("올 해의 기념일"): day by
// day, the names of the chosen special-day sets and the astronomical events
// of the displayed year, or of the main window's month only, as plain text.
#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vu {

class FrmOne final : public QDialog {
public:
    // Loads for CalYear; month is the main window's month field, read by
    // every GenOne. Lists the phenomena of the year and 30 days around it.
    explicit FrmOne(double month, QWidget* owner = nullptr);

    // Rebuilds the list.
    void GenOne();
    // The names of one day under the four source switches.
    std::string MakeSDStr1(double jd) const;

    bool ShowSource[4] = {};  // set 0 (with the Ramadan days), set 1, set 2, events
    bool ShowEmpty = false;   // list days without any entry too
    bool OnlyMonth = false;   // list only the month field's month
    double FromJD = 0;        // first and last day listed, noon Julian days
    double ToJD = 0;

    QCheckBox* Check1[4] = {};
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    // The text of Text1 as built, lines ending in CR LF.
    std::string Text1Text;
    QPushButton* CmdOK = nullptr;

private:
    double month_;
};

}  // namespace vu
