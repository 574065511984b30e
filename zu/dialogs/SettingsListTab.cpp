// The user object list tab of the settings window: the dialog's copy of the
// two slots, choosing, opening and emptying a list.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>

#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/CustomCatalog.h"
#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "ui/ToolControls.h"
#include "zu/core/DocumentFolders.h"
#include "zu/dialogs/SettingsWindow.h"

namespace zu {
namespace {

constexpr int kListFrame = 2;
constexpr const char* kRowPrefix = "사용자 정의 목록: ";
constexpr const char* kEmptyRow = "사용자 정의 목록: 내용 없음";
constexpr const char* kNoList = "지정된 목록이 없음";
constexpr const char* kChooseTitle = "사용자 정의 목록 불러오기";
constexpr const char* kChooseFilter =
    "사용자 정의 목록 파일(*.UC)|*.UC|텍스트 문서(*.TXT)|*.TXT|모든 파일(*.*)|*.*";

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void FrmSet::BuildListTab() {
    QGroupBox* frame = Frame1[kListFrame];
    ui::Named(new QLabel(QString::fromUtf8("사용자 정의 목록"), frame), "Label1", 15)->setGeometry(12, 22, 200, 22);
    ListCat = ui::Named(new QListWidget(frame), "ListCat");
    ListCat->setGeometry(12, 46, 416, 50);
    ListCat->setToolTip(QString::fromUtf8("사용할 목록에 체크 표시를 하세요."));
    ui::Named(new QLabel(QString::fromUtf8("목록 이름:"), frame), "Label1", 16)->setGeometry(12, 106, 80, 22);
    LblCatName = ui::Named(new QLabel(QString::fromUtf8("목록 이름"), frame), "LblCatName");
    LblCatName->setGeometry(96, 106, 330, 22);
    ui::Named(new QLabel(QString::fromUtf8("목록 위치:"), frame), "Label1", 17)->setGeometry(12, 136, 80, 22);
    TxtCPath = ui::Named(new QLineEdit(frame), "TxtCPath");
    TxtCPath->setGeometry(96, 136, 270, 22);
    CmdSetPath = ui::Named(new QPushButton(QString::fromUtf8("지정"), frame), "CmdSetPath");
    CmdSetPath->setGeometry(372, 134, 56, 26);
    ui::Named(new QLabel(QString::fromUtf8("목록 설명"), frame), "Label1", 18)->setGeometry(12, 166, 80, 22);
    TxtComment = ui::Named(new QTextEdit(frame), "TxtComment");
    TxtComment->setPlainText(QString::fromUtf8("목록 설명 부분"));
    TxtComment->setGeometry(12, 190, 416, 94);
    const char* captions[2] = {"목록 편집", "목록 제거"};
    for (int i = 0; i < 2; ++i) {
        CmdCAT[static_cast<std::size_t>(i)] = ui::Named(new QPushButton(QString::fromUtf8(captions[i]), frame), "CmdCAT", i);
        CmdCAT[static_cast<std::size_t>(i)]->setGeometry(260 + 86 * i, 292, 80, 28);
        connect(CmdCAT[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { CmdCAT_Click(i); }); });
    }
    connect(ListCat, &QListWidget::currentRowChanged, this, [this] { platform::Guard([this] { ListCat_Click(); }); });
    connect(CmdSetPath, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdSetPath_Click(); }); });
}

void FrmSet::LoadUserLists() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const auto& catalogs = skydata::UserCatalogModule().Catalogs;
    UserLists[0] = {s.usercatfile0, s.usercatfile0is, catalogs[0].Name, catalogs[0].Comments};
    UserLists[1] = {s.usercatfile1, s.usercatfile1is, catalogs[1].Name, catalogs[1].Comments};
    ShowUserListInfo();
}

void FrmSet::ShowUserListInfo() {
    ListCat->blockSignals(true);
    ListCat->clear();
    for (const UserListSlot& slot : UserLists) ListCat->addItem(Q(slot.Assigned ? kRowPrefix + slot.Name : kEmptyRow));
    ListCat->setCurrentRow(-1);
    ListCat->blockSignals(false);
    EnableListButtons();
}

FrmSet::UserListSlot* FrmSet::SelectedSlot() {
    const int row = ListCat->currentRow();
    return row == 0 || row == 1 ? &UserLists[static_cast<std::size_t>(row)] : nullptr;
}

void FrmSet::EnableListButtons() {
    const UserListSlot* slot = SelectedSlot();
    CmdSetPath->setEnabled(slot != nullptr);
    for (QPushButton* button : CmdCAT) button->setEnabled(slot && slot->Assigned);
}

void FrmSet::ListCat_Click() {
    const UserListSlot* slot = SelectedSlot();
    if (slot && slot->Assigned) {
        TxtCPath->setText(Q(slot->Path));
        LblCatName->setText(Q(slot->Name));
        TxtComment->setPlainText(Q(slot->Comments));
    } else {
        TxtCPath->clear();
        LblCatName->setText(QString::fromUtf8(kNoList));
        TxtComment->setPlainText(QString::fromUtf8(kNoList));
    }
    EnableListButtons();
}

void FrmSet::CmdSetPath_Click() {
    UserListSlot* slot = SelectedSlot();
    if (!slot) return;
    platform::FileRequest request;
    request.title = kChooseTitle;
    request.filter = kChooseFilter;
    request.folder = DocumentFolderFor(DocumentKind::Catalog);
    const std::optional<platform::FileChoice> choice = platform::Env().files->Show(request);
    if (!choice) return;
    RememberDocumentFolder(DocumentKind::Catalog, choice->path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(choice->path, ec)) return;
    const std::string path = choice->path.string();
    if (const auto header = skydata::ReadCatalogHeader(choice->path)) {
        slot->Name = header->Name;
        slot->Comments = header->Comments;
    }
    slot->Path = path;
    slot->Assigned = true;
    const int row = ListCat->currentRow();
    ShowUserListInfo();
    // The chosen slot stays the one shown.
    ListCat->setCurrentRow(row);
}

void FrmSet::CmdCAT_Click(int index) {
    UserListSlot* slot = SelectedSlot();
    if (!slot || !slot->Assigned) return;
    if (index == 0) {
        platform::Env().shell->Open(slot->Path);
    } else {
        *slot = UserListSlot{};
        LblCatName->setText(QString::fromUtf8(kNoList));
        TxtComment->setPlainText(QString::fromUtf8(kNoList));
    }
    ShowUserListInfo();
}

}  // namespace zu
