#!/bin/bash
# vornix-control without a display: --render-to draws the window content into a
# PNG of 1920 x 1200 times the scale after the simulated pedal has connected;
# --headless runs a script from standard input; --trace shows the traffic and
# --data-dir moves the data folder; --help and --version answer and exit 0; a
# bad option exits non-zero.
# Usage: app_render_test.sh PATH/TO/vornix-control
set -u
APP=${1:?usage: app_render_test.sh PATH/TO/vornix-control}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export VORNIX_DATA_DIR=$WORK/data
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "FAIL: $*"; exit 1; }

"$APP" --help | grep -q -- '--render-to' || fail "--help does not describe --render-to"
"$APP" --help | grep -q -- '--headless' || fail "--help does not describe --headless"
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
out=$(printf 'until online\nprint 1\n' | "$APP" --headless --simulator --script - 2>"$WORK/err") \
    || fail "the script exited $?: $(tail -3 "$WORK/err")"
[ "$out" = 'tag 1 text="00" value=0 visible=1 enabled=1' ] || fail "the script printed: $out"
printf 'wait 1\nclik 1 2\n' | "$APP" --headless --simulator --script - >/dev/null 2>"$WORK/err" \
    && fail "a bad line ended the script with 0"
grep -q 'script line 2: unknown command "clik"' "$WORK/err" || fail "bad line: $(cat "$WORK/err")"

"$APP" --simulator --trace --data-dir "$WORK/other" --render-to "$WORK/t.png" 2>"$WORK/trace" \
    || fail "render with --trace exited $?"
grep -q '^> F0 00 51 ' "$WORK/trace" && grep -q '^< F0 00 51 ' "$WORK/trace" \
    || fail "--trace shows no traffic both ways"
[ -f "$WORK/other/Presets/001.dat" ] || fail "--data-dir was not used"
echo "PASS"
