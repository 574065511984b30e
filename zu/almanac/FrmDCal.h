#pragma once
// The one-day almanac: one civil day at the observer site with its dates and
// eras, the day's stem-branch and lunar mansion, rise, transit and set of the
// Sun and the Moon, the twilights, the Moon's phase and age, the equation of
// time, the lunisolar and Islamic dates, and a diagram of the Sun's and the
// Moon's altitude through the day over the daylight and twilight bands.
// Everything for other moments is computed by value: the shared planet table
// stays at the chart moment.
#include <QDialog>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "platform/ImageSurface.h"

class QLabel;
class QPushButton;

namespace zu {

// The time in days since the new moon that precedes jd (a local civil
// Julian day in zone_h). No value when the new-moon solver fails.
std::optional<double> GetMoonAge(double jd, double zone_h);

// One point of the altitude diagram: h in 4-minute units from local midnight
// (0..360 over the day), altitudes in degrees.
struct DiagramSample {
    double h = 0;
    double sun_alt_deg = 0;
    double moon_alt_deg = 0;
};
// The Sun's and the Moon's topocentric altitudes at every 20 minutes of the
// day that begins at the local midnight day0, interpolated through the
// places at day0, day0 + 0.5 and day0 + 1.
std::vector<DiagramSample> SunMoonAltitudes(double day0);

// A picture box: shows what is drawn on its surface.
class PictureBox final : public QWidget {
public:
    PictureBox(int width, int height, QWidget* parent);
    platform::ImageSurface& Surface() { return *surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<platform::ImageSurface> surface_;
};

class FrmDCal final : public QDialog {
public:
    // Loads at the day of the chart time.
    explicit FrmDCal(QWidget* owner = nullptr);

    // Fills every text and draws the diagram for the present day offset.
    void ShowDayInfo();
    void CmdnDay_Click(int index);

    int DayOffset = 0;

    QLabel* LblDay[31] = {};
    QLabel* LCal1[2] = {};
    PictureBox* PicSun = nullptr;
    QPushButton* CmdnDay[2] = {};
    QPushButton* CmdOK = nullptr;

private:
    void ShowLunarIslamicDate(double t);
    void DrawSunMoonPaths(double day0, const double (&times)[8], bool daylight);
};

}  // namespace zu
