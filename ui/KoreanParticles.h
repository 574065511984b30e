#pragma once
// Korean particles after a name: the form of a particle depends on whether
// the name, read aloud, ends in a consonant ("달을", "vu를", "HTML을",
// "3월을"). Every text that puts a particle after a name takes it from here.
// Qt-free.
#include <string>
#include <string_view>

namespace ui {

enum class Particle {
    Object,   // 을 / 를
    Topic,    // 은 / 는
    Subject,  // 이 / 가
    And,      // 과 / 와
};

// True when the name read aloud ends in a final consonant: a hangul syllable
// with a final consonant, a digit whose Korean name does (0 영, 1 일, 3 삼,
// 6 육, 7 칠, 8 팔, 10 십), or a Latin letter whose English name does (L, M,
// N, R). Trailing blanks and closing brackets are skipped; an empty name
// counts as ending in a vowel.
bool EndsInConsonant(std::string_view name);

// The particle's form for the name, alone.
std::string ParticleFor(std::string_view name, Particle particle);

// The name followed by the particle: "vu를", "달을".
std::string WithParticle(std::string_view name, Particle particle);

}  // namespace ui
