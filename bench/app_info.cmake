# One rebuild of the information windows over the real data.
if(TARGET app)
  add_executable(app_info_bench app_info_bench.cpp)
  target_link_libraries(app_info_bench PRIVATE app benchmark::benchmark)
endif()
