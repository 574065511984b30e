# The screen chart: one DrawMap over the committed data set, for the start view,
# an all-sky chart at limit 11 with the extended catalogue, and a 1-degree field.
if(TARGET chart)
  add_executable(chart_bench ${CMAKE_CURRENT_LIST_DIR}/chart_bench.cpp)
  target_link_libraries(chart_bench PRIVATE chart benchmark::benchmark)
  target_compile_definitions(chart_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
# The floor under the screen chart: the chart's own primitives of each view
# written straight into the image bits (see chart_floor_bench.cpp).
if(TARGET chart)
  add_executable(chart_floor_bench ${CMAKE_CURRENT_LIST_DIR}/chart_floor_bench.cpp)
  target_link_libraries(chart_floor_bench PRIVATE chart benchmark::benchmark)
  target_compile_definitions(chart_floor_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
