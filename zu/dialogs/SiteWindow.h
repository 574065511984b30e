#pragma once
// The window `FrmObs` ("관측지 설정"): sets the observer site (name,
// longitude and latitude with their hemispheres, standard time zone, air
// temperature and pressure, geocentric or topocentric places) and keeps the
// list of named sites in "local.txt" (read and written by zu/core/SiteList.h).
#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "zu/core/SiteList.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zu {

class FrmObs final : public QWidget {
public:
    explicit FrmObs(QWidget* owner);

    // Reads "local.txt"; a missing file is an empty list.
    void LoadSites();
    // Writes the list to "local.txt" in the user folder; false (with a
    // message) when it cannot be written.
    bool SaveSites();
    void FillSiteList();
    void ShowSiteCoords(double lon_deg, double lat_deg);

    // ---- Handlers.
    // Fills the fields from the site of the current row (also when the row
    // moves by key).
    void List1_Click();
    void CmdEdit_Click(int index);
    void CmdOK_Click();

    // The sites as listed (index = row of List1).
    std::vector<const ObsSite*> ListedSites() const;

    QLineEdit* TxtObs = nullptr;
    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 3> CmdEdit{};
    QComboBox* CmbLon = nullptr;
    QComboBox* CmbLat = nullptr;
    std::array<QLineEdit*, 3> TxtLon{};
    std::array<QLineEdit*, 3> TxtLat{};
    QLineEdit* TxtTimeZone = nullptr;
    std::array<QLineEdit*, 2> txtAir{};
    QCheckBox* ChkGeocenter = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;
    QCheckBox* ChkCloseWin = nullptr;

private:
    void BuildControls();
    void Form_Load();
    // The site of the fields; false (with the range box) when a value is out
    // of range or the name holds ";" (only when `for_list`).
    bool ReadFields(ObsSite& site, bool for_list);
    void EnableEdits();
    void ShowZone(double zone, double lon_deg);

    std::vector<SiteLine> lines_;
    bool read_failed_ = false;
    // The row of List1 whose site the fields show; -1 when they show none.
    int shown_row_ = -1;
};

}  // namespace zu
