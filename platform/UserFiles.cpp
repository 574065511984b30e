#include "platform/UserFiles.h"

#include <system_error>

#include "platform/Services.h"

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

}  // namespace platform
