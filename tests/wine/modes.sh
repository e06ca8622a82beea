#!/bin/bash
# The modes that show no saver window: the password change (nothing to do on NT), a preview
# parent that does not exist (status 1), and every bad command line (status 2), which must
# end at once with a message instead of a window or a crash.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

PROMPT_MS=3000       # from process start to its end, measured inside Wine
PROBE_TIMEOUT_MS=15000
WIN_SCR=$(win_path "$SCR")

# ends_without_window STATUS PROBE-ARGUMENTS...: the saver ended in time with STATUS and
# showed no window.
ends_without_window() {
    want=$1
    shift
    wine "$PROBE" "$@" >"$TEST_TMP/probe.out" 2>"$TEST_TMP/probe.err"
    report=$(tr '\n' ' ' <"$TEST_TMP/probe.out")
    echo "  $report"
    grep -qx 'ended=1' "$TEST_TMP/probe.out" || return 1
    grep -qx "exit=$want" "$TEST_TMP/probe.out" || return 1
    grep -qx 'windows=0' "$TEST_TMP/probe.out" || return 1
    ms=$(sed -n 's/^ms=//p' "$TEST_TMP/probe.out")
    [ "$ms" -le "$PROMPT_MS" ] || { echo "  took $ms ms"; return 1; }
}

# The saver's message goes to its standard error, which it shares with the probe.
says() { grep -q "$1" "$TEST_TMP/probe.err" || { echo "  said: $(cat "$TEST_TMP/probe.err")"; return 1; }; }
silent() { [ ! -s "$TEST_TMP/probe.err" ] || { echo "  said: $(cat "$TEST_TMP/probe.err")"; return 1; }; }

quiet_success() { ends_without_window 0 run $PROBE_TIMEOUT_MS "$WIN_SCR" "$@" && silent; }
refused() { ends_without_window 2 run $PROBE_TIMEOUT_MS "$WIN_SCR" "$@" && says 'Unknown command line'; }

# The settings modes show a message box, owned by the Settings window when one is given, and
# end with status 0 once OK is pressed.
settings_box() {  # settings_box FORM OWNED
    wine "$PROBE" settings "$WIN_SCR" "$1" >"$TEST_TMP/probe.out" 2>"$TEST_TMP/probe.err"
    echo "  $(tr '\n' ' ' <"$TEST_TMP/probe.out")"
    grep -qx 'title=Tumblix' "$TEST_TMP/probe.out" &&
        grep -qx 'text=Tumblix has no settings.' "$TEST_TMP/probe.out" &&
        grep -qx "owned=$2" "$TEST_TMP/probe.out" &&
        grep -qx 'ended=1' "$TEST_TMP/probe.out" && grep -qx 'exit=0' "$TEST_TMP/probe.out"
}
check "no arguments: a box saying there are no settings; OK ends it with 0" settings_box none 0
check "/c: the same" settings_box /c 0
check "/c:<window>: the same, owned by that window" settings_box /c:parent 1
check "/a <window>: nothing to do, status 0" quiet_success /a 65570
check "/x is refused" refused /x
check "/p without a window is refused" refused /p
check "/p with a non-numeric window is refused" refused /p abc
check "/p with an overflowing window is refused" refused /p 99999999999999999999999
check "junk is refused" refused hello
check "/p with a window that no longer exists ends with status 1" \
    ends_without_window 1 dead-preview $PROBE_TIMEOUT_MS "$WIN_SCR"
check "... and says why" says 'preview window does not exist'
finish
