# The track computation of solar-system bodies.
if(TARGET app)
  add_executable(app_tracks_bench app_tracks_bench.cpp)
  target_link_libraries(app_tracks_bench PRIVATE app benchmark::benchmark benchmark::benchmark_main)
endif()
