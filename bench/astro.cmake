# Benchmarks of the computing core: the per-point chart path and the planet table.
add_executable(astro_chart_bench astro_chart_bench.cpp)
target_link_libraries(astro_chart_bench PRIVATE astro_sky benchmark::benchmark benchmark::benchmark_main)

add_executable(astro_planets_bench astro_planets_bench.cpp)
target_link_libraries(astro_planets_bench PRIVATE astro_sky benchmark::benchmark benchmark::benchmark_main)
