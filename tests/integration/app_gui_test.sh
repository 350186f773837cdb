#!/bin/bash
# The desktop editor under Xvfb, driven as a user would with xdotool: a first
# start fits the screen (at GDK scale 1 and 2), the title names the pedal once
# it answers, Ctrl+Q quits and keeps the scale; then, at a stored scale of
# 0.5, it starts on the simulated pedal and draws, File > MIDI Settings...
# opens and closes the preferences, File > Vornix Global Settings... and
# Help > About show their pages and a click or Escape closes them, F1 says
# where the manual is when no viewer is installed, a bank export runs with the
# progress overlay on screen, a second start exits 0 and leaves the first
# running, the window resized from outside snaps to the content's aspect and
# keeps that scale for the next start, and File > Quit ends with 0.
# VORNIX_GUI_SHOTS=DIR keeps the screenshots.
#
# The test runs beside others on a busy machine: every step waits for what
# it expects to see, up to a generous limit, rather than for a fixed time.
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
    # Each test looks for a free display from its own number on: started
    # side by side from the same number, two xvfb-run could take the same one.
    # An X server resets when its last client leaves, and a client that
    # connects during the reset is dropped: the editor started again after
    # it quit would find no display. -noreset keeps the server as it is.
    exec xvfb-run -a -n $((100 + $$ % 800)) -s '-screen 0 1920x1200x24 -noreset' "$0" "$@"
fi
for tool in xdotool import convert identify; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is needed"; exit 1; }
done

WORK=$(mktemp -d)
export VORNIX_DATA_DIR=$WORK/data
# The system's shared data without its desktop files: no PDF viewer or
# browser, whatever this machine has, but the icons and MIME types GTK needs.
mkdir -p "$WORK/xdg" "$WORK/xdghome"
for shared in /usr/share/*; do
    [ "${shared##*/}" = applications ] || ln -s "$shared" "$WORK/xdg/"
done
export XDG_DATA_DIRS=$WORK/xdg XDG_DATA_HOME=$WORK/xdghome
MAIN_TITLE='VornixControl( - Vornix [0-9.]+)?'
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

# eventually SECONDS COMMAND...: waits until the command succeeds.
eventually() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
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

# other_window: a visible window of the program other than the main one.
other_window() {
    xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx "$MAIN" | head -1
}
window_gone() { ! xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -qx "$1"; }

# choose_menu MNEMONIC ITEM-MNEMONIC: the item's key goes to the menu only
# once the menu is on screen, and the menu is gone before the next step.
choose_menu() {
    local menu
    point_at "$MAIN"
    xdotool key "alt+$1"
    for _ in $(seq 1 100); do
        menu=$(other_window)
        [ -n "$menu" ] && break
        sleep 0.1
    done
    [ -n "$menu" ] || fail "Alt+$1 opened no menu"
    xdotool key "$2"
    eventually 10 window_gone "$menu" || fail "the menu stayed open after $2"
}

# start_app: the editor on the simulated pedal, its window in MAIN.
start_app() {
    "$APP" --simulator >"$WORK/app.out" 2>"$WORK/app.err" &
    APP_PID=$!
    MAIN=$(wait_for_window "$MAIN_TITLE" 30) || fail "no window titled VornixControl"
    # No audio device is opened unless one is chosen, so nothing is said about one.
    if wait_for_window Error 3 >/dev/null; then
        fail "a message box came up at start"
    fi
}

# wait_for_exit: the program ends with 0 within 20 s.
wait_for_exit() {
    for _ in $(seq 1 200); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null && fail "$1 did not end the program"
    wait "$APP_PID"
    local code=$?
    APP_PID=
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

saved_scale() { sed -n 's/^scale=//p' "$VORNIX_DATA_DIR/settings.ini"; }

# A first start fits the screen: 0.85 leaves the 1632 x 1020 content and the
# menu bar within 90 % of 1920 x 1200. The title names the pedal once it
# answers (the first identification request goes out after 3.3 s).
start_app
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
[ "$WIDTH" -eq 1632 ] || fail "first window width $WIDTH, expected 1632 (1920 x 0.85)"
wait_for_window 'VornixControl - Vornix 1.3' 20 >/dev/null ||
    fail "the title is \"$(xdotool getwindowname "$MAIN")\" once the pedal answered"
point_at "$MAIN"
xdotool key ctrl+q
wait_for_exit "Ctrl+Q"
[ "$(saved_scale)" = 0.850000 ] || fail "Ctrl+Q saved the scale $(saved_scale), not 0.850000"

# At GDK scale 2 the work area is 960 x 600 of GTK's pixels: 0.4, drawn on
# 1536 x 960 screen pixels.
(
    export GDK_SCALE=2 VORNIX_DATA_DIR=$WORK/hidpi
    start_app
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    [ "$WIDTH" -eq 1536 ] || fail "first window width $WIDTH at GDK scale 2, expected 1536"
    point_at "$MAIN"
    xdotool key ctrl+q
    wait_for_exit "Ctrl+Q at GDK scale 2"
) || exit 1

# From here on at the scale the rest of the test measures in.
sed -i 's/^scale=.*/scale=0.500000/' "$VORNIX_DATA_DIR/settings.ini"
start_app

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
PREFS=$(wait_for_window Preferences 15) || fail "File > MIDI Settings... opened no Preferences dialog"
point_at "$PREFS"
xdotool key Escape
wait_until_gone Preferences 10 || fail "the Preferences dialog did not close"

point_at "$MAIN"
xdotool key ctrl+comma
wait_for_window Preferences 15 >/dev/null || fail "Ctrl+, opened no Preferences dialog"
point_at "$(wait_for_window Preferences 1)"
xdotool key Escape
wait_until_gone Preferences 10 || fail "the Preferences dialog did not close after Ctrl+,"

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
# changed_from MEAN LEFT TOP WIDTH HEIGHT: waits up to 10 s for the
# rectangle's mean to move away from MEAN and prints the mean it settles at.
changed_from() {
    local from=$1 now
    shift
    for _ in $(seq 1 40); do
        now=$(content_mean "$@") && differs "$from" "$now" && {
            sleep 0.3
            content_mean "$@"
            return
        }
        sleep 0.2
    done
    return 1
}
shot() { [ -n "${VORNIX_GUI_SHOTS:-}" ] && import -window "$MAIN" "$VORNIX_GUI_SHOTS/$1"; }
# click_content X Y: a click at logical coordinates of the content.
click_content() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    local bar=$((HEIGHT - 600))
    xdotool mousemove $((X + $1 / 2)) $((Y + bar + $2 / 2)) click 1
    sleep 0.5
}

# File > Vornix Global Settings... lays the settings page over the window; a
# click on its empty area closes it, and so does Escape.
PLAIN=$(content_mean 760 250 640 470) || fail "no screenshot of the window"
choose_menu f v
SETTINGS=$(changed_from "$PLAIN" 760 250 640 470) ||
    fail "File > Vornix Global Settings... showed no page (still $PLAIN)"
shot settings_page.png
click_content 300 1000
AFTER=$(changed_from "$SETTINGS" 760 250 640 470) ||
    fail "a click on the empty area did not close the settings page"
choose_menu f v
changed_from "$AFTER" 760 250 640 470 >/dev/null || fail "the settings page did not open again"
point_at "$MAIN"
xdotool key Escape
changed_from "$SETTINGS" 760 250 640 470 >/dev/null || fail "Escape did not close the settings page"

# Help > About shows the About page in the window; a click closes it.
BEFORE=$(content_mean 520 220 920 580)
choose_menu h a
ABOUT=$(changed_from "$BEFORE" 520 220 920 580) || fail "Help > About showed no page"
[ -z "$(other_window)" ] || fail "Help > About opened a box instead of the page"
shot about_page.png
click_content 960 1100
changed_from "$ABOUT" 520 220 920 580 >/dev/null || fail "a click did not close the About page"
choose_menu h a
changed_from "$BEFORE" 520 220 920 580 >/dev/null || fail "Help > About did not show the page again"
point_at "$MAIN"
xdotool key Escape
changed_from "$ABOUT" 520 220 920 580 >/dev/null || fail "Escape did not close the About page"

# F1 writes the manual into the data folder; with no PDF viewer a box says
# where it is.
point_at "$MAIN"
xdotool key F1
for _ in $(seq 1 150); do BOX=$(other_window); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || fail "F1 without a PDF viewer showed no message"
[ -s "$VORNIX_DATA_DIR/Quellix_TRDV_VX_OM1.pdf" ] || fail "F1 wrote no manual"
shot no_viewer.png
point_at "$BOX"
xdotool key Return
eventually 10 window_gone "$BOX" || fail "the message about the manual did not close"

# File > Export All Presets: the save dialog, then the progress overlay over
# the page while the pedal's presets come in. The dialog offers the data
# folder and a name; Return takes them (a path typed into the dialog opens
# its completion, which may take the Return instead).
BEFORE=$(content_mean 850 400 400 400)
choose_menu f e
SAVE=$(wait_for_window "Save File" 15) || fail "the export opened no Save File dialog"
point_at "$SAVE"
xdotool key Return
wait_until_gone "Save File" 10 || fail "the Save File dialog did not close"
changed_from "$BEFORE" 850 400 400 400 >/dev/null || fail "no progress overlay during the export"
shot export_progress.png
for _ in $(seq 1 600); do BOX=$(other_window); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || fail "the export did not end with a message box"
point_at "$BOX"
xdotool key Return
eventually 10 window_gone "$BOX" || fail "the message at the end of the export did not close"
[ -s "$VORNIX_DATA_DIR/Vornix_Presets_and_IRs.kvb" ] ||
    fail "the export wrote no bank file: $(ls "$VORNIX_DATA_DIR")"

timeout 20 "$APP" --simulator >/dev/null 2>&1
SECOND=$?
[ "$SECOND" -eq 0 ] || fail "the second instance exited with $SECOND"
kill -0 "$APP_PID" 2>/dev/null || fail "the first instance ended when the second started"

# Resized from outside (a window manager's edge), the content takes the
# scale that fits and the window snaps to its aspect once the size settles;
# the next start keeps that scale. File > Quit ends with 0.
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
BAR=$((HEIGHT - 600))
xdotool windowsize "$MAIN" 1400 1000
snapped() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    [ "$WIDTH" -eq 1400 ] && [ "$HEIGHT" -eq $((875 + BAR)) ]
}
eventually 10 snapped ||
    fail "resized to 1400 x 1000, the window is $WIDTH x $HEIGHT, not 1400 x $((875 + BAR))"
shot resized.png
point_at "$MAIN"
xdotool key ctrl+q
wait_for_exit "Ctrl+Q after the resize"
[ "$(saved_scale)" = 0.729167 ] || fail "the resized window saved $(saved_scale), not 0.729167"
start_app
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
[ "$WIDTH" -eq 1400 ] || fail "the next start is $WIDTH wide, not the 1400 it closed with"
choose_menu f q
wait_for_exit "File > Quit"
[ "$(saved_scale)" = 0.729167 ] || fail "File > Quit saved $(saved_scale), not 0.729167"
echo "PASS"
