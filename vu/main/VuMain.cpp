// Entry of the calendar program vu: the main window is the program.
#include "calendar/SettingsFiles.h"
#include "platform/QtServices.h"
#include "platform/UserFiles.h"
#include "vu/main/Form1.h"
#include "vu/main/OutputCommands.h"
#include "vu/main/ToolHooks.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    platform::InstallQtServices("vu");
    platform::InstallQtKorean();
    // What saves killed half way left beside the settings file and its backups.
    platform::RemoveUserFolderLeftovers({calendar::kCalConfigFile}, {calendar::kCalConfigFile});
    auto* form = new vu::Form1;
    vu::ConnectToolWindows(*form);
    vu::ConnectOutputs(*form);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return application.exec();
}
