#pragma once
// The window `FrmCFilter` ("별자리 표시 설정"): which constellation figures of
// the three systems the chart draws, and which Western constellations get
// their boundary. A tree chooses a system or one of the 31 sky districts of
// the two traditional systems; a check list shows its constellations. The
// window works on copies of the flags taken when it loads; "적용" copies them
// into the constellation tables and redraws, "닫기" drops them.
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zu {

class FrmCFilter final : public QWidget {
public:
    explicit FrmCFilter(QWidget* owner);

    // Fills the list for a node key ("WConst", "All", "Bound", "EConst",
    // "OConst", "E"/"O" + district code).
    void ShowFilterGroup(const std::string& key);
    // The list's ticks into the working copies for CurrentKey.
    void StoreFilterChecks();

    // ---- Handlers.
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void CmdAll_Click();
    void CmdANot_Click();
    void CmdInv_Click();
    void CmdMain_Click();
    void Command1_Click();
    void Command2_Click();

    // The tree node with that key; nullptr when none.
    QTreeWidgetItem* Node(const std::string& key) const;

    // ---- Working copies, in table order.
    std::vector<bool> WFigure, WBound, EFigure, OFigure;
    std::vector<std::string> WCode, ECode, OCode;
    std::string CurrentKey;

    QTreeWidget* TreeView1 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* CmdAll = nullptr;
    QPushButton* CmdANot = nullptr;
    QPushButton* CmdInv = nullptr;
    QPushButton* CmdMain = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QCheckBox* ChkCloseWin = nullptr;

private:
    void BuildControls();
    void Form_Load();
    // The flags and codes the key's list works on; WFigure for "W"/"A".
    std::vector<bool>& FlagsOf(const std::string& key);
    const std::vector<std::string>& CodesOf(const std::string& key) const;
    // The district code of a district key; "" for the system nodes.
    static std::string DistrictOf(const std::string& key);
};

}  // namespace zu
