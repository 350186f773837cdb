#!/bin/bash
# The library window under Xvfb, driven with xdotool: Ctrl+L opens it beside
# the editor with the entries vornixctl added, the arrow key auditions the
# next entry (the editor's title bar then names it as modified), Escape puts
# the sound back, and the editor quits with 0. VORNIX_GUI_SHOTS=DIR keeps the
# screenshots.
#
# Usage: library_gui_test.sh PATH/TO/vornix-control PATH/TO/vornixctl PRESET_FOLDER
# Exit 77 (skipped) only when xvfb-run is missing.
set -u
APP=${1:?usage: library_gui_test.sh PATH/TO/vornix-control PATH/TO/vornixctl PRESET_FOLDER}
CTL=${2:?}
PRESETS=${3:?}
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed"
    exit 77
fi
if [ -z "${VORNIX_IN_XVFB:-}" ]; then
    export VORNIX_IN_XVFB=1
    exec xvfb-run -a -s '-screen 0 1920x1200x24' "$0" "$@"
fi
for tool in xdotool import convert compare; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is needed"; exit 1; }
done

WORK=$(mktemp -d)
export VORNIX_DATA_DIR=$WORK/data
mkdir -p "$VORNIX_DATA_DIR"
printf '[GUI]\nscale=0.500000\n' >"$VORNIX_DATA_DIR/settings.ini"
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
wait_for_window() {  # TITLE SECONDS: prints the window id
    local id
    for _ in $(seq 1 $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
point_at() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus "$1" 2>/dev/null
    sleep 0.3
}
shot() { [ -n "${VORNIX_GUI_SHOTS:-}" ] && cp "$1" "$VORNIX_GUI_SHOTS/$2"; }
# The editor's whole window: an auditioned sound moves its knobs.
editor_shot() {  # OUT.png
    import -window "$MAIN" "$WORK/main.png" || fail "no screenshot of the editor"
    cp "$WORK/main.png" "$1"
}
differ() {  # A.png B.png: more than a few pixels apart
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1)
    [ "${pixels%%.*}" -gt 50 ]
}

"$CTL" library add "$PRESETS" >"$WORK/added.out" 2>/dev/null || fail "vornixctl library add failed"
[ "$(wc -l <"$WORK/added.out")" -ge 3 ] || fail "the library holds fewer than 3 entries"

"$APP" --simulator >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!
MAIN=$(wait_for_window 'VornixControl - Vornix 1.3' 20) || fail "the editor did not come online"
xdotool windowmove "$MAIN" 0 0
sleep 2
point_at "$MAIN"
xdotool key ctrl+l
LIB=$(wait_for_window 'Preset Library' 5) || fail "Ctrl+L opened no library window"
xdotool windowmove "$LIB" 700 0
sleep 1
point_at "$LIB"
editor_shot "$WORK/before.png"
# The first row, then the next: each plays on the pedal.
xdotool key Down Down
sleep 1
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" library.png
editor_shot "$WORK/played.png"
differ "$WORK/before.png" "$WORK/played.png" || fail "the arrow keys auditioned nothing"
xdotool key Escape
sleep 1
editor_shot "$WORK/back.png"
shot "$WORK/main.png" library_escape.png
differ "$WORK/played.png" "$WORK/back.png" || fail "Escape left the auditioned sound"

point_at "$MAIN"
xdotool key ctrl+q
for _ in $(seq 1 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "Ctrl+Q did not end the program"
wait "$APP_PID"
CODE=$?
APP_PID=
[ "$CODE" -eq 0 ] || fail "exit code $CODE after Ctrl+Q"
echo "PASS"
