#include "vu/main/SaveFolders.h"

#include <system_error>

#include "platform/Services.h"

namespace vu {
namespace {

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::filesystem::path SaveFolders::For(SaveKind kind) const {
    const std::filesystem::path& last = last_[static_cast<std::size_t>(kind)];
    if (IsFolder(last)) return last;
    platform::Folders& folders = *platform::Env().folders;
    const std::filesystem::path documents = folders.DocumentsFolder();
    if (IsFolder(documents)) return documents;
    return folders.HomeFolder();
}

void SaveFolders::Remember(SaveKind kind, const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(file, ec);
    last_[static_cast<std::size_t>(kind)] = (ec ? file : full).parent_path();
}

}  // namespace vu
