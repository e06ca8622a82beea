#!/bin/bash
# Turns the figures that bench/run_bench.sh wrote into the results table (`make bench` writes
# bench/RESULTS.md so):
#   bench/report.sh FIGURES OUTPUT
# Every figure is the median of the runs, with the min-max; ratios are taken run by run.
set -u
FIGURES=$1
OUTPUT=$2

# What run_bench.sh said about how the figures were taken (its rows of the group "setup").
[ -r "$FIGURES" ] || { echo "report.sh: cannot read $FIGURES"; exit 1; }
declare -A S
while IFS='|' read -r name value; do S[$name]=$value; done < <(awk -F'\t' '$1 == "setup" { print $4 "|" $5 }' "$FIGURES")
B=${S[build]} W=${S[winbuild]}

wants() { case " ${S[groups_wanted]} " in *" $1 "*) return 0 ;; esac; return 1; }

# stats DIGITS: "median (min-max)" of the numbers on standard input, one a line.
stats() {
    sort -g | awk -v d="$1" '{ v[n++] = $1 }
        END {
            if (n == 0) { printf "n/a"; exit }
            m = n % 2 ? v[(n - 1) / 2] : (v[n / 2 - 1] + v[n / 2]) / 2
            if (n == 1) printf "%.*f", d, m
            else printf "%.*f (%.*f-%.*f)", d, m, d, v[0], d, v[n - 1]
        }'
}

# summary PROGRAM METRIC [DIGITS]: "median (min-max)" of one figure over the runs of PROGRAM.
summary() { awk -F'\t' -v p="$1" -v m="$2" '$2 == p && $4 == m { print $5 }' "$FIGURES" | stats "${3:-2}"; }
median_of() { summary "$1" "$2" "${3:-3}" | cut -d' ' -f1; }
value() { awk -F'\t' -v p="$1" -v m="$2" '$2 == p && $4 == m { print $5; exit }' "$FIGURES"; }

# ratio A B [WITH_WINE]: "median (min-max)" of the run-by-run ratio of CPU per frame, A over
# B (runs paired by number); WITH_WINE 1 adds the Wine processes' CPU to A's.
ratio() {
    awk -F'\t' -v a="$1" -v b="$2" -v w="${3:-0}" '
        $2 == a && ($4 == "cpu_ms" || w && $4 == "wine_ms") { x[$3] += $5 }
        $2 == b && $4 == "cpu_ms" { y[$3] = $5 }
        END { for (r in x) if (r in y && y[r] > 0) printf "%.17g\n", x[r] / y[r] }' "$FIGURES" | stats 3
}

# row PROGRAM NAME COMMAND: one line of a frame table.
row() {
    echo "| $2 | $(summary "$1" fps 1) | $(summary "$1" cpu_ms 3) | $(summary "$1" polygons 1) | $(summary "$1" x_ms 3) | \`$3\` |"
}
frame_header() {
    echo "| Program | Frames/s | CPU ms/frame | Polygons/frame | X server ms/frame | Command |"
    echo "|---|---:|---:|---:|---:|---|"
}

# verdict VALUE GOAL: "met" when VALUE <= GOAL.
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v != "n/a" && v <= g) ? "met" : "not met" }'; }

write_results() {
    cat <<HEAD
# Benchmark results

Written by \`make bench\` (bench/run_bench.sh, bench/report.sh) on ${S[date]}.

- Machine: \`nproc\` ${S[nproc]}, CPU "${S[cpu]}" (${S[mhz]} MHz), ${S[system]}, kernel ${S[kernel]}.
- Graphics: a private \`Xvfb -screen 0 1024x768x24 -noreset\`, Mesa ${S[mesa]} llvmpipe (\`LIBGL_ALWAYS_SOFTWARE=1\`); ${S[wine]}.
- Load average (1, 5, 15 min) at the start: ${S[load_start]}; at the end: ${S[load_end]}. Other builds and
  tests may share the machine, so CPU time per frame is the figure to read, not wall time.
- Each program: ${S[runs]} run(s) of ${S[seconds_per_run]} s, measured from ${S[warmup]} s after its first frame; the programs of
  a table take turns run by run. Figures are the median of the runs, min-max in brackets.
- Frames and polygons are counted from outside by bench/frame_counter.cpp (\`LD_PRELOAD\`: buffer
  swaps and \`glBegin\` calls); CPU is the process's user+system time from /proc/PID/stat (all its
  threads), divided by the frames shown in the same interval. "X server" is the Xvfb's CPU time
  per frame of the program.

Every program row runs its command as
\`LIBGL_ALWAYS_SOFTWARE=1 LD_PRELOAD=$B/bench/libtumblix-frames.so TUMBLIX_FRAMES=/tmp/frames DISPLAY=:N COMMAND\`
on that Xvfb (the Wine rows with \`WINEPREFIX=${S[wineprefix]} WINEDEBUG=-all\`, the Wine server
already running). The whole table: \`make bench\`; one part of it, for example the Wine rows:
\`BENCH_GROUPS=wine bash bench/run_bench.sh $B $W /tmp/figures.tsv && bash bench/report.sh /tmp/figures.tsv /tmp/results.md\`
(BENCH_GROUPS: desktop idle wine engine web wayland; BENCH_SECONDS, BENCH_RUNS as above).

HEAD
    if wants desktop; then
        n=$(median_of tumblix polygons 0)
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
        cat <<TEXT

- CPU per frame, tumblix / floor at the same polygon count: **$same** (run by run); goal at most 1.05: $(verdict "${same%% *}" 1.05).
- tumblix / floor with 200 polygons: $(ratio tumblix floor-200).
- Where the time goes: bench/README.md (instruction counts and system calls of both).

## 2. OpenGL hacks of Debian's xscreensaver-gl, beside tumblix (640x576 window, default settings)

TEXT
        if [ "${S[hacks]}" = 1 ]; then
            frame_header
            row tumblix "tumblix --window" "$B/tumblix --window"
            lower=yes
            for hack in ${S[hack_names]}; do
                row "$hack" "$hack" "${S[hack_dir]}/$hack -geometry 640x576"
                awk -v a="$(median_of tumblix cpu_ms)" -v b="$(median_of "$hack" cpu_ms)" 'BEGIN { exit !(a < b) }' || lower=no
            done
            echo
            echo "- tumblix uses less CPU per frame than each of them: $lower."
            echo "- The hacks are the three programs unpacked from the downloaded package (never installed) by"
            echo "  bench/run_bench.sh into ${S[cache]}. Polygons/frame counts \`glBegin\` calls: a program that"
            echo "  also draws with vertex arrays or display lists shows fewer, or none."
        else
            echo "Not measured in this run (BENCH_HACKS=${S[hacks]})."
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
| tumblix --window | $(summary tumblix switches) | $(summary tumblix-1thread switches) | $(summary tumblix-1thread cpu_ms 3) | \`[LP_NUM_THREADS=0] $B/tumblix --window\` |
| floor, same polygon count | $(summary floor-matched switches) | $(summary floor-1thread switches) | $(summary floor-1thread cpu_ms 3) | \`[LP_NUM_THREADS=0] $B/bench/tumblix-floor 640 576 N\` |

- tumblix's loop sleeps between frames as the floor's does: $(median_of tumblix-1thread switches 2) against $(median_of floor-1thread switches 2) voluntary
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
| Tumblix.scr /s under Wine | $(summary scr fps 1) | $(summary scr cpu_ms 3) | $(summary scr wine_ms 3) | $(summary scr polygons 1) | $(summary scr x_ms 3) | \`wine $W/Tumblix.scr /s\` |
| tumblix --fullscreen, native | $(summary tumblix-full fps 1) | $(summary tumblix-full cpu_ms 3) | - | $(summary tumblix-full polygons 1) | $(summary tumblix-full x_ms 3) | \`$B/tumblix --fullscreen\` |
| floor for Windows under Wine | $(summary floor-exe fps 1) | $(summary floor-exe cpu_ms 3) | $(summary floor-exe wine_ms 3) | $(summary floor-exe polygons 1) | $(summary floor-exe x_ms 3) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |
| floor, native, full screen | $(summary floor-full fps 1) | $(summary floor-full cpu_ms 3) | - | $(summary floor-full polygons 1) | $(summary floor-full x_ms 3) | \`$B/bench/tumblix-floor 0 0 N\` |

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
        wants desktop && echo "| tumblix --window | $(summary tumblix startup_ms 0) | \`$B/tumblix --window\` |"
        wants desktop && echo "| floor | $(summary floor-200 startup_ms 0) | \`$B/bench/tumblix-floor 640 576 200\` |"
        if wants wine; then
            echo "| tumblix --fullscreen | $(summary tumblix-full startup_ms 0) | \`$B/tumblix --fullscreen\` |"
            echo "| Tumblix.scr /s under Wine (server running) | $(summary scr startup_ms 0) | \`wine $W/Tumblix.scr /s\` |"
            echo "| floor for Windows under Wine (server running) | $(summary floor-exe startup_ms 0) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |"
        fi
        echo
    fi
    if wants engine; then
        cat <<TEXT
## 6. Engine

Google Benchmark, \`$B/bench/tumblix-bench --benchmark_repetitions=5${S[engine_args]:+ ${S[engine_args]}}\` (see bench/README.md for
what one iteration is): CPU time per iteration, median of 5 repetitions (min-max).

| Benchmark | CPU ns |
|---|---:|
TEXT
        awk -F'\t' '$1 == "engine" && $4 == "cpu_ns" && !seen[$2]++ { print $2 }' "$FIGURES" |
            while read -r benchmark; do echo "| $benchmark | $(summary "$benchmark" cpu_ns 1) |"; done
        echo
        awk -v n="$(value tumblix-sim pieces)" -v w="$(value tumblix-sim wall_s)" -v u="$(value tumblix-sim user_s)" \
            -v s="$(value tumblix-sim sys_s)" -v b="$B" 'BEGIN {
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
    wants desktop && echo "| tumblix --window | $(summary tumblix peak_kb 0) | $(summary tumblix growth_kb 0) | \`$B/tumblix --window\` |"
    wants desktop && echo "| floor | $(summary floor-200 peak_kb 0) | $(summary floor-200 growth_kb 0) | \`$B/bench/tumblix-floor 640 576 200\` |"
    if wants wine; then
        echo "| tumblix --fullscreen | $(summary tumblix-full peak_kb 0) | $(summary tumblix-full growth_kb 0) | \`$B/tumblix --fullscreen\` |"
        echo "| Tumblix.scr /s under Wine | $(summary scr peak_kb 0) | $(summary scr growth_kb 0) | \`wine $W/Tumblix.scr /s\` |"
        echo "| floor for Windows under Wine | $(summary floor-exe peak_kb 0) | $(summary floor-exe growth_kb 0) | \`wine $W/bench/tumblix-floor.exe 0 0 N\` |"
    fi
    wants engine && echo "| tumblix-sim | $(value tumblix-sim peak_kb) | - | \`/usr/bin/time -v $B/tools/tumblix-sim --seed 1 --pieces $(value tumblix-sim pieces) --quiet\` |"
    echo
    if wants wine; then
        echo "Under Wine, growth while measured is Wine settling in, for the floor program too (bench/README.md)."
        echo
    fi
    echo "Tumblix.scr: ${S[scr_bytes]} bytes (\`make windows\`, \`$W/Tumblix.scr\`)."
    if wants web; then
        echo
        cat <<TEXT
## 8. The page in headless Chromium beside the native program (640x576)

The page that \`make web\` builds (${S[web]}) served on the loopback address and shown at 640x576
in Debian's headless Chromium, which draws its WebGL with SwiftShader on the CPU, as Mesa's
llvmpipe draws the native program's OpenGL. Frames are the page's own count of buffer swaps,
read every 100 ms; CPU is every Chromium process together (browser, renderer, GPU and helpers).

| Program | Frames/s | CPU ms/frame | Command |
|---|---:|---:|---|
| tumblix --window | $(summary tumblix-native fps 1) | $(summary tumblix-native cpu_ms 3) | \`$B/tumblix --window\` |
| the page in headless Chromium | $(summary page fps 1) | $(summary page cpu_ms 3) | \`node bench/web_page.js ${S[web]} 640 576\` |

- CPU per frame, the page / the native program: **$(ratio page tumblix-native)** (run by run).
TEXT
    fi
    if wants wayland; then
        echo
        cat <<TEXT
## 9. Wayland: tumblix-wayland against its floor on headless sway (640x576)

A headless sway 1.7 (pixman renderer, one 640x576 output, run as an unprivileged user) instead
of the Xvfb: \`tumblix --window\` in a Wayland session is \`tumblix-wayland --window\`, tiled to the
whole output. The floor (bench/floor_wayland.cpp) draws the same polygons on the same timers
through the same EGL config, with no game, no shim and no display list. The server column is
sway's CPU time per frame.

TEXT
        frame_header | sed 's/X server ms/sway ms/'
        row tumblix-wayland "tumblix-wayland --window" "$B/tumblix-wayland --window"
        row floor-wayland "floor, the saver's polygon count" "$B/bench/tumblix-floor-wayland 640 576 N"
        same=$(ratio tumblix-wayland floor-wayland)
        cat <<TEXT

- CPU per frame, tumblix-wayland / floor at the same polygon count: **$same** (run by run); goal at most 1.05: $(verdict "${same%% *}" 1.05).
TEXT
        if wants desktop; then
            echo "- The X11 host on Xvfb at the same size, for comparison: $(summary tumblix cpu_ms 3) ms per frame (section 1)."
        fi
    fi
}

write_results >"$OUTPUT.tmp" && mv "$OUTPUT.tmp" "$OUTPUT" || { echo "report.sh: cannot write $OUTPUT"; exit 1; }
echo "Wrote $OUTPUT"
