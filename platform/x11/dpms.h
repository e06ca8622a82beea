// The monitor's power state through the DPMS extension, for seen.cpp. Kept apart from host.h:
// the extension's headers and the stand-in windows.h both define BOOL.
#ifndef TUMBLIX_X11_DPMS_H
#define TUMBLIX_X11_DPMS_H

#include <X11/Xlib.h>

// True when the server has the extension and can power its monitor down.
bool HostHasDpms(Display *display);

// True when DPMS is enabled and the monitor is in standby, suspend or off.
bool HostMonitorOff(Display *display);

#endif
