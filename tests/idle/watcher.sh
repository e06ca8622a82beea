#!/bin/sh
# tumblix-idle on a headless compositor, with --after 1: it starts `tumblix --fullscreen` once
# the session is idle and ends it on activity, again and again; what inhibits idleness keeps
# the saver away until it goes; SIGTERM ends watcher and saver with 0, the compositor going
# away with 1. Per compositor, its own idle source and inhibitors:
#   mutter  GNOME's IdleMonitor; a session manager saying "inhibited"; enable and disable
#   sway    org_kde_kwin_idle (sway 1.7), first with no session bus at all; a Wayland idle
#           inhibitor on a window; Inhibit on org.freedesktop.ScreenSaver; the bus going away
#   kwin    ext-idle-notify-v1; a saver that crashed
#   watcher.sh mutter|sway|kwin TUMBLIX-IDLE SESSION-HELPER
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/../wayland/compositor.sh"
KIND=$1
IDLE=$2
HELPER=$3
require gdbus pgrep wtype /usr/bin/python3

watch() { launch "$IDLE" --after 1; }
source_is() { grep -q "^tumblix-idle: watching $1;" "$TEST_TMP/err"; }
saver_runs() { pgrep -P "$SAVER" >/dev/null; }
no_saver() { ! saver_runs; }
starts() { wait_until 4 saver_runs; }
stays_away() { sleep 2 && no_saver; }
activity() {
    if [ "$KIND" = mutter ]; then
        gdbus call --session -d org.gnome.Mutter.IdleMonitor -o /org/gnome/Mutter/IdleMonitor/Core \
            -m org.gnome.Mutter.IdleMonitor.ResetIdletime
    elif [ "$KIND" = sway ]; then
        wtype -s 300 x  # sway 1.7 simulates activity for the simulating client alone
    else
        "$HELPER" activity
    fi >/dev/null
}
ends_on_activity() { activity && wait_until 3 no_saver; }
# stand_in MODE: a stand-in session-bus client (bus_stand_in.py), its PID in HELD.
stand_in() {
    /usr/bin/python3 "$here/bus_stand_in.py" "$1" >"$TEST_TMP/held" 2>&1 &
    HELD=$!
    track "$HELD"
    wait_until 5 grep -q ready "$TEST_TMP/held"
}
let_go() { kill "$1" && wait "$1" 2>/dev/null; untrack "$1"; }
ends_with() {
    wait_exit "$SAVER" 3
    [ "$STATUS" = "$1" ] && ! alive "$saver" || { echo "  watcher: $STATUS"; return 1; }
}

case $KIND in
mutter) start_mutter 640x480 ;;
sway) start_sway bare ;;
kwin) start_kwin 640 480 1 ;;
esac
watch
check "the saver starts after a second of idleness" starts
check "activity ends it" ends_on_activity
check "the next idleness starts it again" starts
check "and activity ends it again" ends_on_activity
case $KIND in
mutter)
    check "it watches GNOME's IdleMonitor" source_is org.gnome.Mutter.IdleMonitor
    stand_in session-manager
    check "an idle inhibitor of GNOME's session manager keeps it away" stays_away
    let_go "$HELD"
    check "when it goes, the saver starts" starts
    . "$here/enable.sh"
    ;;
sway)
    check "it watches org_kde_kwin_idle, with no session bus" source_is org_kde_kwin_idle
    "$HELPER" inhibit >"$TEST_TMP/held" &
    HELD=$!
    track "$HELD"
    check "a window's Wayland idle inhibitor keeps it away" stays_away
    let_go "$HELD"
    check "when it goes, the saver starts" starts
    saver=$(pgrep -P "$SAVER")
    kill -TERM "$SAVER"
    check "SIGTERM ends watcher and saver with 0" ends_with 0
    start_session_bus
    watch
    stand_in inhibit
    check "Inhibit on org.freedesktop.ScreenSaver keeps it away" stays_away
    kill -USR1 "$HELD"
    check "until UnInhibit" starts
    check "activity ends it" ends_on_activity
    stand_in inhibit
    check "another Inhibit keeps it away" stays_away
    let_go "$HELD"
    check "until its client leaves the bus" starts
    saver=$(pgrep -P "$SAVER")
    kill "$BUS_PID"
    check "the session bus going away ends watcher and saver, status 1" ends_with 1
    ;;
kwin)
    check "it watches ext-idle-notify-v1" source_is ext-idle-notify-v1
    starts && kill -KILL "$(pgrep -P "$SAVER")"
    check "a saver that crashed is not started again while the session stays idle" stays_away
    activity
    check "but at the next idleness" starts
    ;;
esac
alive "$SAVER" || watch
check "the saver runs" starts
saver=$(pgrep -P "$SAVER")
kill -KILL "$COMPOSITOR"
check "the compositor going away ends watcher and saver, status 1" ends_with 1
finish
