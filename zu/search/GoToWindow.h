#pragma once
// The window `FrmFindC` ("좌표로 찾아가기"): centres the chart on one of ten
// reference points of the sky (galactic, ecliptic and celestial poles,
// equinoxes, solstices) or on a coordinate typed in one of four frames, as
// hours/minutes/seconds of longitude and degrees/minutes/seconds of
// latitude. "365.25도" reads the typed coordinate in degrees of a circle of
// 365.25 parts.
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zu {

class FrmFindC final : public QWidget {
public:
    // Loads: the boxes show the view centre, the frame list the view's frame,
    // the reference points are usable and the typed coordinate is not.
    explicit FrmFindC(QWidget* owner);

    // Computes TargetRA and TargetDec (degrees of date, RA 0..360) from the
    // chosen reference point or the typed coordinate; `full_circle` is the
    // number of degrees the typed coordinate counts in a circle (360 or
    // 365.25).
    void GoToCoordinate(double full_circle = 360);
    // Group 0: the reference point list; 1: the frame list and the six boxes.
    void EnableCoordInputs(int group, bool enabled);

    // ---- Handlers.
    void Option1_Click(int index);
    void Command1_Click(int index);

    double TargetRA = 0;
    double TargetDec = 0;

    std::array<QRadioButton*, 2> Option1{};
    std::array<QGroupBox*, 3> Frame1{};
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo1 = nullptr;
    std::array<QLineEdit*, 3> TxtNLon{};
    std::array<QLineEdit*, 3> TxtNLat{};
    std::array<QRadioButton*, 2> Option2{};
    std::array<QPushButton*, 2> Command1{};
    QCheckBox* ChkCloseWin = nullptr;

private:
    void BuildControls();
    void Form_Load();
};

}  // namespace zu
