# enable and disable, sourced by watcher.sh in its mutter session, where its watcher runs:
# the entry's content, a watcher started at once (the running one ended), idempotence,
# disable, and a user's own entry or a bad one left as it is.
XDG_CONFIG_HOME=$TEST_TMP/config
export XDG_CONFIG_HOME
entry=$XDG_CONFIG_HOME/autostart/tumblix-idle.desktop
# The PID of the session's watcher, from its name on the bus; empty when none runs.
owner() {
    gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
        -m org.freedesktop.DBus.GetConnectionUnixProcessID org.tumblix.Idle 2>/dev/null |
        sed 's/.* \([0-9]*\),.*/\1/'
}
has_owner() { [ -n "$(owner)" ]; }
enabled() {
    "$IDLE" enable --after 1 >/dev/null 2>>"$TEST_TMP/watchers" && grep -qx "Exec=$IDLE --after 1" "$entry" &&
        grep -qx 'X-Tumblix-Idle=true' "$entry" && grep -qx 'Type=Application' "$entry" &&
        wait_until 3 has_owner && wait_exit "$SAVER" 1 && [ "$STATUS" = 0 ]
}
check "enable writes the entry and starts a watcher in place of the running one" enabled
first=$(owner)
check "which starts the saver" wait_until 4 pgrep -P "$first"
cp "$entry" "$TEST_TMP/entry"
again() {
    "$IDLE" enable --after 1 >/dev/null 2>>"$TEST_TMP/watchers" && cmp -s "$entry" "$TEST_TMP/entry" &&
        wait_until 3 has_owner && [ "$(owner)" != "$first" ]
}
check "enable again: the same entry, the watcher replaced" again
disabled() {
    saver=$(pgrep -P "$(owner)")
    "$IDLE" disable >/dev/null && [ ! -e "$entry" ] && [ -z "$(owner)" ] && ! alive "$saver"
}
check "disable removes the entry and ends the watcher and its saver" disabled
printf '[Desktop Entry]\nType=Application\nExec=my-own\n' >"$entry"
cp "$entry" "$TEST_TMP/foreign"
foreign_kept() {
    ! "$IDLE" enable 2>/dev/null && ! "$IDLE" disable 2>/dev/null &&
        cmp -s "$entry" "$TEST_TMP/foreign" && [ -z "$(owner)" ]
}
check "a user's own entry of that name stays as it is" foreign_kept
rm "$entry"
mkdir "$entry"
bad() { ! "$IDLE" enable 2>"$TEST_TMP/why" && [ "$(wc -l <"$TEST_TMP/why")" = 1 ] && [ -d "$entry" ]; }
check "an entry that is no file: one line, nothing changed" bad
