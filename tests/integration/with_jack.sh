#!/bin/sh
# Runs a command with a JACK server: the default one when it runs, otherwise a
# dummy-driver server of our own under a private name (so parallel runs do not
# meet), stopped by its PID afterwards. Exits 77 (skipped) without jackd.
if ! command -v jackd >/dev/null 2>&1 || ! command -v jack_wait >/dev/null 2>&1; then
    echo "jackd is not installed: skipped"
    exit 77
fi
export VORNIX_MIDI_API=jack
started=""
if [ "$(jack_wait -c 2>/dev/null)" != "running" ]; then
    JACK_DEFAULT_SERVER="vornix-test-$$"
    export JACK_DEFAULT_SERVER
    log="${TMPDIR:-/tmp}/vornix-jackd-$$.log"
    # Without realtime scheduling a busy machine makes the server miss cycles,
    # and MIDI delivered in a missed cycle is gone; a longer period makes that
    # rare in tests. Benchmarks ask for 64 frames through VORNIX_JACK_PERIOD.
    jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 44100 -p "${VORNIX_JACK_PERIOD:-256}" >"$log" 2>&1 &
    started=$!
    if ! jack_wait -w -t 10 >/dev/null 2>&1; then
        echo "the JACK server did not start:"
        cat "$log"
        kill "$started" 2>/dev/null
        exit 1
    fi
fi
"$@"
status=$?
if [ -n "$started" ]; then
    kill "$started" 2>/dev/null
    wait "$started" 2>/dev/null
    rm -f "$log"
fi
exit $status
