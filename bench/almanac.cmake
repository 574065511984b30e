# Benchmarks of the calendar modules with the sky chart's solvers.
add_executable(almanac_bench almanac_bench.cpp)
target_link_libraries(almanac_bench PRIVATE almanac_sky benchmark::benchmark benchmark::benchmark_main)
