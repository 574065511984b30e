#include "platform/Guard.h"

#include <exception>
#include <new>

#include "platform/RunTimeError.h"
#include "platform/Services.h"

namespace platform {

void ShowCurrentException(const std::string& title) {
    std::string text;
    try {
        throw;
    } catch (const RunTimeError& error) {
        text = error.what();
    } catch (const std::bad_alloc&) {
        text = "메모리가 부족합니다.";
    } catch (const std::exception& error) {
        text = std::string("예기치 않은 오류가 발생했습니다.\n") + error.what();
    } catch (...) {
        text = "예기치 않은 오류가 발생했습니다.";
    }
    MsgBox(text, MsgButtons::Ok, MsgIcon::Critical, title);
}

bool Guard(const std::function<void()>& handler, const std::string& title) {
    try {
        handler();
        return true;
    } catch (...) {
        // A failing message box must not escape the guard either.
        try {
            ShowCurrentException(title);
        } catch (...) {
        }
        return false;
    }
}

}  // namespace platform
