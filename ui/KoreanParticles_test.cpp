#include "ui/KoreanParticles.h"

#include <gtest/gtest.h>

namespace app {
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
    };
    for (const Case& c : cases) EXPECT_EQ(WithParticle(c.name, c.particle), c.result) << c.name;
}

}  // namespace
}  // namespace app
