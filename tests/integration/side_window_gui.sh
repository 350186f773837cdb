# What the tests of the side windows under Xvfb share; sourced by each, with
# APP set to the vornix-control they start. It runs the test again inside
# xvfb-run, exits 77 (skipped) when xvfb-run is missing, and gives a scratch
# data folder with the window at scale 0.5, the program's start and end, and
# helpers to find, focus and photograph windows. VORNIX_GUI_SHOTS=DIR keeps
# the screenshots.
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
# Without a window manager keyboard focus follows the pointer, unless a
# window took it when it was presented: it is given back explicitly.
point_at() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus "$1" 2>/dev/null
    sleep 0.3
}
shot() { [ -n "${VORNIX_GUI_SHOTS:-}" ] && cp "$1" "$VORNIX_GUI_SHOTS/$2"; }
differ() {  # A.png B.png: more than a few pixels apart
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1)
    [ "${pixels%%.*}" -gt 50 ]
}

# Starts the editor on the built-in pedal and waits for it online, at the
# top left of the screen: MAIN is its window.
start_editor() {
    "$APP" --simulator >"$WORK/app.out" 2>"$WORK/app.err" &
    APP_PID=$!
    MAIN=$(wait_for_window 'VornixControl - Vornix 1.3' 20) || fail "the editor did not come online"
    xdotool windowmove "$MAIN" 0 0
    sleep 2
}
# Ctrl+Q in the editor must end the program with 0.
quit_editor() {
    point_at "$MAIN"
    xdotool key ctrl+q
    for _ in $(seq 1 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null && fail "Ctrl+Q did not end the program${1:+ $1}"
    wait "$APP_PID"
    local code=$?
    APP_PID=
    [ "$code" -eq 0 ] || fail "exit code $code after Ctrl+Q"
}
