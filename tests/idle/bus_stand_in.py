# Session-bus programs for the idle watcher's tests, each printing "ready" once on the bus:
#   bus_stand_in.py session-manager  owns org.gnome.SessionManager, whose IsInhibited says
#                                    yes for idleness (flag 8), as while a GNOME app inhibits
#   bus_stand_in.py inhibit          calls Inhibit on org.freedesktop.ScreenSaver, as a video
#                                    player does, and UnInhibit on SIGUSR1; holds on until killed
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()


class SessionManager(dbus.service.Object):
    @dbus.service.method("org.gnome.SessionManager", in_signature="u", out_signature="b")
    def IsInhibited(self, flags):
        return bool(flags & 8)


if sys.argv[1] == "session-manager":
    name = dbus.service.BusName("org.gnome.SessionManager", bus)
    SessionManager(bus, "/org/gnome/SessionManager")
else:
    saver = dbus.Interface(bus.get_object("org.freedesktop.ScreenSaver", "/ScreenSaver"),
                           "org.freedesktop.ScreenSaver")
    cookie = saver.Inhibit("idle test", "a film plays")
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, lambda: saver.UnInhibit(cookie))
print("ready", flush=True)
GLib.MainLoop().run()
