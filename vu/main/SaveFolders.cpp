#include "vu/main/SaveFolders.h"

#include <system_error>

#include "platform/UserFiles.h"

namespace vu {

std::filesystem::path SaveFolders::For(SaveKind kind) const {
    return platform::DocumentFolder(last_[static_cast<std::size_t>(kind)]);
}

void SaveFolders::Remember(SaveKind kind, const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(file, ec);
    last_[static_cast<std::size_t>(kind)] = (ec ? file : full).parent_path();
}

}  // namespace vu
