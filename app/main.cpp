// Entry of the sky-chart program zu.
#include "app/Startup.h"
#include "platform/Memory.h"
#include "platform/QtServices.h"

int main(int argc, char** argv) {
    // The star catalogues and tables, some 40 MB, are loaded at start-up.
    platform::PreferLargePagesForHeap(std::size_t{64} << 20);
    platform::Application application(argc, argv);
    platform::InstallQtServices("zu");
    if (!app::Main()) return 1;
    const int result = application.exec();
    app::ReleaseWindows();
    return result;
}
