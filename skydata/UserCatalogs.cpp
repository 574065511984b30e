#include "skydata/UserCatalogs.h"

#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"

#include <algorithm>
#include <system_error>

namespace skydata {
namespace {

constexpr std::size_t kNoticeLinesShown = 5;

void CheckSlot(std::string& path, bool& assigned, CustomCatalog& catalog, LoadLog& log) {
    const std::string trimmed = TrimBlanks(path);
    std::error_code ec;
    const bool exists = !trimmed.empty() && std::filesystem::exists(std::filesystem::path(trimmed), ec);
    if (!exists) {
        assigned = false;
        path.clear();
        catalog = CustomCatalog{};
        return;
    }
    // A catalogue that cannot be read must not leave the objects of the file
    // that was in this slot before.
    if (LoadCustomCatalog(trimmed, catalog, log) != CustomCatLoadStatus::Loaded) catalog = CustomCatalog{};
}

struct ParsedKey {
    int slot;
    std::string_view code;
    std::size_t index;
};

// "(UC" digit "_" code ":" digits ")"
std::optional<ParsedKey> ParseKey(std::string_view key) {
    if (key.size() < 10 || key.substr(0, 3) != "(UC" || key[4] != '_' || key[7] != ':' || key.back() != ')') {
        return std::nullopt;
    }
    if (key[3] != '1' && key[3] != '2') return std::nullopt;
    const std::string_view digits = key.substr(8, key.size() - 9);
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    std::size_t index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        index = index * 10 + static_cast<std::size_t>(c - '0');
    }
    return ParsedKey{key[3] - '0', key.substr(5, 2), index};
}

}  // namespace

UserCatalogState& UserCatalogModule() {
    static UserCatalogState state;
    return state;
}

void ResetUserCatalogModule() { UserCatalogModule() = UserCatalogState{}; }

std::string CheckUserCatalogs(SettingsSnapshot& settings, std::array<CustomCatalog, 2>& catalogs) {
    LoadLog log;
    CheckSlot(settings.usercatfile0, settings.usercatfile0is, catalogs[0], log);
    CheckSlot(settings.usercatfile1, settings.usercatfile1is, catalogs[1], log);
    return RefusedLinesNotice(log);
}

std::string CheckUserCatalogs() { return CheckUserCatalogs(CurrentSettings(), UserCatalogModule().Catalogs); }

std::string RefusedLinesNotice(const LoadLog& log) {
    if (log.Problems.empty()) return {};
    std::string text(kRefusedLinesNotice);
    const std::size_t shown = std::min(log.Problems.size(), kNoticeLinesShown);
    for (std::size_t i = 0; i < shown; ++i) text += "\r\n" + log.Problems[i];
    if (log.Problems.size() > shown) {
        text += "\r\n... (모두 " + std::to_string(log.Problems.size()) + "줄)";
    }
    return text;
}

std::optional<UserCatObject> LookupUserCatObject(std::string_view key, const std::array<CustomCatalog, 2>& catalogs) {
    const std::optional<ParsedKey> parsed = ParseKey(key);
    if (!parsed) return std::nullopt;
    const CustomCatalog& cat = catalogs[static_cast<std::size_t>(parsed->slot - 1)];
    UserCatObject out;
    out.Slot = parsed->slot;
    out.Index = static_cast<int>(parsed->index);
    out.CoordKind = cat.Coordinate;
    const std::size_t i = parsed->index;
    const std::string_view code = parsed->code;
    if (code.size() == 2 && code[0] == 'S' && code[1] >= '1' && code[1] <= '5') {
        const auto& shapes = cat.Shapes[static_cast<std::size_t>(code[1] - '1')];
        if (i >= shapes.size()) return std::nullopt;
        out.RA = shapes[i].RA;
        out.Dec = shapes[i].Dec;
        out.Name = shapes[i].Name;
    } else if (code == "St") {
        if (i >= cat.Stars.size()) return std::nullopt;
        out.RA = cat.Stars[i].RA;
        out.Dec = cat.Stars[i].Dec;
        out.PmRA = cat.Stars[i].PmRA;
        out.PmDec = cat.Stars[i].PmDec;
        out.Name = cat.Stars[i].Name;
        out.HasProperMotion = true;
        out.CoordKind.assign(1, 'e');
    } else if (code == "Nb") {
        if (i >= cat.Nonstellar.size()) return std::nullopt;
        out.RA = cat.Nonstellar[i].RA;
        out.Dec = cat.Nonstellar[i].Dec;
        out.Name = cat.Nonstellar[i].Name;
        out.CoordKind.assign(1, 'e');
    } else if (code == "Ch") {
        if (i >= cat.Texts.size()) return std::nullopt;
        out.RA = cat.Texts[i].RA;
        out.Dec = cat.Texts[i].Dec;
        out.Name = cat.Texts[i].Text;
    } else {
        return std::nullopt;
    }
    return out;
}

std::optional<UserCatObject> LookupUserCatObject(std::string_view key) {
    return LookupUserCatObject(key, UserCatalogModule().Catalogs);
}

}  // namespace skydata
