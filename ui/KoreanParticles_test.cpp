#include "ui/KoreanParticles.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(KoreanParticles, FormFollowsTheLastSound) {
    struct Case {
        const char* name;
        Particle particle;
        const char* result;
    } cases[] = {
        {"vu", Particle::Object, "vu를"},
        {"zu", Particle::Topic, "zu는"},
        {"HTML", Particle::Object, "HTML을"},
        {"BMP", Particle::Object, "BMP를"},
        {"달", Particle::Object, "달을"},
        {"해", Particle::Subject, "해가"},
        {"기념일", Particle::And, "기념일과"},
        {"vu 설정", Particle::Topic, "vu 설정은"},
        {"3월", Particle::Subject, "3월이"},
        {"2024", Particle::Object, "2024를"},
        {"2023", Particle::Object, "2023을"},
        {"음력(윤)", Particle::Subject, "음력(윤)이"},
        {"", Particle::Object, "를"},
        // Program captions with their version, read 영 점 일 and so on.
        {"vu 0.1", Particle::Topic, "vu 0.1은"},
        {"vu 0.2", Particle::Topic, "vu 0.2는"},
        {"vu 0.3", Particle::Topic, "vu 0.3은"},
        {"vu 1.5", Particle::Topic, "vu 1.5는"},
        {"vu 1.10", Particle::Topic, "vu 1.10은"},
        {"zu 0.1.9", Particle::Topic, "zu 0.1.9는"},
    };
    for (const Case& c : cases) EXPECT_EQ(WithParticle(c.name, c.particle), c.result) << c.name;
}

}  // namespace
}  // namespace ui
