// The calendar's outputs at the default site, 2024 prepared once: the twelve
// HTML pages of the year with ShowRST on (the export of a year), and March
// printed into an A4 PDF file by the Qt printer backend (start, draw, end),
// and a template of 1 MB (about 97,500 tags, values longer than their tags)
// filled for March. Run from build/bin.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/QtBenchSupport.h"
#include "calendar/CalendarState.h"
#include "platform/PrinterSurface.h"
#include "platform/QtFakes.h"
#include "platform/QtServices.h"
#include "vu/grid/HtmlPage.h"
#include "vu/grid/PrintedMonth.h"
#include "vu/grid/Templet.h"
#include "vu/grid/YearCycle.h"

namespace {

void PrepareYear(int year) {
    calendar::ResetCalendarState();
    calendar::CalendarState& state = calendar::Calendar();
    state.CalYear = static_cast<std::int16_t>(year);
    calendar::UpdateSummerDays(state);
    vu::PrepareDisplayedYear(state, 1);
}

void BM_HtmlYearWithRiseSet(benchmark::State& state) {
    platform::FakeQtEnv env{"vu"};
    PrepareYear(2024);
    calendar::Calendar().settings.ShowRST = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (int month = 1; month <= 12; ++month) {
            bytes += vu::MakeHtmlCalendar(calendar::Calendar(), 2024, month, "vu 0.1").size();
        }
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_HtmlYearWithRiseSet)->Unit(benchmark::kMillisecond);

void BM_PrintMonthIntoPdf(benchmark::State& state) {
    platform::FakeQtEnv env{"vu"};
    PrepareYear(2024);
    calendar::Calendar().settings.ShowRST = state.range(0) != 0;
    const std::filesystem::path pdf = std::filesystem::temp_directory_path() / "vu_outputs_bench.pdf";
    for (auto _ : state) {
        auto document = platform::StartPrinterDocument(platform::PrintTarget{"", pdf});
        if (!document) {
            state.SkipWithError("the PDF file cannot be started");
            break;
        }
        vu::PrintCalendar(document->Page(), calendar::Calendar(), 2024, 3);
        benchmark::DoNotOptimize(document->End());
    }
    std::error_code ec;
    std::filesystem::remove(pdf, ec);
}
BENCHMARK(BM_PrintMonthIntoPdf)->Arg(0)->Arg(1)->ArgName("ShowRST")->Unit(benchmark::kMillisecond);

void BM_TempletOneMegabyte(benchmark::State& state) {
    platform::FakeQtEnv env{"vu"};
    PrepareYear(2024);
    calendar::SDayRecord& day = calendar::Calendar().SDays[0][0];
    day.month = 3;
    day.day = 15;
    day.name = "한 달의 한가운데 & 긴 기념일 이름 #M15SD#";
    // 41 bytes with four tags: about 97,500 tags in the megabyte.
    const std::string row = "<td>#M15SD#</td>#b03d1#|#M01D3#|#YEAR0#\r\n";
    std::string templet;
    while (templet.size() < 1000000) templet += row;
    std::size_t bytes = 0;
    for (auto _ : state) bytes += vu::ApplyTemplet(calendar::Calendar(), 2024, 3, templet, true)->size();
    benchmark::DoNotOptimize(bytes);
    state.counters["template_bytes"] = static_cast<double>(templet.size());
    state.counters["tags"] = static_cast<double>(templet.size() / row.size() * 4);
}
BENCHMARK(BM_TempletOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
