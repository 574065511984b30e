#pragma once
// The seams between the programs and their environment: everything that
// blocks on the user (message boxes, dialogs, pop-up menus, modal windows,
// long work the user waits for) or depends on the machine (clipboard, clock,
// tick, web browser, folders).
// Windows and modules reach them only through Env(), so a test installs
// scripted doubles (platform/Fakes.h, platform/QtFakes.h) and runs any window
// without a person and without blocking. The Qt implementations are installed
// by InstallQtServices (platform/QtServices.h).
//
// This header is Qt-free: the seams that hand over Qt objects name them only
// by forward declaration, so Qt-free modules may show a message or read the
// clock.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Colour.h"
#include "platform/FontSpec.h"

class QAction;
class QImage;
class QMenu;
class QWidget;

namespace platform {

class Surface;

// ---- Message box --------------------------------------------------------

enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct Message {
    std::string text;   // lines joined by "\r\n" or "\n"
    std::string title;  // empty: the program name ("zu" or "vu")
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    // The button Enter presses; empty: the first of the set. A question
    // whose "예" destroys something (replacing a file) names "아니요".
    std::optional<MsgAnswer> default_answer;
};

// The first button of a set.
MsgAnswer FirstButtonOf(MsgButtons buttons);
// The answer Enter gives: the box's default button.
MsgAnswer DefaultAnswerOf(const Message& message);

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MsgAnswer Show(const Message& message) = 0;
};

// ---- File dialog --------------------------------------------------------

enum class FileDialogKind { Open, Save };

struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    std::string filter;  // "description(*.EXT)|*.EXT|description|*.A;*.B"
    std::filesystem::path folder;  // initial folder
    std::string name;              // initial file name
    int filter_index = 1;          // initially chosen filter pair, from 1
    // Save: the extension (".cal") a name typed without one gets, whatever
    // filter is in force; empty: the extension of the filter pair in force
    // (see ChooseSaveFile).
    std::string extension;
};

struct FileChoice {
    std::filesystem::path path;
    int filter_index = 1;  // the filter pair in force when the user chose, from 1
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The name as the user typed or picked it; nullopt when the user
    // cancelled. A save dialog neither completes the name nor asks about an
    // existing file: the programs save through ChooseSaveFile
    // (platform/SaveName.h), which does both.
    virtual std::optional<FileChoice> Show(const FileRequest& request) = 0;
};

// One filter pair: the text the user sees and the patterns separated by ';'.
struct FilterPair {
    std::string description;
    std::vector<std::string> patterns;
};
// Splits a filter text at '|' into pairs; a trailing description without
// patterns gets "*".
std::vector<FilterPair> ParseFilter(const std::string& filter);

// ---- Colour, font and print dialogs -----------------------------------------

class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // Opens preset with `initial`; nullopt when cancelled.
    virtual std::optional<Colour> Show(Colour initial, const std::string& title) = 0;
};

class FontDialog {
public:
    virtual ~FontDialog() = default;
    // Opens preset with `initial` (name, size, bold, italic); nullopt when
    // cancelled. Underline and strikethru come back as they went in.
    virtual std::optional<FontSpec> Show(const FontSpec& initial, const std::string& title) = 0;
};

struct PrintChoice {
    std::string printer;  // the printer's name as PrinterNames lists it
    int copies = 1;
    bool landscape = false;
    std::filesystem::path pdf;  // not empty: print into this PDF file instead
};

// Where a document goes: a PDF file when `pdf` is not empty, else the
// installed printer of that name.
struct PrintTarget {
    std::string printer;
    std::filesystem::path pdf;
    bool landscape = false;  // the page turned: 297 x 211 units
};

// A document being printed, a page at a time. The page is a surface of
// 211 x 297 units (297 x 211 when landscape) (one unit is a millimetre of A4 portrait paper; other paper is
// scaled evenly to fit) in the pixel scale mode, so drawing and read-outs use
// the same units; font sizes stay points on paper.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual Surface& Page() = 0;
    // Ends the page and goes on drawing on a new one of the same document
    // (the same surface); false when the device cannot.
    virtual bool NewPage() { return false; }
    // Sends the document; false when it could not be finished. A PDF is
    // written under a temporary name and takes its own name only here, so a
    // failed or abandoned document leaves no file and keeps an older one.
    virtual bool End() = 0;
};

class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // The installed printers in the system's order; empty when there are none.
    virtual std::vector<std::string> PrinterNames() = 0;
    // The common print dialog (printer, copies preset to 1, orientation;
    // printing a selection is not offered); nullopt when cancelled.
    virtual std::optional<PrintChoice> Show(const std::string& title) = 0;
    // The same dialog with the file offered when the user prints into a PDF
    // file (its folder where the file goes); by default the plain dialog.
    virtual std::optional<PrintChoice> ShowSuggesting(const std::string& title, const std::filesystem::path& pdf) {
        (void)pdf;
        return Show(title);
    }
    // Starts a document of one page; nullptr when the printer or the file
    // cannot be opened (and always where no printing is installed).
    virtual std::unique_ptr<PrintDocument> StartDocument(const PrintTarget& target);
};

// ---- Pop-up menus and windows -------------------------------------------

class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    // Shows `menu` at the global screen point (x, y) with `default_action`
    // in bold, waits for the choice and returns the triggered action
    // (its triggered signal has fired), or nullptr when dismissed.
    virtual QAction* Popup(QMenu& menu, int x, int y, QAction* default_action = nullptr) = 0;
};

class WindowShow {
public:
    virtual ~WindowShow() = default;
    // Both kinds of window are owned by `owner` (platform/WindowPlacement.h,
    // MakeOwned): they stay above it, minimise with it and close with it.
    //
    // Opens the window modal to `owner` (input to the owner's window
    // hierarchy is blocked while it is open) and returns at once, without
    // waiting for it to close: whatever follows its closing runs in the
    // window's own handlers. Nothing blocks inside a handler.
    virtual void OpenModal(QWidget& window, QWidget* owner) = 0;
    // Shows the window modeless, owned by `owner`, and returns at once.
    virtual void ShowOwned(QWidget& window, QWidget* owner) = 0;
};

// ---- Long work -------------------------------------------------------------

// What long work tells whoever waits for it, and how it learns that the user
// stopped it. The work writes from its own threads while the waiting side
// reads: every member may be used from any thread.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // The number of steps the work has to do.
    void SetTotal(std::size_t steps) { total_.store(steps, std::memory_order_relaxed); }
    // `steps` more steps are done.
    void Advance(std::size_t steps = 1) {
        done_.fetch_add(steps, std::memory_order_relaxed);
        Advanced();
    }
    std::size_t Total() const { return total_.load(std::memory_order_relaxed); }
    std::size_t Done() const { return done_.load(std::memory_order_relaxed); }
    // True once the user stopped the work: it returns as soon as it can, and
    // what it has computed is thrown away.
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }

protected:
    // After every Advance, on the thread that advanced.
    virtual void Advanced() {}

private:
    std::atomic<std::size_t> total_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> cancelled_{false};
};

struct WorkRequest {
    std::string title;  // caption of the progress window; empty: the program name
    std::string text;   // what is being done, one line
};

class LongWork {
public:
    virtual ~LongWork() = default;
    // Runs `work` and returns once it has returned: true when it ran to its
    // end, false when the user stopped it ("취소"). Meanwhile the windows are
    // kept painted, a progress window with "취소" shows once the work has
    // taken more than about half a second, and no other window takes input.
    // `work` may run on a thread of its own: it reads only what it was handed
    // and writes only its own result, which the caller takes over on return.
    // An exception that `work` throws passes on to the caller.
    virtual bool Run(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) = 0;
};

// True while long work runs: from the start of RunLongWork to its return,
// nested runs included. The caller's state may be half applied meanwhile,
// while the waiting event loop still runs timers and queued calls: the
// program's timer handlers, queued calls and deferred commands check it and
// change nothing (a periodic one acts on its next tick after the work, a
// one-shot one tries again later), so what the work's caller applies
// afterwards is what stands.
bool WorkRunning();

// ---- Clipboard ----------------------------------------------------------

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;
    virtual void SetImage(const QImage& image) = 0;
    virtual void SetText(const std::string& text_utf8) = 0;
    virtual std::string Text() = 0;
};

// ---- Clock, tick, shell, folders ----------------------------------------

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;

    bool operator==(const LocalTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The present local civil date and time of the computer, in the
    // computer's own time zone.
    virtual LocalTime Now() = 0;
    // The same instant in UTC (the system's zone rules, summer time included,
    // applied): the present of a place whose zone is not the computer's.
    virtual LocalTime UtcNow() = 0;
};

class Tick {
public:
    virtual ~Tick() = default;
    // A monotonic millisecond count, for measuring durations only.
    virtual std::int64_t Milliseconds() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address in the browser, or a file with the program the
    // desktop associates with it, and returns at once; false when the desktop
    // could hand it to no program (no browser or opener installed). What the
    // program then does with it is not known.
    virtual bool Open(const std::string& address_or_path) = 0;
};

class Folders {
public:
    virtual ~Folders() = default;
    // The folder that holds the data files.
    virtual std::filesystem::path ProgramFolder() = 0;
    // The per-user folder of written settings and lists; created on demand
    // by the functions of platform/UserFiles.h.
    virtual std::filesystem::path UserFolder() = 0;
    // The user's documents folder (it may not exist); empty when the system
    // names none.
    virtual std::filesystem::path DocumentsFolder() { return {}; }
    // The user's home folder; empty when unknown.
    virtual std::filesystem::path HomeFolder();
    // The folder of the documentation installed with the programs.
    virtual std::filesystem::path DocumentationFolder() { return ProgramFolder(); }
};

// ---- The one place the seams are reached through ----------------------------

struct Services {
    std::string program_name = "zu";  // default title of message boxes
    MessageBox* messages = nullptr;
    FileDialog* files = nullptr;
    ColourDialog* colours = nullptr;
    FontDialog* fonts = nullptr;
    PrintDialog* printing = nullptr;
    PopupMenu* popups = nullptr;
    WindowShow* windows = nullptr;
    LongWork* long_work = nullptr;
    Clipboard* clipboard = nullptr;
    Clock* clock = nullptr;
    Tick* tick = nullptr;
    Shell* shell = nullptr;
    Folders* folders = nullptr;
};

// The services in force. Until something is installed every seam has a
// headless stand-in: the real clock and tick, the current folder, dialogs
// and pop-ups that cancel, message boxes written to standard error that answer
// with their default button, long work run to its end on the calling thread,
// a clipboard that does nothing and a shell that opens nothing (and says so).
Services& Env();
// Puts the headless stand-ins back (for tests).
void ResetEnv();

// Shorthands for the most common calls.
MsgAnswer ShowMessage(const Message& message);
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const std::string& title = "");
LocalTime Now();
LocalTime UtcNow();
std::int64_t TickMs();
bool RunLongWork(const WorkRequest& request, const std::function<void(WorkProgress&)>& work);

}  // namespace platform
