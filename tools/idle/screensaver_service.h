// org.freedesktop.ScreenSaver for sessions where no one answers it (sway, river, niri): the
// Inhibit and UnInhibit calls that browsers and video players make while they play.
//
// Invariant: every inhibitor held belongs to a client still on the bus; one whose client
// leaves the bus is dropped, as if it had called UnInhibit.
#ifndef TUMBLIX_IDLE_SCREENSAVER_SERVICE_H
#define TUMBLIX_IDLE_SCREENSAVER_SERVICE_H

#include <systemd/sd-bus.h>

// Inhibitors held at once at most; a further Inhibit is refused with an error.
enum { MAX_INHIBITORS = 64 };

// Takes the name and answers on /org/freedesktop/ScreenSaver and /ScreenSaver. Where another
// program owns the name already (KDE's session, GNOME's shell), leaves it be and returns false.
bool OfferScreenSaver(sd_bus *bus);

// Whether any inhibitor is held. The last one going calls WatcherInhibitorsGone.
bool ScreenSaverInhibited();

#endif
