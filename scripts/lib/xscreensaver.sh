# The real xscreensaver 6 daemon for the end-to-end tests (source it after harness.sh): as
# nobody when run as root, which it refuses, with a home of its own ($HOME_DIR), its log ($LOG)
# naming each display mode it starts. xss runs a command as the daemon sees them: as that
# user, PATH=$XSS_PATH, and the NAME=VALUE words of $XSS_ENV.
require xscreensaver xscreensaver-command
chmod 755 "$TEST_TMP"
HOME_DIR=$TEST_TMP/home
LOG=$HOME_DIR/log
XSS_PATH=/usr/bin:/bin
XSS_ENV=
[ "$(id -u)" = 0 ] && TEST_USER=nobody || TEST_USER=$(id -un)
[ "$(id -u)" = 0 ] && RUN_AS="runuser -u $TEST_USER --" || RUN_AS=
mkdir "$HOME_DIR"
chown "$TEST_USER" "$HOME_DIR"
# The system's list of display modes, from its resource file: STOCK_COUNT entries;
# stock_program N: the program that the Nth runs.
AD=/etc/X11/app-defaults/XScreenSaver
STOCK_COUNT=$(sed -n '/^\*programs:/,/[^\\]$/p' "$AD" | grep -c '\\n\\\?$')
stock_program() {
    sed -n '/^\*programs:/,/[^\\]$/p' "$AD" | sed -n "$(($1 + 1))p" |
        awk '{for (i = 1; i <= NF; i++) if ($i != "-" && $i !~ /:$/) {print $i; exit}}'
}

# shellcheck disable=SC2086  # RUN_AS and XSS_ENV are lists of words
xss() { $RUN_AS env -i HOME="$HOME_DIR" DISPLAY="$DISPLAY" PATH="$XSS_PATH" LIBGL_ALWAYS_SOFTWARE=1 $XSS_ENV "$@"; }

# start_xscreensaver: the daemon on $DISPLAY, answering commands; at exit -exit ends it, its
# helpers and the display mode it runs.
start_xscreensaver() {
    before_display_ends() { xss xscreensaver-command -exit >/dev/null 2>&1; }
    xss xscreensaver --no-splash --verbose --log "$LOG" >/dev/null 2>&1 &
    track $!
    wait_until 10 xss xscreensaver-command -time || fail_now "xscreensaver did not start"
}

# forked PATTERN: since the last `mark`, the daemon started a display mode matching PATTERN;
# pid_of PATTERN: the PID of the last one it started.
mark() { MARK=$(wc -l <"$LOG"); }
forked() { tail -n "+$((MARK + 1))" "$LOG" | grep -q "forked \"$1"; }
pid_of() { tail -n "+$((MARK + 1))" "$LOG" | sed -n "s|.*forked \"$1.* in pid \([0-9]*\).*|\1|p" | tail -n 1; }
