#!/bin/bash
# Whole-system benchmarks of Tumblix: runs every program on one private Xvfb, side by side,
# and writes the results table (bench/RESULTS.md when run by `make bench`).
#
#   bench/run_bench.sh BUILD WINBUILD OUTPUT
# BUILD is the native build folder, WINBUILD the Windows cross build. Settings, from the
# environment:
#   BENCH_SECONDS  seconds measured per run (12)      BENCH_RUNS    runs per program (5)
#   BENCH_WARMUP   seconds before measuring (3)       BENCH_HACKS   1: xscreensaver-gl rows (1)
#   BENCH_GROUPS   any of: desktop idle wine engine web (all of them)
#   BENCH_WEB      the browser page's folder (build-web beside BUILD's source, from make web)
#   BENCH_CACHE    where the xscreensaver-gl package is kept (BUILD/bench-cache)
#   BENCH_PREFIX   the Wine prefix (BUILD/tests/wine/wineprefix, made here when missing)
#   BENCH_SIM_PIECES  pieces the simulator plays (1000000)
#   BENCH_ENGINE_ARGS extra arguments of the engine benchmarks
#
# How a program is measured: it runs with bench's frame counter preloaded (LD_PRELOAD), which
# counts buffer swaps and glBegin calls; after the first frame and BENCH_WARMUP seconds the
# script reads the counts, the process's user+system CPU time (/proc/PID/stat, all threads),
# its main thread's voluntary context switches, its resident memory and the X server's CPU
# time, and reads them again BENCH_SECONDS later. Per frame = difference / frames between.
# Programs of a group take turns run by run (A B C, A B C, ...), so a change of load on the
# machine falls on all of them alike; every figure is the median of the runs, with min-max.
set -u

BUILD=$(cd "$1" && pwd) || exit 2
WINBUILD=$(cd "$2" && pwd) || exit 2
OUTPUT=$3
SOURCE=$(cd "$(dirname "$0")/.." && pwd)

SECONDS_PER_RUN=${BENCH_SECONDS:-12}
RUNS=${BENCH_RUNS:-5}
WARMUP=${BENCH_WARMUP:-3}
HACKS=${BENCH_HACKS:-1}
GROUPS_WANTED=${BENCH_GROUPS:-desktop idle wine engine web}
CACHE=${BENCH_CACHE:-$BUILD/bench-cache}
SIM_PIECES=${BENCH_SIM_PIECES:-1000000}
WEB=${BENCH_WEB:-$SOURCE/build-web}
ENGINE_ARGS=${BENCH_ENGINE_ARGS:-}

SCR=$WINBUILD/Tumblix.scr
FLOOR_EXE=$WINBUILD/bench/tumblix-floor.exe
PROBE=$WINBUILD/tests/wine/helper/tumblix_probe.exe
SHOT_CHECK=$BUILD/tests/wine/tumblix_shot_check
COUNTER=$BUILD/bench/libtumblix-frames.so
FLOOR=$BUILD/bench/tumblix-floor
HACK_DIR=$CACHE/xscreensaver-gl/usr/libexec/xscreensaver
HACK_NAMES="flipflop sierpinski3d razzledazzle"
WINDOW_SIZE="640 576"  # pixels: the size of `tumblix --window`
FIRST_FRAME_LIMIT=60   # seconds a program may take to show its first frame

# The Wine tests' environment: a private prefix, quiet Wine, a home of our own, tracked
# processes that are ended at exit, the Wine server told to end its processes at exit.
. "$SOURCE/tests/wine/wine_env.sh" "$SCR" "$PROBE" "$SHOT_CHECK" \
    "${BENCH_PREFIX:-$BUILD/tests/wine/wineprefix}"
require od awk getconf /usr/bin/time
for file in "$COUNTER" "$FLOOR" "$FLOOR_EXE" "$BUILD/tumblix"; do
    [ -f "$file" ] || fail_now "$file is missing: build first (make bench builds everything)"
done
TICK_HZ=$(getconf CLK_TCK)
DATA=$TEST_TMP/runs.txt  # one line per measured run, see measure
: >"$DATA"

now_ns() { date +%s%N; }

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

# measure GROUP LABEL RUN COMMAND...: runs COMMAND with the frame counter, measures it, and
# appends one line to $DATA:
#   group label run fps cpu_ms x_ms wine_ms switches polys startup_ms hwm_kb growth_kb
# A program that shows no frame, or ends early, fails the whole benchmark. MEASURE_CPU names
# the function that reads the CPU ticks (cpu_ticks, or descendant_ticks for a browser).
measure() {
    local group=$1 label=$2 run=$3 base launched launcher file pid startup_ms hwm
    local frames0 begins0 t0 cpu0 x0 wine0 switches0 rss0
    local frames1 begins1 t1 cpu1 x1 wine1 switches1 rss1
    shift 3
    base=$TEST_TMP/frames-$group-$run-$(echo "$label" | tr -c 'A-Za-z0-9\n' '_')
    launched=$(now_ns)
    TUMBLIX_FRAMES=$base LD_PRELOAD=$COUNTER "$@" >"$base.out" 2>&1 &
    launcher=$!
    track "$launcher"
    file=""
    for _ in $(seq $((FIRST_FRAME_LIMIT * 20))); do
        file=$(counter_file "$base")
        [ -n "$file" ] && break
        alive "$launcher" || break
        sleep 0.05
    done
    [ -n "$file" ] || { cat "$base.out"; fail_now "$label showed no frame"; }
    pid=${file##*.}
    set -- $(read_counts "$file")
    startup_ms=$((($3 - launched) / 1000000))
    sleep "$WARMUP"
    alive "$pid" || { cat "$base.out"; fail_now "$label ended during the warm-up"; }
    set -- $(read_counts "$file")
    frames0=$1 begins0=$2
    t0=$(now_ns)
    cpu0=$(${MEASURE_CPU:-cpu_ticks} "$pid") x0=$(cpu_ticks "$XVFB_PID") wine0=$(wine_helper_ticks "$pid")
    switches0=$(main_switches "$pid") rss0=$(status_field "$pid" VmRSS)
    sleep "$SECONDS_PER_RUN"
    set -- $(read_counts "$file")
    frames1=$1 begins1=$2
    t1=$(now_ns)
    cpu1=$(${MEASURE_CPU:-cpu_ticks} "$pid") x1=$(cpu_ticks "$XVFB_PID") wine1=$(wine_helper_ticks "$pid")
    switches1=$(main_switches "$pid") rss1=$(status_field "$pid" VmRSS)
    hwm=$(status_field "$pid" VmHWM)
    [ -n "$cpu1" ] && [ -n "$hwm" ] || { cat "$base.out"; fail_now "$label ended while measured"; }
    kill "$launcher" 2>/dev/null
    wait "$launcher" 2>/dev/null
    untrack "$launcher"
    [ "$frames1" -gt "$frames0" ] || fail_now "$label showed no frame while measured"
    awk -v g="$group" -v l="$label" -v r="$run" -v f="$((frames1 - frames0))" \
        -v b="$((begins1 - begins0))" -v ns="$((t1 - t0))" -v hz="$TICK_HZ" \
        -v cpu="$((cpu1 - cpu0))" -v x="$((x1 - x0))" -v w="$((wine1 - wine0))" \
        -v s="$((switches1 - switches0))" -v up="$startup_ms" -v hwm="$hwm" \
        -v grow="$((rss1 - rss0))" 'BEGIN {
        ms = 1000 / hz
        printf "%s\t%s\t%s\t%.2f\t%.4f\t%.4f\t%.4f\t%.3f\t%.1f\t%d\t%d\t%d\n", g, l, r,
               f / (ns / 1e9), cpu * ms / f, x * ms / f, w * ms / f, s / f, b / f, up, hwm, grow
    }' >>"$DATA"
    tail -n 1 "$DATA" | awk -F'\t' '{ printf "  %-34s run %s: %6.1f frames/s, %.3f ms CPU/frame, %.1f polygons/frame\n", $2, $3, $4, $5, $9 }'
}

# The polygons per frame of the last run of LABEL, rounded: the floor draws as many.
last_polygons() { awk -F'\t' -v l="$1" '$2 == l { p = $9 } END { printf "%d", p + 0.5 }' "$DATA"; }

# summary LABEL COLUMN [DIGITS]: "median (min-max)" of one column over the runs of LABEL.
summary() {
    awk -F'\t' -v l="$1" -v c="$2" -v d="${3:-2}" '$2 == l { v[n++] = $c }
        END {
            if (n == 0) { printf "n/a"; exit }
            for (i = 0; i < n; i++) for (j = i + 1; j < n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            m = n % 2 ? v[(n - 1) / 2] : (v[n / 2 - 1] + v[n / 2]) / 2
            if (n == 1) printf "%.*f", d, m
            else printf "%.*f (%.*f-%.*f)", d, m, d, v[0], d, v[n - 1]
        }' "$DATA"
}

# ratio A B [WITH_WINE]: "median (min-max)" of the run-by-run ratio of CPU per frame, A over
# B (runs paired by number); WITH_WINE 1 adds the Wine processes' CPU to A's.
ratio() {
    awk -F'\t' -v a="$1" -v b="$2" -v w="${3:-0}" '$2 == a { x[$3] = $5 + (w ? $7 : 0) } $2 == b { y[$3] = $5 }
        END {
            for (r in x) if (r in y && y[r] > 0) v[n++] = x[r] / y[r]
            if (n == 0) { printf "n/a"; exit }
            for (i = 0; i < n; i++) for (j = i + 1; j < n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            m = n % 2 ? v[(n - 1) / 2] : (v[n / 2 - 1] + v[n / 2]) / 2
            if (n == 1) printf "%.3f", m; else printf "%.3f (%.3f-%.3f)", m, v[0], v[n - 1]
        }' "$DATA"
}

wants() { case " $GROUPS_WANTED " in *" $1 "*) return 0 ;; esac; return 1; }

# The three hacks, taken from Debian's xscreensaver-gl package without installing it: only
# their three programs are unpacked from the downloaded package, nothing else of it.
fetch_hacks() {
    all_there=1
    for hack in $HACK_NAMES; do [ -x "$HACK_DIR/$hack" ] || all_there=0; done
    if [ "$all_there" = 0 ]; then
        mkdir -p "$CACHE/xscreensaver-gl"
        package=$(ls "$CACHE"/xscreensaver-gl_*.deb 2>/dev/null | head -n 1)
        if [ -z "$package" ]; then
            echo "Downloading xscreensaver-gl (not installed; three of its programs are unpacked)"
            (cd "$CACHE" && apt-get download xscreensaver-gl >download.log 2>&1) ||
                { cat "$CACHE/download.log"; fail_now "cannot download xscreensaver-gl"; }
            package=$(ls "$CACHE"/xscreensaver-gl_*.deb | head -n 1)
        fi
        members=""
        for hack in $HACK_NAMES; do members="$members ./usr/libexec/xscreensaver/$hack"; done
        dpkg-deb --fsys-tarfile "$package" | tar -x -C "$CACHE/xscreensaver-gl" $members ||
            fail_now "cannot unpack the hacks from $package"
    fi
    for hack in $HACK_NAMES; do
        missing=$(ldd "$HACK_DIR/$hack" | awk '/not found/ { print $1 }')
        [ -z "$missing" ] || fail_now "$hack needs $missing (make bench installs the libraries)"
    done
}

# ---- the measurements ----

start_xvfb 1024x768
LOAD_START=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Benchmarks on Xvfb $DISPLAY: $RUNS run(s) of $SECONDS_PER_RUN s after $WARMUP s, per program"

TUMBLIX_WINDOW="$BUILD/tumblix --window"
TUMBLIX_FULL="$BUILD/tumblix --fullscreen"

if wants desktop; then
    if [ "$HACKS" = 1 ]; then
        fetch_hacks
    else
        echo "desktop: the xscreensaver-gl hacks are left out (BENCH_HACKS=$HACKS): they need a downloaded package"
    fi
    for run in $(seq "$RUNS"); do
        measure desktop tumblix "$run" $TUMBLIX_WINDOW
        cells=$(last_polygons tumblix)
        measure desktop floor-matched "$run" "$FLOOR" $WINDOW_SIZE "$cells"
        measure desktop floor-200 "$run" "$FLOOR" $WINDOW_SIZE 200
        if [ "$HACKS" = 1 ]; then
            for hack in $HACK_NAMES; do
                measure desktop "$hack" "$run" "$HACK_DIR/$hack" -geometry 640x576
            done
        fi
    done
fi

if wants idle; then
    # The rasterizer's own threads hand work to the main thread every frame; with them off
    # the main thread's switches are its own sleeps and its waits for the X server.
    for run in $(seq "$RUNS"); do
        LP_NUM_THREADS=0 measure idle tumblix-1thread "$run" $TUMBLIX_WINDOW
        cells=$(last_polygons tumblix-1thread)
        LP_NUM_THREADS=0 measure idle floor-1thread "$run" "$FLOOR" $WINDOW_SIZE "$cells"
    done
fi

if wants wine; then
    # A running Wine server with its services, as on a Windows machine where a saver starts
    # long after the system: start-up then measures the saver, not Wine's own start.
    if [ ! -f "$WINEPREFIX/.tumblix-ready" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        bash "$SOURCE/tests/wine/prefix.sh" "$SCR" "$PROBE" "$SHOT_CHECK" "$WINEPREFIX" >/dev/null ||
            fail_now "cannot make the Wine prefix"
    fi
    wineserver -p
    warm_wine
    for run in $(seq "$RUNS"); do
        measure wine scr "$run" wine "$SCR" /s
        cells=$(last_polygons scr)
        measure wine floor-exe "$run" wine "$FLOOR_EXE" 0 0 "$cells"
        measure wine tumblix-full "$run" $TUMBLIX_FULL
        measure wine floor-full "$run" "$FLOOR" 0 0 "$cells"
    done
fi

if wants web; then
    # The frame counter is not preloaded into the browser: the page counts its own frames.
    require node pgrep
    [ -f "$WEB/tumblix.wasm" ] || fail_now "$WEB/tumblix.wasm is missing: make web first"
    for run in $(seq "$RUNS"); do
        measure web tumblix-native "$run" $TUMBLIX_WINDOW
        MEASURE_CPU=descendant_ticks measure web page "$run" \
            env -u LD_PRELOAD node "$SOURCE/bench/web_page.js" "$WEB" $WINDOW_SIZE
    done
fi

ENGINE_CSV=$TEST_TMP/engine.csv
SIM_TIME=$TEST_TMP/sim.txt
if wants engine; then
    echo "Engine benchmarks (5 repetitions)"
    "$BUILD/bench/tumblix-bench" --benchmark_repetitions=5 --benchmark_format=csv \
        $ENGINE_ARGS >"$ENGINE_CSV" 2>"$TEST_TMP/engine.err" ||
        { cat "$TEST_TMP/engine.err"; fail_now "the engine benchmarks failed"; }
    echo "Simulator: $SIM_PIECES pieces"
    /usr/bin/time -f '%e %U %S %M' -o "$SIM_TIME" \
        "$BUILD/tools/tumblix-sim" --seed 1 --pieces "$SIM_PIECES" --quiet >"$TEST_TMP/sim.out" ||
        { cat "$TEST_TMP/sim.out"; fail_now "the simulator failed"; }
fi
LOAD_END=$(cut -d' ' -f1-3 /proc/loadavg)

# ---- the table ----

# Paths as seen from the source folder, so the commands read as typed there.
shown() { case "$1" in "$SOURCE"/*) echo "${1#"$SOURCE"/}" ;; *) echo "$1" ;; esac; }
B=$(shown "$BUILD")
W=$(shown "$WINBUILD")
HACKS_SHOWN=$(shown "$HACK_DIR")

# row LABEL NAME COMMAND: one line of a frame table.
row() {
    echo "| $2 | $(summary "$1" 4 1) | $(summary "$1" 5 3) | $(summary "$1" 9 1) | $(summary "$1" 6 3) | \`$3\` |"
}
frame_header() {
    echo "| Program | Frames/s | CPU ms/frame | Polygons/frame | X server ms/frame | Command |"
    echo "|---|---:|---:|---:|---:|---|"
}
median_of() { summary "$1" "$2" "${3:-3}" | cut -d' ' -f1; }

# verdict VALUE GOAL: "met" when VALUE <= GOAL.
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v != "n/a" && v <= g) ? "met" : "not met" }'; }

write_results() {
    cpu_model=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
    mhz=$(awk -F': ' '/^cpu MHz/ { printf "%.0f", $2; exit }' /proc/cpuinfo)
    mesa=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null)
    cat <<HEAD
# Benchmark results

Written by \`make bench\` (bench/run_bench.sh) on $(date -u '+%Y-%m-%d %H:%M UTC').

- Machine: \`nproc\` $(nproc), CPU "$cpu_model" ($mhz MHz), $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r).
- Graphics: a private \`Xvfb -screen 0 1024x768x24 -noreset\`, Mesa $mesa llvmpipe (\`LIBGL_ALWAYS_SOFTWARE=1\`); $(wine --version 2>/dev/null).
- Load average (1, 5, 15 min) at the start: $LOAD_START; at the end: $LOAD_END. Other builds and
  tests may share the machine, so CPU time per frame is the figure to read, not wall time.
- Each program: $RUNS run(s) of $SECONDS_PER_RUN s, measured from $WARMUP s after its first frame; the programs of
  a table take turns run by run. Figures are the median of the runs, min-max in brackets.
- Frames and polygons are counted from outside by bench/frame_counter.cpp (\`LD_PRELOAD\`: buffer
  swaps and \`glBegin\` calls); CPU is the process's user+system time from /proc/PID/stat (all its
  threads), divided by the frames shown in the same interval. "X server" is the Xvfb's CPU time
  per frame of the program.

Every program row runs its command as
\`LIBGL_ALWAYS_SOFTWARE=1 LD_PRELOAD=$B/bench/libtumblix-frames.so TUMBLIX_FRAMES=/tmp/frames DISPLAY=:N COMMAND\`
on that Xvfb (the Wine rows with \`WINEPREFIX=$(shown "$WINEPREFIX") WINEDEBUG=-all\`, the Wine server
already running). The whole table: \`make bench\`; one part of it, for example the Wine rows:
\`BENCH_GROUPS=wine bash bench/run_bench.sh $B $W /tmp/results.md\` (BENCH_GROUPS: desktop idle wine engine web;
BENCH_SECONDS, BENCH_RUNS as above).

HEAD
    if wants desktop; then
        n=$(median_of tumblix 9 0)
        cat <<TEXT
## 1. Drawing cost: tumblix against the floor program (640x576 window)

The floor program (bench/floor_x11.cpp) draws the same frame (clear, push, rotate about (1,1,1),
shaded four-vertex polygons each in its own begin/end, pop, swap) on the same two timers, with no
game and no host. The saver draws only the occupied cells, about $n a frame here, so the floor is
run twice: with the polygon count the saver drew in the run just before it, and with all 200.

TEXT
        frame_header
        row tumblix "tumblix --window" "$B/tumblix --window"
        row floor-matched "floor, the saver's polygon count" "$B/bench/tumblix-floor 640 576 N"
        row floor-200 "floor, 200 polygons" "$B/bench/tumblix-floor 640 576 200"
        same=$(ratio tumblix floor-matched)
        echo
        echo "- CPU per frame, tumblix / floor at the same polygon count: **$same** (run by run); goal at most 1.05: $(verdict "${same%% *}" 1.05)."
        echo "- tumblix / floor with 200 polygons: $(ratio tumblix floor-200)."
        echo "- Where the time goes: bench/README.md (instruction counts and system calls of both)."
        echo
        cat <<TEXT
## 2. OpenGL hacks of Debian's xscreensaver-gl, beside tumblix (640x576 window, default settings)

TEXT
        if [ "$HACKS" = 1 ]; then
            frame_header
            row tumblix "tumblix --window" "$B/tumblix --window"
            for hack in $HACK_NAMES; do
                row "$hack" "$hack" "$HACKS_SHOWN/$hack -geometry 640x576"
            done
            ours=$(median_of tumblix 5)
            lower=yes
            for hack in $HACK_NAMES; do
                awk -v a="$ours" -v b="$(median_of "$hack" 5)" 'BEGIN { exit !(a < b) }' || lower=no
            done
            echo
            echo "- tumblix uses less CPU per frame than each of them: $lower."
            echo "- The hacks are the three programs unpacked from the downloaded package (never installed) by"
            echo "  bench/run_bench.sh into $(shown "$CACHE"). Polygons/frame counts \`glBegin\` calls: a program that"
            echo "  also draws with vertex arrays or display lists shows fewer, or none."
        else
            echo "Not measured in this run (BENCH_HACKS=$HACKS)."
        fi
        echo
    fi
    if wants idle; then
        cat <<TEXT
## 3. Idle behaviour: voluntary context switches of the main thread per frame

The loop sleeps until the next timer deadline (both timers fall due together every 40 ms, so
three frames need two sleeps). Each buffer swap adds a wait for the X server, and with
llvmpipe's default threads the main thread also waits for its rasterizer threads every frame.

| Program | Switches/frame, llvmpipe threads | Switches/frame, LP_NUM_THREADS=0 | CPU ms/frame, LP_NUM_THREADS=0 | Command |
|---|---:|---:|---:|---|
| tumblix --window | $(summary tumblix 8) | $(summary tumblix-1thread 8) | $(summary tumblix-1thread 5 3) | \`[LP_NUM_THREADS=0] $B/tumblix --window\` |
| floor, same polygon count | $(summary floor-matched 8) | $(summary floor-1thread 8) | $(summary floor-1thread 5 3) | \`[LP_NUM_THREADS=0] $B/bench/tumblix-floor 640 576 N\` |

- tumblix's loop sleeps between frames as the floor's does: $(median_of tumblix-1thread 8 2) against $(median_of floor-1thread 8 2) voluntary
  switches per frame with one rasterizer thread. A loop that polled would switch less and use more CPU per frame.

TEXT
    fi
    if wants wine; then
        cat <<TEXT
## 4. Wine: Tumblix.scr /s against the native program (full screen, 1024x768)

"Wine's processes" is the CPU time of the prefix's other processes (the Wine server, explorer,
services) in the same interval, per frame of the program measured.

| Program | Frames/s | CPU ms/frame | + Wine's processes, ms/frame | Polygons/frame | X server ms/frame | Command |
|---|---:|---:|---:|---:|---:|---|
| Tumblix.scr /s under Wine | $(summary scr 4 1) | $(summary scr 5 3) | $(summary scr 7 3) | $(summary scr 9 1) | $(summary scr 6 3) | \`wine $W/Tumblix.scr /s\` |
| tumblix --fullscreen, native | $(summary tumblix-full 4 1) | $(summary tumblix-full 5 3) | - | $(summary tumblix-full 9 1) | $(summary tumblix-full 6 3) | \`$B/tumblix --fullscreen\` |
| floor for Windows under Wine | $(summary floor-exe 4 1) | $(summary floor-exe 5 3) | $(summary floor-exe 7 3) | $(summary floor-exe 9 1) | $(summary floor-exe 6 3) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |
| floor, native, full screen | $(summary floor-full 4 1) | $(summary floor-full 5 3) | - | $(summary floor-full 9 1) | $(summary floor-full 6 3) | \`$B/bench/tumblix-floor 0 0 N\` |

N: the polygons per frame that Tumblix.scr drew in the run just before.

- CPU per frame, Tumblix.scr under Wine / tumblix native: **$(ratio scr tumblix-full)** (run by run); with
  Wine's processes added to the saver's: $(ratio scr tumblix-full 1). The two play different games, so
  their polygon counts differ run by run; the floor programs draw what Tumblix.scr drew.
- The same for the floor program, Wine / native: $(ratio floor-exe floor-full); Tumblix.scr / the floor under Wine: $(ratio scr floor-exe).

TEXT
    fi
    if wants desktop || wants wine; then
        cat <<TEXT
## 5. Start-up: from exec to the first frame swapped

Wall time from the launch to the frame counter's first swap, over the runs above. The first frame
comes with the first timer tick, 20 ms after the window is made. The tests ask only that a first
frame comes; how soon it comes is measured here.

| Program | Milliseconds | Command |
|---|---:|---|
TEXT
        wants desktop && echo "| tumblix --window | $(summary tumblix 10 0) | \`$B/tumblix --window\` |"
        wants desktop && echo "| floor | $(summary floor-200 10 0) | \`$B/bench/tumblix-floor 640 576 200\` |"
        if wants wine; then
            echo "| tumblix --fullscreen | $(summary tumblix-full 10 0) | \`$B/tumblix --fullscreen\` |"
            echo "| Tumblix.scr /s under Wine (server running) | $(summary scr 10 0) | \`wine $W/Tumblix.scr /s\` |"
            echo "| floor for Windows under Wine (server running) | $(summary floor-exe 10 0) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |"
        fi
        echo
    fi
    if wants engine; then
        cat <<TEXT
## 6. Engine

Google Benchmark, \`$B/bench/tumblix-bench --benchmark_repetitions=5${ENGINE_ARGS:+ $ENGINE_ARGS}\` (see bench/README.md for
what one iteration is): CPU time per iteration, median of 5 repetitions (min-max).

| Benchmark | CPU ns |
|---|---:|
TEXT
        awk -F, 'NR > 1 {
            name = $1; gsub(/"/, "", name); label = $8; gsub(/"/, "", label)
            base = name; sub(/_(mean|median|stddev|cv)$/, "", base); sub(/^BM_/, "", base); sub(/\/[0-9]+$/, "", base)
            key = base (label != "" ? " " label : "")
            if (!(key in seen)) { seen[key] = 1; order[n++] = key }
            if (name ~ /_median$/) median[key] = $4
            else if (name !~ /_(mean|stddev|cv)$/) {
                if (!(key in low) || $4 < low[key]) low[key] = $4
                if (!(key in high) || $4 > high[key]) high[key] = $4
            }
        }
        END { for (i = 0; i < n; i++) { k = order[i]; printf "| %s | %.1f (%.1f-%.1f) |\n", k, median[k], low[k], high[k] } }' "$ENGINE_CSV"
        read -r wall user sys rss <"$SIM_TIME"
        echo
        awk -v n="$SIM_PIECES" -v w="$wall" -v u="$user" -v s="$sys" -v b="$B" 'BEGIN {
            printf "Simulator: `/usr/bin/time -v %s/tools/tumblix-sim --seed 1 --pieces %d --quiet`: %.1f s wall, %.1f s CPU;\n", b, n, w, u + s
            printf "**%.0f pieces per second** of wall time, %.0f per CPU second.\n\n", n / w, n / (u + s)
        }'
    fi
    cat <<TEXT
## 7. Memory

Peak resident memory (VmHWM) at the end of each run; growth is VmRSS at the end of the measured
interval minus VmRSS at its start. Any llvmpipe program holds about the same memory, so compare
with the floor program and judge by growth.

| Program | Peak RSS, kB | Growth while measured, kB | Command |
|---|---:|---:|---|
TEXT
    wants desktop && echo "| tumblix --window | $(summary tumblix 11 0) | $(summary tumblix 12 0) | \`$B/tumblix --window\` |"
    wants desktop && echo "| floor | $(summary floor-200 11 0) | $(summary floor-200 12 0) | \`$B/bench/tumblix-floor 640 576 200\` |"
    if wants wine; then
        echo "| tumblix --fullscreen | $(summary tumblix-full 11 0) | $(summary tumblix-full 12 0) | \`$B/tumblix --fullscreen\` |"
        echo "| Tumblix.scr /s under Wine | $(summary scr 11 0) | $(summary scr 12 0) | \`wine $W/Tumblix.scr /s\` |"
        echo "| floor for Windows under Wine | $(summary floor-exe 11 0) | $(summary floor-exe 12 0) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |"
    fi
    wants engine && echo "| tumblix-sim | $(cut -d' ' -f4 "$SIM_TIME") | - | \`/usr/bin/time -v $B/tools/tumblix-sim --seed 1 --pieces $SIM_PIECES --quiet\` |"
    echo
    if wants wine; then
        echo "Under Wine, growth while measured is Wine settling in, for the floor program too (bench/README.md)."
        echo
    fi
    echo "Tumblix.scr: $(wc -c <"$SCR") bytes (\`make windows\`, \`$W/Tumblix.scr\`)."
    if wants web; then
        echo
        cat <<TEXT
## 8. The page in headless Chromium beside the native program (640x576)

The page that \`make web\` builds ($(shown "$WEB")) served on the loopback address and shown at 640x576
in Debian's headless Chromium, which draws its WebGL with SwiftShader on the CPU, as Mesa's
llvmpipe draws the native program's OpenGL. Frames are the page's own count of buffer swaps,
read every 100 ms; CPU is every Chromium process together (browser, renderer, GPU and helpers).

| Program | Frames/s | CPU ms/frame | Command |
|---|---:|---:|---|
| tumblix --window | $(summary tumblix-native 4 1) | $(summary tumblix-native 5 3) | \`$B/tumblix --window\` |
| the page in headless Chromium | $(summary page 4 1) | $(summary page 5 3) | \`node bench/web_page.js $(shown "$WEB") 640 576\` |

- CPU per frame, the page / the native program: **$(ratio page tumblix-native)** (run by run).
TEXT
    fi
}

write_results >"$OUTPUT.tmp" && mv "$OUTPUT.tmp" "$OUTPUT" || fail_now "cannot write $OUTPUT"
echo "Wrote $OUTPUT"
