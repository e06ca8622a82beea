// The entry point of tumblix on Linux: reads the command line, opens the display, sets up
// the saver window and runs the loop. Exit status 0 after an orderly close, 1 when the
// display or the window cannot be used, 2 for a bad command line.
#include <GL/glx.h>
#include <stdio.h>
#include <stdlib.h>

#include "host.h"
#include "options.h"
#include "scrnsave.h"

enum { EXIT_BAD_USAGE = 2 };

static int BadUsage(const char *error) {
    fprintf(stderr, "tumblix: %s\n%s", error, UsageText());
    return EXIT_BAD_USAGE;
}

int main(int argc, char **argv) {
    HostOptions options;
    char error[OPTION_ERROR_SIZE];
    switch (ParseOptions(argc, argv, &options, error)) {
    case PARSE_HELP:
        fputs(UsageText(), stdout);
        return 0;
    case PARSE_VERSION:
        fputs(VersionText(), stdout);
        return 0;
    case PARSE_ERROR:
        return BadUsage(error);
    case PARSE_OK:
        break;
    }
    unsigned long windowId = options.windowId;
    if (options.mode == MODE_ROOT) {
        const char *value = getenv("XSCREENSAVER_WINDOW");
        if (ChooseRootTarget(value, &windowId) == ROOT_TARGET_BAD) {
            char shown[ARGUMENT_SHOWN_SIZE];
            ShowArgument(value, shown);
            snprintf(error, sizeof error, "XSCREENSAVER_WINDOW='%s' is not a window id", shown);
            return BadUsage(error);
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
        return 1;
    }
    HostInstallErrorHandlers();
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(host.display, &errorBase, &eventBase)) {
        fprintf(stderr, "tumblix: the display has no OpenGL (GLX) support\n");
        return 1;
    }
    if (!RegisterDialogClasses(nullptr)) {
        fprintf(stderr, "tumblix: the saver failed to start\n");
        return 1;
    }
    if (!HostPrepareWindow(options.mode, windowId)) return 1;
    int status = HostRun();
    XCloseDisplay(host.display);
    return status & 0xFF;
}
