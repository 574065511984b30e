#include "ui/KoreanParticles.h"

#include <cctype>

namespace ui {
namespace {

constexpr char32_t kFirstSyllable = 0xAC00;
constexpr char32_t kLastSyllable = 0xD7A3;
constexpr int kFinals = 28;

// The last code point of a UTF-8 text that is not a blank or a closing
// bracket; 0 when there is none.
char32_t LastSound(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) --start;
        const auto lead = static_cast<unsigned char>(s[start]);
        char32_t c = 0;
        if (lead < 0x80) {
            c = lead;
        } else {
            const std::size_t length = end - start;
            c = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
            for (std::size_t i = start + 1; i < end; ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        }
        if (c != U' ' && c != U')' && c != U']' && c != U'"' && c != U'\'') return c;
        end = start;
    }
    return 0;
}

}  // namespace

bool EndsInConsonant(std::string_view name) {
    const char32_t c = LastSound(name);
    if (c >= kFirstSyllable && c <= kLastSyllable) return (c - kFirstSyllable) % kFinals != 0;
    if (c >= U'0' && c <= U'9') {
        // 영 일 이 삼 사 오 육 칠 팔 구
        constexpr bool kDigits[10] = {true, true, false, true, false, false, true, true, true, false};
        return kDigits[c - U'0'];
    }
    if (c < 0x80 && std::isalpha(static_cast<int>(c))) {
        const int letter = std::tolower(static_cast<int>(c));
        return letter == 'l' || letter == 'm' || letter == 'n' || letter == 'r';
    }
    return false;
}

std::string ParticleFor(std::string_view name, Particle particle) {
    const bool consonant = EndsInConsonant(name);
    switch (particle) {
        case Particle::Object: return consonant ? "을" : "를";
        case Particle::Topic: return consonant ? "은" : "는";
        case Particle::Subject: return consonant ? "이" : "가";
        case Particle::And: return consonant ? "과" : "와";
    }
    return "";
}

std::string WithParticle(std::string_view name, Particle particle) {
    return std::string(name) + ParticleFor(name, particle);
}

}  // namespace ui
