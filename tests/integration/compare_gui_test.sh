#!/bin/bash
# A/B and the Differences window under Xvfb, driven with xdotool: Ctrl+B
# lights COMPARE in the title bar (the button's corner of the window differs
# from before), Preset > Differences... opens the side window, and the editor
# quits with 0. VORNIX_GUI_SHOTS=DIR keeps the screenshots.
#
# Usage: compare_gui_test.sh PATH/TO/vornix-control
set -u
APP=${1:?usage: compare_gui_test.sh PATH/TO/vornix-control}
. "$(dirname "$0")/side_window_gui.sh"

# The title bar's left half at scale 0.5, below the menu bar.
title_bar() {  # OUT.png
    import -window "$MAIN" "$WORK/main.png" || fail "no screenshot of the editor"
    convert "$WORK/main.png" -crop 400x60+150+0 "$1"
}

start_editor
point_at "$MAIN"
title_bar "$WORK/before.png"
xdotool key ctrl+b
sleep 1
title_bar "$WORK/lit.png"
shot "$WORK/main.png" compare_lit.png
differ "$WORK/before.png" "$WORK/lit.png" || fail "Ctrl+B left the COMPARE button as it was"
xdotool key ctrl+b
sleep 1
title_bar "$WORK/after.png"
differ "$WORK/lit.png" "$WORK/after.png" || fail "a second Ctrl+B left COMPARE lit"

xdotool key alt+p
sleep 0.5
xdotool key d
DIFF=$(wait_for_window 'Differences' 5) || fail "Preset > Differences... opened no window"
xdotool windowmove "$DIFF" 980 0
sleep 1
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" differences.png

quit_editor
echo "PASS"
