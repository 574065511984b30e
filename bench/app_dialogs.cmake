# The apply of the settings and time windows over the real data.
if(TARGET app)
  add_executable(app_dialogs_bench app_dialogs_bench.cpp)
  target_link_libraries(app_dialogs_bench PRIVATE app benchmark::benchmark)
endif()
