#!/bin/bash
# The desktop editor under Xvfb, driven as a user would with xdotool: it starts
# on the simulated pedal and draws, File > MIDI Settings... opens and closes the
# preferences, File > Vornix Global Settings... and Help > About show their
# pages and a click closes them, a bank export runs with the progress overlay
# on screen, a second start exits 0 and leaves the first running, File > Quit
# ends with 0 and the draw scale saved in settings.ini. VORNIX_GUI_SHOTS=DIR
# keeps the screenshots.
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
for tool in xdotool import convert identify; do
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

# No audio device is opened unless one is chosen, so nothing is said about one.
if wait_for_window Error 3 >/dev/null; then
    fail "a message box came up at start"
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

# content_mean LEFT TOP WIDTH HEIGHT: the mean brightness of a rectangle of
# the window content in logical pixels (the window shows it at 0.5, below the
# menu bar), from a fresh screenshot of the main window.
content_mean() {
    import -window "$MAIN" "$WORK/window.png" || return 1
    local bar=$(($(identify -format '%h' "$WORK/window.png") - 600))
    convert "$WORK/window.png" -crop "$(($3 / 2))x$(($4 / 2))+$(($1 / 2))+$(($2 / 2 + bar))" \
        -format '%[fx:mean]' info:
}
differs() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(d > 0.02 || d < -0.02) }'; }
shot() { [ -n "${VORNIX_GUI_SHOTS:-}" ] && import -window "$MAIN" "$VORNIX_GUI_SHOTS/$1"; }
# click_content X Y: a click at logical coordinates of the content.
click_content() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    local bar=$((HEIGHT - 600))
    xdotool mousemove $((X + $1 / 2)) $((Y + bar + $2 / 2)) click 1
    sleep 0.5
}
# other_window: a visible window of the program other than the main one.
other_window() {
    xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx "$MAIN" | head -1
}

# File > Vornix Global Settings... lays the settings page over the window; a
# click on its empty area closes it.
PLAIN=$(content_mean 760 250 640 470) || fail "no screenshot of the window"
choose_menu f v
sleep 1
SETTINGS=$(content_mean 760 250 640 470)
differs "$PLAIN" "$SETTINGS" || fail "File > Vornix Global Settings... showed no page ($PLAIN, $SETTINGS)"
shot settings_page.png
click_content 300 1000
AFTER=$(content_mean 760 250 640 470)
differs "$SETTINGS" "$AFTER" || fail "a click on the empty area did not close the settings page"

# Help > About shows the About page in the window; a click closes it.
BEFORE=$(content_mean 520 220 920 580)
choose_menu h a
sleep 1
[ -z "$(other_window)" ] || fail "Help > About opened a box instead of the page"
ABOUT=$(content_mean 520 220 920 580)
differs "$BEFORE" "$ABOUT" || fail "Help > About showed no page"
shot about_page.png
click_content 960 1100
differs "$ABOUT" "$(content_mean 520 220 920 580)" || fail "a click did not close the About page"

# File > Export All Presets: the save dialog, then the progress overlay over
# the page while the pedal's presets come in. The dialog offers the data
# folder and a name; Return takes them (a path typed into the dialog opens
# its completion, which may take the Return instead).
BEFORE=$(content_mean 850 400 400 400)
choose_menu f e
SAVE=$(wait_for_window "Save File" 5) || fail "the export opened no Save File dialog"
point_at "$SAVE"
xdotool key Return
wait_until_gone "Save File" 5 || fail "the Save File dialog did not close"
sleep 2
PROGRESS=$(content_mean 850 400 400 400)
shot export_progress.png
differs "$BEFORE" "$PROGRESS" || fail "no progress overlay during the export"
for _ in $(seq 1 600); do BOX=$(other_window); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || fail "the export did not end with a message box"
point_at "$BOX"
xdotool key Return
sleep 0.5
[ -s "$VORNIX_DATA_DIR/Vornix_Presets_and_IRs.kvb" ] ||
    fail "the export wrote no bank file: $(ls "$VORNIX_DATA_DIR")"

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
