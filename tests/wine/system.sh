#!/bin/bash
# /s and the messages the system sends a running saver: "start a screen saver" and the
# "close" system command are swallowed, a password check answers yes (NT keeps the
# password), and a close message ends the saver with status 0.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

answers_the_system() {
    wine "$PROBE" system "$(win_path "$SCR")" >"$TEST_TMP/probe.out" 2>&1
    status=$?
    sed 's/^/  /' "$TEST_TMP/probe.out"
    [ "$status" = 0 ]
}

check "system commands swallowed, password check answered, close message ends it with 0" \
    answers_the_system
finish
