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
    return Next(answers, DefaultAnswerOf(message));
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

namespace {

class StoppingProgress final : public WorkProgress {
public:
    std::optional<std::size_t> stop_at;

protected:
    void Advanced() override {
        if (stop_at && Done() >= *stop_at) Cancel();
    }
};

}  // namespace

bool FakeLongWork::Run(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) {
    requests.push_back(request);
    StoppingProgress progress;
    if (!cancel_after.empty()) {
        progress.stop_at = cancel_after.front();
        cancel_after.pop_front();
    }
    if (progress.stop_at == std::size_t{0}) progress.Cancel();
    work(progress);
    // The real seam's event loop runs on while the work's thread ends.
    if (meanwhile) meanwhile();
    totals.push_back(progress.Total());
    done.push_back(progress.Done());
    return !progress.Cancelled();
}

FakeEnv::FakeEnv(const std::string& program_name) : previous_(Env()) {
    Services& s = Env();
    s.program_name = program_name;
    s.messages = &messages;
    s.files = &files;
    s.colours = &colours;
    s.fonts = &fonts;
    s.printing = &printing;
    s.long_work = &long_work;
    s.clock = &clock;
    s.tick = &tick;
    s.shell = &shell;
    s.folders = &folders;
}

FakeEnv::~FakeEnv() { Env() = previous_; }

namespace {

// Days from 1970-01-01 of a Gregorian date, and back (H. Hinnant's civil
// calendar algorithms).
long DaysFromCivil(long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

}  // namespace

LocalTime ShiftedByMinutes(const LocalTime& time, int minutes) {
    constexpr long kMinutesPerDay = 1440;
    long total = DaysFromCivil(time.year, time.month, time.day) * kMinutesPerDay + time.hour * 60L + time.minute +
                 minutes;
    long days = total / kMinutesPerDay;
    long rest = total % kMinutesPerDay;
    if (rest < 0) {
        rest += kMinutesPerDay;
        --days;
    }
    LocalTime shifted = time;
    CivilFromDays(days, shifted.year, shifted.month, shifted.day);
    shifted.hour = static_cast<int>(rest / 60);
    shifted.minute = static_cast<int>(rest % 60);
    return shifted;
}

}  // namespace platform
