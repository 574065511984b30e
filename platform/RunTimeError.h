#pragma once
// The one exception type of the project: a run-time error carrying a Korean
// message for the user. Computations and loaders throw it; the guard at each
// event-handler boundary shows the message and keeps the program running.
#include <stdexcept>
#include <string>

namespace platform {

class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(const std::string& message_utf8) : std::runtime_error(message_utf8) {}
};

}  // namespace platform
