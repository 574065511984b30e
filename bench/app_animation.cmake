# Frames per second of the animation at the default view.
if(TARGET app)
  add_executable(app_animation_bench app_animation_bench.cpp)
  target_link_libraries(app_animation_bench PRIVATE app benchmark::benchmark)
endif()
