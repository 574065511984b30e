#pragma once
// The Qt implementations of the seams of platform/Services.h, and the
// application object whose event delivery is the last guard against an
// escaping run-time error.
#include <QApplication>
#include <QStringList>

#include <filesystem>
#include <string>

namespace platform {

// Installs the Qt implementation of every seam into Env(), with the program
// name ("zu" or "vu") as the default message-box title and the name of the
// user folder. Call once, after the application object exists.
void InstallQtServices(const std::string& program_name);

// Loads Qt's own Korean catalogue ("qtbase_ko") from `folder` (empty: the
// translations folder of the Qt installation), so the file, colour, font and
// print dialogs speak Korean as the rest of the interface does, whatever the
// system locale. False when the catalogue is missing or unreadable: Qt's
// dialogs then keep their English texts (a catalogue loaded before is
// dropped) and the program goes on.
bool InstallQtKorean(const QString& folder = {});

// The program folder of an executable in `executable_folder`: installed, the
// data files are in <prefix>/share/zu beside <prefix>/bin; in the build tree
// they are linked next to the executable.
std::filesystem::path ProgramFolderFor(const std::filesystem::path& executable_folder);

// The documentation folder of an executable in `executable_folder`:
// installed, <prefix>/share/doc/zu beside <prefix>/bin; in the build tree the
// rendered README is written next to the executable.
std::filesystem::path DocumentationFolderFor(const std::filesystem::path& executable_folder);

// The name filters a Qt file dialog shows for a filter text
// "description(*.EXT)|*.EXT|…": one per pair, in order, matching the
// extension in either case.
QStringList QtNameFilters(const std::string& filter);

// Handlers should guard themselves (platform/Guard.h); whatever still escapes
// one is caught here, shown, and the event loop goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform
