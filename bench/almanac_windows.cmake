# The almanac windows of the sky chart: one day of the day almanac, a
# conversion, the solar-terms window's load and the Moon phases.
if(TARGET app)
  add_executable(almanac_windows_bench almanac_windows_bench.cpp)
  target_link_libraries(almanac_windows_bench PRIVATE app benchmark::benchmark)
endif()
