# zu_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per call, registered with CTest. Tests run headless
# and from the program folder, so data files and the orbit solver are found as
# the programs find them. ZU_SOURCE_DIR names the source tree for fixtures.
function(zu_add_test name)
  cmake_parse_arguments(ZT "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${ZU_PROGRAM_DIR}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${name}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
