#pragma once
// The two user-catalogue slots (1 and 2): loading them from the paths of the
// settings, and resolving the key of a catalogue entry to its position.
//
// Key of a catalogue entry: "(UC" slot digit "_" code ":" index ")", e.g.
// "(UC2_Ch:0003)"; codes S1..S5 for the five shape kinds, St star, Nb
// nonstellar object, Ch text label; the index is the entry's place in its
// kind's array, written with at least four digits. Lines have no key.
#include "skydata/CustomCatalog.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace skydata {

struct SettingsSnapshot;

// Module state: the loaded catalogue of slot 1 at index 0, of slot 2 at 1.
struct UserCatalogState {
    std::array<CustomCatalog, 2> Catalogs;
};
UserCatalogState& UserCatalogModule();
void ResetUserCatalogModule();

// Loads each slot's catalogue from its settings path (`usercatfile0`,
// `usercatfile1`). A blank path or a file that no longer exists unassigns the
// slot (`usercatfile0is`/`usercatfile1is` false, path emptied) and empties its
// catalogue; a file that exists but cannot be read empties the catalogue and
// keeps the assignment. Returns the notice for the user about the lines the
// loads refused or cut (RefusedLinesNotice), empty when none was: the caller
// shows it once.
std::string CheckUserCatalogs(SettingsSnapshot& settings, std::array<CustomCatalog, 2>& catalogs);
std::string CheckUserCatalogs();

inline constexpr std::string_view kRefusedLinesNotice = "사용자 정의 목록에서 읽지 않았거나 줄여 읽은 줄이 있습니다:";
// kRefusedLinesNotice and the first five problems of the log, one a line,
// then "... (모두 <n>줄)" when there are more; empty for an empty log.
std::string RefusedLinesNotice(const LoadLog& log);

struct UserCatObject {
    double RA = 0;   // degrees: right ascension, or azimuth when CoordKind is "a"
    double Dec = 0;  // degrees: declination, or altitude when CoordKind is "a"
    std::string Name;
    std::string CoordKind;      // "e" equatorial at the catalogue epoch, "a" horizontal
    bool HasProperMotion = false;
    float PmRA = 0;             // arcseconds per year
    float PmDec = 0;            // arcseconds per year
    int Slot = 0;               // 1 or 2
    int Index = 0;              // index within its kind's array
};

// Resolves a catalogue entry key; nullopt for a malformed key, a slot other
// than 1 or 2, an unknown code or an index outside the kind's array.
std::optional<UserCatObject> LookupUserCatObject(std::string_view key, const std::array<CustomCatalog, 2>& catalogs);
std::optional<UserCatObject> LookupUserCatObject(std::string_view key);

}  // namespace skydata
