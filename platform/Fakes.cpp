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

namespace {

class FakeDocument final : public PrintDocument {
public:
    FakeDocument(FakePrintDialog::Document& record, bool fail_end) : record_(record), fail_end_(fail_end) {}
    Surface& Page() override { return *record_.page; }
    bool NewPage() override {
        ++record_.pages;
        return true;
    }
    bool End() override {
        record_.ended = true;
        record_.sent = !fail_end_;
        return record_.sent;
    }

private:
    FakePrintDialog::Document& record_;
    bool fail_end_;
};

}  // namespace

std::unique_ptr<PrintDocument> FakePrintDialog::StartDocument(const PrintTarget& target) {
    if (fail_start || !new_page) return nullptr;
    auto record = std::make_unique<Document>();
    record->target = target;
    record->page = new_page();
    if (!record->page) return nullptr;
    documents.push_back(std::move(record));
    return std::make_unique<FakeDocument>(*documents.back(), fail_end);
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
