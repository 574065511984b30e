#include "platform/SaveName.h"

#include <system_error>
#include <vector>

#include "platform/TextFile.h"

namespace platform {
namespace {

// The extension of a filter pair whose one pattern is "*.EXT"; empty for
// "*.*", "*" and lists of patterns.
std::string PairExtension(const FilterPair& pair) {
    if (pair.patterns.size() != 1) return {};
    const std::string& pattern = pair.patterns.front();
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return {};
    const std::string extension = pattern.substr(1);
    if (extension.find_first_of("*?[") != std::string::npos) return {};
    return extension;
}

}  // namespace

std::filesystem::path CompleteSaveName(const std::filesystem::path& typed, const std::string& extension) {
    std::string name = typed.filename().string();
    const std::string::size_type last = name.find_last_not_of('.');
    if (extension.empty() || last == std::string::npos) return typed;
    name.erase(last + 1);
    if (std::filesystem::path(name).extension().empty()) name += extension;
    std::filesystem::path completed = typed;
    completed.replace_filename(name);
    return completed;
}

std::string SaveExtension(const FileRequest& request, int filter_index) {
    if (!request.extension.empty()) return request.extension;
    const std::vector<FilterPair> pairs = ParseFilter(request.filter);
    if (filter_index < 1 || filter_index > static_cast<int>(pairs.size())) filter_index = 1;
    return pairs.empty() ? std::string() : PairExtension(pairs[static_cast<std::size_t>(filter_index - 1)]);
}

bool MayReplace(const std::filesystem::path& path, const std::string& title) {
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::symlink_status(path, ec).type();
    // A folder is never replaced: the save fails and says so.
    if (type == std::filesystem::file_type::not_found || type == std::filesystem::file_type::none ||
        type == std::filesystem::file_type::directory)
        return true;
    Message question;
    question.text = FullName(path) + " 파일이 이미 있습니다. 바꾸시겠습니까?";
    question.title = title;
    question.buttons = MsgButtons::YesNo;
    question.icon = MsgIcon::Exclamation;
    question.default_answer = MsgAnswer::No;
    return ShowMessage(question) == MsgAnswer::Yes;
}

std::string NameRefusal(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::symlink_status(path, ec).type();
    if (type == std::filesystem::file_type::symlink) {
        return FullName(path) +
               "\n이 이름은 다른 파일을 가리키는 링크입니다. 링크가 가리키는 곳에는 저장하지 않으니 다른 이름을 골라 "
               "주세요.";
    }
    if (type == std::filesystem::file_type::not_found || type == std::filesystem::file_type::none ||
        type == std::filesystem::file_type::regular)
        return {};
    return FullName(path) + "\n이 이름은 폴더나 장치처럼 일반 파일이 아니어서 저장할 수 없습니다. 다른 이름을 골라 주세요.";
}

std::optional<FileChoice> ChooseSaveFile(FileRequest request) {
    request.kind = FileDialogKind::Save;
    for (;;) {
        std::optional<FileChoice> choice = Env().files->Show(request);
        if (!choice || choice->path.empty()) return std::nullopt;
        choice->path = CompleteSaveName(choice->path, SaveExtension(request, choice->filter_index));
        if (MayReplace(choice->path, request.title)) return choice;
        // Kept: the dialog again, where the user was.
        request.folder = choice->path.parent_path();
        request.name = choice->path.filename().string();
        request.filter_index = choice->filter_index;
    }
}

}  // namespace platform
