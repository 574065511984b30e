#!/usr/bin/env bash
# Takes the screenshot of a program as a new user first sees it, under a
# virtual X server (Debian package xvfb), and keeps it as
# <build>/bin/zu-screenshot.png or vu-screenshot.png.
# Usage: tools/screenshot.sh zu|vu [build folder]
set -euo pipefail
case "${1:-}" in
  zu) test_program=app_Screenshot_test ;;
  vu) test_program=vu_screenshot_test ;;
  *) echo "usage: $0 zu|vu [build folder]" >&2; exit 2 ;;
esac
build="${2:-build}"
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
DISPLAY="$display" QT_QPA_PLATFORM=xcb "./$test_program"
echo "$bin/$1-screenshot.png"
