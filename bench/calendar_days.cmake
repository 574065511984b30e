# Benchmarks of the calendar's rise and set, special days, phenomena list and
# settings files.
add_executable(calendar_days_bench calendar_days_bench.cpp)
target_link_libraries(calendar_days_bench PRIVATE calendar_core benchmark::benchmark benchmark::benchmark_main)
