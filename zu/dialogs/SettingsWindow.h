#pragma once
// The window `FrmSet` ("설정"): the display settings without a menu switch
// of their own, on four tabs: stars and planets (magnitude limits, star
// size, precession and proper motion), details (finder circles, rotation
// step, mansion degrees, extinction, refresh interval, translucent planets),
// colours and fonts, and the user object lists. Nothing is applied before
// "적용"; "취소" and the close box drop every change.
#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

#include "skydata/StartupTables.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QTextEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QFrame;
class QTabBar;

namespace zu {

class FrmSet final : public QDialog {
public:
    explicit FrmSet(QWidget* owner);

    // ---- Handlers.
    void TabStrip1_Click();
    void CmdOK_Click();
    void ListCat_Click();
    void CmdSetPath_Click();
    void CmdCAT_Click(int index);
    // The colour and font tab. Clicks by mouse button (1 left, 2 right).
    void LblLine_Click(int index);
    void LblLine_MouseUp(int index, int button);
    void LblName_MouseUp(int index, int button);
    void LblSky_Click(int index);
    void LblStar_Click(int index);
    void LGROUND_Click();
    void LblFind_Click();
    void Check1_Click();
    // Refills ListCat from the dialog's two slots; no row stays selected.
    void ShowUserListInfo();

    // The dialog's copy of the two user-list slots, applied by "적용".
    struct UserListSlot {
        std::string Path;
        bool Assigned = false;
        std::string Name;
        std::string Comments;
    };
    std::array<UserListSlot, 2> UserLists;

    // The colour and font tab's values as edited (shown by its labels).
    std::array<std::int32_t, skydata::kLineColorCount> LineColours{};
    std::array<skydata::FontStyle, skydata::kGridFontCount> GridFonts;
    std::array<skydata::FontStyle, skydata::kLayerStyleCount> LayerStyles;
    std::array<std::int32_t, 6> SkyColours{};
    std::int32_t GroundColour = 0;
    std::int32_t FinderColour = 0;
    std::array<std::int32_t, 7> StarColours{};

    QTabBar* TabStrip1 = nullptr;
    // 0 stars and planets, 1 colours and fonts, 2 user lists, 3 details.
    std::array<QGroupBox*, 4> Frame1{};
    QLineEdit* TxtLimit = nullptr;
    QLineEdit* TxtKi = nullptr;
    QLineEdit* TxtComet = nullptr;
    QLineEdit* TxtAst = nullptr;
    QLineEdit* TxtName = nullptr;
    QLineEdit* TxtBLimit = nullptr;
    QLineEdit* txt2kLimit = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* ChkPre = nullptr;
    QCheckBox* ChkPM = nullptr;
    std::array<QLineEdit*, 2> TxtFSize{};
    std::array<QLineEdit*, 2> TxtfName{};
    std::array<QCheckBox*, 2> ChkLabel{};
    QLineEdit* TxtRotate = nullptr;
    std::array<QRadioButton*, 2> Opt360{};
    QLineEdit* txtAirEx = nullptr;
    QLineEdit* txtRefreshRate = nullptr;
    QCheckBox* Check2 = nullptr;
    QListWidget* ListCat = nullptr;
    QLabel* LblCatName = nullptr;
    QLineEdit* TxtCPath = nullptr;
    QPushButton* CmdSetPath = nullptr;
    QTextEdit* TxtComment = nullptr;
    std::array<QPushButton*, 2> CmdCAT{};
    std::array<QFrame*, skydata::kLineColorCount> LnColor{};
    std::array<QLabel*, 13> LblLine{};
    std::array<QLabel*, skydata::kLayerStyleCount> LblName{};
    std::array<QLabel*, 6> LblSky{};
    QLabel* LGROUND = nullptr;
    QLabel* LblFind = nullptr;
    QFrame* ShpFind = nullptr;
    std::array<QLabel*, 7> LblStar{};
    QCheckBox* Check1 = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;

private:
    void BuildControls();
    void BuildStarTab();
    void BuildDetailTab();
    void BuildListTab();
    void BuildColourTab();
    void LoadColourTab();
    void ApplyColourTab();
    void ShowColourTab();
    // The colour dialog preset with `colour`; true when one was chosen.
    static bool PickColour(std::int32_t& colour);
    static bool PickFont(skydata::FontStyle& style);
    void LoadUserLists();
    // The slot of the selected ListCat row; nullptr without a selection.
    UserListSlot* SelectedSlot();
    void EnableListButtons();
    void Form_Load();
};

}  // namespace zu
