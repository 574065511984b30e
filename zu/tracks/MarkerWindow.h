#pragma once
// The window `FrmPoint` ("표지 관리"): lists the user's markers
// (skydata::MapPointModule()) or lines (skydata::DrawnLineModule()), shows
// and edits the chosen one, deletes one or all, centres the chart on it,
// switches the drawing of each kind, and saves both as a user catalogue
// file (.UC). Modeless, one live window; the main window calls AddPoint,
// RefreshLineList and ReflashList, which create it hidden when it is closed.
//
// Each list row carries the index of its entry in the marker or line list
// as item data, so every action works on the entry the row shows.
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zu {

class FrmPoint final : public QWidget {
public:
    explicit FrmPoint(QWidget* owner);

    // ---- Public methods of the main window.
    // Appends a shown circle marker of 60 arcminutes at a J2000 place
    // (degrees), in the swatch colour, named "표지" and its number, and
    // selects it in the marker list. Does not redraw.
    void AddPoint(double ra_deg, double dec_deg);
    // Switches to the line list and selects its last line.
    void RefreshLineList();
    // Refills the list with the shown markers / the lines.
    void ReflashList();
    void ReflashList2();

    // ---- Window procedures.
    // Removes marker `index`; the last one leaves one unused slot.
    void RemovePoint(std::size_t index);
    // A J2000 place carried to the equinox of the chart time (degrees).
    static void PrecessToDate(double& ra_deg, double& dec_deg);
    // The .UC text of the markers and lines (CR LF line ends).
    static std::string MarkerCatalogText();

    // ---- Handlers.
    void optkind_Click(int index);
    void List1_Click();
    void List1_DblClick();
    void ChkView_Click();
    void CmdCenter_Click();
    void CmdEdit_Click();
    void CmdDel_Click();
    void CmdAllDel_Click();
    void CmdApply_Click();
    void cmdSave_Click();
    void Label2_Click();

    // The index of the selected row's entry; nullopt when nothing is selected.
    std::optional<std::size_t> SelectedEntry() const;
    // The swatch colour (Label2's back colour), red + 256 green + 65536 blue.
    void SetSwatchColor(std::int32_t color);

    bool ListMode = true;                 // true while the markers are listed
    std::int32_t SwatchColor = 0x0000FF;  // red

    // ---- Controls.
    std::array<QRadioButton*, 2> optkind{};
    QListWidget* List1 = nullptr;
    QCheckBox* ChkView = nullptr;
    QPushButton* CmdCenter = nullptr;
    QPushButton* CmdEdit = nullptr;
    QPushButton* CmdDel = nullptr;
    QPushButton* CmdAllDel = nullptr;
    QPushButton* cmdSave = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QLineEdit*, 3> TxtRA{};
    std::array<QLineEdit*, 3> txtDE{};
    QLineEdit* txtDia = nullptr;
    QLineEdit* txtNM = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* CmdApply = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void SelectEntry(std::size_t index);
    void ShowPlace(double ra_deg, double dec_deg);
};

}  // namespace zu
