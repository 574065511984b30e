# Benchmarks of the calendar program's computing core.
add_executable(calendar_bench calendar_bench.cpp)
target_link_libraries(calendar_bench PRIVATE calendar_core benchmark::benchmark benchmark::benchmark_main)
