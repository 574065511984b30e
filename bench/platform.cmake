# Drawing speed of the screen surface: the chart's hottest calls.
if(TARGET platform_qt)
  add_executable(platform_surface_bench ${CMAKE_CURRENT_LIST_DIR}/platform_surface_bench.cpp)
  target_link_libraries(platform_surface_bench PRIVATE platform_qt benchmark::benchmark benchmark::benchmark_main)
endif()
