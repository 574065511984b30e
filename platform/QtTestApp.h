#pragma once
// The application object the Qt tests need (fonts, widgets, clipboard). Tests
// run with the offscreen platform; created once, on first use.
#include <QApplication>

#include "platform/QtServices.h"

namespace platform {

inline void EnsureQtApp() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    new Application(argc, argv);
}

}  // namespace platform
