#!/usr/bin/env bash
# Sets up what is missing, builds in Release and starts the calendar program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target vu
exec build/bin/vu
