# The calendar window: redrawing a month with and without the rise and set
# times, and the full cycle of a year.
if(TARGET vu_ui)
  add_executable(vu_bench vu_bench.cpp)
  target_link_libraries(vu_bench PRIVATE vu_ui benchmark::benchmark)
endif()
