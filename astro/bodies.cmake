# Comets and asteroids: element records, the reduction of elements between
# equinoxes, and the places of one moment, solved through the orbit solver
# library bound by name at run time. Included from astro/CMakeLists.txt.
add_library(astro_bodies STATIC
  ${CMAKE_CURRENT_LIST_DIR}/OrbitElements.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CometPosition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AsteroidPosition.cpp)
target_include_directories(astro_bodies PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(astro_bodies PUBLIC astro_sky orbsolve_client)

zu_add_test(astro_bodies_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/OrbitElements_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CometPosition_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AsteroidPosition_test.cpp
  LIBS astro_bodies)
