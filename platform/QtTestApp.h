#pragma once
// The application object the Qt tests need (fonts, widgets, clipboard). Tests
// run with the offscreen platform; created once, on first use.
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "platform/QtServices.h"

namespace platform {

inline void EnsureQtApp() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    new Application(argc, argv);
}

// Runs the event loop for `ms` milliseconds: layouts, timers and paint events
// happen as they would on screen.
inline void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Distinct colours in the picture (every second pixel of every second row):
// an empty or unpainted window has one or two.
inline int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    }
    return static_cast<int>(seen.size());
}

// Lets the window settle for `settle_ms`, then saves its picture as `file` for
// a person to look at; returns its distinct colours, 0 when it could not be
// taken or saved.
inline int KeepWindowPicture(QWidget& window, const QString& file, int settle_ms = 200) {
    RunEventsFor(settle_ms);
    const QImage shot = window.grab().toImage();
    if (shot.isNull() || !shot.save(file)) return 0;
    return Colours(shot);
}

}  // namespace platform
