#!/usr/bin/env bash
# Sets up what is missing, builds everything in Release with gcc and runs
# every test, then builds everything with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test again and fuzzes every reader
# and the chart drawing for 15 s each. Fails on any failure, compiler
# warning of the clang build, sanitizer report or fuzz finding.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
python3 tools/check-layout.py
python3 tools/check-layout.py --self-test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The whole program again, built by clang with AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzzer's coverage instrumentation; every
# test runs again (the Qt ones offscreen), then every fuzz target for 15 s.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS=-Werror -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 \
  -DZU_SANITIZE=ON -DZU_FUZZ=ON -DZU_BENCH=OFF >/dev/null
cmake --build build-san -j "$jobs"
ctest --test-dir build-san --output-on-failure -j "$jobs"

ZU_FUZZ_DIR=$PWD/build-san bash tools/fuzz/run.sh 15
