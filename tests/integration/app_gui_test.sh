#!/bin/bash
# The desktop editor under Xvfb, driven as a user would with xdotool: it starts
# on the simulated pedal and draws, File > MIDI Settings... opens and closes the
# preferences, Help > About answers, a second start exits 0 and leaves the first
# running, File > Quit ends with 0 and the draw scale saved in settings.ini.
#
# Usage: app_gui_test.sh PATH/TO/vornix-control
# Exit 77 (skipped) only when xvfb-run is missing.
set -u
APP=${1:?usage: app_gui_test.sh PATH/TO/vornix-control}
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed"
    exit 77
fi
if [ -z "${VORNIX_IN_XVFB:-}" ]; then
    export VORNIX_IN_XVFB=1
    exec xvfb-run -a -s '-screen 0 1920x1200x24' "$0" "$@"
fi
for tool in xdotool import convert; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is needed"; exit 1; }
done

WORK=$(mktemp -d)
export VORNIX_DATA_DIR=$WORK/data
APP_PID=
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$WORK/app.err" ] && tail -20 "$WORK/app.err"
    exit 1
}

# wait_for_window TITLE SECONDS: prints the window id.
wait_for_window() {
    local id
    for _ in $(seq 1 $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

wait_until_gone() {
    for _ in $(seq 1 $(($2 * 10))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Without a window manager keyboard focus follows the pointer.
point_at() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.3
}

# answer_box TITLE: presses the default button of an open message box.
answer_box() {
    local id
    id=$(wait_for_window "$1" 5) || return 1
    point_at "$id"
    xdotool key Return
    wait_until_gone "$1" 5
}

choose_menu() {  # choose_menu MNEMONIC ITEM-MNEMONIC
    point_at "$MAIN"
    xdotool key "alt+$1"
    sleep 0.5
    xdotool key "$2"
}

"$APP" --simulator >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!
MAIN=$(wait_for_window VornixControl 20) || fail "no window titled VornixControl"

# No sound card here: the host says so once the window is up.
if wait_for_window Error 3 >/dev/null; then
    answer_box Error || fail "the soundcard message box did not close"
fi

eval "$(xdotool getwindowgeometry --shell "$MAIN")"
[ "$WIDTH" -eq 960 ] || fail "window width $WIDTH, expected 960 (1920 x 0.5)"

sleep 4  # the first identification request goes out after 3.3 s
import -window root "$WORK/shot.png" || fail "no screenshot"
[ -n "${VORNIX_GUI_SHOTS:-}" ] && cp "$WORK/shot.png" "$VORNIX_GUI_SHOTS/app_started.png"
MEAN=$(convert "$WORK/shot.png" -format '%[fx:mean]' info:)
SPREAD=$(convert "$WORK/shot.png" -format '%[fx:standard_deviation]' info:)
awk -v m="$MEAN" -v s="$SPREAD" 'BEGIN { exit !(m > 0.01 && s > 0.02) }' ||
    fail "blank screenshot (mean $MEAN, deviation $SPREAD)"

choose_menu f m
PREFS=$(wait_for_window Preferences 5) || fail "File > MIDI Settings... opened no Preferences dialog"
point_at "$PREFS"
xdotool key Escape
wait_until_gone Preferences 5 || fail "the Preferences dialog did not close"

point_at "$MAIN"
xdotool key ctrl+comma
wait_for_window Preferences 5 >/dev/null || fail "Ctrl+, opened no Preferences dialog"
point_at "$(wait_for_window Preferences 1)"
xdotool key Escape
wait_until_gone Preferences 5 || fail "the Preferences dialog did not close after Ctrl+,"

# The About box shares the main window's title: it is the other window of that name.
choose_menu h a
ABOUT=
for _ in $(seq 1 50); do
    ABOUT=$(xdotool search --onlyvisible --name '^VornixControl$' 2>/dev/null | grep -vx "$MAIN" | head -1)
    [ -n "$ABOUT" ] && break
    sleep 0.1
done
[ -n "$ABOUT" ] || fail "Help > About showed no box titled VornixControl"
point_at "$ABOUT"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^VornixControl$' | grep -qvx "$MAIN" && fail "the About box did not close"

timeout 20 "$APP" --simulator >/dev/null 2>&1
SECOND=$?
[ "$SECOND" -eq 0 ] || fail "the second instance exited with $SECOND"
kill -0 "$APP_PID" 2>/dev/null || fail "the first instance ended when the second started"

choose_menu f q
for _ in $(seq 1 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "File > Quit did not end the program"
wait "$APP_PID"
CODE=$?
APP_PID=
[ "$CODE" -eq 0 ] || fail "exit code $CODE after File > Quit"
grep -A3 -i '^\[GUI\]' "$VORNIX_DATA_DIR/settings.ini" | grep -q '^scale=0\.5' ||
    fail "settings.ini has no [GUI] scale=0.5: $(cat "$VORNIX_DATA_DIR/settings.ini")"
echo "PASS"
