#!/bin/bash
# Whole-system benchmarks of Tumblix: runs every program on one private Xvfb, side by side,
# and writes the raw figures; bench/report.sh turns them into the results table
# (`make bench` runs both and writes bench/RESULTS.md).
#
#   bench/run_bench.sh BUILD WINBUILD FIGURES
# BUILD is the native build folder, WINBUILD the Windows cross build. Settings, from the
# environment:
#   BENCH_SECONDS  seconds measured per run (12)      BENCH_RUNS    runs per program (5)
#   BENCH_WARMUP   seconds before measuring (3)       BENCH_HACKS   1: xscreensaver-gl rows (1)
#   BENCH_GROUPS   any of: desktop idle wine engine web wayland (all of them)
#   BENCH_WEB      the browser page's folder (build-web beside BUILD's source, from make web)
#   BENCH_CACHE    where the xscreensaver-gl package is kept (BUILD/bench-cache)
#   BENCH_PREFIX   the Wine prefix (BUILD/bench/wineprefix, made here when missing)
#   BENCH_SIM_PIECES  pieces the simulator plays (1000000)
#   BENCH_ENGINE_ARGS extra arguments of the engine benchmarks
#
# FIGURES is tab-separated, one row per figure: group, program, run, metric, value, and the
# command measured, its paths as seen from the source folder. The rows of the group "setup"
# (program and run "-") hold the settings and the machine the figures were taken on.
#
# How one program is measured: bench/measure.sh. Programs of a group take turns run by run
# (A B C, A B C, ...), so a change of load on the machine falls on all of them alike.
set -u

BUILD=$(cd "$1" && pwd) || exit 2
WINBUILD=$(cd "$2" && pwd) || exit 2
FIGURES=$3
SOURCE=$(cd "$(dirname "$0")/.." && pwd)

SECONDS_PER_RUN=${BENCH_SECONDS:-12}
RUNS=${BENCH_RUNS:-5}
WARMUP=${BENCH_WARMUP:-3}
HACKS=${BENCH_HACKS:-1}
GROUPS_WANTED=${BENCH_GROUPS:-desktop idle wine engine web wayland}
CACHE=${BENCH_CACHE:-$BUILD/bench-cache}
SIM_PIECES=${BENCH_SIM_PIECES:-1000000}
WEB=${BENCH_WEB:-$SOURCE/build-web}
ENGINE_ARGS=${BENCH_ENGINE_ARGS:-}

SCR=$WINBUILD/Tumblix.scr
FLOOR_EXE=$WINBUILD/bench/tumblix-floor.exe
COUNTER=$BUILD/bench/libtumblix-frames.so
FLOOR=$BUILD/bench/tumblix-floor
FLOOR_WAYLAND=$BUILD/bench/tumblix-floor-wayland
HACK_DIR=$CACHE/xscreensaver-gl/usr/libexec/xscreensaver
HACK_NAMES="flipflop sierpinski3d razzledazzle"
WINDOW_SIZE="640 576"  # pixels: the size of `tumblix --window`
FIRST_FRAME_LIMIT=60   # seconds a program may take to show its first frame

# The Wine set-up the Wine tests use: a private prefix, quiet Wine, a home of our own, tracked
# processes that are ended at exit, the Wine server told to end its processes at exit.
. "$SOURCE/scripts/lib/wine.sh" "$SCR" "$WINBUILD/tools/checks/tumblix_probe.exe" \
    "$BUILD/tools/checks/tumblix_shot_check" "${BENCH_PREFIX:-$BUILD/bench/wineprefix}"
require od awk getconf /usr/bin/time
load_numbers "$BUILD"
for file in "$COUNTER" "$FLOOR" "$FLOOR_EXE" "$BUILD/tumblix" "$BUILD/tumblix-wayland" \
    "$FLOOR_WAYLAND"; do
    [ -f "$file" ] || fail_now "$file is missing: build first (make bench builds everything)"
done
TICK_HZ=$(getconf CLK_TCK)
: >"$FIGURES" || fail_now "cannot write $FIGURES"

# Paths as seen from the source folder, so the commands read as typed there.
shown() { echo "${*//"$SOURCE"\//}"; }

. "$SOURCE/bench/measure.sh"

# figure GROUP PROGRAM RUN METRIC VALUE [COMMAND]: one row of the table.
figure() { printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" "${6:--}" >>"$FIGURES"; }
setup() { figure setup - - "$1" "$2"; }

# The polygons per frame of the last run of PROGRAM, rounded: the floor draws as many.
last_polygons() {
    awk -F'\t' -v p="$1" '$2 == p && $4 == "polygons" { n = $5 } END { printf "%d", n + 0.5 }' "$FIGURES"
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

# ---- the measurements, one function per group ----

TUMBLIX_WINDOW="$BUILD/tumblix --window"
TUMBLIX_FULL="$BUILD/tumblix --fullscreen"

bench_desktop() {
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
}

# The rasterizer's own threads hand work to the main thread every frame; with them off the
# main thread's switches are its own sleeps and its waits for the X server.
bench_idle() {
    for run in $(seq "$RUNS"); do
        measure idle tumblix-1thread "$run" env LP_NUM_THREADS=0 $TUMBLIX_WINDOW
        cells=$(last_polygons tumblix-1thread)
        measure idle floor-1thread "$run" env LP_NUM_THREADS=0 "$FLOOR" $WINDOW_SIZE "$cells"
    done
}

# A running Wine server with its services, as on a Windows machine where a saver starts long
# after the system: start-up then measures the saver, not Wine's own start.
bench_wine() {
    echo "The Wine prefix $WINEPREFIX"
    make_wine_prefix || fail_now "cannot make the Wine prefix"
    wineserver -p
    warm_wine
    for run in $(seq "$RUNS"); do
        measure wine scr "$run" wine "$SCR" /s
        cells=$(last_polygons scr)
        measure wine floor-exe "$run" wine "$FLOOR_EXE" 0 0 "$cells"
        measure wine tumblix-full "$run" $TUMBLIX_FULL
        measure wine floor-full "$run" "$FLOOR" 0 0 "$cells"
    done
}

# The frame counter is not preloaded into the browser: the page counts its own frames.
bench_web() {
    require node pgrep
    [ -f "$WEB/tumblix.wasm" ] || fail_now "$WEB/tumblix.wasm is missing: make web first"
    for run in $(seq "$RUNS"); do
        measure web tumblix-native "$run" $TUMBLIX_WINDOW
        MEASURE_CPU=descendant_ticks measure web page "$run" \
            env -u LD_PRELOAD node "$SOURCE/bench/web_page.js" "$WEB" $WINDOW_SIZE
    done
}

# One row per repetition: the CPU time of one iteration, the benchmark named without its BM_
# and its argument, the piece's name added (its label).
bench_engine() {
    echo "Engine benchmarks (5 repetitions)"
    set -- "$BUILD/bench/tumblix-bench" --benchmark_repetitions=5 $ENGINE_ARGS
    "$@" --benchmark_format=csv >"$TEST_TMP/engine.csv" 2>"$TEST_TMP/engine.err" ||
        { cat "$TEST_TMP/engine.err"; fail_now "the engine benchmarks failed"; }
    awk -F, -v command="$(shown "$@")" 'NR > 1 { name = $1; gsub(/"/, "", name) }
    NR > 1 && name !~ /_(mean|median|stddev|cv)$/ {
        label = $8; gsub(/"/, "", label)
        sub(/^BM_/, "", name); sub(/\/[0-9]+$/, "", name)
        key = name (label != "" ? " " label : "")
        printf "engine\t%s\t%d\tcpu_ns\t%s\t%s\n", key, ++run[key], $4, command
    }' "$TEST_TMP/engine.csv" >>"$FIGURES"
    echo "Simulator: $SIM_PIECES pieces"
    set -- "$BUILD/tools/tumblix-sim" --seed 1 --pieces "$SIM_PIECES" --quiet
    /usr/bin/time -f '%e %U %S %M' -o "$TEST_TMP/sim.txt" "$@" >"$TEST_TMP/sim.out" ||
        { cat "$TEST_TMP/sim.out"; fail_now "the simulator failed"; }
    read -r wall user sys peak <"$TEST_TMP/sim.txt"
    for metric in "pieces $SIM_PIECES" "wall_s $wall" "user_s $user" "sys_s $sys" "peak_kb $peak"; do
        figure engine tumblix-sim 1 $metric "$(shown "$@")"
    done
}

bench_wayland() {
    # A headless sway whose one output is the size of `tumblix --window`, so both programs'
    # windows are tiled to the size the desktop rows draw at; its CPU time stands in the
    # server's column. The X display comes back for what follows.
    . "$SOURCE/tests/wayland/compositor.sh"
    OUTPUT_H=576
    x_display=$DISPLAY x_server=$XVFB_PID
    start_sway
    XVFB_PID=$COMPOSITOR
    for run in $(seq "$RUNS"); do
        measure wayland tumblix-wayland "$run" "$BUILD/tumblix-wayland" --window
        cells=$(last_polygons tumblix-wayland)
        measure wayland floor-wayland "$run" "$FLOOR_WAYLAND" $WINDOW_SIZE "$cells"
    done
    kill "$COMPOSITOR"
    XVFB_PID=$x_server DISPLAY=$x_display
    unset WAYLAND_DISPLAY
    export DISPLAY
}

# What the report says about the figures: the machine, the load, the settings, the saver's
# timer periods and the size of Tumblix.scr.
record_setup() {
    setup load_start "$1"
    setup load_end "$(cut -d' ' -f1-3 /proc/loadavg)"
    setup date "$(date -u '+%Y-%m-%d %H:%M UTC')"
    setup nproc "$(nproc)"
    setup cpu "$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
    setup mhz "$(awk -F': ' '/^cpu MHz/ { printf "%.0f", $2; exit }' /proc/cpuinfo)"
    setup system "$(. /etc/os-release && echo "$PRETTY_NAME")"
    setup kernel "$(uname -r)"
    setup mesa "$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null)"
    setup wine "$(wine --version 2>/dev/null)"
    for name in RUNS SECONDS_PER_RUN WARMUP HACKS HACK_NAMES GROUPS_WANTED ENGINE_ARGS \
        GRAVITY_PERIOD_MS STEERING_PERIOD_MS; do
        setup "${name,,}" "${!name}"
    done
    for name in BUILD WINBUILD WINEPREFIX CACHE HACK_DIR WEB; do
        setup "${name,,}" "$(shown "${!name}")"
    done
    setup scr_bytes "$(wc -c <"$SCR")"
}

start_xvfb 1024x768
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Benchmarks on Xvfb $DISPLAY: $RUNS run(s) of $SECONDS_PER_RUN s after $WARMUP s, per program"
for group in desktop idle wine web engine wayland; do
    if wants "$group"; then "bench_$group"; fi
done
record_setup "$load_start"
echo "Wrote $FIGURES"
