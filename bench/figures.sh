# What bench/report.sh reads and writes with (sourced by it, after FIGURES is set): the
# figures of run_bench.sh, their medians and ratios, and the Markdown tables they go into.

# ---- reading the figures ----

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

# The decimals a metric is shown with.
digits() {
    case $1 in
        cpu_ms | x_ms | wine_ms) echo 3 ;;
        fps | polygons | cpu_ns) echo 1 ;;
        startup_ms | peak_kb | growth_kb) echo 0 ;;
        *) echo 2 ;;
    esac
}

# summary PROGRAM METRIC [DIGITS]: "median (min-max)" of one figure over the runs of PROGRAM.
summary() {
    awk -F'\t' -v p="$1" -v m="$2" '$2 == p && $4 == m { print $5 }' "$FIGURES" | stats "${3:-$(digits "$2")}"
}
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

# verdict VALUE GOAL: "met" when VALUE <= GOAL.
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v != "n/a" && v <= g) ? "met" : "not met" }'; }

# ---- writing the tables ----

# header COLUMN...: the head of a table; the first column and "Command" hold text, the others figures.
header() {
    local column line="|" rule="|"
    for column; do
        line="$line $column |"
        case $column in "$1" | Command) rule="$rule---|" ;; *) rule="$rule---:|" ;; esac
    done
    printf '%s\n%s\n' "$line" "$rule"
}

# row PROGRAM NAME COMMAND METRIC...: one line of a table, a figure per METRIC ("-": none).
row() {
    local program=$1 line="| $2 |" command=$3 metric
    shift 3
    for metric; do
        if [ "$metric" = - ]; then line="$line - |"; else line="$line $(summary "$program" "$metric") |"; fi
    done
    echo "$line \`$command\` |"
}
frame_header() { header Program Frames/s "CPU ms/frame" Polygons/frame "X server ms/frame" Command; }
frame_row() { row "$1" "$2" "$3" fps cpu_ms polygons x_ms; }
