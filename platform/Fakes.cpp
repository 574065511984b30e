#include "platform/Fakes.h"

namespace platform {
namespace {

template <class T>
T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

MsgAnswer FakeMessageBox::Show(const Message& message) {
    shown.push_back(message);
    return Next(answers, FirstButtonOf(message.buttons));
}

std::optional<FileChoice> FakeFileDialog::Show(const FileRequest& request) {
    requests.push_back(request);
    return Next<std::optional<FileChoice>>(answers, std::nullopt);
}

std::optional<Colour> FakeColourDialog::Show(Colour initial, const std::string& title) {
    requests.push_back(Request{initial, title});
    return Next<std::optional<Colour>>(answers, std::nullopt);
}

std::optional<FontSpec> FakeFontDialog::Show(const FontSpec& initial, const std::string& title) {
    requests.push_back(Request{initial, title});
    return Next<std::optional<FontSpec>>(answers, std::nullopt);
}

std::optional<PrintChoice> FakePrintDialog::Show(const std::string& title) {
    titles.push_back(title);
    return Next<std::optional<PrintChoice>>(answers, std::nullopt);
}

FakeEnv::FakeEnv(const std::string& program_name) : previous_(Env()) {
    Services& s = Env();
    s.program_name = program_name;
    s.messages = &messages;
    s.files = &files;
    s.colours = &colours;
    s.fonts = &fonts;
    s.printing = &printing;
    s.clock = &clock;
    s.tick = &tick;
    s.shell = &shell;
    s.folders = &folders;
}

FakeEnv::~FakeEnv() { Env() = previous_; }

}  // namespace platform
