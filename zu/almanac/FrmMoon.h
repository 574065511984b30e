#pragma once
// The Moon phases window: new moon, first quarter, full moon and last
// quarter nearest a base instant, in local time and in Terrestrial Time,
// with the solar eclipse at the new moon and the lunar eclipse at the full
// moon marked. A click on an eclipse mark offers to move the chart there.
#include <QDialog>
#include <QLabel>

#include <functional>

class QPushButton;

namespace zu {

// A label that reports a left click.
class ClickLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

inline constexpr double kMeanLunation_days = 29.5305882;

class FrmMoon final : public QDialog {
public:
    // Loads with the base at the chart time.
    explicit FrmMoon(QWidget* owner = nullptr);

    // Fills the four rows and the eclipse marks from the base; the base then
    // becomes the full moon found.
    void CalcMoon();
    // Asks whether to move the chart time to the eclipse (0 solar, 1 lunar);
    // on Yes moves it and closes the window.
    void LbEclipse_Click(int index);
    void cmdCopy_Click();

    double Base = 0;             // local civil Julian day
    double EclipseTime[2] = {};  // local civil Julian days of the new and the full moon

    QLabel* Label1[8] = {};
    QLabel* LbTime[4] = {};
    QLabel* LbJD[4] = {};
    ClickLabel* LbEclipse[2] = {};
    QPushButton* Command2[2] = {};
    QPushButton* cmdCopy = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace zu
