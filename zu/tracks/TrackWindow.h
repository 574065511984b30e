#pragma once
// The window `FrmPath` ("태양계 천체의 궤적"): the date range, step, time of
// day, frame and label contents of the tracks (skydata::PathModule()
// .Settings) and which planets, comets and asteroids have one (PathBodyList).
// The dialog edits its own copy of the selection, kind by kind; "적용"
// stores both, recomputes the tracks (zu/core/Tracks.h) and redraws; "취소"
// changes nothing, and neither does an apply whose long computation the
// user stops (the window then stays open). Opened modally, created for each opening; the pop-up
// command "궤적 그리기에 추가" sets ADDfromMainFirst and ObjID before it is
// shown to put the picked body first.
#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "skydata/PathBodies.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zu {

class FrmPath final : public QDialog {
public:
    explicit FrmPath(QWidget* owner);

    // Set by the main window before showing: put ObjID (a track code) into
    // the first slot of the dialog's selection.
    bool ADDfromMainFirst = false;
    std::string ObjID;

    // ---- Window procedures.
    // Controls from the track settings in force.
    void FillPathDialog();
    // The names of the kind shown, those of the dialog's selection selected.
    void FillBodyList();
    // The dialog's selection of the kind shown from the list.
    void CollectBodySelection();
    // Checks and stores the boxes into the track settings and the selection
    // into PathBodyList; false (nothing stored) when the range was refused.
    bool ApplyPathDialog();
    void RestorePathSettings();

    // ---- Handlers.
    void Command1_Click(int index);  // 0 "적용", 1 "취소"
    void Command2_Click();           // "모두 해제"
    void Command3_Click();           // "날짜 조절"
    void optkind_Click(int index);
    void ChkLabel_Click();
    void CmbTime_Click();

    // ---- State.
    std::vector<std::string> WorkBodyList = std::vector<std::string>(1);
    skydata::PathSettings SavedPathSettings;
    // PathBodyList as the window found it, put back when the computation of
    // an apply is stopped.
    std::vector<std::string> SavedPathBodies;
    std::uint8_t BodyKind = 0;  // 0 planets, 1 comets, 2 asteroids

    // ---- Controls.
    std::array<QLineEdit*, 3> TxtStart{};
    std::array<QLineEdit*, 3> TxtEnd{};
    QLineEdit* TxtInt = nullptr;
    QLineEdit* TxtLabel = nullptr;
    QComboBox* CmbTime = nullptr;
    std::array<QLineEdit*, 2> TxtTime{};
    QComboBox* CmbRef = nullptr;
    QCheckBox* ChkSnc = nullptr;
    std::array<QCheckBox*, 4> ChkLabel{};
    QCheckBox* chkFirst = nullptr;
    QCheckBox* ChkDrawTail = nullptr;
    QPushButton* Command3 = nullptr;
    std::array<QRadioButton*, 3> optkind{};
    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 2> Command1{};
    QPushButton* Command2 = nullptr;

    // "취소", Esc and the close button: the settings as they were loaded.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void RemoveKindCodes();
    void CompactBodyCodes();
    void AppendBodyCode(const std::string& code);
    bool BodyCodeListed(const std::string& code) const;

    bool loaded_ = false;
};

// The body names of one kind in list order: 0 the planet table, 1 the comets,
// 2 the asteroids.
std::vector<std::string> PathBodyNamesOfKind(std::uint8_t kind);

}  // namespace zu
