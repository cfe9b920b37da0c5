#!/usr/bin/env bash
# The bundle in a real LV2 host: jalv.gtk3 on a JACK server of its own (the
# dummy driver) on the display the test runs under.
#   real_host.sh LV2_DIR RENDER_EDITOR COMPARE_PICTURES RECORDED_GAIN WORK_DIR
# Shows that
#   - the host embeds the panel, and it shows the host's control values as
#     the headless build draws them, pixel for pixel (ipvolume is set to 0.5
#     on the host's command line, so its slider moved by a port event);
#   - a real drag of the ncvolume slider to 0 reaches the plug-in: a tone in,
#     the output recorded with the input, before (the replayed cycles added)
#     and after (the output is the input times ipvolume alone);
#   - MIDI sent into the plug-in comes out of its MIDI thru.
# Every process started here is stopped by its id when the script ends,
# whichever way it ends.
set -euo pipefail

lv2_dir=$1
render_editor=$2
compare_pictures=$3
recorded_gain=$4
work=$5

readonly uri=https://ostrand.example/plugins/tarvel
readonly client=tarvel-host-$$
readonly ipvolume=0.5
# Where the ncvolume slider's handle is at 1 (the right end), from the
# panel's top-left corner; the drag takes it past the left end.
readonly handle_x=249 handle_y=56 past_left_x=2

# Processes to stop, in the order they were started; stopped last first.
pids=()
stop_all() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}
trap stop_all EXIT

fail() {
    echo "real_host: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

# Runs the command until it succeeds, for at most `seconds`.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Without -q: grep reads to the end, so jack_lsp never meets a closed pipe.
has_port() { jack_lsp | grep -x "$1" >/dev/null; }

if [ -z "${DISPLAY:-}" ]; then
    echo "real_host: no display" >&2
    exit 77
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"

# A server name of its own, so that tests running at the same time (and any
# other JACK user of the machine) never meet this server.
export JACK_DEFAULT_SERVER=tarvel-server-$$
export JACK_NO_AUDIO_RESERVATION=1
jackd -d dummy -r 48000 -p 256 >jackd.log 2>&1 &
pids+=($!)
wait_for 10 jack_lsp || fail "the JACK server did not start"

"$render_editor" at-start.png 1 "$ipvolume" || fail "render-editor failed"
"$render_editor" after-drag.png 0 "$ipvolume" || fail "render-editor failed"

# The sanitized build's plug-in brings the sanitizer runtime along when the
# host loads it; it then starts late, which it allows with this option.
LV2_PATH=$lv2_dir ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 \
    jalv.gtk3 -x -n "$client" -c ipvolume=$ipvolume "$uri" >jalv.log 2>&1 &
pids+=($!)
jalv_pid=$!
# Ready when its ports are there; done waiting at once when it has ended.
jalv_ready() { ! kill -0 "$jalv_pid" || has_port "$client:out_right"; }
wait_for 20 jalv_ready && kill -0 "$jalv_pid" 2>/dev/null || fail "jalv did not make its ports"

# The panel's window: the only 268 by 107 window named as the toolkit names
# its windows.
panel_window() {
    xwininfo -root -tree | awk '/"Window": \(\) +268x107/ { print $1; exit }'
}
has_panel() { [ -n "$(panel_window)" ]; }
wait_for 10 has_panel || fail "no panel window"
panel=$(panel_window)
origin=$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
read -r panel_x panel_y <<<"$origin"

# The panel as the server shows it, against the headless rendering.
shows() {
    import -window "$panel" shot.png && "$compare_pictures" shot.png "$1"
}
wait_for 10 shows at-start.png || fail "the panel does not show the host's values: $(shows at-start.png 2>&1)"

jack_metro -n "$client-tone" -b 600 -f 440 -A 0.5 -D 90 >metro.log 2>&1 &
pids+=($!)
tone=$client-tone:600_bpm
wait_for 10 has_port "$tone" || fail "no tone"
jack_connect "$tone" "$client:in_left"

record() {
    timeout 20 jack_rec -f "$1" -d 1 -b 32 "$tone" "$client:out_left" "$client:out_right" \
        >>rec.log 2>&1 || fail "jack_rec failed"
}
record before.wav
"$recorded_gain" before.wav "$ipvolume" --beyond 0.01 ||
    fail "before the drag the output was the input at ipvolume alone"

xdotool mousemove $((panel_x + handle_x)) $((panel_y + handle_y)) sleep 0.2 mousedown 1 \
    sleep 0.2 mousemove $((panel_x + 120)) $((panel_y + handle_y)) sleep 0.2 \
    mousemove $((panel_x + past_left_x)) $((panel_y + handle_y)) sleep 0.2 mouseup 1
# The panel writes the port before it redraws the slider: once it shows the
# slider at 0, the host has the value.
wait_for 10 shows after-drag.png || fail "the drag did not move the slider: $(shows after-drag.png 2>&1)"

# Recorded as 32-bit integers, input and output each rounded once: a
# millionth is far below the replayed cycles and far above that rounding.
record after.wav
"$recorded_gain" after.wav "$ipvolume" --within 0.000001 ||
    fail "after the drag the output is not the input at ipvolume"

# MIDI thru: a looping sequence in, the plug-in's MIDI output dumped.
stdbuf -oL jack_midi_dump "$client-dump" >midi-dump.log 2>&1 &
pids+=($!)
jack_midiseq "$client-seq" 24000 0 60 8000 12000 63 8000 >midiseq.log 2>&1 &
pids+=($!)
wait_for 10 has_port "$client-dump:input" || fail "no MIDI dump"
wait_for 10 has_port "$client-seq:out" || fail "no MIDI sequence"
jack_connect "$client:midi_out" "$client-dump:input"
jack_connect "$client-seq:out" "$client:midi_in"
thru() {
    grep -q "90 3c 40" midi-dump.log && grep -q "80 3c 40" midi-dump.log &&
        grep -q "90 3f 40" midi-dump.log
}
wait_for 10 thru || fail "the MIDI sent in did not come out"

# The host closes the panel and the plug-in and ends cleanly.
kill -0 "$jalv_pid" 2>/dev/null || fail "jalv ended early"
kill "$jalv_pid"
jalv_gone() { ! kill -0 "$jalv_pid"; }
wait_for 10 jalv_gone || fail "jalv did not end when told to"
jalv_status=0
wait "$jalv_pid" || jalv_status=$?
[ "$jalv_status" -eq 0 ] || fail "jalv ended with status $jalv_status"
if grep -E "runtime error|AddressSanitizer|X Error" jalv.log >&2; then
    fail "the sanitizers or the X server reported errors in jalv"
fi
echo "real_host: panel, drag and MIDI thru checked in jalv in ${SECONDS} s"
