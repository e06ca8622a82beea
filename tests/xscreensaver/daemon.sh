#!/bin/sh
# tumblix-xscreensaver with the real xscreensaver 6 daemon on a private Xvfb, as an
# unprivileged user with a home of its own: bad input or a write cut short leaves the file
# alone, a symlinked file stays a link, modes are kept, and the daemon runs Tumblix after
# `add --select` and never after `remove`.
# Before the daemon, tumblix-idle watches the X server's idle time; beside it, it refuses.
#   daemon.sh <tumblix> <tumblix-xscreensaver> <tumblix-idle>
. "$(dirname "$0")/../../scripts/lib/harness.sh"
. "$(dirname "$0")/../../scripts/lib/xscreensaver.sh"
# The programs go where the test's user may run them; the command names the tumblix beside it.
mkdir "$TEST_TMP/bin"
cp "$1" "$2" "$TEST_TMP/bin/"
IDLE=$3
PREFS=$HOME_DIR/.xscreensaver
start_xvfb 320x240

tool() {
    (ulimit -f "$FILE_BLOCKS" && $RUN_AS env -i HOME="$TOOL_HOME" "$TEST_TMP/bin/tumblix-xscreensaver" "$@") \
        >>"$TEST_TMP/out" 2>"$TEST_TMP/err"
}
TOOL_HOME=$HOME_DIR
FILE_BLOCKS=unlimited  # of 512 bytes: the largest file the tool may write
umask 022

# fails STATUS ARGS...: the command ends with STATUS, one line on stderr, the file unchanged.
fails() {
    expected=$1
    shift
    cp -P "$PREFS" "$TEST_TMP/before" 2>/dev/null
    tool "$@"
    status=$?
    sed 's/^/  /' "$TEST_TMP/err"
    [ "$status" = "$expected" ] && [ "$(grep -c tumblix-xscreensaver: "$TEST_TMP/err")" = 1 ] &&
        cmp -s "$PREFS" "$TEST_TMP/before"
}
printf 'mode: random\nprograms: \\\n  maze --root \\n\\\n  qix --root\n' >"$PREFS"
chown "$TEST_USER" "$PREFS"
chmod 444 "$PREFS"
check "a file that is not writable stays as it is (status 1)" fails 1 add
chmod 644 "$PREFS"
check "an unknown subcommand (status 2)" fails 2 install
check "an unknown option (status 2)" fails 2 add --quietly
TOOL_HOME=$TEST_TMP/nowhere
check "a home that does not exist (status 1)" fails 1 add
TOOL_HOME=$HOME_DIR
printf 'programs: a\nprograms: b\n' >"$TEST_TMP/twice"
cp "$TEST_TMP/twice" "$PREFS"
check "a programs list twice (status 1)" fails 1 add --select
# A write that fails part way, as on a full disk: the backup fits under the file-size limit,
# the longer new text does not.
printf 'programs: maze --root\n! %0990d\n' 0 >"$PREFS"
cut_short() { fails 1 add && ! ls -A "$HOME_DIR" | grep -q '^\.tumblix\.'; }
FILE_BLOCKS=2
check "a write cut short (status 1) leaves the file whole and no new file" cut_short
FILE_BLOCKS=unlimited

# A dotfile manager's link: the target gets the entry, keeps its mode, and the link stays.
mkdir "$HOME_DIR/dotfiles"
printf 'programs: \\\n  maze --root \\n\\\n\n' >"$HOME_DIR/dotfiles/xscreensaver"
chmod 640 "$HOME_DIR/dotfiles/xscreensaver"
ln -sf dotfiles/xscreensaver "$PREFS"
chown -R -h "$TEST_USER" "$HOME_DIR"
through_link() {
    tool add && [ -L "$PREFS" ] && grep -q "bin/tumblix --root" "$HOME_DIR/dotfiles/xscreensaver" &&
        [ "$(stat -c %a "$HOME_DIR/dotfiles/xscreensaver")" = 640 ] &&
        grep -q maze "$PREFS.tumblix-backup" && ! grep -q tumblix "$PREFS.tumblix-backup"
}
check "add writes through a symlink, keeps the mode and a backup" through_link
rm -f "$PREFS" "$PREFS.tumblix-backup"

# tumblix-idle with no session bus and no Wayland: the MIT-SCREEN-SAVER extension's idle time.
NO_BUS="env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR=$TEST_TMP"
xdotool mousemove 10 10
$NO_BUS "$IDLE" --after 1 2>"$TEST_TMP/idle" &
WATCHER=$!
track "$WATCHER"
saver_runs() { pgrep -P "$WATCHER" >/dev/null; }
check "tumblix-idle starts the saver after a second of X11 idleness" wait_until 4 saver_runs
xdotool mousemove 200 200
check "... ends it on activity" wait_until 3 eval '! saver_runs'
check "... and watched MIT-SCREEN-SAVER" grep -q "watching MIT-SCREEN-SAVER;" "$TEST_TMP/idle"
kill "$WATCHER" && wait "$WATCHER"
untrack "$WATCHER"

# No ~/.xscreensaver: add --select writes one that the daemon reads as its own list after Tumblix.
new_file() { tool add --select && [ "$(stat -c %a "$PREFS")" = 644 ]; }  # as the umask says
check "add --select without a ~/.xscreensaver makes one of mode 644" new_file
printf 'fade: False\nunfade: False\n' >>"$PREFS"  # the screen blanks and comes back at once
start_xscreensaver
refuses() { $NO_BUS "$IDLE" 2>"$TEST_TMP/idle"; [ $? = 1 ] && grep -q "xscreensaver already runs.*tumblix-xscreensaver" "$TEST_TMP/idle"; }
check "beside xscreensaver, tumblix-idle points to tumblix-xscreensaver" refuses

STOCK_LAST=$(stock_program "$STOCK_COUNT")
TUMBLIX="$TEST_TMP/bin/tumblix --root"

mark
xss xscreensaver-command -activate >/dev/null 2>&1
check "-activate runs $TUMBLIX" wait_until 15 forked "$TUMBLIX"
PID=$(pid_of "$TUMBLIX")
check "... which keeps running" alive "$PID"
mark
xss xscreensaver-command -select $((STOCK_COUNT + 1)) >/dev/null 2>&1
check "the system's $STOCK_COUNT entries follow it: -select $((STOCK_COUNT + 1)) runs $STOCK_LAST" \
    wait_until 10 forked "$STOCK_LAST --root"
mark
xss xscreensaver-command -select 1 >/dev/null 2>&1
check "-select 1 runs Tumblix again" wait_until 10 forked "$TUMBLIX"
PID=$(pid_of "$TUMBLIX")
GFX=$(sed -n 's/.*: pid \([0-9]*\): launched xscreensaver-gfx.*/\1/p' "$LOG" | tail -n 1)
xss xscreensaver-command -deactivate >/dev/null 2>&1
gone() { ! alive "$PID"; }
check "-deactivate stops it" wait_until 10 gone
# Unblanking is over when the daemon has reaped its xscreensaver-gfx, after the display mode
# (seconds after, with a fade). An -activate before then starts no display mode until that
# exit, when the daemon restarts it as after a crash.
unblanked() { [ -n "$GFX" ] && wait_until 20 eval '! alive "$GFX"' || { tail -n 5 "$LOG"; return 1; }; }
check "... and the screen comes back" unblanked

check "remove" tool remove
check "... leaves no Tumblix entry in the file" eval '! grep -q "tumblix --root" "$PREFS"'
mark
xss xscreensaver-command -activate >/dev/null 2>&1
check "-activate then runs a display mode" wait_until 15 forked '[^"]* --root'
xss xscreensaver-command -select 1 >/dev/null 2>&1
sleep 1
never() { ! forked "$TUMBLIX"; }  # the daemon's log names every program it starts
check "... and neither it nor -select 1 starts tumblix" never
xss xscreensaver-command -deactivate >/dev/null 2>&1
finish
