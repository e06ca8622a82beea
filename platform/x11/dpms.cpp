// The monitor's power state through the DPMS extension; see dpms.h.
#include "platform/x11/dpms.h"

#include <X11/extensions/dpms.h>

bool HostHasDpms(Display *display)
{
    int eventBase = 0, errorBase = 0;
    return DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
}

bool HostMonitorOff(Display *display)
{
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    return DPMSInfo(display, &level, &enabled) && enabled && level != DPMSModeOn;
}
