# Makes COPIES private copies of libnova's planetary series from its static
# library ARCHIVE, in DIR: every planet object of the archive once per copy,
# with the entry points it defines renamed zu_series<k>_<name> (so the
# objects of one copy call each other and the pure helpers of the shared
# library, and keep static variables of their own), and
# SeriesCopyTables.cpp, which hands the copies' entry points to Plan404.
# Run by astro/CMakeLists.txt with AR, NM and OBJCOPY set to the tools.
set(planets mercury venus earth mars jupiter saturn uranus neptune pluto)
set(objects)
foreach(planet IN LISTS planets)
  list(APPEND objects ${planet}.o)
endforeach()

set(work ${DIR}/archive)
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${AR} x ${ARCHIVE} ${objects} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot take the planet objects out of ${ARCHIVE}")
endif()
execute_process(COMMAND ${NM} -g --defined-only ${objects} WORKING_DIRECTORY ${work}
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list the symbols of the planet objects of ${ARCHIVE}")
endif()
string(REGEX MATCHALL "[0-9a-fA-F]+ [A-Z] [A-Za-z_][A-Za-z0-9_]*" defined "${listing}")
set(names)
foreach(line IN LISTS defined)
  string(REGEX REPLACE "^[0-9a-fA-F]+ [A-Z] " "" name "${line}")
  list(APPEND names ${name})
endforeach()
list(REMOVE_DUPLICATES names)

foreach(k RANGE 1 ${COPIES})
  set(map "")
  foreach(name IN LISTS names)
    string(APPEND map "${name} zu_series${k}_${name}\n")
  endforeach()
  file(WRITE ${work}/copy${k}.map "${map}")
  foreach(object IN LISTS objects)
    execute_process(COMMAND ${OBJCOPY} --redefine-syms=${work}/copy${k}.map ${work}/${object}
                            ${DIR}/copy${k}_${object} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot copy ${object} of ${ARCHIVE}")
    endif()
  endforeach()
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
