#!/bin/bash
# Makes the private Wine prefix that the other Wine tests share (about ten seconds, once per
# build folder), and checks that Wine starts programs in it.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

probe_runs() {
    wine "$PROBE" run 20000 "$(win_path "$SCR")" /a 65570 >"$TEST_TMP/probe.out" 2>&1
    status=$?
    cat "$TEST_TMP/probe.out" | sed 's/^/  /'
    [ "$status" = 0 ] && grep -q '^ended=1' "$TEST_TMP/probe.out"
}

check "a private Wine prefix exists" make_wine_prefix
check "Wine runs the test helper and the saver in it" probe_runs
finish
