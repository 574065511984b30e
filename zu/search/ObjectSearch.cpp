#include "zu/search/ObjectSearch.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "astro/TextFormat.h"
#include "skydata/ConfigStore.h"

namespace zu {
namespace {

bool Holds(std::string_view candidate, std::string_view query) {
    return candidate.find(query) != std::string_view::npos;
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The query as typed, and the form catalogues write a designation in when it
// was typed without its blank ("M31", "NGC224") or with several
// ("NGC  224"): the letters, one blank, the rest. A row matches either.
struct Query {
    std::string typed;
    std::string designation;  // empty when the query is no designation
    std::string prefix;       // the designation's letters ("HR", "HD")
    std::string number;       // what follows them ("7001")

    explicit Query(std::string text) : typed(std::move(text)) {
        std::size_t letters = 0;
        while (letters < typed.size() && IsUpperLetter(typed[letters])) ++letters;
        std::size_t digit = letters;
        while (digit < typed.size() && typed[digit] == ' ') ++digit;
        if (letters == 0 || digit >= typed.size() || !IsDigit(typed[digit])) return;
        prefix = typed.substr(0, letters);
        number = typed.substr(digit);
        const std::string spaced = prefix + " " + number;
        if (spaced != typed) designation = spaced;
    }

    bool In(std::string_view candidate) const {
        return Holds(candidate, typed) || (!designation.empty() && Holds(candidate, designation));
    }
};

// The leading number of a text rounded to a whole number (halves to even);
// nullopt outside the range of a 32-bit Long.
std::optional<long> RoundedLeadingNumber(std::string_view text) {
    const double value = std::nearbyint(astro::ParseLeadingNumber(text));
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<long>(value);
}

// The same for a catalogue field; fields hold plain digits almost always,
// which are read without the general parser.
std::optional<long> FieldNumber(const std::string& field) {
    if (field.empty()) return std::nullopt;
    long value = 0;
    bool digits_only = field.size() <= 9;
    for (char c : field) {
        if (c < '0' || c > '9') {
            digits_only = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (digits_only) return value;
    return RoundedLeadingNumber(field);
}

// Whether `text` upper-cased equals `upper` (already upper-cased).
bool SameUpperAscii(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i]) return false;
    }
    return true;
}

std::string FourDigits(long number) {
    if (number >= 0) {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%04ld", number);
        return buffer;
    }
    return astro::FormatDigitPattern(static_cast<double>(number), "0000");
}

void SearchConstellations(const std::vector<skydata::ConstDataRecord>& data, const Query& query, bool upper,
                          bool with_abbreviation, const char* tag, const char* kind, std::vector<NameMatch>& out) {
    for (std::size_t row = 0; row < data.size(); ++row) {
        const skydata::ConstDataRecord& c = data[row];
        std::string candidate = c.Name1 + " " + c.Name2;
        if (with_abbreviation) {
            candidate += ' ';
            if (c.Code.size() > 1) candidate.append(c.Code, 1, 3);
        }
        if (query.In(upper ? UpperAscii(candidate) : candidate)) {
            out.push_back({tag + candidate, kind + std::to_string(row)});
        }
    }
}

void SearchBodies(const std::vector<astro::BodyPosition>& bodies, const Query& query, const char* tag,
                  const char* kind, std::vector<NameMatch>& out) {
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (!bodies[i].Valid) continue;
        if (query.In(UpperAscii(bodies[i].Name))) out.push_back({tag + bodies[i].Name, kind + std::to_string(i)});
    }
}

void SearchStarNames(const std::vector<skydata::StarNameEntry>& names, const Query& query, bool upper,
                     const char* kind, std::vector<NameMatch>& out) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string candidate = names[i].Name + " " + names[i].Name2;
        if (query.In(upper ? UpperAscii(candidate) : candidate)) {
            out.push_back({"[별이름]" + candidate, kind + std::to_string(i)});
        }
    }
}

}  // namespace

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

SearchSources ProgramSearchSources() {
    SearchSources sources;
    sources.constellations = &skydata::Constellations();
    sources.planets = &astro::Planets().PlanetTable;
    sources.comets = &astro::SmallBodies().CometPositions;
    sources.asteroids = &astro::SmallBodies().AsteroidPositions;
    sources.catalogs = &skydata::Catalogs();
    return sources;
}

std::vector<NameMatch> FindNameMatches(std::string_view text, const SearchSources& sources) {
    const Query query(UpperAscii(skydata::TrimBlanks(text)));
    std::vector<NameMatch> out;
    if (const skydata::ConstellationState* c = sources.constellations) {
        SearchConstellations(c->E.Data, query, false, false, "[신법별자리]", "econ=", out);
        SearchConstellations(c->O.Data, query, false, false, "[구법별자리]", "ocon=", out);
        SearchConstellations(c->W.Data, query, true, true, "[서양별자리]", "wcon=", out);
    }
    if (sources.planets) {
        for (std::size_t i = 0; i < sources.planets->size(); ++i) {
            const std::string& name = (*sources.planets)[i].Name;
            if (query.In(name)) out.push_back({"[행성]" + name, "pl=" + std::to_string(i)});
        }
    }
    if (sources.comets) SearchBodies(*sources.comets, query, "[혜성]", "com=", out);
    if (sources.asteroids) SearchBodies(*sources.asteroids, query, "[소행성]", "ast=", out);
    const skydata::CatalogState* catalogs = sources.catalogs;
    if (!catalogs) return out;
    SearchStarNames(catalogs->EastStarNames, query, false, "ename=", out);
    SearchStarNames(catalogs->WestStarNames, query, true, "wname=", out);

    // Bright stars by the query's number, or by the number of an HR
    // designation.
    const std::optional<long> number = RoundedLeadingNumber(query.prefix == "HR" ? query.number : query.typed);
    if (number) {
        const std::string wanted = FourDigits(*number);
        for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
            const auto& stars = catalogs->BscStar[static_cast<std::size_t>(zone)];
            const int last = catalogs->BscZoneLastIndex[static_cast<std::size_t>(zone)];
            for (int i = 0; i <= last && i < static_cast<int>(stars.size()); ++i) {
                const int hr = stars[static_cast<std::size_t>(i)].HR;
                if (!Holds(FourDigits(hr), wanted)) continue;
                const std::string hr_text = skydata::FormatPlainNumber(hr);
                out.push_back({"[별]HR" + hr_text, "star=" + hr_text});
            }
        }
    }
    // An HD or SAO designation: the star of the extended catalogue that
    // carries that number.
    if (query.prefix == "HD" || query.prefix == "SAO") {
        const bool hd = query.prefix == "HD";
        if (FindSky2000Star(*catalogs, query.number, hd ? S2kField::HD : S2kField::SAO)) {
            const std::string number_text =
                skydata::FormatPlainNumber(static_cast<double>(RoundedLeadingNumber(query.number).value_or(0)));
            out.push_back({"[별]" + query.prefix + number_text, (hd ? "hd=" : "sao=") + skydata::TrimBlanks(number_text)});
        }
    }

    const auto& dso = catalogs->DeepSkyObject;
    for (std::size_t row = 0; row < dso.size(); ++row) {
        const skydata::DeepSkyObjectRecord& d = dso[row];
        const std::string candidate = skydata::TrimBlanks(d.ID1) + "   " + skydata::TrimBlanks(d.ID2) + " " +
                                      skydata::TrimBlanks(d.Name1) + "  " + skydata::TrimBlanks(d.Name2);
        if (query.In(UpperAscii(candidate))) out.push_back({"[DSO]" + candidate, "m=" + std::to_string(row)});
    }
    return out;
}

std::optional<ParsedKey> ParseResultKey(std::string_view key) {
    const std::size_t eq = key.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    ParsedKey parsed;
    parsed.kind = std::string(key.substr(0, eq));
    parsed.number = RoundedLeadingNumber(key.substr(eq + 1)).value_or(0);
    return parsed;
}

std::optional<StarHit> LocateHRStar(const skydata::CatalogState& catalogs, int hr) {
    for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
        const auto& stars = catalogs.BscStar[static_cast<std::size_t>(zone)];
        const int last = catalogs.BscZoneLastIndex[static_cast<std::size_t>(zone)];
        for (int i = 0; i <= last && i < static_cast<int>(stars.size()); ++i) {
            if (stars[static_cast<std::size_t>(i)].HR == hr) return StarHit{zone, i};
        }
    }
    return std::nullopt;
}

std::optional<StarHit> FindSky2000Star(const skydata::CatalogState& catalogs, std::string_view text,
                                       S2kField field) {
    std::optional<StarHit> hit;
    std::optional<long> number;
    std::string wanted;
    if (field == S2kField::Catalogue) {
        wanted = UpperAscii(skydata::TrimBlanks(text));
        if (wanted.empty()) return std::nullopt;
    } else {
        number = RoundedLeadingNumber(text);
        if (!number || *number <= 0) return std::nullopt;
    }
    for (int zone = 0; zone < skydata::kStarZoneCount; ++zone) {
        const auto& stars = catalogs.S2kStar[static_cast<std::size_t>(zone)];
        const int last = catalogs.S2kZoneLastIndex[static_cast<std::size_t>(zone)];
        for (int i = 0; i <= last && i < static_cast<int>(stars.size()); ++i) {
            const skydata::S2kStarRecord& star = stars[static_cast<std::size_t>(i)];
            bool match = false;
            switch (field) {
                case S2kField::Catalogue:
                    match = SameUpperAscii(star.Id, wanted);
                    break;
                case S2kField::HD: match = FieldNumber(star.HD) == number; break;
                case S2kField::SAO: match = FieldNumber(star.SAO) == number; break;
            }
            if (match) hit = StarHit{zone, i};
        }
    }
    return hit;
}

}  // namespace zu
