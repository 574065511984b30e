#pragma once
// The searches behind the object search window, without any window: the
// free-text name search over every catalogue, and the number lookups in the
// two star catalogues. They read the tables they are given and change
// nothing, so they run per keystroke and in benchmarks.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"

namespace zu {

// The catalogues a name search reads.
struct SearchSources {
    const skydata::ConstellationState* constellations = nullptr;
    const astro::PlanetTableT* planets = nullptr;
    const std::vector<astro::BodyPosition>* comets = nullptr;
    const std::vector<astro::BodyPosition>* asteroids = nullptr;
    const skydata::CatalogState* catalogs = nullptr;
};
// The program's own tables.
SearchSources ProgramSearchSources();

// One line of a search: the text listed and the key of its object, a kind,
// "=" and a number: "wcon=59", "star= 7001" (the HR as a plain number text,
// with its leading blank), "hd=172167", "sao=67174", "m=120".
struct NameMatch {
    std::string line;
    std::string key;
};

// Every object whose name text holds the query (the text trimmed and its
// ASCII letters upper-cased), catalogue by catalogue in a fixed order, each
// in table order, each line tagged: "[신법별자리]", "[구법별자리]",
// "[서양별자리]", "[행성]", "[혜성]", "[소행성]", "[별이름]" (Eastern, then
// Western names), "[별]" (bright stars by HR number: the query's leading
// number rounded, as four digits; then the extended-catalogue star of an HD
// or SAO designation), "[DSO]". Western constellations, comets, asteroids,
// Western star names and deep-sky texts are compared upper-cased; Korean
// constellations, planets and Eastern star names as stored. A designation
// typed without its blank, or with several ("M31", "ngc  224", "HR7001"),
// also matches as the catalogues write it ("M 31", "NGC 224"); an HR
// designation looks up its number among the bright stars. Comets and
// asteroids without a computed place are left out. No limit on the lines.
std::vector<NameMatch> FindNameMatches(std::string_view text, const SearchSources& sources);

// The kind and number of a key; nullopt without "=".
struct ParsedKey {
    std::string kind;
    long number = 0;
};
std::optional<ParsedKey> ParseResultKey(std::string_view key);

// A star found in a zone of a catalogue.
struct StarHit {
    int zone = 0;
    int index = 0;
};

// The first bright star with that HR number, zones 0..29 in order.
std::optional<StarHit> LocateHRStar(const skydata::CatalogState& catalogs, int hr);

// Fields of the extended catalogue a number is typed for.
enum class S2kField { Catalogue = 0, HD = 1, SAO = 2 };

// The last record of the extended catalogue, zones 0..29 in order, whose
// field matches the typed text. HD and SAO: the leading number of the text,
// rounded, equals that of the field; a number of 0 or less, or an empty
// field, never matches. Catalogue number ("H" + HIP or "T" + running number):
// the trimmed text equals the record's number, letters in any case; an empty
// text matches nothing.
std::optional<StarHit> FindSky2000Star(const skydata::CatalogState& catalogs, std::string_view text,
                                       S2kField field);

// ASCII letters upper-cased, every other byte kept (Korean text untouched).
std::string UpperAscii(std::string_view text);

}  // namespace zu
