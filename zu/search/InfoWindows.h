#pragma once
// The information windows: `FrmInfo` (one chart object, modeless, one for the
// run), `FrmCInfo` (the traditional constellations, modeless) and `FrmPInfo`
// (the bodies of the solar system, modal). Their texts come from
// ObjectInfoText.h, ConstInfoText.h and BodyInfoText.h.
#include <QDialog>
#include <QWidget>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zu {

// Describes the object whose key stands in AppState().SelObjKey. The text is
// rebuilt from the chart time, site and settings whenever the window becomes
// active.
class FrmInfo final : public QWidget {
public:
    explicit FrmInfo(QWidget* owner);

    // Rebuilds Label1 and Text1 (what every activation does).
    void Form_Activate();
    // Clears the clipboard and puts Text1's text on it.
    void cmdCopy_Click();
    // The text as built, lines ending with CR LF.
    const std::string& Text() const { return text_; }

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* cmdCopy = nullptr;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    bool loaded_ = false;
    std::string text_;
};

// Shows the information window of the run for AppState().SelObjKey, owned by
// owner and captioned "정보: " + name, and rebuilds its text: an open window
// that is merely raised may not be activated anew.
FrmInfo& ShowObjectInfo(QWidget* owner, const std::string& name);

// The constellations of the two traditional systems by sky district, with
// their member stars and comments.
class FrmCInfo final : public QWidget {
public:
    explicit FrmCInfo(QWidget* owner);

    // What a click on the node with that key does; false when there is none.
    bool ClickNode(const std::string& key);
    void List2_Click();
    void List2_DblClick();
    void Command1_Click(int index);

    QTreeWidget* TreeView1 = nullptr;
    std::array<QLabel*, 4> Label1{};
    QListWidget* List2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QCheckBox* ChkCloseWin = nullptr;
    std::array<QPushButton*, 2> Command1{};
    std::string SelectedNodeKey;

private:
    void Form_Load();
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void ShowConstellationInfo(const std::string& key, const std::string& path, const std::string& text);
};

// The numbers of the Sun, the Moon, the planets, a comet or an asteroid for
// the chart time.
class FrmPInfo final : public QDialog {
public:
    explicit FrmPInfo(QWidget* owner);

    void Combo1_Click();
    void ListPl_Click();
    void CmdObs_Click();

    QComboBox* Combo1 = nullptr;
    QListWidget* ListPl = nullptr;
    QLabel *LPName = nullptr, *LMag = nullptr, *LPhas = nullptr, *Lelong = nullptr, *LDia = nullptr;
    QLabel *LDistEP = nullptr, *LDistSP = nullptr;
    QLabel *RAtopo = nullptr, *DEtopo = nullptr, *RAgeo = nullptr, *DEgeo = nullptr;
    QLabel *Longeo = nullptr, *latgeo = nullptr, *lonhel = nullptr, *lathel = nullptr, *Laz = nullptr, *Lalt = nullptr;
    std::array<QLabel*, 3> LblRSTime{};
    QLabel* Laddinfo = nullptr;
    QPushButton* CmdObs = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void Form_Load();
};

}  // namespace zu
