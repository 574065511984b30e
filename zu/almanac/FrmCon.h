#pragma once
// The close-approach window: searches a period for close approaches of the
// Moon and the planets and for gatherings of several of them (with progress
// and "취소": a search of years takes seconds), lists them, copies them and,
// on a double click, offers to move the chart time to one.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "almanac/CloseApproach.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zu {

class FrmCon final : public QWidget {
public:
    // Loads the period from ten days before to fifty days after the chart
    // date.
    explicit FrmCon(QWidget* owner = nullptr);

    void CmdFind_Click();
    // Offers to move the chart time to the selected row: a morning or
    // evening gathering to the day's sunrise or sunset (its scan instant on
    // a day without one), a pair to its instant. Nothing without a selection.
    void List1_DblClick();
    void cmdCopy_Click();

    // The search the window runs (tests put a spy here): FindApproaches. It
    // runs as long work (platform/Services.h), with the planet tables of the
    // site in force when "찾기" was pressed.
    using SearchFunction = std::function<almanac::ApproachSearchStatus(const almanac::ApproachRequest&, const almanac::PlanetTableSource&,
                                                              std::vector<double>&, std::vector<std::string>&,
                                                              platform::WorkProgress*)>;
    SearchFunction Search;

    // The rows of the last search that ran, with the spare row; empty before
    // one has. A refused search (a start after the end, a period over five
    // years) lists them again; only while there are none does it ask for
    // the period to be checked. A search the user stops leaves them, and the
    // list, as they were.
    std::vector<double> Times;
    std::vector<std::string> Texts;

    QGroupBox* Frame1 = nullptr;
    QLineEdit* TxtStart[3] = {};
    QLineEdit* TxtEnd[3] = {};
    QLineEdit* TxtTime[2] = {};
    QLineEdit* TxtInt = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* txtPN = nullptr;
    QLineEdit* txtAngDist = nullptr;
    QCheckBox* Check2 = nullptr;
    QLineEdit* txtAngDist2 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* CmdFind = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* cmdCopy = nullptr;

private:
    void Form_Load();
};

}  // namespace zu
