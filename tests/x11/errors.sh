#!/bin/sh
# tumblix refuses bad command lines with status 2, and a missing display or window with
# status 1, each with a one-line message and never an X error dump.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1

USAGE_FIRST="usage: tumblix"

# expect STATUS FIRST-LINE-PATTERN ARGS...: stderr's first line matches the pattern.
expect() {
    want=$1
    pattern=$2
    shift 2
    "$TUMBLIX" "$@" >"$TEST_TMP/out" 2>"$TEST_TMP/err"
    got=$?
    first=$(head -n 1 "$TEST_TMP/err")
    if [ "$got" -ne "$want" ]; then
        echo "  '$*' gave status $got, stderr: $first"
        return 1
    fi
    case $first in
    $pattern) ;;
    *) echo "  '$*' said: $first"; return 1 ;;
    esac
    if grep -q -e 'X Error' -e 'BadWindow' -e 'Major opcode' "$TEST_TMP/err"; then
        echo "  '$*' printed an X error"
        return 1
    fi
    [ ! -s "$TEST_TMP/out" ] || { echo "  '$*' wrote to stdout"; return 1; }
}

# usage_follows: the rest of stderr is the usage text.
usage_follows() { sed -n 2p "$TEST_TMP/err" | grep -q "^$USAGE_FIRST"; }

bad_usage() {  # bad_usage FIRST-LINE-PATTERN ARGS...
    pattern=$1
    shift
    expect 2 "$pattern" "$@" && usage_follows
}

check "unknown option" bad_usage "tumblix: unknown option '--bogus'" --bogus
check "unknown single-dash option" bad_usage "tumblix: unknown option '-fps'" -fps
check "stray argument" bad_usage "tumblix: unexpected argument 'now'" now
check "two modes" bad_usage "tumblix: option '--fullscreen' conflicts*" --root --fullscreen
check "--version with more" bad_usage "tumblix: option '--version' takes no other arguments" --version extra
check "misspelt --version" bad_usage "tumblix: unknown option '--versio'" --versio
check "missing window id" bad_usage "tumblix: option '--window-id' needs a window id" --window-id
for id in 0x 0x0 0 12ab -5 99999999999 0x1ffffffff " 7"; do
    check "malformed window id '$id'" bad_usage "tumblix: '$id' is not a window id" --window-id "$id"
done

help_is_usage() {
    "$TUMBLIX" --help >"$TEST_TMP/out" 2>"$TEST_TMP/err" &&
        head -n 1 "$TEST_TMP/out" | grep -q "^$USAGE_FIRST" && [ ! -s "$TEST_TMP/err" ] &&
        "$TUMBLIX" -help | cmp -s - "$TEST_TMP/out"
}
check "--help prints usage on stdout, status 0" help_is_usage

no_display() { (unset DISPLAY; expect 1 "tumblix: cannot open display*" "$@"); }
check "no DISPLAY at all" no_display
bad_display() { (DISPLAY=:9999 && export DISPLAY && expect 1 "tumblix: cannot open display ':9999'" "$@"); }
check "display that does not answer" bad_display --fullscreen

# A bad $XSCREENSAVER_WINDOW is a bad id too; it is checked before the display is opened.
bad_environment() {
    (XSCREENSAVER_WINDOW=junk && export XSCREENSAVER_WINDOW &&
        expect 2 "tumblix: XSCREENSAVER_WINDOW='junk' is not a window id" --root && usage_follows)
}
check "malformed XSCREENSAVER_WINDOW" bad_environment

start_xvfb 320x240
check "window id that does not exist" expect 1 "tumblix: there is no window 0x7ffff0 on this display" \
    --window-id 0x7ffff0
check "decimal window id that does not exist" expect 1 "tumblix: there is no window 0x7ffff0*" \
    --window-id 8388592
missing_environment_window() {
    (XSCREENSAVER_WINDOW=0x7ffff0 && export XSCREENSAVER_WINDOW &&
        expect 1 "tumblix: there is no window 0x7ffff0*" --root)
}
check "XSCREENSAVER_WINDOW that does not exist" missing_environment_window
finish
