#!/bin/sh
# Runs a command with a JACK server: the default one when it runs, otherwise a
# dummy-driver server of our own under a private name (so parallel runs do not
# meet), stopped by its PID afterwards. Exits 77 (skipped) without jackd.
#
#   with_jack.sh [--async] COMMAND [ARGS...]
#
# --async starts our server in JACK's default asynchronous mode, as users run
# it, where a late client loses the MIDI of the cycle it missed (below).
mode="--sync"
if [ "${1:-}" = "--async" ]; then
    mode=""
    shift
fi
if ! command -v jackd >/dev/null 2>&1 || ! command -v jack_wait >/dev/null 2>&1; then
    echo "jackd is not installed: skipped"
    exit 77
fi
export VORNIX_MIDI_API=jack
# A late client may hold up a cycle for up to ten times this before the
# server gives up on it; a client that was killed in its cycle holds up the
# graph about that long before its ports are gone.
client_timeout_ms=100
started=""
if [ "$(jack_wait -c 2>/dev/null)" != "running" ]; then
    JACK_DEFAULT_SERVER="vornix-test-$$"
    export JACK_DEFAULT_SERVER
    log="${TMPDIR:-/tmp}/vornix-jackd-$$.log"
    # Without realtime scheduling (not every user may have it) a client's
    # process thread on a busy machine is often not run within one period.
    # In its default asynchronous mode the server then starts the next cycle
    # anyway: the sender clears and refills its port buffer before the late
    # receiver has read it, and the MIDI message of the missed cycle is gone
    # (the log says "client = ... was not finished, state = Triggered").
    # --sync makes every cycle wait for the whole graph, for up to --timeout
    # ms, so a late client delays the cycle instead of losing what it carried.
    # Benchmarks and the asynchronous tests ask for 64 frames through
    # VORNIX_JACK_PERIOD.
    # Servers that start at the same moment trip over each other in JACK's
    # shared registry, and one of them never answers: they start one at a
    # time (they run side by side well).
    exec 9>"${TMPDIR:-/tmp}/vornix-jackd-start.lock"
    flock 9
    # shellcheck disable=SC2086
    jackd --no-realtime $mode --timeout "$client_timeout_ms" -n "$JACK_DEFAULT_SERVER" \
        -d dummy -r 44100 -p "${VORNIX_JACK_PERIOD:-256}" >"$log" 2>&1 9>&- &
    started=$!
    # jackd leads a process group of its own: interrupted, we stop it ourselves.
    trap 'kill "$started" 2>/dev/null; exit 143' INT TERM HUP
    if ! jack_wait -w -t 10 >/dev/null 2>&1 9>&-; then
        echo "the JACK server did not start:"
        cat "$log"
        kill "$started" 2>/dev/null
        exit 1
    fi
    flock -u 9
    exec 9>&-
fi
"$@"
status=$?
if [ -n "$started" ]; then
    # Late clients and missed cycles are the first thing to rule out.
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
        echo "the JACK server's log (last lines):"
        tail -n 30 "$log"
    fi
    kill "$started" 2>/dev/null
    wait "$started" 2>/dev/null
    rm -f "$log"
fi
exit $status
