#!/usr/bin/env bash
# Builds the fuzz targets of the settings parser (Settings_fuzz) and of the
# user-catalogue parser (UserCatalog_fuzz) with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for the given number of seconds
# (default 30 each). Fails on a crash, a sanitizer report or a failed check.
#
#   tools/fuzz/run.sh [seconds-per-target]
#
# Needs clang++ (14 or later) with its compiler runtime (libclang-rt-14-dev on
# Debian 12). Builds in build-fuzz/ of the source tree, or in $ZU_FUZZ_DIR; the
# seeds in tools/fuzz/seeds/ are copied, so the source tree stays untouched.
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${ZU_FUZZ_DIR:-$root/build-fuzz}
jobs=${ZU_FUZZ_JOBS:-4}

cxx=${CXX_FUZZ:-}
if [[ -z "$cxx" ]]; then
  for candidate in clang++-14 clang++; do
    if command -v "$candidate" >/dev/null; then cxx=$candidate; break; fi
  done
fi
[[ -n "$cxx" ]] || { echo "fuzz: clang++ not found" >&2; exit 1; }

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cxxflags="-std=c++20 -O1 -g $sanitize -I$root"

mkdir -p "$out/obj"
# The parsers, their settings module and what these pull in. The objects go
# into one archive, so only what the targets use is linked.
sources=(
  "$root/platform/TextFile.cpp" "$root/platform/Services.cpp"
  "$root"/skydata/Config*.cpp "$root"/skydata/Settings*.cpp "$root"/skydata/MapPoint*.cpp
  "$root"/skydata/DrawnLine*.cpp "$root"/skydata/PathBodies*.cpp "$root"/skydata/CustomCat*.cpp
  "$root"/skydata/UserCat*.cpp "$root/skydata/StartupTables.cpp" "$root/skydata/DataText.cpp"
  "$root/skydata/LoadLog.cpp"
  "$root"/astro/*.cpp
)
objects=()
for src in "${sources[@]}"; do
  [[ -f "$src" && "$src" != *_test.cpp ]] || continue
  rel=${src#"$root"/}
  objects+=("$out/obj/${rel//\//_}.o")
  printf '%s\n' "$src"
done | xargs -P "$jobs" -I{} sh -c '
  src="$1"; rel=${src#"$2"/}; obj="$3/obj/$(printf %s "$rel" | tr / _).o"
  if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || find "$2/skydata" "$2/platform" "$2/astro" -name "*.h" -newer "$obj" | grep -q .; then
    $4 $5 -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  fi' _ {} "$root" "$out" "$cxx" "$cxxflags"

rm -f "$out/libfuzzdeps.a"
ar rcs "$out/libfuzzdeps.a" "$out"/obj/*.o

status=0
for target in Settings_fuzz UserCatalog_fuzz; do
  $cxx $cxxflags -fsanitize=fuzzer "$root/tools/fuzz/$target.cpp" "$out/libfuzzdeps.a" -o "$out/$target"
  seeds=$root/tools/fuzz/seeds/$( [[ $target == Settings_fuzz ]] && echo settings || echo usercat )
  corpus=$out/corpus_$target
  mkdir -p "$corpus"
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: $target for $seconds s"
  if ! (cd "$out" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "./$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$target-" "$corpus" \
        >"$out/$target.log" 2>&1); then
    echo "fuzz: $target FAILED; log: $out/$target.log" >&2
    tail -n 40 "$out/$target.log" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$out/$target.log" | tail -n 2
  fi
done
exit $status
