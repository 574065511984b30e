#include "platform/UserFiles.h"

#include <algorithm>
#include <system_error>

#include "platform/Services.h"
#include "platform/TextFile.h"

namespace platform {

std::filesystem::path UserFileToRead(const std::string& name) {
    std::error_code error;
    const auto user = Env().folders->UserFolder() / name;
    if (std::filesystem::is_regular_file(user, error)) return user;
    const auto shipped = Env().folders->ProgramFolder() / name;
    if (std::filesystem::is_regular_file(shipped, error)) return shipped;
    return user;
}

std::filesystem::path DocumentFolder(const std::filesystem::path& last_used) {
    Folders& folders = *Env().folders;
    std::error_code error;
    for (const std::filesystem::path& folder : {last_used, folders.DocumentsFolder()}) {
        if (!folder.empty() && std::filesystem::is_directory(folder, error)) return folder;
    }
    return folders.HomeFolder();
}

std::filesystem::path UserFileToWrite(const std::string& name) {
    const auto folder = Env().folders->UserFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder / name;
}

void RemoveUserFolderLeftovers(std::initializer_list<std::string_view> files,
                               std::initializer_list<std::string_view> settings_files) {
    const std::filesystem::path folder = Env().folders->UserFolder();
    if (folder.empty()) return;
    RemoveSaveLeftovers(folder, [&](std::string_view target) {
        return std::find(files.begin(), files.end(), target) != files.end() ||
               std::any_of(settings_files.begin(), settings_files.end(),
                           [&](std::string_view file) { return IsSettingsBackupName(target, file); });
    });
}

}  // namespace platform
