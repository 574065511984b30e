#include "chart/ObjectKey.h"

#include <charconv>
#include <cstdio>

namespace chart {

namespace {

std::string UserKeyText(int slot, const char* code, std::int32_t index) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "(UC%d_%s:%04d)", slot, code, static_cast<int>(index));
    return buffer;
}

std::string LetterKeyText(char letter, std::int32_t index) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%c%d", letter, static_cast<int>(index));
    return buffer;
}

// A whole decimal number 0..INT32_MAX filling all of `text`.
std::optional<std::int32_t> WholeNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

std::optional<ObjectKey> ParseUserKey(std::string_view text) {
    // "(UC" c "_" code ":" digits ")"
    if (text.size() < 9 || text.substr(0, 3) != "(UC" || text.back() != ')') return std::nullopt;
    const char slot = text[3];
    if ((slot != '1' && slot != '2') || text[4] != '_') return std::nullopt;
    const std::string_view code = text.substr(5, 2);
    if (text[7] != ':') return std::nullopt;
    const auto index = WholeNumber(text.substr(8, text.size() - 9));
    if (!index) return std::nullopt;
    const int c = slot - '0';
    if (code == "St") return UserStarKey(c, *index);
    if (code == "Nb") return UserNebulaKey(c, *index);
    if (code == "Ch") return UserTextKey(c, *index);
    if (code[0] == 'S' && code[1] >= '1' && code[1] <= '5') return UserShapeKey(c, code[1] - '0', *index);
    return std::nullopt;
}

}  // namespace

std::string ObjectKey::Text() const {
    switch (kind) {
        case ObjectKind::Empty: return {};
        case ObjectKind::BrightStar:
        case ObjectKind::ExtraStar: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%c%d:%d", kind == ObjectKind::BrightStar ? 'S' : 'E',
                          static_cast<int>(group), static_cast<int>(index));
            return buffer;
        }
        case ObjectKind::DeepSky: return LetterKeyText('M', index);
        case ObjectKind::Planet: return LetterKeyText('P', index);
        case ObjectKind::Comet: return LetterKeyText('C', index);
        case ObjectKind::Asteroid: return LetterKeyText('A', index);
        case ObjectKind::UserShape: {
            const char code[3] = {'S', static_cast<char>('0' + shape % 10), '\0'};
            return UserKeyText(group, code, index);
        }
        case ObjectKind::UserStar: return UserKeyText(group, "St", index);
        case ObjectKind::UserNebula: return UserKeyText(group, "Nb", index);
        case ObjectKind::UserText: return UserKeyText(group, "Ch", index);
        case ObjectKind::Null: return "Null";
    }
    return {};
}

std::optional<ObjectKey> ParseObjectKey(std::string_view text) {
    if (text.empty()) return ObjectKey{};
    if (text == "Null") return NullKey();
    const char letter = text[0];
    if (letter == '(') return ParseUserKey(text);
    const std::string_view rest = text.substr(1);
    if (letter == 'S' || letter == 'E') {
        const auto colon = rest.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const auto zone = WholeNumber(rest.substr(0, colon));
        const auto index = WholeNumber(rest.substr(colon + 1));
        if (!zone || !index || *zone > 29) return std::nullopt;
        return letter == 'S' ? BrightStarKey(*zone, *index) : ExtraStarKey(*zone, *index);
    }
    const auto number = WholeNumber(rest);
    if (!number) return std::nullopt;
    switch (letter) {
        case 'M': return DeepSkyKey(*number);
        case 'P': return PlanetKey(*number);
        case 'C': return CometKey(*number);
        case 'A': return AsteroidKey(*number);
        default: return std::nullopt;
    }
}

}  // namespace chart
