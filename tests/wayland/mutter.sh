#!/bin/sh
# On headless mutter (GNOME's compositor: xdg-shell, no layer-shell) with monitors of two sizes,
# `tumblix --fullscreen` gives each output a full-screen toplevel of that output's size and
# draws into it; a monitor turned off loses its toplevel, one turned on gets one; a large
# pointer move closes them all with 0. Checked by the client's protocol log: there is no
# screenshot without gnome-shell.
#   mutter.sh TUMBLIX
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/compositor.sh"
TUMBLIX=$1
require gdbus /usr/bin/python3
start_mutter 800x600 640x480
CONFIG="gdbus call --session -d org.gnome.Mutter.DisplayConfig -o /org/gnome/Mutter/DisplayConfig
    -m org.gnome.Mutter.DisplayConfig"

# shown SIZE...: exactly these outputs have a toplevel of their size, each drawn a few times.
shown() { full_screen_shown "$TEST_TMP/err" "$@"; }
# monitors LIST: mutter's logical monitors from now on, a comma-separated list.
monitors() {
    serial=$($CONFIG.GetCurrentState | sed 's/^(uint32 \([0-9]*\),.*/\1/')
    $CONFIG.ApplyMonitorsConfig "$serial" 1 "[$1]" "{}" >/dev/null
}
FIRST="(0, 0, 1.0, 0, true, [('Meta-0', '800x600@60.000', {})])"
SECOND="(800, 0, 1.0, 0, false, [('Meta-1', '640x480@60.000', {})])"

launch env WAYLAND_DEBUG=1 "$TUMBLIX" --fullscreen
check "each output gets a full-screen toplevel of its size, drawn" wait_until 10 shown 640x480 800x600
sed 's/^/  /' "$TEST_TMP/surfaces"
monitors "$FIRST"
check "a monitor turned off loses its toplevel" wait_until 10 shown 800x600
monitors "$FIRST, $SECOND"
check "one turned on gets one" wait_until 10 shown 640x480 800x600
# mutter's remote-desktop pointer: a small move first sets where it starts.
/usr/bin/python3 -c 'import dbus, time
bus = dbus.SessionBus()
name = "org.gnome.Mutter.RemoteDesktop"
path = bus.get_object(name, "/org/gnome/Mutter/RemoteDesktop").CreateSession(dbus_interface=name)
session = dbus.Interface(bus.get_object(name, path), name + ".Session")
session.Start()
for dx in (1.0, 100.0):
    time.sleep(0.3)
    session.NotifyPointerMotionRelative(dx, 0.0)
time.sleep(0.3)'
# Its standard error holds the protocol log: nothing of its own may be there.
closed() { wait_exit "$SAVER" 3 && [ "$STATUS" = 0 ] && ! grep '^tumblix' "$TEST_TMP/err"; }
check "a large pointer move closes them all with 0" closed
finish
