# How bench/run_bench.sh measures one program. Sourced from there: it uses that script's
# COUNTER, FIGURES, WARMUP, SECONDS_PER_RUN, FIRST_FRAME_LIMIT, TICK_HZ and `shown`, and the
# harness's TEST_TMP, XVFB_PID and tracked processes.
#
# The program runs with bench's frame counter preloaded (LD_PRELOAD), which counts buffer
# swaps and glBegin calls; after the first frame and WARMUP seconds `measure` reads the counts,
# the process's user+system CPU time (/proc/PID/stat, all threads), its main thread's
# voluntary context switches, its resident memory and the X server's CPU time, and reads them
# again SECONDS_PER_RUN later. Per frame = difference / frames between.

# User+system CPU time of a process in clock ticks (fields 14 and 15 of /proc/PID/stat,
# counted after the command name, which may hold blanks).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }'; }

status_field() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status" 2>/dev/null; }

# CPU ticks of every descendant of a process, not of the process itself: the processes of a
# browser (browser, renderer, GPU, helpers) under the program that drives it.
descendant_ticks() {
    local total=0 pid ticks
    local -a queue=($(pgrep -P "$1"))
    while [ ${#queue[@]} -gt 0 ]; do
        pid=${queue[0]}
        queue=("${queue[@]:1}" $(pgrep -P "$pid"))
        ticks=$(cpu_ticks "$pid")
        [ -n "$ticks" ] && total=$((total + ticks))
    done
    echo "$total"
}

# Voluntary context switches of the main thread: the thread that runs the loop and sleeps.
main_switches() { awk '$1 == "voluntary_ctxt_switches:" { print $2 }' "/proc/$1/task/$1/status"; }

# CPU ticks of the Wine prefix's own processes (the Wine server, explorer, services) other
# than $1, found by their WINEPREFIX.
wine_helper_ticks() {
    local total=0 dir pid ticks
    for dir in /proc/[0-9]*; do
        pid=${dir#/proc/}
        [ "$pid" = "$1" ] && continue
        { tr '\0' '\n' <"$dir/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        ticks=$(cpu_ticks "$pid")
        [ -n "$ticks" ] && total=$((total + ticks))
    done
    echo "$total"
}

# The frame counter's file of the process that drew (the launched one, or a child of it),
# once the first frame is in it: the file is made, sized and then written at that frame.
counter_file() {
    local file
    for file in "$1".*; do
        [ "$(od -An -t d8 -N8 "$file" 2>/dev/null | tr -d ' ')" -gt 0 ] 2>/dev/null && echo "$file"
    done | head -n 1
}
read_counts() { od -An -t d8 -w40 "$1"; }  # swaps begins first_ns last_ns pid

# first_frame BASE LAUNCHER LABEL: the counter file, once the launched program (or a child)
# has shown its first frame; fails the whole benchmark when none comes.
first_frame() {
    local file=""
    for _ in $(seq $((FIRST_FRAME_LIMIT * 20))); do
        file=$(counter_file "$1")
        [ -n "$file" ] && break
        alive "$2" || break
        sleep 0.05
    done
    [ -n "$file" ] || { cat "$1.out" >&2; fail_now "$3 showed no frame" >&2; }
    echo "$file"
}

# launch_counted BASE LABEL COMMAND...: starts COMMAND with the frame counter writing BASE.<pid>
# (its output in BASE.out); sets `launcher`, and `file` once it has shown its first frame.
launch_counted() {
    local base=$1 label=$2
    shift 2
    TUMBLIX_FRAMES=$base LD_PRELOAD=$COUNTER "$@" >"$base.out" 2>&1 &
    launcher=$!
    track "$launcher"
    file=$(first_frame "$base" "$launcher" "$label") || exit 1
}

# state FILE PID: what is read at both ends of the measured interval, in this order: frames
# and glBegin calls so far, the time (ns), the program's CPU ticks, the X server's, the Wine
# processes', its main thread's voluntary switches and its resident memory (kB).
# MEASURE_CPU names the function that reads the program's CPU ticks (cpu_ticks, or
# descendant_ticks for a browser).
state() {
    set -- "$2" $(read_counts "$1")
    echo "$2 $3 $(date +%s%N) $(${MEASURE_CPU:-cpu_ticks} "$1") $(cpu_ticks "$XVFB_PID")" \
        "$(wine_helper_ticks "$1") $(main_switches "$1") $(status_field "$1" VmRSS)"
}

# measure GROUP PROGRAM RUN COMMAND...: runs COMMAND with the frame counter, measures it, and
# adds its figures: fps, cpu_ms, x_ms, wine_ms and switches (per frame), polygons (per
# frame), startup_ms, peak_kb and growth_kb. A program that shows no frame, or ends early,
# fails the whole benchmark.
measure() {
    local group=$1 label=$2 run=$3 command base launched launcher file pid startup_ms hwm i
    local -a before after change
    shift 3
    command=$(shown "$@")
    base=$TEST_TMP/frames-$group-$run-$(echo "$label" | tr -c 'A-Za-z0-9\n' '_')
    launched=$(date +%s%N)
    launch_counted "$base" "$label" "$@"
    pid=${file##*.}
    set -- $(read_counts "$file")
    startup_ms=$((($3 - launched) / 1000000))
    sleep "$WARMUP"
    alive "$pid" || { cat "$base.out"; fail_now "$label ended during the warm-up"; }
    before=($(state "$file" "$pid"))
    sleep "$SECONDS_PER_RUN"
    after=($(state "$file" "$pid"))
    hwm=$(status_field "$pid" VmHWM)
    [ ${#after[@]} = 8 ] && [ -n "$hwm" ] || { cat "$base.out"; fail_now "$label ended while measured"; }
    kill "$launcher" 2>/dev/null
    wait "$launcher" 2>/dev/null
    untrack "$launcher"
    for i in 0 1 2 3 4 5 6 7; do change[i]=$((after[i] - before[i])); done
    [ "${change[0]}" -gt 0 ] || fail_now "$label showed no frame while measured"
    awk -v g="$group" -v l="$label" -v r="$run" -v c="$command" -v out="$FIGURES" -v hz="$TICK_HZ" \
        -v change="${change[*]}" -v up="$startup_ms" -v hwm="$hwm" '
        function put(metric, format, value) {
            printf "%s\t%s\t%s\t%s\t" format "\t%s\n", g, l, r, metric, value, c >>out
        }
        BEGIN {
            split(change, d)
            f = d[1]; ms = 1000 / hz
            put("fps", "%.2f", f / (d[3] / 1e9)); put("cpu_ms", "%.4f", d[4] * ms / f)
            put("x_ms", "%.4f", d[5] * ms / f); put("wine_ms", "%.4f", d[6] * ms / f)
            put("switches", "%.3f", d[7] / f); put("polygons", "%.1f", d[2] / f)
            put("startup_ms", "%d", up); put("peak_kb", "%d", hwm); put("growth_kb", "%d", d[8])
            printf "  %-34s run %s: %6.1f frames/s, %.3f ms CPU/frame, %.1f polygons/frame\n",
                l, r, f / (d[3] / 1e9), d[4] * ms / f, d[2] / f
        }'
}
