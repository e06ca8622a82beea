#!/bin/bash
# Makes the private Wine prefix that the other Wine tests share (about ten seconds, once per
# build folder), and checks that Wine starts programs in it.
. "$(dirname "$0")/wine_env.sh"

READY=$WINEPREFIX/.tumblix-ready
start_xvfb

make_prefix() {
    if [ -f "$READY" ] && [ -f "$WINEPREFIX/system.reg" ]; then
        echo "  reusing $WINEPREFIX"
        return 0
    fi
    case "$WINEPREFIX" in
        */wineprefix) rm -rf "$WINEPREFIX" ;;  # only a folder this suite names
        *) echo "  refusing to replace $WINEPREFIX"; return 1 ;;
    esac
    started=$(now_ms)
    wineboot -i >"$TEST_TMP/wineboot.log" 2>&1 || { cat "$TEST_TMP/wineboot.log"; return 1; }
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { cat "$TEST_TMP/wineboot.log"; return 1; }
    echo "  made in $(($(now_ms) - started)) ms"
    touch "$READY"
}

probe_runs() {
    wine "$PROBE" run 20000 "$(win_path "$SCR")" /a 65570 >"$TEST_TMP/probe.out" 2>&1
    status=$?
    cat "$TEST_TMP/probe.out" | sed 's/^/  /'
    [ "$status" = 0 ] && grep -q '^ended=1' "$TEST_TMP/probe.out"
}

check "a private Wine prefix exists" make_prefix
check "Wine runs the test helper and the saver in it" probe_runs
finish
