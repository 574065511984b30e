# The calendar program vu. Its month grid, cell texts and year preparation
# stay Qt-free (vu_grid, drawing on the platform's picture surface); the
# window code is the library vu_ui, which the executable and the window
# tests link.
add_library(vu_grid STATIC CellText.cpp MonthGrid.cpp YearCycle.cpp
  MonthPage.cpp HtmlPage.cpp PrintedMonth.cpp Templet.cpp)
target_link_libraries(vu_grid PUBLIC calendar_core platform_core)

if(NOT ZU_CORE_ONLY)
  # The program's version: "major.minor" in the caption, the patch number as
  # the revision of the notes.
  set(VU_VERSION_PATCH ${PROJECT_VERSION_PATCH})
  if(NOT VU_VERSION_PATCH)
    set(VU_VERSION_PATCH 0)
  endif()
  add_library(vu_ui STATIC
    Form1.cpp Form1Panel.cpp Form1SDay.cpp Form1Files.cpp VuWidgets.cpp)
  target_link_libraries(vu_ui PUBLIC vu_grid tool_controls platform_qt Qt6::Widgets)
  target_compile_definitions(vu_ui PRIVATE
    VU_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} VU_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VU_VERSION_REVISION=${VU_VERSION_PATCH})

  # The outputs of the displayed month: HTML, BMP, printing, templates.
  add_library(vu_outputs STATIC OutputCommands.cpp)
  target_link_libraries(vu_outputs PUBLIC vu_ui)

  add_executable(vu VuMain.cpp)
  target_link_libraries(vu PRIVATE vu_ui vu_outputs)
  add_dependencies(vu zu_program_data)
endif()

if(NOT ZU_CORE_ONLY)
  zu_add_test(vu_window_test SOURCES Form1_test.cpp LIBS vu_ui)
  zu_add_test(vu_grid_test SOURCES MonthGrid_test.cpp LIBS vu_ui)
  zu_add_test(vu_screenshot_test SOURCES VuScreenshot_test.cpp LIBS vu_ui)
  zu_add_test(vu_outputs_test SOURCES MonthOutputs_test.cpp OutputCommands_test.cpp LIBS vu_outputs)
endif()
