#pragma once
// Scripted test doubles of the Qt-free seams. Each records what the program
// asked for and answers from a queue the test fills; an empty queue gives the
// answer of a user who cancels (dialogs) or presses Enter (message boxes:
// the default button, the first unless the box names another). FakeEnv installs a full set and puts the previous services
// back when it goes out of scope. The doubles of the seams that hand over Qt
// objects (pop-up menus, windows, clipboard) are in platform/QtFakes.h.
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "platform/Surface.h"

namespace platform {

class FakeMessageBox final : public MessageBox {
public:
    MsgAnswer Show(const Message& message) override;

    std::vector<Message> shown;
    std::deque<MsgAnswer> answers;
};

class FakeFileDialog final : public FileDialog {
public:
    std::optional<FileChoice> Show(const FileRequest& request) override;

    std::vector<FileRequest> requests;
    std::deque<std::optional<FileChoice>> answers;
};

class FakeColourDialog final : public ColourDialog {
public:
    std::optional<Colour> Show(Colour initial, const std::string& title) override;

    struct Request {
        Colour initial;
        std::string title;
    };
    std::vector<Request> requests;
    std::deque<std::optional<Colour>> answers;
};

class FakeFontDialog final : public FontDialog {
public:
    std::optional<FontSpec> Show(const FontSpec& initial, const std::string& title) override;

    struct Request {
        FontSpec initial;
        std::string title;
    };
    std::vector<Request> requests;
    std::deque<std::optional<FontSpec>> answers;
};

// Documents are drawn on pages that `new_page` makes (FakeQtEnv installs
// recording surfaces); without it, or with `fail_start`, starting fails.
// Each document stays in `documents` with whether its End() was called and
// what it reported (false with `fail_end`); NewPage only counts `pages`, the
// drawing going on on the same surface.
class FakePrintDialog final : public PrintDialog {
public:
    std::vector<std::string> PrinterNames() override { return printers; }
    std::optional<PrintChoice> Show(const std::string& title) override;
    std::optional<PrintChoice> ShowSuggesting(const std::string& title, const std::filesystem::path& pdf) override {
        suggested_pdf.push_back(pdf);
        return Show(title);
    }
    std::unique_ptr<PrintDocument> StartDocument(const PrintTarget& target) override;

    struct Document {
        PrintTarget target;
        std::unique_ptr<Surface> page;
        bool ended = false;
        bool sent = false;
        int pages = 1;
    };

    std::vector<std::string> printers;
    std::vector<std::string> titles;
    std::vector<std::filesystem::path> suggested_pdf;
    std::deque<std::optional<PrintChoice>> answers;
    std::vector<std::unique_ptr<Document>> documents;
    std::function<std::unique_ptr<Surface>()> new_page;
    bool fail_start = false;
    bool fail_end = false;
};

// The date and time `minutes` later (earlier when negative), across days,
// months and years of the Gregorian calendar.
LocalTime ShiftedByMinutes(const LocalTime& time, int minutes);

// A computer clock standing still at `now`, in a computer zone `zone_min`
// minutes east of UTC (a Korean computer unless a test moves it).
class FakeClock final : public Clock {
public:
    LocalTime Now() override { return now; }
    LocalTime UtcNow() override { return ShiftedByMinutes(now, -zone_min); }
    void Set(int year, int month, int day, int hour, int minute, int second) {
        now = LocalTime{year, month, day, hour, minute, second, 0};
    }

    LocalTime now;
    int zone_min = 9 * 60;
};


// Each reading returns `ms` and then advances it by `step_ms`.
class FakeTick final : public Tick {
public:
    std::int64_t Milliseconds() override {
        const std::int64_t value = ms;
        ms += step_ms;
        return value;
    }

    std::int64_t ms = 0;
    std::int64_t step_ms = 0;
};

class FakeShell final : public Shell {
public:
    bool Open(const std::string& address_or_path) override {
        opened.push_back(address_or_path);
        return opens;
    }

    std::vector<std::string> opened;
    bool opens = true;  // false: as a desktop without a browser
};

class FakeFolders final : public Folders {
public:
    std::filesystem::path ProgramFolder() override { return program; }
    std::filesystem::path UserFolder() override { return user; }
    std::filesystem::path DocumentsFolder() override { return documents; }
    std::filesystem::path HomeFolder() override { return home; }

    std::filesystem::path program;
    std::filesystem::path user;
    std::filesystem::path documents;  // empty: the system names none
    std::filesystem::path home;
};

// Long work run at once on the calling thread. Each run's request is kept,
// with the total and the steps done that the work reported. `cancel_after`
// holds one entry per run, taken in order (none left: the run goes to its
// end): a number stops that run as the user would once that many steps are
// done (0: before the first). `meanwhile`, when set, runs on the calling
// thread in every run once the work has returned and before Run returns, as
// the timers and queued calls the real seam's event loop runs while it waits.
class FakeLongWork final : public LongWork {
public:
    bool Run(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) override;

    std::vector<WorkRequest> requests;
    std::vector<std::size_t> totals;
    std::vector<std::size_t> done;
    std::deque<std::optional<std::size_t>> cancel_after;
    std::function<void()> meanwhile;
};

// Installs every Qt-free double above; the pop-up, window and clipboard seams
// keep whatever was installed before (headless stand-ins unless a test
// installs the Qt doubles too).
class FakeEnv {
public:
    explicit FakeEnv(const std::string& program_name = "zu");
    ~FakeEnv();
    FakeEnv(const FakeEnv&) = delete;
    FakeEnv& operator=(const FakeEnv&) = delete;

    FakeMessageBox messages;
    FakeFileDialog files;
    FakeColourDialog colours;
    FakeFontDialog fonts;
    FakePrintDialog printing;
    FakeLongWork long_work;
    FakeClock clock;
    FakeTick tick;
    FakeShell shell;
    FakeFolders folders;

private:
    Services previous_;
};

}  // namespace platform
