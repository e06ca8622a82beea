# The "unseen" group of bench/run_bench.sh (sourced from there, after measure.sh): the CPU a
# saver takes while no one can see it, against the same run while it is seen, on each host
# that can show it here. Each run: the program starts with the frame counter, is measured
# for SECONDS_PER_RUN seen, is then hidden and, UNSEEN_SETTLE seconds later, measured as long
# again. Figures per run: CPU ms per second and frames per second, seen and unseen.
UNSEEN_SETTLE=1  # seconds for a host to notice (Wayland: 0.2 s without a frame callback)

# over PID FILE: "CPU ms per second, frames per second" of PID over SECONDS_PER_RUN.
over() {
    local ticks frames started
    ticks=$(${MEASURE_CPU:-cpu_ticks} "$1") frames=$(od -An -t d8 -N8 "$2" | tr -d ' ')
    started=$(date +%s%N)
    sleep "$SECONDS_PER_RUN"
    awk -v t="$(($(${MEASURE_CPU:-cpu_ticks} "$1") - ticks))" -v hz="$TICK_HZ" \
        -v f="$(($(od -An -t d8 -N8 "$2" | tr -d ' ') - frames))" \
        -v s="$((($(date +%s%N) - started) / 1000))" 'BEGIN { printf "%.2f %.2f", t * 1e9 / hz / s, f * 1e6 / s }'
}

# measure_unseen PROGRAM RUN HIDE COMMAND...: HIDE is a command given the PID that drew.
measure_unseen() {
    local label=$1 run=$2 hide=$3 base launcher file pid
    local -a seen unseen
    shift 3
    base=$TEST_TMP/unseen-$run-$label
    launch_counted "$base" "$label" "$@"
    pid=${file##*.}
    sleep "$WARMUP"
    seen=($(over "$pid" "$file"))
    $hide "$pid"
    sleep "$UNSEEN_SETTLE"
    unseen=($(over "$pid" "$file"))
    alive "$pid" || { cat "$base.out"; fail_now "$label ended while measured"; }
    kill "$launcher" 2>/dev/null
    wait "$launcher" 2>/dev/null
    untrack "$launcher"
    figure unseen "$label" "$run" seen_cpu_ms_s "${seen[0]}" "$(shown "$@")"
    figure unseen "$label" "$run" seen_fps "${seen[1]}" "$(shown "$@")"
    figure unseen "$label" "$run" unseen_cpu_ms_s "${unseen[0]}" "$(shown "$@")"
    figure unseen "$label" "$run" unseen_fps "${unseen[1]}" "$(shown "$@")"
    printf '  %-34s run %s: seen %s ms CPU/s at %s frames/s, unseen %s ms CPU/s at %s frames/s\n' \
        "$label" "$run" "${seen[@]}" "${unseen[@]}"
}

# The ways of hiding, one per host.
cover_window() {
    "$BUILD/tests/x11/x11-probe" hold 0 0 1024 768 >/dev/null &
    UNSEEN_COVER=$!
    track "$UNSEEN_COVER"
}
other_workspace() { swaymsg workspace 2 >/dev/null; }
# sway's headless outputs can be neither powered off nor disabled: an output shown once in
# 100 s stands in, and stays so, so each run has a sway of its own.
output_off() { swaymsg -- output HEADLESS-1 mode --custom 640x576@0.01Hz >/dev/null; }
hide_page() { kill -USR2 "$1"; }  # web_page.js hides its document

bench_unseen() {
    local run outer=$TEST_TMP x_display=$DISPLAY x_server=$XVFB_PID
    for run in $(seq "$RUNS"); do
        measure_unseen x11-covered "$run" cover_window $TUMBLIX_WINDOW
        kill "$UNSEEN_COVER"
        if [ -f "$WEB/tumblix.wasm" ]; then
            MEASURE_CPU=descendant_ticks measure_unseen page-hidden "$run" hide_page \
                env -u LD_PRELOAD node "$SOURCE/bench/web_page.js" "$WEB" $WINDOW_SIZE
        fi
    done
    # Each run a sway of its own, its runtime folder in a folder of its own; then the X display.
    . "$SOURCE/tests/wayland/compositor.sh"
    OUTPUT_H=576
    chmod 711 "$outer"
    for run in $(seq "$RUNS"); do
        TEST_TMP=$outer/unseen-sway-$run
        mkdir "$TEST_TMP"
        start_sway
        TEST_TMP=$outer
        measure_unseen sway-workspace "$run" other_workspace "$BUILD/tumblix-wayland" --window
        measure_unseen sway-output "$run" output_off "$BUILD/tumblix-wayland" --fullscreen
        kill "$COMPOSITOR"
        wait "$COMPOSITOR" 2>/dev/null
        untrack "$COMPOSITOR"
    done
    XVFB_PID=$x_server DISPLAY=$x_display
    unset WAYLAND_DISPLAY
    export DISPLAY
}
