#pragma once
// The chart information window `Form2` ("zu 정보"): the frame of the chart
// (view system, rotation, tracked object), the chart time as local standard,
// universal, local mean and true solar time, the apparent sidereal times of
// the site and of Greenwich, and Delta T. Form1::InfoBox fills it after every
// drawing, whether it is shown or not.
#include <QWidget>

#include <array>
#include <string>

class QLabel;

namespace zu {

inline constexpr int kInfoValueCount = 10;

// What InfoBox writes into Label2(i) and the tips it sets.
struct InfoTexts {
    std::array<std::string, kInfoValueCount> Value;
    std::array<std::string, kInfoValueCount> Tip;  // empty: the designed tip stays
};

struct InfoInputs {
    double jd_local = 0;         // CurrentJD
    double lon_deg = 0;          // site longitude, East positive
    double zone_h = 9;           // zone in force
    double rotation_deg = 0;     // MapRotation
    std::string coord_sys = "a"; // ViewCoordSys
    bool tracking = false;       // TrackOn = 1
    std::string tracked_name;    // name of the tracked object
};

InfoTexts MakeInfoTexts(const InfoInputs& in);

class Form2 final : public QWidget {
public:
    explicit Form2(QWidget* owner);

    void Show(const InfoTexts& texts);
    QLabel* Label1(int index) const { return label1_.at(static_cast<std::size_t>(index)); }
    QLabel* Label2(int index) const { return label2_.at(static_cast<std::size_t>(index)); }

private:
    std::array<QLabel*, 8> label1_{};
    std::array<QLabel*, kInfoValueCount> label2_{};
};

}  // namespace zu
