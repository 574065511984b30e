// Entry of the calendar program vu: the main window is the program.
#include "platform/QtServices.h"
#include "vu/main/Form1.h"
#include "vu/main/OutputCommands.h"
#include "vu/main/ToolHooks.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    platform::InstallQtServices("vu");
    platform::InstallQtKorean();
    auto* form = new vu::Form1;
    vu::ConnectToolWindows(*form);
    vu::ConnectOutputs(*form);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return application.exec();
}
