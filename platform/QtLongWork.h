#pragma once
// The Qt side of the long-work seam (platform/Services.h): the work runs on a
// thread of its own while the calling thread keeps the windows painted in an
// event loop of its own; a progress window with "취소" shows once the work
// is seen to take more than half a second (from its pace, or after that
// time), and until the work ends no other window takes input (clicks, keys,
// shortcuts, closing), so no handler runs in the middle of the caller's.
// Timers go on firing: what they start must not depend on the caller's
// unfinished state. InstallQtServices installs it.
namespace platform {

class LongWork;

LongWork& QtLongWorkService();

// Work expected to end within this time shows no progress window.
inline constexpr int kProgressShowAfter_ms = 500;

}  // namespace platform
