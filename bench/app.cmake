# Start-up loading and the redraw entry of the sky-chart program.
if(TARGET app)
  add_executable(app_bench app_bench.cpp)
  target_link_libraries(app_bench PRIVATE app benchmark::benchmark)
endif()
