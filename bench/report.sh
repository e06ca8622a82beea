#!/bin/bash
# Turns the figures that bench/run_bench.sh wrote into the results table (`make bench` writes
# bench/RESULTS.md so):
#   bench/report.sh FIGURES OUTPUT
# Every figure is the median of the runs, with the min-max; ratios are taken run by run. The
# report holds the figures, the commands and the machine; what each table measures, and how,
# is written once, in bench/README.md.
set -u
FIGURES=$1
OUTPUT=$2

. "$(dirname "$0")/figures.sh"

# ---- the report, one function per section ----

section_intro() {
    cat <<TEXT
# Benchmark results

Written by \`make bench\` (bench/run_bench.sh, bench/report.sh) on ${S[date]}. What each table
measures, and how: [README.md](README.md).

- Machine: \`nproc\` ${S[nproc]}, CPU "${S[cpu]}" (${S[mhz]} MHz), ${S[system]}, kernel ${S[kernel]}.
- Graphics: a private \`Xvfb -screen 0 1024x768x24 -noreset\`, Mesa ${S[mesa]} llvmpipe (\`LIBGL_ALWAYS_SOFTWARE=1\`); ${S[wine]}.
- Load average (1, 5, 15 min) at the start: ${S[load_start]}; at the end: ${S[load_end]}.
- Each program: ${S[runs]} run(s) of ${S[seconds_per_run]} s, measured from ${S[warmup]} s after its first frame. Figures are
  the median of the runs, min-max in brackets.
- The saver's timers: gravity every ${S[gravity_period_ms]:-n/a} ms, steering every ${S[steering_period_ms]:-n/a} ms, a frame at each tick.

Every program row runs its command as
\`LIBGL_ALWAYS_SOFTWARE=1 LD_PRELOAD=$B/bench/libtumblix-frames.so TUMBLIX_FRAMES=/tmp/frames DISPLAY=:N COMMAND\`
on that Xvfb (the Wine rows with \`WINEPREFIX=${S[wineprefix]} WINEDEBUG=-all\`, the Wine server
already running).

TEXT
}

section_drawing() {
    echo "## 1. Drawing cost: tumblix against the floor program (640x576 window)"
    echo
    echo "The saver drew about $(median_of tumblix polygons 0) polygons a frame here; N is its count in the run just before."
    echo
    frame_header
    frame_row tumblix "tumblix --window" "$B/tumblix --window"
    frame_row floor-matched "floor, the saver's polygon count" "$B/bench/tumblix-floor 640 576 N"
    frame_row floor-200 "floor, 200 polygons" "$B/bench/tumblix-floor 640 576 200"
    local same
    same=$(ratio tumblix floor-matched)
    echo
    echo "- CPU per frame, tumblix / floor at the same polygon count: **$same** (run by run); goal at most 1.05: $(verdict "${same%% *}" 1.05)."
    echo "- tumblix / floor with 200 polygons: $(ratio tumblix floor-200)."
    echo "- Where the time goes: bench/README.md (instruction counts and system calls of both)."
    echo
}

section_hacks() {
    echo "## 2. OpenGL hacks of Debian's xscreensaver-gl, beside tumblix (640x576 window, default settings)"
    echo
    if [ "${S[hacks]}" != 1 ]; then
        printf 'Not measured in this run (BENCH_HACKS=%s).\n\n' "${S[hacks]}"
        return
    fi
    frame_header
    frame_row tumblix "tumblix --window" "$B/tumblix --window"
    local lower=yes hack
    for hack in ${S[hack_names]}; do
        frame_row "$hack" "$hack" "${S[hack_dir]}/$hack -geometry 640x576"
        awk -v a="$(median_of tumblix cpu_ms)" -v b="$(median_of "$hack" cpu_ms)" 'BEGIN { exit !(a < b) }' || lower=no
    done
    echo
    echo "- tumblix uses less CPU per frame than each of them: $lower."
    echo "- The hacks are the three programs unpacked from the downloaded package into ${S[cache]}."
    echo
}

section_idle() {
    echo "## 3. Idle behaviour: voluntary context switches of the main thread per frame"
    echo
    header Program "Switches/frame, llvmpipe threads" "Switches/frame, LP_NUM_THREADS=0" \
        "CPU ms/frame, LP_NUM_THREADS=0" Command
    echo "| tumblix --window | $(summary tumblix switches) | $(summary tumblix-1thread switches) | $(summary tumblix-1thread cpu_ms) | \`[LP_NUM_THREADS=0] $B/tumblix --window\` |"
    echo "| floor, same polygon count | $(summary floor-matched switches) | $(summary floor-1thread switches) | $(summary floor-1thread cpu_ms) | \`[LP_NUM_THREADS=0] $B/bench/tumblix-floor 640 576 N\` |"
    echo
    echo "- tumblix's loop sleeps between frames as the floor's does: $(median_of tumblix-1thread switches 2) against $(median_of floor-1thread switches 2) voluntary"
    echo "  switches per frame with one rasterizer thread."
    echo
}

section_wine() {
    echo "## 4. Wine: Tumblix.scr /s against the native program (full screen, 1024x768)"
    echo
    header Program Frames/s "CPU ms/frame" "+ Wine's processes, ms/frame" Polygons/frame "X server ms/frame" Command
    row scr "Tumblix.scr /s under Wine" "wine $W/Tumblix.scr /s" fps cpu_ms wine_ms polygons x_ms
    row tumblix-full "tumblix --fullscreen, native" "$B/tumblix --fullscreen" fps cpu_ms - polygons x_ms
    row floor-exe "floor for Windows under Wine" "wine $W/bench/tumblix-floor.exe 0 0 N" fps cpu_ms wine_ms polygons x_ms
    row floor-full "floor, native, full screen" "$B/bench/tumblix-floor 0 0 N" fps cpu_ms - polygons x_ms
    echo
    echo "N: the polygons per frame that Tumblix.scr drew in the run just before."
    echo
    echo "- CPU per frame, Tumblix.scr under Wine / tumblix native: **$(ratio scr tumblix-full)** (run by run); with"
    echo "  Wine's processes added to the saver's: $(ratio scr tumblix-full 1)."
    echo "- The same for the floor program, Wine / native: $(ratio floor-exe floor-full); Tumblix.scr / the floor under Wine: $(ratio scr floor-exe)."
    echo
}

# program_rows SUFFIX METRIC...: the rows of the start-up and memory tables, one per program
# that the run measured; SUFFIX follows the names of the Windows programs.
program_rows() {
    local suffix=$1
    shift
    if wants desktop; then
        row tumblix "tumblix --window" "$B/tumblix --window" "$@"
        row floor-200 floor "$B/bench/tumblix-floor 640 576 200" "$@"
    fi
    if wants wine; then
        row tumblix-full "tumblix --fullscreen" "$B/tumblix --fullscreen" "$@"
        row scr "Tumblix.scr /s under Wine$suffix" "wine $W/Tumblix.scr /s" "$@"
        row floor-exe "floor for Windows under Wine$suffix" "wine $W/bench/tumblix-floor.exe 0 0 N" "$@"
    fi
}

section_startup() {
    echo "## 5. Start-up: from exec to the first frame swapped"
    echo
    header Program Milliseconds Command
    program_rows " (server running)" startup_ms
    echo
}

section_engine() {
    echo "## 6. Engine"
    echo
    echo "\`$B/bench/tumblix-bench --benchmark_repetitions=5${S[engine_args]:+ ${S[engine_args]}}\`: CPU time per iteration,"
    echo "median of 5 repetitions (min-max)."
    echo
    header Benchmark "CPU ns"
    awk -F'\t' '$1 == "engine" && $4 == "cpu_ns" && !seen[$2]++ { print $2 }' "$FIGURES" |
        while read -r benchmark; do echo "| $benchmark | $(summary "$benchmark" cpu_ns) |"; done
    echo
    awk -v n="$(value tumblix-sim pieces)" -v w="$(value tumblix-sim wall_s)" -v u="$(value tumblix-sim user_s)" \
        -v s="$(value tumblix-sim sys_s)" -v b="$B" 'BEGIN {
        printf "Simulator: `/usr/bin/time -v %s/tools/tumblix-sim --seed 1 --pieces %d --quiet`: %.1f s wall, %.1f s CPU;\n", b, n, w, u + s
        printf "**%.0f pieces per second** of wall time, %.0f per CPU second.\n\n", n / w, n / (u + s)
    }'
}

section_memory() {
    echo "## 7. Memory"
    echo
    header Program "Peak RSS, kB" "Growth while measured, kB" Command
    program_rows "" peak_kb growth_kb
    wants engine && echo "| tumblix-sim | $(value tumblix-sim peak_kb) | - | \`/usr/bin/time -v $B/tools/tumblix-sim --seed 1 --pieces $(value tumblix-sim pieces) --quiet\` |"
    echo
    echo "Tumblix.scr: ${S[scr_bytes]} bytes (\`make windows\`, \`$W/Tumblix.scr\`)."
}

section_page() {
    echo
    echo "## 8. The page in headless Chromium beside the native program (640x576)"
    echo
    header Program Frames/s "CPU ms/frame" Command
    row tumblix-native "tumblix --window" "$B/tumblix --window" fps cpu_ms
    row page "the page in headless Chromium" "node bench/web_page.js ${S[web]} 640 576" fps cpu_ms
    echo
    echo "- CPU per frame, the page / the native program: **$(ratio page tumblix-native)** (run by run)."
}

section_wayland() {
    echo
    echo "## 9. Wayland: tumblix-wayland against its floor on a headless sway (640x576)"
    echo
    echo "sway 1.7 headless (pixman, one 640x576 output) instead of the Xvfb; the floor is"
    echo "bench/floor_wayland.cpp (same EGL config, no shim, no display list); the server column is sway's."
    echo
    header Program Frames/s "CPU ms/frame" Polygons/frame "sway ms/frame" Command
    frame_row tumblix-wayland "tumblix-wayland --window" "$B/tumblix-wayland --window"
    frame_row floor-wayland "floor, the saver's polygon count" "$B/bench/tumblix-floor-wayland 640 576 N"
    local same
    same=$(ratio tumblix-wayland floor-wayland)
    echo
    echo "- CPU per frame, tumblix-wayland / floor at the same polygon count: **$same** (run by run); goal at most 1.05: $(verdict "${same%% *}" 1.05)."
    if wants desktop; then
        echo "- The X11 host on Xvfb at the same size: $(summary tumblix cpu_ms) ms CPU per frame (section 1)."
    fi
}

write_results() {
    section_intro
    if wants desktop; then section_drawing; section_hacks; fi
    if wants idle; then section_idle; fi
    if wants wine; then section_wine; fi
    if wants desktop || wants wine; then section_startup; fi
    if wants engine; then section_engine; fi
    section_memory
    if wants web; then section_page; fi
    if wants wayland; then section_wayland; fi
}

write_results >"$OUTPUT.tmp" && mv "$OUTPUT.tmp" "$OUTPUT" || { echo "report.sh: cannot write $OUTPUT"; exit 1; }
echo "Wrote $OUTPUT"
