// Entry of the sky-chart program zu.
#include "platform/Memory.h"
#include "platform/QtServices.h"
#include "skydata/Catalogs.h"
#include "zu/main/Startup.h"

int main(int argc, char** argv) {
    platform::PreferLargePagesForHeap(skydata::kLoadedTablesHeapBytes);
    platform::Application application(argc, argv);
    platform::InstallQtServices("zu");
    platform::InstallQtKorean();
    if (!app::Main()) return 1;
    const int result = application.exec();
    app::ReleaseWindows();
    return result;
}
