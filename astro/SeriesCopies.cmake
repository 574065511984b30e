# Private copies of libnova's planetary series, made from its static library:
# per copy, the archive's planet objects linked into one relocatable object
# (so they call each other and keep static variables of their own, and call
# the pure helpers of the shared library), whose only global symbols are its
# entry points, renamed zu_series<k>_ln_get_<planet>_helio_coords: no other
# object can bind one of a copy's helpers by chance.
#
# Included by astro/CMakeLists.txt, it defines zu_series_copies_usable, which
# tries one copy at configure time. Run with -P at build time, it makes COPIES
# copies of ARCHIVE in DIR and SeriesCopyTables.cpp, which hands their entry
# points to Plan404; AR, NM, OBJCOPY and LINKER name the tools.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_policy(VERSION 3.25)
endif()
set(ZU_SERIES_PLANETS mercury venus earth mars jupiter saturn uranus neptune pluto)
if(NOT CMAKE_SCRIPT_MODE_FILE)
  # Configure time: the project's own tools.
  set(AR ${CMAKE_AR})
  set(NM ${CMAKE_NM})
  set(OBJCOPY ${CMAKE_OBJCOPY})
  set(LINKER ${CMAKE_LINKER})
endif()

# Takes the planet objects out of `archive` into `work`; `error_var` is set
# to why they cannot be, or emptied.
function(zu_series_extract archive work error_var)
  set(${error_var} "" PARENT_SCOPE)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  execute_process(COMMAND ${AR} t ${archive} OUTPUT_VARIABLE members RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(${error_var} "${archive} is not an archive ${AR} reads" PARENT_SCOPE)
    return()
  endif()
  string(REGEX REPLACE "[\r\n]+" ";" members "${members}")
  set(objects)
  foreach(planet IN LISTS ZU_SERIES_PLANETS)
    if(NOT "${planet}.o" IN_LIST members)
      set(${error_var} "${archive} holds no ${planet}.o" PARENT_SCOPE)
      return()
    endif()
    list(APPEND objects ${planet}.o)
  endforeach()
  execute_process(COMMAND ${AR} x ${archive} ${objects} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(${error_var} "cannot take the planet objects out of ${archive}" PARENT_SCOPE)
  endif()
endfunction()

# Makes copy `k` of the planet objects in `work` as the object `out`;
# `error_var` is set to why it cannot be (the objects do not define the
# entry points, or the tools fail), or emptied.
function(zu_series_make_copy work k out error_var)
  set(${error_var} "" PARENT_SCOPE)
  set(objects)
  set(map "")
  set(keep "")
  foreach(planet IN LISTS ZU_SERIES_PLANETS)
    list(APPEND objects ${work}/${planet}.o)
    string(APPEND map "ln_get_${planet}_helio_coords zu_series${k}_ln_get_${planet}_helio_coords\n")
    string(APPEND keep "zu_series${k}_ln_get_${planet}_helio_coords\n")
  endforeach()
  file(WRITE ${work}/copy${k}.map "${map}")
  file(WRITE ${work}/copy${k}.keep "${keep}")
  execute_process(COMMAND ${LINKER} -r -o ${work}/copy${k}_linked.o ${objects}
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why)
  if(failed)
    set(${error_var} "cannot link the planet objects into one: ${why}" PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND ${OBJCOPY} --redefine-syms=${work}/copy${k}.map ${work}/copy${k}_linked.o
                          ${work}/copy${k}_named.o RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why)
  if(NOT failed)
    execute_process(COMMAND ${OBJCOPY} --keep-global-symbols=${work}/copy${k}.keep ${work}/copy${k}_named.o ${out}
                    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why)
  endif()
  if(failed)
    set(${error_var} "cannot rename the entry points: ${why}" PARENT_SCOPE)
    return()
  endif()
  # The copy serves only when its global symbols are exactly the renamed
  # entry points and it calls none of the originals (which would run the
  # library's own copy).
  execute_process(COMMAND ${NM} -g ${out} OUTPUT_VARIABLE listing RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(${error_var} "cannot list the symbols of the copy" PARENT_SCOPE)
    return()
  endif()
  string(REGEX MATCHALL "[0-9a-fA-F]+ [A-TV-Z] [^\r\n]+" defined "${listing}")
  list(TRANSFORM defined REPLACE "^[0-9a-fA-F]+ [A-Z] " "")
  string(REGEX REPLACE "\n$" "" expected "${keep}")
  string(REPLACE "\n" ";" expected "${expected}")
  list(SORT defined)
  list(SORT expected)
  if(NOT defined STREQUAL expected)
    set(${error_var} "its planet objects define ${defined} where ${expected} were expected" PARENT_SCOPE)
    return()
  endif()
  string(REGEX MATCH "U ln_get_[a-z]+_helio_coords" original "${listing}")
  if(original)
    set(${error_var} "its planet objects call ${original} of another object" PARENT_SCOPE)
  endif()
endfunction()

# Whether the static archive `archive` gives private copies: `usable_var` is
# set to TRUE when one copy of it can be made and checked in `work`, else to
# FALSE, and the configure output tells which, and why not.
function(zu_series_copies_usable archive work usable_var)
  set(${usable_var} FALSE PARENT_SCOPE)
  set(fallback "the planets are computed on one thread at a time")
  if(NOT archive OR NOT EXISTS "${archive}")
    message(STATUS "libnova.a not found: ${fallback}")
    return()
  endif()
  # A changed archive is checked again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${archive})
  foreach(tool AR NM OBJCOPY LINKER)
    if(NOT ${tool})
      message(STATUS "No ${tool} to make the series copies with: ${fallback}")
      return()
    endif()
  endforeach()
  zu_series_extract(${archive} ${work} error)
  if(NOT error)
    zu_series_make_copy(${work} 1 ${work}/copy1.o error)
  endif()
  file(REMOVE_RECURSE ${work})
  if(error)
    message(STATUS "libnova.a gives no private copies of the planetary series (${error}): ${fallback}")
    return()
  endif()
  message(STATUS "Private copies of libnova's planetary series from ${archive}")
  set(${usable_var} TRUE PARENT_SCOPE)
endfunction()

if(NOT CMAKE_SCRIPT_MODE_FILE OR NOT CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  return()
endif()

set(work ${DIR}/archive)
zu_series_extract(${ARCHIVE} ${work} error)
if(error)
  message(FATAL_ERROR "${error}")
endif()
foreach(k RANGE 1 ${COPIES})
  zu_series_make_copy(${work} ${k} ${DIR}/copy${k}.o error)
  if(error)
    message(FATAL_ERROR "copy ${k} of ${ARCHIVE}: ${error}")
  endif()
endforeach()

# The entry points in the order of astro::HelioSeriesTable (by Plan404 body code).
set(order earth mercury venus "" mars jupiter saturn uranus neptune pluto)
set(declarations "")
set(tables "")
foreach(k RANGE 1 ${COPIES})
  set(entries "")
  foreach(planet IN LISTS order)
    if(planet STREQUAL "")
      string(APPEND entries " nullptr,")
    else()
      set(fn zu_series${k}_ln_get_${planet}_helio_coords)
      string(APPEND declarations "void ${fn}(double, ln_helio_posn*);\n")
      string(APPEND entries " ${fn},")
    endif()
  endforeach()
  string(APPEND tables "    {{${entries}}},\n")
endforeach()
file(WRITE ${DIR}/SeriesCopyTables.cpp.new
"// Made by astro/SeriesCopies.cmake: the entry points of the private copies.
#include \"astro/SeriesCopyTable.h\"

extern \"C\" {
${declarations}}

namespace astro {

extern const int kPrivateSeriesCopyCount;
extern const HelioSeriesTable kPrivateSeriesCopies[];
const int kPrivateSeriesCopyCount = ${COPIES};
const HelioSeriesTable kPrivateSeriesCopies[] = {
${tables}};

}  // namespace astro
")
file(COPY_FILE ${DIR}/SeriesCopyTables.cpp.new ${DIR}/SeriesCopyTables.cpp ONLY_IF_DIFFERENT)
