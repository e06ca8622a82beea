#!/bin/sh
# Least privilege of the native saver, checked under strace: `tumblix --fullscreen` runs
# SECONDS on a private Xvfb (or, given `wayland`, the Wayland program on a headless sway) and
# then gets SIGTERM. Across every thread it must
#   - open no file for writing (no write, create, truncate or append flag on a successful
#     open) and change nothing in the file system (no mkdir, unlink, rename, link, mknod);
#   - create no socket but its connection to the display server: every socket it makes is
#     connected to this display's socket and nothing else, and none is bound or listened on;
#   - start no process: no exec after its own, no fork, and clone only for threads.
# The trace itself must show what any run has: a connection to the server, exactly one
# program start and that program's exit; an empty or cut trace fails.
# GPU device nodes (/dev/dri/*) are opened read-write by any OpenGL program on real
# hardware and write no file, so they are allowed; on Xvfb with Mesa's software renderer
# there are none.
#
# usage: least_privilege.sh TUMBLIX X11-PROBE [SECONDS [wayland]]
#   (with `wayland`, TUMBLIX is tumblix-wayland and X11-PROBE is not used)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
RUN_SECONDS=${3:-5}
SERVER=${4:-x11}
require strace

if [ "$SERVER" = wayland ]; then
    . "$here/../wayland/compositor.sh"
    start_sway
    server_socket=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY
    something_drawn() { outputs_covered 1 "$TEST_TMP/shot.png"; }
else
    start_xvfb 1024x768
    display_number=${DISPLAY#:}
    server_socket=/tmp/.X11-unix/X${display_number%%.*}
    something_drawn() { [ "$("$PROBE" lit 0 0 1024 768)" -gt 0 ]; }
fi
log=$TEST_TMP/strace.log

strace -f -q -s 256 -o "$log" \
    -e trace=%file,%process,socket,socketpair,connect,bind,listen,memfd_create \
    "$TUMBLIX" --fullscreen 2>"$TEST_TMP/err" &
TRACER=$!
track "$TRACER"
check "the traced saver starts and draws" wait_until 20 something_drawn
sleep "$RUN_SECONDS"
saver=$(cat "/proc/$TRACER/task/$TRACER/children" 2>/dev/null)
ended() {
    [ -n "$saver" ] || { echo "  no saver process under strace"; return 1; }
    kill -TERM $saver
    wait_exit "$TRACER" 10
    [ "$STATUS" = 0 ] || { echo "  status: $STATUS"; cat "$TEST_TMP/err"; return 1; }
}
check "SIGTERM ends it with status 0" ended

# Prints every offending call; succeeds when there is none.
judge() {
    awk -v xsocket="$server_socket" -v what="$1" '
        function offend(why) { print "  " why ": " substr($0, 1, 200); bad = 1 }
        # strace -f prefixes each line with the thread id.
        { tid = $1 }
        what == "files" && /^[0-9]+ +(open|openat|openat2|creat)\(/ && !/= -1 / {
            if ($0 ~ /creat\(/ || $0 ~ /O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND/) {
                if ($0 !~ /"\/dev\/dri\//) offend("opened for writing")
            }
        }
        what == "files" && /^[0-9]+ +(mkdir|mkdirat|unlink|unlinkat|rmdir|rename|renameat|renameat2|link|linkat|symlink|symlinkat|mknod|mknodat|truncate|chmod|fchmodat|chown|fchownat|utimensat)\(/ && !/= -1 / {
            offend("changed the file system")
        }
        what == "sockets" && /^[0-9]+ +socket\(/ && !/= -1 / {
            fd = $NF; open_socket[tid " " fd] = 1; made++
        }
        what == "sockets" && /^[0-9]+ +connect\(/ {
            fd = $2; sub(/^connect\(/, "", fd); sub(/,$/, "", fd)
            key = tid " " fd
            if (index($0, "\"" xsocket "\"") == 0) offend("connected somewhere else than the display server")
            else if (key in open_socket) { delete open_socket[key]; to_x++ }
        }
        what == "sockets" && /^[0-9]+ +(socketpair|bind|listen)\(/ && !/= -1 / { offend("made a socket of its own") }
        what == "processes" && /^[0-9]+ +(execve|execveat)\(/ {
            execs++; if (execs == 1) main = tid; else offend("started a program")
        }
        what == "processes" && $2 == "+++" && $3 == "exited" && tid == main { ended = 1 }
        what == "processes" && /^[0-9]+ +(fork|vfork)\(/ { offend("forked") }
        what == "processes" && /^[0-9]+ +(clone|clone3)\(/ && !/CLONE_THREAD/ { offend("made a process") }
        END {
            if (what == "sockets") {
                for (key in open_socket) { print "  socket " key " (thread, fd) was made but never connected to the display server"; bad = 1 }
                printf "  %d socket(s) made, %d connected to the display server %s\n", made, to_x, xsocket
                if (to_x == 0) bad = 1
            }
            if (what == "processes") {
                printf "  %d program start(s); the exit of the program %s\n", execs, ended ? "seen" : "missing"
                if (execs != 1 || !ended) bad = 1
            }
            exit bad
        }' "$log"
}
check "it opens no file for writing and changes no file" judge files
check "it connects to the display server and makes no other socket" judge sockets
check "the trace holds its start and its exit, and no other process" judge processes
finish
