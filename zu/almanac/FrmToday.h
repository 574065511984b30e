#pragma once
// Tonight's sky window: the rise, transit and set of the Sun, the planets,
// the Moon and Pluto and the twilights of one civil day at the observer site,
// sorted by time; a diagram from that day's noon to the next of when the
// sky is astronomically dark and when the Moon is up, with one sentence on
// when to observe. The day steps back and forth; a double click on an event
// offers to move the chart time to it.
#include <QWidget>

#include <cstdint>
#include <vector>

#include "almanac/TonightSky.h"

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabBar;

namespace zu {

class PictureBox;

class frmToday final : public QWidget {
public:
    // Loads the day of the chart time.
    explicit frmToday(QWidget* owner = nullptr);

    // Index 0 the day before, 1 the day after.
    void cmdNavi_Click(int index);
    void cmdCopy_Click();
    // Offers to move the chart time to the selected event; nothing without
    // a selection.
    void List1_DblClick();
    // The events, the list, the diagram and the summary of the civil day
    // that holds day_jd.
    void FillTonightList(double day_jd);

    double BaseDay = 0;               // the chart time at loading
    std::int16_t DayOffset = 0;       // days added by the navigation buttons
    almanac::TonightSlots Slots;               // the shown day's events, sorted
    std::vector<int> RowMap;          // list row -> slot
    almanac::TonightCrossings Crossings;       // of the shown diagram

    QLabel* Label1[9] = {};
    QTabBar* TabStrip1 = nullptr;
    QGroupBox* Frame1[2] = {};
    QListWidget* List1 = nullptr;
    QPushButton* cmdCopy = nullptr;
    PictureBox* Picture1 = nullptr;
    QFrame* Line1[5] = {};
    QPushButton* cmdNavi[2] = {};
    QPushButton* CmdExit = nullptr;

private:
    double ShownDay() const { return BaseDay + DayOffset; }
    void Form_Load();
    void TabStrip1_Click();
    void ComputeTonight(double j0);
};

}  // namespace zu
