#!/bin/bash
# The MIDI monitor under Xvfb, driven with xdotool: View > MIDI Monitor opens
# it and Ctrl+M raises the same window; during a bank export its list keeps
# taking rows (two screenshots differ) and the window answers; Ctrl+S in it
# saves the list as a .syx of whole messages; the editor then quits with 0.
# VORNIX_GUI_SHOTS=DIR keeps the screenshots.
#
# Usage: monitor_gui_test.sh PATH/TO/vornix-control
set -u
APP=${1:?usage: monitor_gui_test.sh PATH/TO/vornix-control}
. "$(dirname "$0")/side_window_gui.sh"

wait_until_gone() {
    for _ in $(seq 1 $(($2 * 10))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
# A visible window of the program other than these.
other_window() {
    xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx -e "$MAIN" -e "$MONITOR" |
        head -1
}

start_editor
point_at "$MAIN"
xdotool key alt+v
sleep 0.5
xdotool key m
MONITOR=$(wait_for_window 'MIDI Monitor' 5) || fail "View > MIDI Monitor opened no window"
xdotool windowmove "$MONITOR" 970 0
point_at "$MAIN"
xdotool key ctrl+m
sleep 0.5
[ "$(xdotool search --onlyvisible --name '^MIDI Monitor$' | wc -l)" -eq 1 ] ||
    fail "Ctrl+M opened a second monitor"

# The export: the save dialog's default name in the data folder, then the
# pedal's presets and IRs stream in while the monitor's list follows.
point_at "$MAIN"
xdotool key alt+f
sleep 0.5
xdotool key e
SAVE=$(wait_for_window "Save File" 5) || fail "the export opened no Save File dialog"
point_at "$SAVE"
xdotool key Return
wait_until_gone "Save File" 5 || fail "the Save File dialog did not close"
sleep 1
import -window "$MONITOR" "$WORK/during1.png" || fail "no screenshot of the monitor"
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" monitor_export.png
sleep 1
import -window "$MONITOR" "$WORK/during2.png"
differ "$WORK/during1.png" "$WORK/during2.png" ||
    fail "the monitor's list did not move during the export"
for _ in $(seq 1 600); do BOX=$(other_window); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || fail "the export did not end with a message box"
point_at "$BOX"
xdotool key Return
sleep 0.5

point_at "$MONITOR"
xdotool key ctrl+s
SAVE=$(wait_for_window "Save File" 5) || fail "Ctrl+S in the monitor opened no Save File dialog"
point_at "$SAVE"
xdotool key Return
wait_until_gone "Save File" 5 || fail "the monitor's Save File dialog did not close"
SYX=$VORNIX_DATA_DIR/Vornix_MIDI_Monitor.syx
for _ in $(seq 1 50); do [ -s "$SYX" ] && break; sleep 0.1; done
[ -s "$SYX" ] || fail "the monitor saved no $SYX: $(ls "$VORNIX_DATA_DIR")"
HEX=$(od -An -v -tx1 "$SYX" | tr -s ' \n' '  ')
STARTS=$(grep -o ' f0' <<<"$HEX" | wc -l)
ENDS=$(grep -o ' f7' <<<"$HEX" | wc -l)
[ "${HEX:1:2}" = f0 ] && [ "$STARTS" -eq "$ENDS" ] && [ "$STARTS" -gt 128 ] ||
    fail "the saved .syx is not whole messages ($STARTS starts, $ENDS ends)"

quit_editor "with the monitor open"
echo "PASS"
