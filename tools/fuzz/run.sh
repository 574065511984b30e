#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (the sanitizer build of the test command, with
# ZU_FUZZ=ON) and runs each for the given number of seconds, starting from
# its corpus in tools/fuzz/corpus/<target>/. Fails on a crash, a sanitizer
# report, a failed check, a hang (an input taking over 25 s), a leak, or a
# work folder ("zu_fuzz_<pid>" in the temporary folder) left behind.
#
#   tools/fuzz/run.sh [seconds-per-target] [target...]
#
# The test command runs every target for 15 s. The long run is
#
#   ZU_FUZZ_MERGE=1 tools/fuzz/run.sh 600
#
# (10 minutes per target); with ZU_FUZZ_MERGE=1 the inputs that reached new
# code are merged, minimised, into tools/fuzz/corpus/ to be committed.
# Builds in build-san/ of the source tree, or in $ZU_FUZZ_DIR; targets run
# $ZU_FUZZ_JOBS at a time (default 4). Needs clang++ 14 or later with its
# compiler runtime (libclang-rt-14-dev on Debian 12).
set -euo pipefail

seconds=${1:-30}
shift || true
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${ZU_FUZZ_DIR:-$root/build-san}
jobs=${ZU_FUZZ_JOBS:-4}
build_jobs=${ZU_BUILD_JOBS:-$(nproc)}

if [[ ! -f "$out/CMakeCache.txt" ]]; then
  cxx=${CXX_FUZZ:-}
  if [[ -z "$cxx" ]]; then
    for candidate in clang++-14 clang++; do
      if command -v "$candidate" >/dev/null; then cxx=$candidate; break; fi
    done
  fi
  [[ -n "$cxx" ]] || { echo "fuzz: clang++ not found" >&2; exit 1; }
  cc=${cxx/clang++/clang}
  cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc" \
    -DZU_SANITIZE=ON -DZU_FUZZ=ON -DZU_BENCH=OFF >/dev/null
fi

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  targets=()
  for src in "$root"/tools/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build "$out" -j "$build_jobs" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen

run_one() {
  local target=$1 seconds=$2 root=$3 out=$4
  local corpus=$out/fuzz/corpus_$target
  # A temporary folder of the target's own, to see that it cleans up after itself.
  local tmp=$out/fuzz/tmp_$target
  mkdir -p "$corpus"
  rm -rf "$tmp" && mkdir -p "$tmp"
  cp -n "$root/tools/fuzz/corpus/$target"/* "$corpus"/ 2>/dev/null || true
  if ! (cd "$out/fuzz" && TMPDIR="$tmp" "./$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/fuzz/$target-" "$corpus" >"$out/fuzz/$target.log" 2>&1); then
    echo "fuzz: $target FAILED; log: $out/fuzz/$target.log" >&2
    tail -n 40 "$out/fuzz/$target.log" >&2
    return 1
  fi
  if compgen -G "$tmp/zu_fuzz_*" >/dev/null; then
    echo "fuzz: $target left its work folder behind: $(ls -d "$tmp"/zu_fuzz_*)" >&2
    return 1
  fi
  rm -rf "$tmp"
  local runs cov
  runs=$(grep -E "stat::number_of_executed_units" "$out/fuzz/$target.log" | awk '{print $2}')
  cov=$(grep -E "^#[0-9]+.*(DONE|cov:)" "$out/fuzz/$target.log" | tail -n 1 | grep -oE "cov: [0-9]+ ft: [0-9]+")
  echo "fuzz: $target ${seconds}s: $runs executions, $cov"
  if [[ -n "${ZU_FUZZ_MERGE:-}" ]]; then
    (cd "$out/fuzz" && "./$target" -merge=1 "$root/tools/fuzz/corpus/$target" "$corpus" >/dev/null 2>&1)
  fi
}
export -f run_one

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$root" "$out"
