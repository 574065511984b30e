#pragma once
// The Qt side of the long-work seam (platform/Services.h): the work runs on a
// thread of its own while the calling thread keeps the windows painted in an
// event loop of its own; a progress window with "취소" shows once the work
// is seen to take more than half a second (from its pace, or after that
// time), and until the work ends no other window takes input (clicks, keys,
// shortcuts), so no handler runs in the middle of the caller's. A window the
// window system closes meanwhile closes once the work is over (after the
// caller's handler, from the event loop); closing the main window (one
// without an owner) also stops the work. Timers go on firing: their handlers
// hold still while WorkRunning (platform/Services.h). InstallQtServices
// installs it.
#include <functional>
#include <memory>

namespace platform {

class LongWork;

LongWork& QtLongWorkService();

// The same long work with `step` run on the calling thread in every run, once
// the work's thread and the progress window are up and before the wait, as a
// step of the wait itself: tests make it fail there.
std::unique_ptr<LongWork> QtLongWorkWithWaitingStep(std::function<void()> step);

// Work expected to end within this time shows no progress window.
inline constexpr int kProgressShowAfter_ms = 500;

}  // namespace platform
