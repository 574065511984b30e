#include "astro/SeriesCopies.h"

#include <mutex>

#include "astro/Plan404.h"
#include "astro/SeriesCopyTable.h"

namespace astro {

// Made with the copies (SeriesCopyTables.cpp in the build folder).
extern const int kPrivateSeriesCopyCount;
extern const HelioSeriesTable kPrivateSeriesCopies[];

int InstallSeriesCopies() {
    static std::once_flag once;
    std::call_once(once, [] { AddSeriesCopies(kPrivateSeriesCopies, kPrivateSeriesCopyCount); });
    return SeriesCopyCount();
}

}  // namespace astro
