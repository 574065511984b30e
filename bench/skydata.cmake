# Loading the sky data set and recomputing star vectors.
add_executable(skydata_load_bench ${CMAKE_CURRENT_LIST_DIR}/skydata_load_bench.cpp)
target_link_libraries(skydata_load_bench PRIVATE skydata benchmark::benchmark)
target_compile_definitions(skydata_load_bench PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
