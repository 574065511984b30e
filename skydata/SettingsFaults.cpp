#include "skydata/SettingsFaults.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/TextFile.h"
#include "platform/UserFiles.h"

namespace skydata {
std::string FieldNameList(const std::vector<std::string>& names, std::size_t shown) {
    std::vector<std::string> unique;
    for (const std::string& name : names)
        if (std::find(unique.begin(), unique.end(), name) == unique.end()) unique.push_back(name);
    std::string text;
    for (std::size_t i = 0; i < unique.size() && i < shown; ++i) {
        if (i > 0) text += ", ";
        text += unique[i];
    }
    if (unique.size() > shown) text += " 외 " + std::to_string(unique.size() - shown) + "개";
    return text;
}

std::filesystem::path SettingsBackupFile(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    for (int n = 1; n <= platform::kLastSettingsBackup; ++n) {
        const std::filesystem::path backup =
            file.parent_path() / platform::SettingsBackupName(file.filename().string(), n);
        std::error_code error;
        const std::filesystem::file_type type = std::filesystem::symlink_status(backup, error).type();
        if (type == std::filesystem::file_type::not_found) return backup;
        if (type == std::filesystem::file_type::regular && bytes && platform::ReadFileBytes(backup) == bytes)
            return backup;
    }
    return {};
}

std::string BackupSentence(const std::filesystem::path& file) {
    const std::filesystem::path backup = SettingsBackupFile(file);
    if (backup.empty()) return {};
    return "원래 파일은 이 파일에 저장하기 전에 " + backup.filename().string() + " 파일로 남겨 둡니다.";
}

bool KeepSettingsBackup(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(file, error).type();
    if (type == std::filesystem::file_type::not_found) return true;
    if (type != std::filesystem::file_type::regular) return false;
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) return false;
    const std::filesystem::path backup = SettingsBackupFile(file);
    if (backup.empty()) return false;
    return std::filesystem::exists(backup, error) || platform::WriteFileBytesAtomic(backup, *bytes);
}

}  // namespace skydata
