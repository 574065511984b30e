# Comets and asteroids of one moment, as the chart recomputes them at every redraw.
if(TARGET astro_bodies)
  add_executable(comets_bench ${CMAKE_CURRENT_LIST_DIR}/comets_bench.cpp)
  target_link_libraries(comets_bench PRIVATE astro_bodies benchmark::benchmark benchmark::benchmark_main)
endif()
