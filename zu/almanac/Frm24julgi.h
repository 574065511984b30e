#pragma once
// The solar terms and phenomena window: the instants of the 24 solar terms
// of one year and the list of its planetary phenomena and Moon quarters. A
// double click on a phenomenon offers to move the chart time to it.
#include <QWidget>

#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace zu {

class Frm24julgi final : public QWidget {
public:
    // Loads at the year of the chart time.
    explicit Frm24julgi(QWidget* owner = nullptr);

    // The solar-terms page of year (astronomical, 0 = 1 BC).
    void CalcJulGi(double year);
    // The phenomena page of year, shown in the zone zone_h.
    void AstroPhem2(double year, double zone_h);

    void CmdAdj_Click(int index);
    void cmdCopy_Click();
    // Offers to move the chart time to the phenomenon of the selected line;
    // nothing without a selection.
    void List1_DblClick();

    double YearOffset = 0;
    std::vector<double> Times;  // JDE (planets) or UT (Moon) of each phenomenon
    std::vector<std::string> Texts;
    std::vector<int> RowMap;  // list row -> index in Times and Texts

    QTabBar* TabStrip1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label1[6] = {};
    QLabel* Label2[24] = {};
    QLabel* Label3[24] = {};
    QRadioButton* Option1[2] = {};
    QListWidget* List1 = nullptr;
    QPushButton* CmdAdj[2] = {};
    QPushButton* cmdCopy = nullptr;
    QPushButton* CmdExit = nullptr;

private:
    double ShownYear() const;
    void TabStrip1_Click();
};

}  // namespace zu
