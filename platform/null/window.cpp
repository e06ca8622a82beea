// The null host's pretend window: it has the default window size and lies nowhere, so the
// shim treats it as the one monitor. A real host creates its platform's window here.
#include "platform/null/host.h"
#include "platform/policy/surface.h"

bool HostPrepareWindow()
{
    HostStartShim(SAVER_WINDOW_WIDTH, SAVER_WINDOW_HEIGHT, host.options.mode == NULL_FULLSCREEN);
    return true;
}

// A real host destroys its platform's window after WM_DESTROY.
void HostTakeDownWindow()
{
    ShimDestroy();
}
