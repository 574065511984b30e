# The calendar program's tool windows: the lunar-to-solar conversion table
# of a year and one day of the day details.
if(TARGET vu_windows)
  add_executable(vu_windows_bench vu_windows_bench.cpp)
  target_link_libraries(vu_windows_bench PRIVATE vu_windows benchmark::benchmark)
endif()
