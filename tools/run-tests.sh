#!/usr/bin/env bash
# Sets up what is missing, builds everything in Release and runs every test,
# then builds the computing libraries with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs their tests again, and fuzzes the file
# parsers for a minute. Fails on any failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DZU_CORE_ONLY=ON -DZU_SANITIZE=ON -DZU_BENCH=OFF >/dev/null
cmake --build build-san -j "$jobs"
ctest --test-dir build-san --output-on-failure -j "$jobs"

# The settings and user-catalogue parsers under libFuzzer, 30 s each.
bash tools/fuzz/run.sh 30
