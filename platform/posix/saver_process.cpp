// The start of every POSIX saver program; see saver_process.h.
#include "platform/posix/saver_process.h"

#include <stdlib.h>

#include <scrnsave.h>

#include "platform/posix/say.h"
#include "platform/posix/stop_signals.h"

bool StartSaverProcess()
{
    if (!CatchStopSignals()) {
        Say("cannot take the termination signals");
        return false;
    }
    // The saver writes no files; Mesa would otherwise keep a shader cache in ~/.cache for
    // the handful of fixed-function shaders it draws with. A user's own setting wins.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    if (!RegisterDialogClasses(nullptr)) {
        Say("the saver failed to start");
        return false;
    }
    return true;
}

int SaverExitStatus(int quitCode)
{
    return quitCode & 0xFF;
}
