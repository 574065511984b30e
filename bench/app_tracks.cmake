# The track computation of solar-system bodies, and what a user's oversized
# track costs the dialogs' apply and the start-up.
if(TARGET app)
  add_executable(app_tracks_bench app_tracks_bench.cpp)
  target_link_libraries(app_tracks_bench PRIVATE app astro_series_copies benchmark::benchmark)
endif()
