# The calendar's outputs: a year of HTML pages with the rise and set times,
# and one month printed into a PDF file.
if(TARGET vu_outputs)
  add_executable(vu_outputs_bench vu_outputs_bench.cpp)
  target_link_libraries(vu_outputs_bench PRIVATE vu_outputs benchmark::benchmark)
endif()
