#include "skydata/PathBodies.h"

#include "skydata/ConfigStore.h"

#include <utility>

namespace skydata {
namespace {

std::optional<int> IndexAfterLetter(std::string_view code) {
    if (code.size() < 2 || code.size() > 10) return std::nullopt;
    long long value = 0;
    for (char c : code.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 0x7FFFFFFF) return std::nullopt;
    return static_cast<int>(value);
}

std::string BodyCode(char letter, int index) {
    std::string code(1, letter);
    code += std::to_string(index);
    return code;
}

}  // namespace

PathState& PathModule() {
    static PathState state;
    return state;
}

void ResetPathModule() {
    PathState fresh;
    std::swap(PathModule(), fresh);
}

void ClearPathBodies(std::vector<std::string>& list) { list.assign(1, std::string()); }

bool LoadPathBodies(std::vector<std::string>& list, std::string_view text, const PathBodyNames& names) {
    if (TrimBlanks(text).empty()) return false;
    std::vector<std::string> taken;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string_view::npos; end = text.find("\r\n", start)) {
        const std::string piece = TrimBlanks(text.substr(start, end - start));
        start = end + 2;
        if (piece.empty()) continue;
        const std::string_view rest = std::string_view(piece).substr(1);
        if (piece[0] == 'P') {
            taken.push_back(piece);
        } else if (piece[0] == 'c') {
            const auto index = names.CometIndexOf ? names.CometIndexOf(rest) : std::nullopt;
            if (index && *index >= 0) taken.push_back(BodyCode('C', *index));
        } else if (piece[0] == 'a') {
            const auto index = names.AsteroidIndexOf ? names.AsteroidIndexOf(rest) : std::nullopt;
            if (index && *index >= 0) taken.push_back(BodyCode('A', *index));
        }
    }
    const bool any = !taken.empty();
    if (!any) taken.emplace_back();
    list = std::move(taken);
    return any;
}

bool LoadPathBodies(std::string_view text) {
    PathState& s = PathModule();
    return LoadPathBodies(s.PathBodyList, text, s.Names);
}

std::string SavePathBodies(const std::vector<std::string>& list, const PathBodyNames& names) {
    std::string text;
    for (const std::string& code : list) {
        if (code.empty()) continue;
        std::optional<std::string> line;
        if (code[0] == 'P') {
            line = code;
        } else if (code[0] == 'C' || code[0] == 'A') {
            const auto index = IndexAfterLetter(code);
            const auto& name_at = code[0] == 'C' ? names.CometNameAt : names.AsteroidNameAt;
            if (index && name_at) {
                if (const auto name = name_at(*index)) line = (code[0] == 'C' ? "c" : "a") + *name;
            }
        }
        if (line) {
            text += *line;
            text += "\r\n";
        }
    }
    return text;
}

std::string SavePathBodies() {
    const PathState& s = PathModule();
    return SavePathBodies(s.PathBodyList, s.Names);
}

}  // namespace skydata
