#pragma once
// The object search window `FrmFind` ("찾기"): a free-text search over every
// catalogue on its first tab, a search by category (districts and their
// Korean constellations, lists, HR and extended-catalogue numbers, user
// lists) on its second, a panel "고른 천체" that shows the chosen object with
// its place of date and whether it is up, and "찾기", which centres the chart
// on it through the host (zu/core/ChartHost.h).
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace zu {

class FrmFind final : public QWidget {
public:
    // Loads: places of comets and asteroids for the chart time, the category
    // list, the first constellation of the first district prepared on the
    // category tab, the free-text tab in front with nothing chosen.
    explicit FrmFind(QWidget* owner);

    // ---- Public operations (also used by the free-text search).
    // Fills ListFind and the keys of its lines for the text; 찾기 is off
    // until one of them is chosen.
    void FindNameString(const std::string& text);
    // Shows an object of kind econ/ocon (a label row), wcon (a label row),
    // pl, com, ast, ename, wname or m; false (nothing changed, 찾기 disabled)
    // when there is no such row. Stores FoundVector.
    bool ShowFoundObject(const std::string& kind, int index);
    // kind econ or ocon, index a row of that system's ConstData table.
    void ShowKoreanConstellation(const std::string& kind, int index);
    void FindHRStar(const std::string& text);
    // Field 0 catalogue number, 1 HD, 2 SAO.
    void FindSky2000Star(const std::string& text, int field);

    // ---- Handlers.
    void TabStrip1_Click();
    void Combo6_Click();
    void List1_Click();
    void List2_Click();
    void List3_Click();
    void ListFind_Click();
    void txtObjName_Change();
    void TxtHR_Change();
    void Text1_Change();
    void CmdFind_Click();
    void CmdCancel_Click();

    // ---- State.
    std::array<double, 3> FoundVector{};  // direction of date, length 1000
    int CategoryIndex = 0;
    std::string DistrictCode;
    std::vector<std::string> ResultKeys;  // one per line of ListFind

    // ---- Controls.
    QTabBar* TabStrip1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtObjName = nullptr;
    QListWidget* ListFind = nullptr;
    QComboBox* Combo6 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QLabel* Label1_0 = nullptr;
    QLabel* Label1_1 = nullptr;
    QLineEdit* TxtHR = nullptr;
    QLabel* Label4_1 = nullptr;
    QWidget* picS2k = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QRadioButton*, 3> Option1{};
    QGroupBox* FCom = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1_2 = nullptr;
    QLabel* Label1_3 = nullptr;
    QLabel* LCRA = nullptr;
    QLabel* LCDec = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* CmdFind = nullptr;
    QPushButton* CmdCancel = nullptr;
    QCheckBox* ChkCloseWin = nullptr;

private:
    void Form_Load();
    void BuildControls();
    void FillMansionList();
    void ListWesternConstellations();
    void ListSolarSystemBodies();
    void ListStarNames();
    void ListDeepSkyObjects();
    void FillUserCatalogList(int slot);
    void ShowUserListEntry(const std::string& item_text);
    // Shows the place of date (degrees) under `name` with its visibility.
    void ShowPosition(const std::string& name, double ra_deg, double dec_deg);
    void ShowVisibility(double altitude_deg);
    // Leaves the display as it is and disables 찾기; false.
    bool NothingToShow();
    // Empties the panel "고른 천체" and disables 찾기: nothing is chosen.
    void ShowNothing();
    void ShowNotFound(const std::string& name, const std::string& message);
    // The first label row of the system whose code begins with the first
    // four characters of `code`; -1 when none does.
    int LabelRowOf(char system, const std::string& code) const;
    void ShowConstellationRow(char system, int data_row);
};

// The place of a direction vector precessed from the equinox of jd_from to
// that of jd_to (the precession matrix between the two Julian days applied
// to the vector); right ascension 0..360.
void PrecessVector(double jd_from, double jd_to, double x, double y, double z, double& ra_deg, double& dec_deg);

}  // namespace zu
