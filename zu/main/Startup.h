#pragma once
// How the sky-chart program comes up: the entry `Main` shows the splash
// window, whose timer runs the start-up loader `InitProgram` once; the loader
// fills every table and catalogue, reads the settings, sets the chart time
// and shows the main window.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "zu/core/ProgramLoad.h"

namespace zu {

class Form1;

// The whole start-up after the splash: LoadProgramState with the program
// folder of the services (or the result of the load Main started beside the
// splash), then the main window created, sized as stored and shown, and the
// splash window closed. On a load error the message is shown,
// the splash window hidden and the result is nullptr (the caller ends the
// program). The window belongs to the caller.
Form1* InitProgram(QWidget* splash);

// The splash window: the picture "splash.dat" of the program folder, 459 x 300
// pixels, centred; its timer fires once after 200 ms and runs `on_timer`.
class frmSplash final : public QWidget {
public:
    // Throws platform::RunTimeError when the picture cannot be read.
    explicit frmSplash(std::function<void()> on_timer);
    QTimer* Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    std::function<void()> on_timer_;
};

// Removes what saves killed half way left in the user folder beside the
// files the program writes there (settings, their backups, the kept track
// points, the site list). Main calls it first.
void RemoveSaveLeftoversAtStart();

// The program's entry: shows the splash window, starts reading the tables
// on a helper thread while the splash waits, and returns; the event loop
// runs the rest. False (with the message shown and the application asked to
// end) when the splash picture cannot be read.
bool Main();
// Deletes the windows Main created; call after the event loop ended.
void ReleaseWindows();

}  // namespace zu
