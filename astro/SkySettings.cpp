#include "astro/SkySettings.h"

namespace astro {

SkySettings& Settings() {
    static SkySettings settings;
    return settings;
}

}  // namespace astro
