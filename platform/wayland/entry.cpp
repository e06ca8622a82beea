// The entry point of tumblix-wayland, the Wayland host (`tumblix` hands over to it in a
// Wayland session): reads the command line, connects to the compositor, sets up EGL and the
// surfaces and runs the loop. Exit statuses as for every Tumblix program
// (platform/policy/exit_status.h).
#include "platform/policy/exit_status.h"
#include "platform/posix/saver_process.h"
#include "platform/wayland/host.h"
#include "platform/wayland/options.h"

int main(int argc, char **argv)
{
    WaylandMode mode = WAYLAND_WINDOW;
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = ParseWaylandOptions(argc, argv, &mode, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, WaylandUsageText(), error);
    if (!StartSaverProcess())
        return EXIT_CANNOT_START;
    // The window's size comes with the first configure.
    HostStartShim(0, 0, mode == WAYLAND_FULLSCREEN);
    if (!HostConnect(mode) || !HostStartEgl() || !HostShowSurfaces())
        return EXIT_CANNOT_START;
    int status = HostRun();
    wl_display_disconnect(host.display);
    return SaverExitStatus(status);
}
