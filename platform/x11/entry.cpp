// The entry point of tumblix: hands over to another host's program in another session, else
// reads the command line, opens the X display, sets up the saver window and runs the loop.
// Exit statuses as for every Tumblix program (platform/policy/exit_status.h).
#include <GL/glx.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/posix/host_choice.h"
#include "platform/posix/saver_process.h"
#include "platform/posix/say.h"
#include "platform/x11/host.h"
#include "platform/x11/options.h"

static X11Options options;
static unsigned long windowId;  // the window drawn into: given, $XSCREENSAVER_WINDOW's, or 0

// The options, and where --root draws.
static ParseResult ReadOptions(int argc, const char *const *argv, char error[OPTION_ERROR_SIZE])
{
    ParseResult parsed = ParseX11Options(argc, argv, &options, error);
    windowId = options.windowId;
    const char *value = getenv("XSCREENSAVER_WINDOW");
    if (parsed != PARSE_OK || options.mode != X11_ROOT ||
        ChooseRootTarget(value, &windowId) != ROOT_TARGET_BAD)
        return parsed;
    return RefuseArgument("XSCREENSAVER_WINDOW='%s' is not a window id", value, error);
}

static bool Open()
{
    host.display = XOpenDisplay(nullptr);
    if (host.display == nullptr) {
        SayUnreachable(XDisplayName(nullptr), "cannot open display (DISPLAY is not set)",
                       "cannot open display '%s'");
        return false;
    }
    HostInstallErrorHandlers();
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(host.display, &errorBase, &eventBase)) {
        Say("the display has no OpenGL (GLX) support");
        return false;
    }
    return HostPrepareWindow(options.mode, windowId);
}

static void Close()
{
    XCloseDisplay(host.display);
}

int main(int argc, char **argv)
{
    HandOverToSessionHost(argc, argv, TUMBLIX_HOSTS_FROM_BINDIR);
    static const SaverProgram program = {ReadOptions, X11UsageText, Open, HostRun, Close};
    return RunSaverProgram(argc, argv, &program);
}
