#include "platform/Services.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <system_error>

namespace platform {
namespace {

class HeadlessMessageBox final : public MessageBox {
public:
    MsgAnswer Show(const Message& message) override {
        std::cerr << (message.title.empty() ? Env().program_name : message.title) << ": " << message.text << '\n';
        return DefaultAnswerOf(message);
    }
};

class HeadlessFileDialog final : public FileDialog {
public:
    std::optional<FileChoice> Show(const FileRequest&) override { return std::nullopt; }
};

class HeadlessColourDialog final : public ColourDialog {
public:
    std::optional<Colour> Show(Colour, const std::string&) override { return std::nullopt; }
};

class HeadlessFontDialog final : public FontDialog {
public:
    std::optional<FontSpec> Show(const FontSpec&, const std::string&) override { return std::nullopt; }
};

class HeadlessPrintDialog final : public PrintDialog {
public:
    std::vector<std::string> PrinterNames() override { return {}; }
    std::optional<PrintChoice> Show(const std::string&) override { return std::nullopt; }
};

class HeadlessPopupMenu final : public PopupMenu {
public:
    QAction* Popup(QMenu&, int, int, QAction*) override { return nullptr; }
};

class HeadlessWindowShow final : public WindowShow {
public:
    void OpenModal(QWidget&, QWidget*) override {}
    void ShowOwned(QWidget&, QWidget*) override {}
};

class HeadlessClipboard final : public Clipboard {
public:
    void Clear() override { text_.clear(); }
    void SetImage(const QImage&) override {}
    void SetText(const std::string& text_utf8) override { text_ = text_utf8; }
    std::string Text() override { return text_; }

private:
    std::string text_;
};

// The computer's clock, without Qt.
class SystemClock final : public Clock {
public:
    LocalTime Now() override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min,         local.tm_sec,     static_cast<int>(ms < 0 ? ms + 1000 : ms)};
    }
    LocalTime UtcNow() override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm utc{};
        gmtime_r(&seconds, &utc);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        return LocalTime{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                         utc.tm_min,         utc.tm_sec,     static_cast<int>(ms < 0 ? ms + 1000 : ms)};
    }
};

class SteadyTick final : public Tick {
public:
    std::int64_t Milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class HeadlessLongWork final : public LongWork {
public:
    bool Run(const WorkRequest&, const std::function<void(WorkProgress&)>& work) override {
        WorkProgress progress;
        work(progress);
        return !progress.Cancelled();
    }
};

class HeadlessShell final : public Shell {
public:
    bool Open(const std::string&) override { return false; }
};

class ExecutableFolders final : public Folders {
public:
    std::filesystem::path ProgramFolder() override { return ExecutableFolder(); }
    std::filesystem::path UserFolder() override { return ExecutableFolder(); }

private:
    static std::filesystem::path ExecutableFolder() {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) return std::filesystem::current_path(error);
        return exe.parent_path();
    }
};

Services Headless() {
    static HeadlessMessageBox messages;
    static HeadlessFileDialog files;
    static HeadlessColourDialog colours;
    static HeadlessFontDialog fonts;
    static HeadlessPrintDialog printing;
    static HeadlessPopupMenu popups;
    static HeadlessWindowShow windows;
    static HeadlessLongWork long_work;
    static HeadlessClipboard clipboard;
    static SystemClock clock;
    static SteadyTick tick;
    static HeadlessShell shell;
    static ExecutableFolders folders;
    Services s;
    s.messages = &messages;
    s.files = &files;
    s.colours = &colours;
    s.fonts = &fonts;
    s.printing = &printing;
    s.popups = &popups;
    s.windows = &windows;
    s.long_work = &long_work;
    s.clipboard = &clipboard;
    s.clock = &clock;
    s.tick = &tick;
    s.shell = &shell;
    s.folders = &folders;
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

}  // namespace

std::unique_ptr<PrintDocument> PrintDialog::StartDocument(const PrintTarget&) { return nullptr; }

std::filesystem::path Folders::HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path();
}

MsgAnswer FirstButtonOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo: return MsgAnswer::Yes;
        case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    }
    return MsgAnswer::Ok;
}

MsgAnswer DefaultAnswerOf(const Message& message) {
    return message.default_answer.value_or(FirstButtonOf(message.buttons));
}

std::vector<FilterPair> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(filter.substr(start));
            break;
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FilterPair> pairs;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        FilterPair pair;
        pair.description = Trim(parts[i]);
        const std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "*";
        std::string::size_type p = 0;
        while (p <= patterns.size()) {
            const auto semi = patterns.find(';', p);
            const std::string one = Trim(patterns.substr(p, semi == std::string::npos ? std::string::npos : semi - p));
            if (!one.empty()) pair.patterns.push_back(one);
            if (semi == std::string::npos) break;
            p = semi + 1;
        }
        if (pair.patterns.empty()) pair.patterns.push_back("*");
        if (pair.description.empty() && i + 1 >= parts.size()) continue;
        pairs.push_back(pair);
    }
    return pairs;
}

Services& Env() {
    static Services services = Headless();
    return services;
}

void ResetEnv() { Env() = Headless(); }

MsgAnswer ShowMessage(const Message& message) {
    Message shown = message;
    if (shown.title.empty()) shown.title = Env().program_name;
    return Env().messages->Show(shown);
}

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
    return ShowMessage(Message{text, title, buttons, icon, std::nullopt});
}

LocalTime Now() { return Env().clock->Now(); }

LocalTime UtcNow() { return Env().clock->UtcNow(); }

std::int64_t TickMs() { return Env().tick->Milliseconds(); }

namespace {

std::atomic<int> g_works_running{0};

// Counts a run on every way out, an exception included.
class WorkRunningScope {
public:
    WorkRunningScope() { g_works_running.fetch_add(1, std::memory_order_relaxed); }
    ~WorkRunningScope() { g_works_running.fetch_sub(1, std::memory_order_relaxed); }
    WorkRunningScope(const WorkRunningScope&) = delete;
    WorkRunningScope& operator=(const WorkRunningScope&) = delete;
};

}  // namespace

bool WorkRunning() { return g_works_running.load(std::memory_order_relaxed) > 0; }

bool RunLongWork(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) {
    const WorkRunningScope running;
    return Env().long_work->Run(request, work);
}

}  // namespace platform
