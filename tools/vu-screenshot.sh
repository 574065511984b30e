#!/usr/bin/env bash
# Takes the screenshot of the calendar program as a new user first sees it,
# under a virtual X server (Debian package xvfb), and keeps it as
# <build>/bin/vu-screenshot.png. Usage: tools/vu-screenshot.sh [build folder]
set -euo pipefail
build="${1:-build}"
bin="$(cd "$build/bin" && pwd)"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
cd "$bin"
DISPLAY="$display" QT_QPA_PLATFORM=xcb ./vu_screenshot_test
echo "$bin/vu-screenshot.png"
