#include "zu/search/ConstFilterWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/Guard.h"
#include "skydata/Constellations.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

constexpr std::string_view kZodiac = "AAqrAAriACncACapAGemALeoALibAPscASgrAScoATauAVir";
constexpr std::size_t kCodeLength = 4;
constexpr const char* kZodiacCaption = "황도12궁만 고르기";
constexpr const char* kDeterminativeCaption = "수거성좌만 고르기";
constexpr const char* kDistrictLetters = "PENWS";


// The node pictures: a filled disc in the colour of each system, an outline
// for the nodes under them.
QIcon NodeIcon(const QColor& colour, bool filled) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(filled ? QBrush(colour) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(picture);
}

// Whether the constellation is one of the 12 of the zodiac, whatever the
// order of the table.
bool IsZodiac(const std::string& code) {
    const std::string key = UpperAscii(std::string_view(code).substr(0, kCodeLength));
    for (std::size_t i = 0; i + kCodeLength <= kZodiac.size(); i += kCodeLength) {
        if (UpperAscii(kZodiac.substr(i, kCodeLength)) == key) return true;
    }
    return false;
}

// The determinative constellation of a district: "00" as third and fourth
// characters of its code.
bool IsDeterminative(const std::string& code) { return code.size() >= 4 && code.compare(2, 2, "00") == 0; }

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

void FillCopies(const std::vector<skydata::ConstDataRecord>& data, std::vector<bool>& figure, std::vector<bool>* bound,
                std::vector<std::string>& codes) {
    figure.clear();
    codes.clear();
    if (bound) bound->clear();
    for (const skydata::ConstDataRecord& c : data) {
        figure.push_back(c.ShowFigure != 0);
        if (bound) bound->push_back(c.ShowBoundary != 0);
        codes.push_back(c.Code);
    }
}

}  // namespace

FrmCFilter::FrmCFilter(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmCFilter::BuildControls() {
    setFixedSize(520, 420);
    TreeView1 = ui::Named(new QTreeWidget(this), "TreeView1");
    TreeView1->setGeometry(8, 8, 220, 364);
    TreeView1->setHeaderHidden(true);
    Label1 = ui::Named(new QLabel(QString::fromUtf8("화면에 표시할 별자리에 체크 표시를 해주세요."), this), "Label1");
    Label1->setGeometry(236, 8, 276, 20);
    List1 = ui::Named(new QListWidget(this), "List1");
    List1->setGeometry(236, 30, 276, 278);
    CmdAll = ui::Named(new QPushButton(QString::fromUtf8("모두 선택"), this), "CmdAll");
    CmdAll->setGeometry(236, 314, 88, 26);
    CmdANot = ui::Named(new QPushButton(QString::fromUtf8("모두 해제"), this), "CmdANot");
    CmdANot->setGeometry(330, 314, 88, 26);
    CmdInv = ui::Named(new QPushButton(QString::fromUtf8("반대로"), this), "CmdInv");
    CmdInv->setGeometry(424, 314, 88, 26);
    CmdMain = ui::Named(new QPushButton(QString::fromUtf8(kZodiacCaption), this), "CmdMain");
    CmdMain->setGeometry(236, 346, 276, 26);
    ChkCloseWin = ui::Named(new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this), "ChkCloseWin");
    ChkCloseWin->setGeometry(8, 384, 200, 24);
    Command1 = ui::Named(new QPushButton(QString::fromUtf8("적용"), this), "Command1");
    Command1->setGeometry(330, 382, 88, 28);
    Command1->setDefault(true);
    Command2 = ui::Named(new QPushButton(QString::fromUtf8("닫기"), this), "Command2");
    Command2->setGeometry(424, 382, 88, 28);

    const auto guarded = [this](void (FrmCFilter::*handler)()) {
        return [this, handler] { platform::Guard([this, handler] { (this->*handler)(); }); };
    };
    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { platform::Guard([this, node] { TreeView1_NodeClick(node); }); });
    connect(CmdAll, &QPushButton::clicked, this, guarded(&FrmCFilter::CmdAll_Click));
    connect(CmdANot, &QPushButton::clicked, this, guarded(&FrmCFilter::CmdANot_Click));
    connect(CmdInv, &QPushButton::clicked, this, guarded(&FrmCFilter::CmdInv_Click));
    connect(CmdMain, &QPushButton::clicked, this, guarded(&FrmCFilter::CmdMain_Click));
    connect(Command1, &QPushButton::clicked, this, guarded(&FrmCFilter::Command1_Click));
    connect(Command2, &QPushButton::clicked, this, guarded(&FrmCFilter::Command2_Click));
    ui::BindEnterAndEscape(*this, Command1, Command2);
}

void FrmCFilter::Form_Load() {
    const skydata::ConstellationState& c = skydata::Constellations();
    FillCopies(c.W.Data, WFigure, &WBound, WCode);
    FillCopies(c.E.Data, EFigure, nullptr, ECode);
    FillCopies(c.O.Data, OFigure, nullptr, OCode);
    ChkCloseWin->setChecked(true);

    TreeView1->clear();
    const QIcon other = NodeIcon(QColor(96, 96, 96), false);
    const auto add = [this](QTreeWidgetItem* parent, const std::string& key, const std::string& text,
                            const QIcon& icon) {
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeView1);
        node->setText(0, ui::QText(text));
        node->setData(0, Qt::UserRole, ui::QText(key));
        node->setIcon(0, icon);
        return node;
    };
    QTreeWidgetItem* west = add(nullptr, "WConst", "서양 별자리", NodeIcon(QColor(0, 96, 192), true));
    QTreeWidgetItem* east = add(nullptr, "EConst", "신법 별자리(星鏡)", NodeIcon(QColor(192, 64, 0), true));
    QTreeWidgetItem* old = add(nullptr, "OConst", "천상열차분야지도", NodeIcon(QColor(0, 128, 64), true));
    add(west, "All", "모든 별자리", other);
    add(west, "Bound", "별자리 경계선", other);
    int row = 0;
    for (int letter = 0; letter < 5; ++letter) {
        const int digits = letter == 0 ? 3 : 7;
        for (int digit = 1; digit <= digits; ++digit, ++row) {
            const std::string district = std::string(1, kDistrictLetters[letter]) + std::to_string(digit);
            const std::string text =
                std::string(skydata::SkyDistricts[static_cast<std::size_t>(row)]) + "(" +
                std::string(skydata::SkyDistricts[static_cast<std::size_t>(row + skydata::kSkyDistrictCount)]) + ")";
            add(east, "E" + district, text, other);
            add(old, "O" + district, text, other);
        }
    }
    CurrentKey = "WConst";
    TreeView1->setCurrentItem(west);
    ShowFilterGroup(CurrentKey);
}

QTreeWidgetItem* FrmCFilter::Node(const std::string& key) const {
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == ui::QText(key)) return *it;
    }
    return nullptr;
}

std::string FrmCFilter::DistrictOf(const std::string& key) {
    if (key == "EConst" || key == "OConst" || key.size() < 2) return "";
    return key.substr(1);
}

std::vector<bool>& FrmCFilter::FlagsOf(const std::string& key) {
    switch (key.empty() ? 'W' : key[0]) {
        case 'B': return WBound;
        case 'E': return EFigure;
        case 'O': return OFigure;
        default: return WFigure;
    }
}

const std::vector<std::string>& FrmCFilter::CodesOf(const std::string& key) const {
    const char first = key.empty() ? 'W' : key[0];
    return first == 'E' ? ECode : first == 'O' ? OCode : WCode;
}

void FrmCFilter::ShowFilterGroup(const std::string& key) {
    List1->hide();
    List1->clear();
    const char first = key.empty() ? 'W' : key[0];
    const bool western = first == 'A' || first == 'W' || first == 'B';
    CmdMain->setText(QString::fromUtf8(western ? kZodiacCaption : kDeterminativeCaption));
    const skydata::ConstellationState& c = skydata::Constellations();
    const std::vector<skydata::ConstDataRecord>& data = western ? c.W.Data : first == 'E' ? c.E.Data : c.O.Data;
    const std::vector<bool>& flags = FlagsOf(key);
    const std::string district = western ? "" : DistrictOf(key);
    for (std::size_t i = 0; i < data.size() && i < flags.size(); ++i) {
        if (!StartsWith(data[i].Code, district)) continue;
        std::string text = data[i].Name1 + "(" + data[i].Name2 + ")";
        if (!western) {
            text += ' ';
            text += std::to_string(data[i].Number);
        }
        auto* item = new QListWidgetItem(ui::QText(text), List1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(flags[i] ? Qt::Checked : Qt::Unchecked);
    }
    List1->show();
}

void FrmCFilter::StoreFilterChecks() {
    std::vector<bool>& flags = FlagsOf(CurrentKey);
    const std::vector<std::string>& codes = CodesOf(CurrentKey);
    const char first = CurrentKey.empty() ? 'W' : CurrentKey[0];
    const bool western = first == 'A' || first == 'W' || first == 'B';
    const std::string district = western ? "" : DistrictOf(CurrentKey);
    int item = 0;
    for (std::size_t i = 0; i < flags.size() && i < codes.size(); ++i) {
        if (!StartsWith(codes[i], district)) continue;
        if (item >= List1->count()) break;
        flags[i] = List1->item(item++)->checkState() == Qt::Checked;
    }
}

void FrmCFilter::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    StoreFilterChecks();
    node->setExpanded(true);
    CurrentKey = node->data(0, Qt::UserRole).toString().toUtf8().toStdString();
    ShowFilterGroup(CurrentKey);
}

void FrmCFilter::CmdAll_Click() {
    List1->hide();
    for (int i = 0; i < List1->count(); ++i) List1->item(i)->setCheckState(Qt::Checked);
    List1->show();
    StoreFilterChecks();
}

void FrmCFilter::CmdANot_Click() {
    for (int i = 0; i < List1->count(); ++i) List1->item(i)->setCheckState(Qt::Unchecked);
    StoreFilterChecks();
}

void FrmCFilter::CmdInv_Click() {
    List1->hide();
    for (int i = 0; i < List1->count(); ++i) {
        QListWidgetItem* item = List1->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    List1->show();
    StoreFilterChecks();
}

void FrmCFilter::CmdMain_Click() {
    const char first = CurrentKey.empty() ? 'W' : CurrentKey[0];
    std::vector<bool>& flags = FlagsOf(CurrentKey);
    const std::vector<std::string>& codes = CodesOf(CurrentKey);
    const bool western = first == 'A' || first == 'W' || first == 'B';
    for (std::size_t i = 0; i < flags.size() && i < codes.size(); ++i) {
        flags[i] = western ? IsZodiac(codes[i]) : IsDeterminative(codes[i]);
    }
    ShowFilterGroup(CurrentKey);
}

void FrmCFilter::Command1_Click() {
    StoreFilterChecks();
    skydata::ConstellationState& c = skydata::Constellations();
    const auto copy = [](const std::vector<bool>& flags, std::vector<skydata::ConstDataRecord>& data, bool boundary) {
        for (std::size_t i = 0; i < data.size() && i < flags.size(); ++i) {
            (boundary ? data[i].ShowBoundary : data[i].ShowFigure) = flags[i] ? 1 : 0;
        }
    };
    copy(WFigure, c.W.Data, false);
    copy(WBound, c.W.Data, true);
    copy(EFigure, c.E.Data, false);
    copy(OFigure, c.O.Data, false);
    for (skydata::ConstellationSystem* system : {&c.W, &c.E, &c.O}) {
        skydata::ApplyConstFilter(system->Data, system->Labels, system->Lines);
    }
    skydata::ApplyBoundFilter(c.W.Data, c.BoundaryPoint);
    Host().SetMapBox();
    if (ChkCloseWin->isChecked()) close();
}

void FrmCFilter::Command2_Click() { close(); }

}  // namespace zu
