#pragma once
// Private copies of libnova's planetary series, made by the build from the
// library's static archive (astro/SeriesCopies.cmake): one copy of a series
// serves one thread at a time (astro/Plan404.h), so the copies let that many
// threads compute planets side by side. A program links them (the library
// astro_series_copies) and installs them; a build without the archive has
// none, and its threads take the library's own copy in turn.
namespace astro {

// Adds the private copies (once; later calls add nothing) and returns
// SeriesCopyCount(). Call before any other thread computes planets.
int InstallSeriesCopies();

}  // namespace astro
