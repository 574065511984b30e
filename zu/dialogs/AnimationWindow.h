#pragma once
// The window `FrmAni` ("시간 간격 조절"): the step of the animation (a
// regular interval, or from one solar event to the next, shifted by some
// minutes) and its drawing rate, which becomes the interval of the main
// window's animation timer. The rate is checked against the drawing time
// measured since start; three buttons offer rates this computer can keep.
#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zu {

class FrmAni final : public QDialog {
public:
    explicit FrmAni(QWidget* owner);

    // Enables the boxes of the chosen step mode.
    void SetFrm();

    // ---- Handlers.
    void CmbME_Click();
    void CmdSPD_Click(int index);
    void CmdOKExt_Click(int index);

    std::array<QRadioButton*, 2> Option1{};
    std::array<QLineEdit*, 4> TxtInt{};
    QComboBox* CmbME = nullptr;
    QComboBox* CmbType = nullptr;
    QLineEdit* TxtAfter = nullptr;
    std::array<QLabel*, 6> Label1{};
    std::array<QLineEdit*, 2> txtTm{};
    std::array<QPushButton*, 3> CmdSPD{};
    std::array<QPushButton*, 2> CmdOKExt{};

private:
    void BuildControls();
    void Form_Load();
    // Seconds one chart drawing has taken on average since start, times k;
    // 0 while nothing has been drawn.
    static double MeasuredFrameTime(double k);
};

}  // namespace zu
