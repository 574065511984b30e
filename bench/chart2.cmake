# The screen chart with every layer on against the star and label layers
# alone, for the same views (see chart2_bench.cpp).
if(TARGET chart)
  add_executable(chart2_bench ${CMAKE_CURRENT_LIST_DIR}/chart2_bench.cpp)
  target_link_libraries(chart2_bench PRIVATE chart benchmark::benchmark)
  target_compile_definitions(chart2_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
