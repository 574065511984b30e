#!/usr/bin/env bash
# End-to-end smoke run of zu as a user drives it, under a virtual X server
# with a small window manager: keys, wheel, pop-up menu, user line, menus,
# toolbar buttons, chart file save and open, picture export, closing and the
# next start, a damaged settings file, a missing data file and a missing
# orbit solver. Screenshots go to the output folder; every run of the
# program must end without a sanitizer report.
#
# Usage: zu/main/smoke.sh [build folder] [output folder]
# Needs the Debian packages xvfb, xdotool, imagemagick and openbox. Build
# with -DZU_SANITIZE=ON to have AddressSanitizer and UBSan watch the run.
set -uo pipefail

build="$(cd "${1:-build}" && pwd)"
out="$(mkdir -p "${2:-$build/smoke}" && cd "${2:-$build/smoke}" && pwd)"
bin="$build/bin"
work="$(mktemp -d)"
export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME
export ASAN_OPTIONS=detect_leaks=0
export QT_QPA_PLATFORM=xcb
cfg="$HOME/.config/zu/Default.cfg"

display_number=$((90 + RANDOM % 100))
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=""
zu_pid=""
failures=0

cleanup() {
    [ -n "$zu_pid" ] && kill "$zu_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display_number" ] && break
    sleep 0.1
done
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
shot() { import -window root "$out/$1.png"; }
main_window() { xdotool search --name '^zu - ' 2>/dev/null | head -1; }
title() { xdotool getwindowname "$(main_window)" 2>/dev/null; }
alive() { [ -n "$zu_pid" ] && kill -0 "$zu_pid" 2>/dev/null; }
# Every visible window with a caption other than the main window.
others() {
    local main w name
    main="$(main_window)"
    for w in $(xdotool search --onlyvisible --name '.+' 2>/dev/null); do
        [ "$w" = "$main" ] && continue
        name="$(xdotool getwindowname "$w" 2>/dev/null)"
        case "$name" in "" | Openbox) continue ;; esac
        echo "$w|$name"
    done
}
close_others() {
    local w
    for w in $(others | cut -d'|' -f1); do
        xdotool windowactivate --sync "$w" 2>/dev/null
        [ "$(xdotool getactivewindow)" = "$w" ] || continue
        xdotool key Escape
        sleep 0.3
        others | grep -q "^$w|" && xdotool key alt+F4
        sleep 0.3
    done
    xdotool keyup alt
}
focus_main() { xdotool windowactivate --sync "$(main_window)" 2>/dev/null; }
# Starts zu from a program folder and waits; the exit code lands in $work/rc.
start_zu() {
    local dir="$1" wait_s="${2:-7}"
    rm -f "$work/rc" "$work/pid"
    (cd "$dir" && {
        ./zu >"$work/zu.out" 2>"$work/zu.err" &
        echo $! >"$work/pid"
        wait $!
        echo $? >"$work/rc"
    }) &
    sleep "$wait_s"
    zu_pid="$(cat "$work/pid")"
}
# Closes through 프로그램 > 끝내기 and waits for the end.
exit_zu() {
    focus_main
    xdotool key alt+p
    sleep 0.5
    xdotool key x
    xdotool keyup alt
    for _ in $(seq 50); do alive || break; sleep 0.2; done
    sleep 0.5
}
check_stderr() {
    if grep -q "runtime error\|ERROR: AddressSanitizer\|SUMMARY: " "$work/zu.err"; then
        fail "$1: sanitizer report"
        cat "$work/zu.err"
    fi
}
# Types a path into the open file dialog and accepts it.
dialog_path() {
    sleep 1.5
    xdotool key ctrl+a
    xdotool type --delay 15 "$1"
    xdotool key Return
    sleep 2
}

# ---- First start: splash, then the main window.
start_zu "$bin"
if [ -n "$(main_window)" ]; then ok "main window: $(title)"; else fail "no main window"; fi
shot 01-first-start
main="$(main_window)"
xdotool windowmove "$main" 0 0
xdotool windowsize "$main" 1240 740
sleep 1.5
focus_main

# ---- Keys: zoom, pan, time steps, real time.
xdotool key plus minus Left Up Right Down KP_Add KP_Subtract
sleep 1
before="$(title)"
xdotool key period
sleep 0.8
[ "$(title)" != "$before" ] && ok "full stop steps the time" || fail "full stop did not step the time"
xdotool key comma
sleep 0.8
[ "$(title)" = "$before" ] && ok "comma steps back" || fail "comma did not step back"
xdotool key q
sleep 1
xdotool key q
xdotool key F3 F4 F5 F6 F7 F8
sleep 1
shot 02-after-keys

# ---- Wheel over the chart and over the toolbar.
xdotool mousemove 640 400 click 4
sleep 0.8
xdotool click 5
xdotool mousemove 300 60 click 5
sleep 0.8

# ---- Pop-up menu on a right click, user line in line mode, middle click.
xdotool mousemove 640 400 click 3
sleep 1
shot 03-popup
xdotool key Escape
xdotool mousemove 300 300 mousedown 1
for i in 1 2 3 4 5 6 7 8; do xdotool mousemove $((300 + i * 25)) $((300 + i * 20)); sleep 0.05; done
xdotool mouseup 1
xdotool mousemove 900 500 click 2
sleep 1
alive && ok "mouse" || fail "died in the mouse handling"

# ---- Menu shortcuts: switches, views, time, animation, windows.
focus_main
xdotool key ctrl+F1 ctrl+F2 ctrl+F1 ctrl+F2 ctrl+e ctrl+w ctrl+s ctrl+n ctrl+z ctrl+m Delete shift+Delete alt+BackSpace
sleep 2
xdotool key ctrl+a
sleep 2.5
xdotool key ctrl+a
xdotool key ctrl+Insert F11 F12 ctrl+Insert ctrl+i
sleep 1
shot 04-after-menus
for k in ctrl+t ctrl+b ctrl+g ctrl+f ctrl+o ctrl+p F1; do
    focus_main
    xdotool key "$k"
    sleep 1.2
    [ -n "$(others)" ] || fail "$k opened no window"
    close_others
done
# Every button of the file and window toolbar.
for x in 16 41 66 91 123 148 172 198 223 248 273 298 330 355 380 412; do
    focus_main
    xdotool mousemove "$x" 33 click 1
    sleep 1.2
    close_others
done
alive && ok "menus and toolbar" || fail "died in the menus or toolbar"

# ---- Chart file: save, change, open again.
charts="$work/charts"
mkdir -p "$charts"
focus_main
xdotool key ctrl+r
dialog_path "$charts/smoke.SKY"
[ -s "$charts/smoke.SKY" ] && ok "chart file saved" || fail "chart file not saved"
saved_title="$(title)"
xdotool key F3 Delete
sleep 1
xdotool key ctrl+l
dialog_path "$charts/smoke.SKY"
[ "$(title)" = "$saved_title" ] && ok "chart file reopened" || fail "reopened chart shows $(title)"
# A damaged chart file is refused with a message and changes nothing.
head -c 3000 /dev/urandom >"$charts/bad.SKY"
xdotool key ctrl+l
dialog_path "$charts/bad.SKY"
[ -n "$(others)" ] && ok "damaged chart file refused" || fail "damaged chart file: no message"
shot 05-damaged-chart-file
close_others
[ "$(title)" = "$saved_title" ] || fail "damaged chart file changed the chart"

# ---- Pictures in the four formats.
for name in pic.png pic.JPG pic.GIF pic.BMP picture; do
    focus_main
    xdotool key ctrl+y
    dialog_path "$charts/$name"
    close_others
done
for pair in "pic.png:PNG image" "pic.JPG:JPEG image" "pic.GIF:GIF image" "pic.BMP:PC bitmap" "picture.BMP:PC bitmap"; do
    file "$charts/${pair%%:*}" | grep -q "${pair#*:}" && ok "${pair%%:*}" || fail "${pair%%:*} is not a ${pair#*:}"
done

# ---- Close, then the next start comes back as it was left.
exit_zu
[ "$(cat "$work/rc" 2>/dev/null)" = 0 ] && ok "exit code 0" || fail "exit code $(cat "$work/rc" 2>/dev/null)"
[ -s "$cfg" ] && ok "Default.cfg written" || fail "Default.cfg not written"
check_stderr "first run"
start_zu "$bin"
[ "$(title)" = "$saved_title" ] && ok "restart shows the saved chart" || fail "restart shows $(title)"
shot 06-restart
exit_zu
check_stderr "restart"
cp "$cfg" "$work/good.cfg"

# ---- A damaged settings file: a message, defaults, and the file kept.
head -c 4000 /dev/urandom >"$cfg"
before="$(md5sum <"$cfg")"
start_zu "$bin"
[ -n "$(others)" ] && ok "damaged Default.cfg reported" || fail "damaged Default.cfg: no message"
shot 07-damaged-settings
close_others
exit_zu
[ "$(md5sum <"$cfg")" = "$before" ] && ok "damaged Default.cfg kept" || fail "damaged Default.cfg overwritten"
check_stderr "damaged settings"
# Window sizes no screen can hold.
sed -e 's/\[fwidth\][^[]*/[fwidth] 2147483647/' -e 's/\[fheight\][^[]*/[fheight] 2147483647/' \
    -e 's/\[fstate\][^[]*/[fstate] 0/' "$work/good.cfg" >"$cfg"
start_zu "$bin"
alive && [ -n "$(main_window)" ] && ok "huge stored window size" || fail "huge stored window size"
exit_zu
check_stderr "huge window size"

# ---- Broken installations stop with the file's name and write nothing.
data="$work/program"
mkdir -p "$data"
# Dereference: the build folder links its data files to the source tree.
for f in "$bin"/*; do
    case "$f" in *_test | *.SKY | *.png) ;; *) cp -rL "$f" "$data/" ;; esac
done
for missing in clineE.dat liborbsolve.so; do
    mv "$data/$missing" "$work/$missing"
    cp "$work/good.cfg" "$cfg"
    before="$(md5sum <"$cfg")"
    start_zu "$data"
    if [ -z "$(main_window)" ] && [ -n "$(others)" ]; then ok "missing $missing reported"; else fail "missing $missing"; fi
    shot "08-missing-$missing"
    xdotool key Return
    for _ in $(seq 25); do alive || break; sleep 0.2; done
    [ "$(cat "$work/rc" 2>/dev/null)" = 1 ] || fail "missing $missing: exit code $(cat "$work/rc" 2>/dev/null)"
    [ "$(md5sum <"$cfg")" = "$before" ] || fail "missing $missing: Default.cfg changed"
    check_stderr "missing $missing"
    mv "$work/$missing" "$data/$missing"
done

echo "screenshots: $out"
echo "$failures failures"
[ "$failures" = 0 ]
