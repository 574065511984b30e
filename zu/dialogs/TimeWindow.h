#pragma once
// The window `FrmTime` ("시간 설정"): sets the chart time from a local civil
// date and time typed with its era (1 BC and 1 AD are both year 1), the
// summer-time and real-time switches and the user's Delta T. Applying sets
// the chart time, the zone in force and the sidereal time, recomputes what
// depends on the date, saves the settings and redraws.
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zu {

class FrmTime final : public QWidget {
public:
    explicit FrmTime(QWidget* owner);

    // Recomputes both Julian-day labels from the fields.
    void UpdateJDLabel();

    // ---- Handlers.
    // The year and day checks run when their box is left for another field
    // of this window (not for a button, nor when the window loses the
    // focus); 적용 checks the year itself. The year and its era are one
    // value: moving between them checks nothing, and choosing an era checks
    // the year under it. A year past its era's range becomes that era's
    // last year (9999 or 4713 BC) with one message.
    void TxtYear_LostFocus();
    void CmbADBC_Click();
    void TxtMonth_LostFocus();
    void TxtDay_LostFocus();
    void TxtHour_Change();
    void ChkSync_Click();
    void CmdNow_Click();
    void CmdOK_Click();

    QCheckBox* ChkSync = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* CmbADBC = nullptr;
    QLineEdit* TxtYear = nullptr;
    QLineEdit* TxtMonth = nullptr;
    QLineEdit* TxtDay = nullptr;
    QLineEdit* TxtHour = nullptr;
    QLineEdit* TxtMin = nullptr;
    QCheckBox* chkDT = nullptr;
    QLineEdit* txtDT = nullptr;
    QCheckBox* ChkSummer = nullptr;
    std::array<QLabel*, 2> LblJD{};
    QCheckBox* ChkCloseWin = nullptr;
    QPushButton* CmdNow = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;

private:
    void BuildControls();
    void Form_Load();
    // The first-day rule: no hour before noon on 1 January 4713 BC.
    void CheckFirstDay();
    // Puts a year outside its era's range back at the era's edge with the
    // range message; false when it did.
    bool KeepYearInRange();
    // The zone the window's time is in: the site's standard zone and the
    // window's summer-time box.
    double ZoneInForm() const;
    // The typed year in astronomical numbering.
    double AstronomicalYear() const;
};

}  // namespace zu
