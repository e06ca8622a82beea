// Which host `tumblix` runs on; see host_choice.h.
#include "platform/x11/host_choice.h"

#include <stdio.h>
#include <string.h>

#include "platform/x11/options.h"

static bool IsSet(const char *value)
{
    return value != nullptr && value[0] != '\0';
}

// --window-id=ID counts as well as --window-id ID.
static bool IsX11Only(const char *arg)
{
    const char *name = OptionName(arg);
    if (name == nullptr)
        return false;
    return strcmp(name, "root") == 0 || strcmp(name, "window-id") == 0 ||
           strncmp(name, "window-id=", 10) == 0;
}

HostKind ChooseHost(int argc, const char *const *argv, const SessionEnvironment *environment)
{
    for (int i = 1; i < argc; ++i)
        if (IsX11Only(argv[i]))
            return HOST_X11;
    if (IsSet(environment->xscreensaverWindow))
        return HOST_X11;
    if (IsSet(environment->waylandDisplay) || IsSet(environment->waylandSocket))
        return HOST_WAYLAND;
    return HOST_X11;
}

bool WaylandProgramPath(const char *selfPath, const char *const *relativePaths, int count,
                        bool (*exists)(const char *path), char path[HANDOVER_PATH_SIZE])
{
    const char *slash = selfPath != nullptr ? strrchr(selfPath, '/') : nullptr;
    if (slash == nullptr)
        return false;
    int folder = (int)(slash - selfPath);
    for (int i = 0; i < count; ++i) {
        int length =
            snprintf(path, HANDOVER_PATH_SIZE, "%.*s/%s", folder, selfPath, relativePaths[i]);
        if (length > 0 && length < HANDOVER_PATH_SIZE && exists(path))
            return true;
    }
    return false;
}
