// The entry point of tumblix on Linux: reads the command line, opens the display, sets up
// the saver window and runs the loop. Exit statuses as for every Tumblix program
// (platform/policy/exit_status.h).
#include <GL/glx.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/x11/host.h"
#include "platform/x11/host_choice.h"
#include "platform/x11/options.h"
#include "platform/policy/exit_status.h"
#include <scrnsave.h>

static bool IsProgram(const char *path)
{
    return access(path, X_OK) == 0;
}

// In a Wayland session the Wayland program takes over with the same arguments; it is looked
// for beside this program and in the installed tree. Returns when the X11 host stays (the
// session is X11, or the Wayland program is missing: then Xwayland may still show it).
static void HandOverToWayland(int argc, char **argv)
{
    SessionEnvironment environment = {getenv("XSCREENSAVER_WINDOW"), getenv("WAYLAND_DISPLAY"),
                                      getenv("WAYLAND_SOCKET")};
    if (ChooseHost(argc, argv, &environment) != HOST_WAYLAND)
        return;
    char self[HANDOVER_PATH_SIZE];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return;
    self[length] = '\0';
    static const char *const places[] = {"tumblix-wayland", TUMBLIX_WAYLAND_FROM_BINDIR};
    char path[HANDOVER_PATH_SIZE];
    if (WaylandProgramPath(self, places, 2, IsProgram, path))
        execv(path, argv);
}

int main(int argc, char **argv)
{
    HandOverToWayland(argc, argv);
    HostOptions options;
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = ParseOptions(argc, argv, &options, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, UsageText(), error);
    unsigned long windowId = options.windowId;
    if (options.mode == MODE_ROOT) {
        const char *value = getenv("XSCREENSAVER_WINDOW");
        if (ChooseRootTarget(value, &windowId) == ROOT_TARGET_BAD) {
            char shown[ARGUMENT_SHOWN_SIZE];
            ShowArgument(value, shown);
            snprintf(error, sizeof error, "XSCREENSAVER_WINDOW='%s' is not a window id", shown);
            return AnswerOptions(PARSE_ERROR, UsageText(), error);
        }
    }
    HostCatchSignals();
    // The saver writes no files; Mesa would otherwise keep a shader cache in ~/.cache for
    // the handful of fixed-function shaders it draws with. A user's own setting wins.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);

    host.display = XOpenDisplay(nullptr);
    if (host.display == nullptr) {
        const char *name = XDisplayName(nullptr);
        if (name[0] == '\0')
            fprintf(stderr, "tumblix: cannot open display (DISPLAY is not set)\n");
        else
            fprintf(stderr, "tumblix: cannot open display '%s'\n", name);
        return EXIT_CANNOT_START;
    }
    HostInstallErrorHandlers();
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(host.display, &errorBase, &eventBase)) {
        fprintf(stderr, "tumblix: the display has no OpenGL (GLX) support\n");
        return EXIT_CANNOT_START;
    }
    if (!RegisterDialogClasses(nullptr)) {
        fprintf(stderr, "tumblix: the saver failed to start\n");
        return EXIT_CANNOT_START;
    }
    if (!HostPrepareWindow(options.mode, windowId))
        return EXIT_CANNOT_START;
    int status = HostRun();
    XCloseDisplay(host.display);
    return status & 0xFF;
}
