#pragma once
// The guard at an event-handler boundary: a run-time error that escapes a
// handler is shown in a message box and the program keeps running, as no
// exception may travel through the window system's event loop.
#include <functional>
#include <string>

namespace platform {

// Runs `handler`. A RunTimeError is shown with its own message, any other
// exception with a general Korean message, in a box with the critical icon
// and `title` (empty: the program name). Returns false when it caught one.
bool Guard(const std::function<void()>& handler, const std::string& title = "");

// Shows the exception in flight as Guard does; call it only inside a catch
// block (the last-resort catch of the application's event delivery).
void ShowCurrentException(const std::string& title = "");

}  // namespace platform
