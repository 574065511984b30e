// Entry of the sky-chart program zu.
#include "app/Startup.h"
#include "platform/QtServices.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    platform::InstallQtServices("zu");
    if (!app::Main()) return 1;
    const int result = application.exec();
    app::ReleaseWindows();
    return result;
}
