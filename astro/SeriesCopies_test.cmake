# Run by ctest with -P: a build configures against an archive laid out
# otherwise than libnova's, or none, with a message and without private
# copies of the planetary series (it never stops); against the real archive
# it makes them. And the copies this build made (COPIES_DIR, empty when it
# made none) show no global symbol but their entry points.
cmake_policy(VERSION 3.25)
set(project ${SOURCE_DIR}/testdata/series_copies)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")

function(compile name source)
  file(WRITE ${WORK}/${name}.c "${source}")
  execute_process(COMMAND ${C_COMPILER} -c ${WORK}/${name}.c -o ${WORK}/${name}.o RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compile the stand-in ${name}.c")
  endif()
endfunction()

function(make_archive name)
  set(objects ${ARGN})
  list(TRANSFORM objects PREPEND ${WORK}/)
  file(MAKE_DIRECTORY ${WORK}/${name})
  execute_process(COMMAND ${AR} rc ${WORK}/${name}/libnova.a ${objects} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot make the stand-in archive ${name}")
  endif()
endfunction()

set(planets mercury venus earth mars jupiter saturn uranus neptune pluto)

# No planet objects: only a helper.
compile(utility "double ln_range_degrees(double a) { return a; }\n")
make_archive(no_planets utility.o)

# Planet objects of another version, with other entry points.
set(other_objects)
foreach(planet IN LISTS planets)
  compile(${planet} "void ln_get_${planet}_helio_position(double jd, void* p) { (void)jd; (void)p; }\n")
  list(APPEND other_objects ${planet}.o)
endforeach()
make_archive(other_symbols ${other_objects})

# Not an archive at all.
file(WRITE ${WORK}/not_an_archive/libnova.a "!<arch> cut short\n")

set(fallback "the planets are computed on one thread at a time")
set(cases
  "none|OFF|libnova.a not found: ${fallback}"
  "no planet objects|${WORK}/no_planets/libnova.a|holds no mercury.o): ${fallback}"
  "other symbols|${WORK}/other_symbols/libnova.a|were expected): ${fallback}"
  "not an archive|${WORK}/not_an_archive/libnova.a|is not an archive")
if(REAL_ARCHIVE AND EXISTS "${REAL_ARCHIVE}")
  list(APPEND cases "libnova-dev's archive|${REAL_ARCHIVE}|Private copies of libnova's planetary series from")
endif()

set(k 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 name)
  list(GET case 1 archive)
  list(GET case 2 expected)
  math(EXPR k "${k} + 1")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${project} -B ${WORK}/build${k} -G ${GENERATOR}
                          -DCMAKE_C_COMPILER=${C_COMPILER} -DASTRO_DIR=${SOURCE_DIR} -DNOVA_STATIC_LIBRARY=${archive}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(failed)
    string(APPEND failures "${name}: the configuration stopped:\n${out}${err}\n")
  else()
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
      string(APPEND failures "${name}: no \"${expected}\" in:\n${out}\n")
    endif()
  endif()
endforeach()

if(COPIES_DIR)
  foreach(k RANGE 1 ${COPIES})
    execute_process(COMMAND ${NM} -g --defined-only ${COPIES_DIR}/copy${k}.o OUTPUT_VARIABLE listing
                    RESULT_VARIABLE failed)
    string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_.]*\n" names "${listing}")
    list(TRANSFORM names STRIP)
    set(expected ${planets})
    list(TRANSFORM expected REPLACE "(.+)" "zu_series${k}_ln_get_\\1_helio_coords")
    list(SORT names)
    list(SORT expected)
    if(failed OR NOT names STREQUAL expected)
      string(APPEND failures "copy ${k}: global symbols ${names}, expected ${expected}\n")
    endif()
  endforeach()
else()
  message(STATUS "This build made no copies: their symbols are not checked")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
