#!/bin/bash
# vornix-control without a display: --render-to draws the window content into a
# PNG of 1920 x 1200 times the scale after the simulated pedal has connected;
# --help and --version answer and exit 0; a bad option exits non-zero.
# Usage: app_render_test.sh PATH/TO/vornix-control
set -u
APP=${1:?usage: app_render_test.sh PATH/TO/vornix-control}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export VORNIX_DATA_DIR=$WORK/data
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "FAIL: $*"; exit 1; }

"$APP" --help | grep -q -- '--render-to' || fail "--help does not describe --render-to"
"$APP" --version | grep -q '^vornix-control [0-9]' || fail "--version prints no version"
"$APP" --scale 0 --render-to "$WORK/x.png" 2>/dev/null && fail "--scale 0 was accepted"

"$APP" --simulator --render-to "$WORK/half.png" 2>"$WORK/err" || fail "render exited $?: $(tail -3 "$WORK/err")"
"$APP" --simulator --render-to "$WORK/full.png" --scale 1 2>>"$WORK/err" || fail "render at scale 1 exited $?"

# The PNG header holds the size: width at bytes 16-19, height at 20-23.
size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d x %d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
[ "$(size "$WORK/half.png")" = "960 x 600" ] || fail "half scale is $(size "$WORK/half.png")"
[ "$(size "$WORK/full.png")" = "1920 x 1200" ] || fail "full scale is $(size "$WORK/full.png")"
[ "$(stat -c %s "$WORK/full.png")" -gt 100000 ] || fail "the full-scale picture is nearly empty"
[ -f "$VORNIX_DATA_DIR/Presets/001.dat" ] || fail "the simulated pedal never synchronised the cache"
echo "PASS"
