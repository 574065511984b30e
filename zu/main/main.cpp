// Entry of the sky-chart program zu.
#include "astro/SeriesCopies.h"
#include "platform/Memory.h"
#include "platform/QtServices.h"
#include "skydata/Catalogs.h"
#include "zu/main/Startup.h"

int main(int argc, char** argv) {
    platform::PreferLargePagesForHeap(skydata::kLoadedTablesHeapBytes);
    // Before any thread computes: long track computations share their
    // moments among the copies of the planetary series.
    astro::InstallSeriesCopies();
    platform::Application application(argc, argv);
    platform::InstallQtServices("zu");
    platform::InstallQtKorean();
    if (!zu::Main()) return 1;
    const int result = application.exec();
    zu::ReleaseWindows();
    return result;
}
