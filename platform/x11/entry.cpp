// The entry point of tumblix: hands over to another host's program in another session, else
// reads the command line, opens the X display, sets up the saver window and runs the loop.
// Exit statuses as for every Tumblix program (platform/policy/exit_status.h).
#include <GL/glx.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/policy/exit_status.h"
#include "platform/posix/host_choice.h"
#include "platform/posix/saver_process.h"
#include "platform/posix/say.h"
#include "platform/x11/host.h"
#include "platform/x11/options.h"

static bool OpenDisplay()
{
    host.display = XOpenDisplay(nullptr);
    if (host.display == nullptr) {
        const char *name = XDisplayName(nullptr);
        if (name[0] == '\0')
            Say("cannot open display (DISPLAY is not set)");
        else
            Say("cannot open display '%s'", name);
        return false;
    }
    HostInstallErrorHandlers();
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(host.display, &errorBase, &eventBase)) {
        Say("the display has no OpenGL (GLX) support");
        return false;
    }
    return true;
}

int main(int argc, char **argv)
{
    HandOverToSessionHost(argc, argv, TUMBLIX_HOSTS_FROM_BINDIR);
    X11Options options;
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = ParseX11Options(argc, argv, &options, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, X11UsageText(), error);
    unsigned long windowId = options.windowId;
    if (options.mode == X11_ROOT) {
        const char *value = getenv("XSCREENSAVER_WINDOW");
        if (ChooseRootTarget(value, &windowId) == ROOT_TARGET_BAD) {
            char shown[ARGUMENT_SHOWN_SIZE];
            ShowArgument(value, shown);
            snprintf(error, sizeof error, "XSCREENSAVER_WINDOW='%s' is not a window id", shown);
            return AnswerOptions(PARSE_ERROR, X11UsageText(), error);
        }
    }
    if (!StartSaverProcess() || !OpenDisplay() || !HostPrepareWindow(options.mode, windowId))
        return EXIT_CANNOT_START;
    int status = HostRun();
    XCloseDisplay(host.display);
    return SaverExitStatus(status);
}
