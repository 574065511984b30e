# The chart's mouse-move path: the sky position under the pointer and the
# status texts, alone and through the main window's handler.
if(TARGET app)
  add_executable(app_interaction_bench ${CMAKE_CURRENT_LIST_DIR}/app_interaction_bench.cpp)
  target_link_libraries(app_interaction_bench PRIVATE app benchmark::benchmark)
endif()
