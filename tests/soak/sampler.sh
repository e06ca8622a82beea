# Shared by the soak tests: samples a process's resources and judges whether they grow.
# Source it. Reads only /proc; needs awk.
#
# The rule ("nothing grows after warm-up"): samples taken before WARMUP seconds are shown
# but not judged, since the first frames load Mesa, compile its shaders and start its
# threads. After warm-up
#   - the number of open file descriptors and of threads never changes, and
#   - resident memory, as the median of the last three samples, exceeds the median of the
#     first three by at most RSS_SLACK_KB.
# A median of three ignores one odd sample at either end (malloc trimming, a page the kernel
# just faulted in); a leak of one small block per frame (75 frames/s) shows within a minute.

# sample_process PID SECONDS INTERVAL LOG: every INTERVAL seconds for SECONDS, appends
# "elapsed-seconds rss-kB fds threads" to LOG. Returns 1 as soon as PID has ended.
sample_process() {
    sp_pid=$1 sp_seconds=$2 sp_interval=$3 sp_log=$4
    sp_start=$(date +%s)
    while :; do
        sp_now=$(($(date +%s) - sp_start))
        [ -r "/proc/$sp_pid/status" ] || { echo "  the process ended after ${sp_now} s"; return 1; }
        sp_rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$sp_pid/status")
        sp_threads=$(awk '/^Threads:/ {print $2}' "/proc/$sp_pid/status")
        sp_fds=$(ls "/proc/$sp_pid/fd" 2>/dev/null | wc -l)
        [ -n "$sp_rss" ] || { echo "  the process ended after ${sp_now} s"; return 1; }
        echo "$sp_now $sp_rss $sp_fds $sp_threads" >>"$sp_log"
        [ "$sp_now" -ge "$sp_seconds" ] && return 0
        sleep "$sp_interval"
    done
}

# judge_growth LOG WARMUP RSS_SLACK_KB [rss]: prints the samples and the verdict; returns 1
# when anything grew by the rule above. With "rss" only resident memory is judged (fds and
# threads are shown): Wine's own service threads and handles come and go as they please.
judge_growth() {
    awk -v warmup="$2" -v slack="$3" -v only="${4:-all}" '
        BEGIN { n = 0 }
        function median3(a, b, c) { return a < b ? (b < c ? b : (a < c ? c : a)) : (a < c ? a : (b < c ? c : b)) }
        { printf "  %5d s  rss %7d kB  fds %3d  threads %3d%s\n", $1, $2, $3, $4, $1 < warmup ? "  (warm-up)" : "" }
        $1 >= warmup { t[n] = $1; rss[n] = $2; fds[n] = $3; thr[n] = $4; n++ }
        END {
            if (n < 6) { print "  too few samples after warm-up: " n; exit 1 }
            bad = 0
            for (i = 1; i < n && only != "rss"; i++) {
                if (fds[i] != fds[0]) { printf "  open fds changed: %d at %d s, %d at %d s\n", fds[0], t[0], fds[i], t[i]; bad = 1 }
                if (thr[i] != thr[0]) { printf "  threads changed: %d at %d s, %d at %d s\n", thr[0], t[0], thr[i], t[i]; bad = 1 }
            }
            first = median3(rss[0], rss[1], rss[2])
            last = median3(rss[n - 3], rss[n - 2], rss[n - 1])
            printf "  after warm-up: %d samples over %d s; fds %d, threads %d; rss %d kB -> %d kB (%+d kB, slack %d kB)\n",
                   n, t[n - 1] - t[0], fds[0], thr[0], first, last, last - first, slack
            if (last - first > slack) { print "  resident memory grew"; bad = 1 }
            exit bad
        }' "$1"
}
