// The entry point of tumblix-wayland, the Wayland host (`tumblix` hands over to it in a
// Wayland session): reads the command line, connects to the compositor, sets up EGL and the
// surfaces and runs the loop. Exit statuses as for every Tumblix program
// (platform/policy/exit_status.h).
#include <stdio.h>
#include <stdlib.h>

#include "platform/wayland/host.h"
#include "platform/wayland/options.h"
#include "platform/policy/exit_status.h"
#include <scrnsave.h>

int main(int argc, char **argv)
{
    WaylandMode mode = WAYLAND_WINDOW;
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = ParseWaylandOptions(argc, argv, &mode, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, WaylandUsageText(), error);
    if (!HostCatchSignals()) {
        fprintf(stderr, "tumblix: cannot take the termination signals\n");
        return EXIT_CANNOT_START;
    }
    // The saver writes no files; Mesa would otherwise keep a shader cache in ~/.cache for
    // the handful of fixed-function shaders it draws with. A user's own setting wins.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    HostStartShim(mode);
    if (!HostConnect(mode) || !HostStartEgl())
        return EXIT_CANNOT_START;
    if (!RegisterDialogClasses(nullptr)) {
        fprintf(stderr, "tumblix: the saver failed to start\n");
        return EXIT_CANNOT_START;
    }
    if (!HostShowSurfaces())
        return EXIT_CANNOT_START;
    int status = HostRun();
    wl_display_disconnect(host.display);
    return status & 0xFF;
}
