# Start-up loading and the redraw entry of the sky-chart program.
if(TARGET app)
  add_executable(app_bench app_bench.cpp)
  target_link_libraries(app_bench PRIVATE app benchmark::benchmark)
endif()
# Start-up of the sky-chart program: a fresh process to its first painted
# chart, and the resident memory then.
if(TARGET app)
  add_executable(startup_bench startup_bench.cpp)
  target_link_libraries(startup_bench PRIVATE app benchmark::benchmark)
endif()
