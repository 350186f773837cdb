#!/bin/bash
# The library window under Xvfb, driven with xdotool: Ctrl+L opens it beside
# the editor with the entries vornixctl added, the arrow keys audition an
# entry (the editor's knobs move), Escape puts the sound back; a setlist of
# two entries is written to the pedal from slot 100 after the backup the
# editor asks for, and the editor quits with 0. VORNIX_GUI_SHOTS=DIR keeps
# the screenshots.
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
"$CTL" setlist create gig >/dev/null && "$CTL" setlist add gig 1 2 >/dev/null ||
    fail "vornixctl could not make the setlist"

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

# Write to Pedal from Slot...: the slot, the slots that change, the backup.
point_at "$LIB"
xdotool key alt+p
SLOT=$(wait_for_window 'Write to Pedal from Slot' 5) || fail "no question for the first slot"
point_at "$SLOT"
xdotool key ctrl+a && xdotool type 100 && xdotool key Return
CHANGES=$(wait_for_window 'Write to Pedal' 5) || fail "the slots that change were not shown"
point_at "$CHANGES"
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" setlist_write.png
xdotool key alt+w
sleep 1
# The editor's question, a window of its own without a title.
BACKUP=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx -e "$MAIN" -e "$LIB" |
    head -1)
[ -n "$BACKUP" ] || fail "no backup question"
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" setlist_backup_question.png
point_at "$BACKUP"
xdotool key alt+o
# The backup says it finished: OK goes on.
for _ in $(seq 1 60); do
    # History/NNN is 1-based: the second slot's old preset is kept as it is written.
    [ -n "$(ls "$VORNIX_DATA_DIR/History/102" 2>/dev/null)" ] && break
    DONE=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null |
        grep -vx -e "$MAIN" -e "$LIB" | head -1)
    [ -n "$DONE" ] && { point_at "$DONE"; xdotool key Return; }
    sleep 1
done
sleep 3
import -window root "$WORK/screen.png"
shot "$WORK/screen.png" setlist_written.png
ls "$VORNIX_DATA_DIR"/Backups/*.kvb >/dev/null 2>&1 || fail "no backup before the setlist was written"
ls "$VORNIX_DATA_DIR"/History/101/*-library.dat >/dev/null 2>&1 ||
    fail "slot 100's old preset is not in its history"

quit_editor
# The pedal the editor left behind holds the two songs.
for slot in 100 101; do
    entry=$((slot - 99))
    held=$("$CTL" --simulator show $slot 2>/dev/null | sed -n 's/^Name: //p')
    song=$("$CTL" library show $entry | sed -n 's/^name: "\(.*\)"$/\1/p')
    [ -n "$song" ] && [ "$held" = "$song" ] || fail "slot $slot holds \"$held\", not \"$song\""
done
echo "PASS"
