// The constellation information window.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "chart/ObjectKey.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "zu/core/ChartHost.h"
#include "zu/core/ConstInfoText.h"
#include "zu/core/MainState.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/InfoWindows.h"

namespace zu {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTreeWidth_px = 230;
constexpr int kDesignWidth_px = 640;
constexpr int kDesignHeight_px = 480;
constexpr char kPathSeparator = '\\';
constexpr int kBscVector = 1;
constexpr int kEastLabel = 2;
constexpr int kOldMapLabel = 3;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string Std(const QString& text) { return text.toStdString(); }

std::string NodeKey(const QTreeWidgetItem* node) { return Std(node->data(0, kKeyRole).toString()); }

std::string NodePath(const QTreeWidgetItem* node) {
    std::string path = Std(node->text(0));
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent()) path = Std(p->text(0)) + kPathSeparator + path;
    return path;
}

QTreeWidgetItem* FindNode(QTreeWidget* tree, const std::string& key) {
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
        if (NodeKey(*it) == key) return *it;
    return nullptr;
}

// The direction (J2000, chart date when precession is on) of a bright star
// (kind 1: zone a, index b) or of a label of the E (kind 2) or O (kind 3)
// system (number a), as right ascension and declination.
std::optional<SkyPlace> GetCatalogStarPosition(int a, int b, int kind) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double x = 0, y = 0, z = 0;
    if (kind == kBscVector) {
        if (a < 0 || a >= skydata::kStarZoneCount) return std::nullopt;
        const auto& zone = skydata::Catalogs().BscStar[static_cast<std::size_t>(a)];
        if (b < 0 || static_cast<std::size_t>(b) >= zone.size()) return std::nullopt;
        const auto& star = zone[static_cast<std::size_t>(b)];
        x = star.x, y = star.y, z = star.z;
    } else {
        const auto& labels =
            kind == kEastLabel ? skydata::Constellations().E.Labels : skydata::Constellations().O.Labels;
        if (a < 0 || static_cast<std::size_t>(a) >= labels.size()) return std::nullopt;
        const auto& label = labels[static_cast<std::size_t>(a)];
        x = label.x, y = label.y, z = label.z;
    }
    return PlaceOfDate(x, y, z, s.CurrentJD, s.calcprecession);
}

}  // namespace

FrmCInfo::FrmCInfo(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("FrmCInfo");
    setWindowTitle(QString::fromUtf8("별자리 정보"));
    auto* layout = new QHBoxLayout(this);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setFixedWidth(kTreeWidth_px);
    layout->addWidget(TreeView1);

    auto* right = new QVBoxLayout;
    auto* frame0 = new QGroupBox(QString::fromUtf8("별자리 정보"), this);
    frame0->setObjectName("Frame1_0");
    auto* info = new QVBoxLayout(frame0);
    const char* captions[4] = {
        "별자리 이름: 선택한 별자리 이름",
        "천상열차분야지도의 별자리와 비교합니다. 이 프로그램에 등록되어 있는 별자리만 찾을 수 있습니다.",
        "별자리의 갈래가 표시됩니다.", "별자리 설명"};
    for (int i = 0; i < 4; ++i) {
        Label1[static_cast<std::size_t>(i)] = new QLabel(QString::fromUtf8(captions[i]), frame0);
        Label1[static_cast<std::size_t>(i)]->setObjectName(QString("Label1_%1").arg(i));
        Label1[static_cast<std::size_t>(i)]->setWordWrap(true);
    }
    const QFont gulim(QString::fromUtf8("굴림"));
    Label1[0]->setFont(gulim);
    Label1[2]->setFont(gulim);
    for (int i = 0; i < 3; ++i) info->addWidget(Label1[static_cast<std::size_t>(i)]);
    auto* frame1 = new QGroupBox(QString::fromUtf8("이 별자리에 소속된 별 목록"), frame0);
    frame1->setObjectName("Frame1_1");
    auto* members = new QVBoxLayout(frame1);
    List2 = new QListWidget(frame1);
    List2->setObjectName("List2");
    members->addWidget(List2);
    info->addWidget(frame1);
    info->addWidget(Label1[3]);
    Text1 = new QPlainTextEdit(frame0);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setPlainText(QString::fromUtf8("왼쪽의 표에서 별자리를 고르시면 관련된 설명을 보실 수 있습니다.\n"));
    info->addWidget(Text1);
    right->addWidget(frame0);

    auto* buttons = new QHBoxLayout;
    ChkCloseWin = new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this);
    ChkCloseWin->setObjectName("ChkCloseWin");
    ChkCloseWin->setChecked(true);
    buttons->addWidget(ChkCloseWin);
    buttons->addStretch();
    Command1[0] = new QPushButton(QString::fromUtf8("별자리 찾기"), this);
    Command1[1] = new QPushButton(QString::fromUtf8("닫기"), this);
    for (int i = 0; i < 2; ++i) {
        Command1[static_cast<std::size_t>(i)]->setObjectName(QString("Command1_%1").arg(i));
        buttons->addWidget(Command1[static_cast<std::size_t>(i)]);
        QObject::connect(Command1[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                         [this, i] { platform::Guard([this, i] { Command1_Click(i); }); });
    }
    Command1[0]->setEnabled(false);
    right->addLayout(buttons);
    layout->addLayout(right, 1);

    QObject::connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node, int) {
        platform::Guard([this, node] { TreeView1_NodeClick(node); });
    });
    QObject::connect(List2, &QListWidget::itemClicked, this,
                     [this](QListWidgetItem*) { platform::Guard([this] { List2_Click(); }); });
    QObject::connect(List2, &QListWidget::itemDoubleClicked, this,
                     [this](QListWidgetItem*) { platform::Guard([this] { List2_DblClick(); }); });
    resize(kDesignWidth_px, kDesignHeight_px);
    Form_Load();
}

void FrmCInfo::Form_Load() {
    const auto& codes = SkyDistrictCodes();
    TreeView1->hide();
    auto* east = new QTreeWidgetItem(TreeView1, QStringList(Utf8(kEConstText)));
    east->setData(0, kKeyRole, Utf8(kEConstKey));
    auto* old_map = new QTreeWidgetItem(TreeView1, QStringList(Utf8(kOConstText)));
    old_map->setData(0, kKeyRole, Utf8(kOConstKey));
    std::array<QTreeWidgetItem*, skydata::kSkyDistrictCount> east_districts{}, old_districts{};
    for (int d = 0; d < skydata::kSkyDistrictCount; ++d) {
        const QString text = Utf8(SkyDistrictText(d));
        auto* e = new QTreeWidgetItem(east, QStringList(text));
        e->setData(0, kKeyRole, Utf8("E" + codes[static_cast<std::size_t>(d)]));
        auto* o = new QTreeWidgetItem(old_map, QStringList(text));
        o->setData(0, kKeyRole, Utf8("O" + codes[static_cast<std::size_t>(d)]));
        east_districts[static_cast<std::size_t>(d)] = e;
        old_districts[static_cast<std::size_t>(d)] = o;
    }
    const auto add_rows = [](const std::vector<skydata::ConstDataRecord>& rows, char letter,
                             const std::array<QTreeWidgetItem*, skydata::kSkyDistrictCount>& parents) {
        for (const auto& row : rows) {
            // A row outside the 31 districts has no place in the tree.
            const auto district = SkyDistrictIndex(std::string_view(row.Code).substr(0, 2));
            if (!district) continue;
            auto* node = new QTreeWidgetItem(parents[static_cast<std::size_t>(*district)],
                                             QStringList(Utf8(ConstNodeText(row))));
            std::string key(1, letter);
            key += skydata::CodeKey(row.Code);
            node->setData(0, kKeyRole, Utf8(key));
        }
    };
    add_rows(skydata::Constellations().E.Data, 'E', east_districts);
    add_rows(skydata::Constellations().O.Data, 'O', old_districts);
    east->setExpanded(true);
    TreeView1->show();
    List2->setToolTip(QString::fromUtf8("한 번 누르면 별에 대한 정보를 보여주며 두 번 누르면 해당 별을 찾아줍니다."));
}

bool FrmCInfo::ClickNode(const std::string& key) {
    QTreeWidgetItem* node = FindNode(TreeView1, key);
    if (!node) return false;
    TreeView1->setCurrentItem(node);
    TreeView1_NodeClick(node);
    return true;
}

void FrmCInfo::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    node->setExpanded(true);
    SelectedNodeKey = NodeKey(node);
    ShowConstellationInfo(SelectedNodeKey, NodePath(node), Std(node->text(0)));
}

void FrmCInfo::ShowConstellationInfo(const std::string& key, const std::string& path, const std::string& text) {
    const std::string code = ConstCommentCode(key);
    Label1[0]->setText(Utf8("별자리 이름: " + text));
    Label1[2]->setText(Utf8(path));
    if (IsConstellationNode(key)) {
        Label1[1]->setText(Utf8(CorrespondenceText(skydata::Constellations().O.Data, code)));
        List2->clear();
        for (const MemberStar& star : MemberStars(skydata::Catalogs(), code)) List2->addItem(Utf8(star.text));
        if (List2->count() > 0) {
            List2->setCurrentRow(0);
            List2_Click();
        }
        Command1[0]->setEnabled(true);
    } else {
        Label1[1]->setText(Utf8(text));
        Command1[0]->setEnabled(false);
    }
    const std::filesystem::path file = platform::Env().folders->ProgramFolder() / std::string(kConstCommentFile);
    Text1->setPlainText(Utf8(ReadConstComment(file, code)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FrmCInfo::List2_Click() {
    const QListWidgetItem* item = List2->currentItem();
    if (!item) return;
    const auto hr = MemberRowHR(Std(item->text()));
    if (!hr) return;
    const auto star = FindBrightStarByHR(skydata::Catalogs(), *hr);
    if (!star) return;
    AppState().SelObjKey = chart::BrightStarKey(star->zone, star->index).Text();
    ShowObjectInfo(this, Std(item->text()));
}

void FrmCInfo::List2_DblClick() {
    const QListWidgetItem* item = List2->currentItem();
    if (!item) return;
    const auto hr = MemberRowHR(Std(item->text()));
    if (!hr) return;
    const auto star = FindBrightStarByHR(skydata::Catalogs(), *hr);
    if (!star) return;
    const auto place = GetCatalogStarPosition(star->zone, star->index, kBscVector);
    if (!place) return;
    Host().CenterOnObject(place->ra_deg, place->dec_deg);
}

void FrmCInfo::Command1_Click(int index) {
    if (index == 1) {
        close();
        return;
    }
    if (SelectedNodeKey.size() < 5) return;
    const char letter = SelectedNodeKey[0];
    const std::string code = SelectedNodeKey.substr(1, 4);
    const auto& system = letter == 'E' ? skydata::Constellations().E : skydata::Constellations().O;
    const auto label = FirstConstLabel(system.Labels, code);
    if (!label) return;
    const auto place = GetCatalogStarPosition(static_cast<int>(*label), 0, letter == 'E' ? kEastLabel : kOldMapLabel);
    if (!place) return;
    Host().UnlockTrack();
    if (Host().CenterOnObject(place->ra_deg, place->dec_deg) && ChkCloseWin->isChecked()) close();
}

}  // namespace zu
