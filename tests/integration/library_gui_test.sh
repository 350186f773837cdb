#!/bin/bash
# The library window under Xvfb, driven with xdotool: Ctrl+L opens it beside
# the editor with the entries vornixctl added, the arrow keys audition an
# entry (the editor's knobs move), Escape puts the sound back, and the editor
# quits with 0. VORNIX_GUI_SHOTS=DIR keeps the screenshots.
#
# Usage: library_gui_test.sh PATH/TO/vornix-control PATH/TO/vornixctl PRESET_FOLDER
set -u
APP=${1:?usage: library_gui_test.sh PATH/TO/vornix-control PATH/TO/vornixctl PRESET_FOLDER}
CTL=${2:?}
PRESETS=${3:?}
. "$(dirname "$0")/side_window_gui.sh"

# The editor's whole window: an auditioned sound moves its knobs.
editor_shot() {  # OUT.png
    import -window "$MAIN" "$WORK/main.png" || fail "no screenshot of the editor"
    cp "$WORK/main.png" "$1"
}

"$CTL" library add "$PRESETS" >"$WORK/added.out" 2>/dev/null || fail "vornixctl library add failed"
[ "$(wc -l <"$WORK/added.out")" -ge 3 ] || fail "the library holds fewer than 3 entries"

start_editor
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

quit_editor
echo "PASS"
