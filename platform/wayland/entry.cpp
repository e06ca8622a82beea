// The entry point of tumblix-wayland, the Wayland host (`tumblix` hands over to it in a
// Wayland session): reads the command line, connects to the compositor, sets up EGL and the
// surfaces and runs the loop. Exit statuses as for every Tumblix program
// (platform/policy/exit_status.h).
#include "platform/posix/saver_process.h"
#include "platform/wayland/host.h"
#include "platform/wayland/options.h"

static WaylandMode mode = WAYLAND_WINDOW;

static ParseResult ReadOptions(int argc, const char *const *argv, char error[OPTION_ERROR_SIZE])
{
    return ParseWaylandOptions(argc, argv, &mode, error);
}

// The window's size comes with the first configure.
static bool Open()
{
    HostStartShim(0, 0, mode == WAYLAND_FULLSCREEN);
    return HostConnect(mode) && HostStartEgl() && HostShowSurfaces();
}

static void Close()
{
    wl_display_disconnect(host.display);
}

int main(int argc, char **argv)
{
    static const SaverProgram program = {ReadOptions, WaylandUsageText, Open, HostRun, Close};
    return RunSaverProgram(argc, argv, &program);
}
