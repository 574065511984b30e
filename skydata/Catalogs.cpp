#include "skydata/Catalogs.h"

namespace skydata {

namespace {
CatalogState g_catalogs;
}

CatalogState& Catalogs() { return g_catalogs; }

void ResetCatalogs() { g_catalogs = CatalogState(); }

}  // namespace skydata
