# The printed chart: one A4 PDF page over the committed data set.
if(TARGET chart)
  add_executable(print_bench ${CMAKE_CURRENT_LIST_DIR}/print_bench.cpp)
  target_link_libraries(print_bench PRIVATE chart benchmark::benchmark)
  target_compile_definitions(print_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
