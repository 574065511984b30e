#include "astro/SkySettings.h"

namespace astro {
namespace {

SkySettings g_own_record;
SkySettings* g_bound = &g_own_record;

}  // namespace

SkySettings& Settings() { return *g_bound; }

void BindSettings(SkySettings* record) { g_bound = record ? record : &g_own_record; }

}  // namespace astro
