# The searches of the object search window over the committed data set: the
# free-text name search and the extended-catalogue number lookup.
if(TARGET app)
  add_executable(app_search_bench ${CMAKE_CURRENT_LIST_DIR}/app_search_bench.cpp)
  target_link_libraries(app_search_bench PRIVATE app benchmark::benchmark)
  target_compile_definitions(app_search_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
