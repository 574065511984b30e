// The settings-file commands of Form1 (open, save, reset), the menu
// commands that reach them, and the shut-down question with the save of
// CalConfig.cfg.
#include <QComboBox>

#include <exception>
#include <filesystem>

#include "calendar/CalendarState.h"
#include "calendar/SettingsFiles.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "vu/main/Form1.h"

namespace vu {
namespace {

constexpr const char* kTitle = "vu";
constexpr const char* kFilter = "vu 설정 문서(*.cal)|*.cal|모든 형식(*.*)|*.*";

// A failed write is never taken for one.
calendar::DefaultConfigSave SaveCalConfig(const std::function<void(calendar::CalendarState&)>& read_panel) {
    try {
        return calendar::SaveDefaultConfig(calendar::Calendar(), read_panel);
    } catch (const std::exception&) {
        return calendar::DefaultConfigSave::Failed;
    }
}

}  // namespace

void Form1::OpenConfig() {
    platform::FileRequest request;
    request.kind = platform::FileDialogKind::Open;
    request.title = "vu 설정 파일 불러오기";
    request.filter = kFilter;
    request.folder = SavedFolders.For(SaveKind::Settings);
    const std::optional<platform::FileChoice> choice = platform::Env().files->Show(request);
    if (!choice) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(choice->path, ec)) {
        platform::MsgBox("파일이 없습니다.", platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle);
        return;
    }
    // Read into a copy: a file that cannot be read, or holds no key of a
    // settings file (empty, foreign, a sky chart), changes nothing.
    calendar::CalendarState read = calendar::Calendar();
    for (calendar::SDaySet& set : read.SDays) calendar::ClearSDaySet(set);
    calendar::SettingsReport report;
    const skydata::ConfigFileStatus status = calendar::ReadSettings(choice->path, read, &report);
    if (status != skydata::ConfigFileStatus::Loaded) {
        platform::MsgBox(calendar::SettingsReadMessage(status, report, false), platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, kTitle);
        return;
    }
    calendar::Calendar() = std::move(read);
    SavedFolders.Remember(SaveKind::Settings, choice->path);
    if (calendar::Calendar().settings.SDCAT > 2) calendar::Calendar().settings.SDCAT = 0;
    {
        const QSignalBlocker quiet(Combo3);
        Combo3->setCurrentIndex(calendar::Calendar().settings.SDCAT);
    }
    ShowSettings();
    ApplySetting();
    SDList();
    const std::string notice = calendar::SettingsReadMessage(status, report, false);
    if (!notice.empty()) platform::MsgBox(notice, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
}

void Form1::SaveConfig() {
    ReadFormSettings();
    platform::FileRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.title = "vu 설정 파일 저장하기";
    request.filter = kFilter;
    request.folder = SavedFolders.For(SaveKind::Settings);
    request.name = "vu설정.cal";
    // "모든 형식" too: a settings file, which the open dialog's filter lists.
    request.extension = ".cal";
    const std::optional<platform::FileChoice> choice = platform::ChooseSaveFile(request);
    if (!choice) return;
    if (!calendar::WriteSettings(choice->path, calendar::Calendar())) {
        platform::MsgBox(platform::FullName(choice->path) + " 파일에 vu 설정을 저장하지 못했습니다.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, kTitle);
        return;
    }
    SavedFolders.Remember(SaveKind::Settings, choice->path);
    platform::MsgBox("vu 설정 파일을 " + platform::FullName(choice->path) + " 파일로 저장했습니다.", platform::MsgButtons::Ok,
                     platform::MsgIcon::Information, kTitle);
}

void Form1::DefaultConfig() {
    // The defaults a first start gives: the built-in ones with the program
    // folder's CalConfig.cfg (the public holidays) over them; the user's own
    // CalConfig.cfg is not read.
    calendar::CalendarState& state = calendar::Calendar();
    calendar::LoadShippedDefaults(state);
    {
        const QSignalBlocker quiet(Combo3);
        Combo3->setCurrentIndex(state.settings.SDCAT);
    }
    ShowSettings();
    ThisMon();
    SDList();
}

void Form1::cmdFile_Click(int index) {
    Run([this, index] { index == 0 ? OpenConfig() : SaveConfig(); });
}

void Form1::mnuLoadCFG_Click() {
    Run([this] {
        OpenConfig();
        ApplySetting();
    });
}

void Form1::mnuSaveCFG_Click() {
    Run([this] { SaveConfig(); });
}

void Form1::mnuReset_Click() {
    Run([this] {
        if (platform::MsgBox("설정을 초기화하면 기념일도 모두 지워집니다. 초기화를 계속 하시겠습니까?",
                             platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation,
                             kTitle) != platform::MsgAnswer::Yes) {
            return;
        }
        DefaultConfig();
        ApplySetting();
    });
}

bool Form1::Form_Unload() {
    if (platform::MsgBox("vu 프로그램을 종료하시겠습니까?", platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                         kTitle) != platform::MsgAnswer::Yes) {
        return false;
    }
    // A CalConfig.cfg that did not load at start is left as it is, as the
    // start-up message said.
    if (SaveCalConfig([this](calendar::CalendarState&) { ReadFormSettings(); }) != calendar::DefaultConfigSave::Failed) return true;
    return platform::MsgBox("설정 파일(CalConfig.cfg)을 저장하지 못했습니다. 저장하지 않고 끝내시겠습니까?",
                            platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation,
                            kTitle) == platform::MsgAnswer::Yes;
}

void Form1::mnuExit_Click() {
    bool end = false;
    Run([this, &end] { end = Form_Unload(); });
    if (!end) return;
    exit_confirmed_ = true;
    close();
}

}  // namespace vu
