// Which program `tumblix` runs as; see host_choice.h.
#include "platform/posix/host_choice.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform/posix/options.h"

static bool IsSet(const char *value)
{
    return value != nullptr && value[0] != '\0';
}

static bool WaylandSession(const SessionEnvironment *environment)
{
    return IsSet(environment->waylandDisplay) || IsSet(environment->waylandSocket);
}

const HostProgram HOST_PROGRAMS[] = {{"tumblix-wayland", WaylandSession}};
const int HOST_PROGRAM_COUNT = (int)(sizeof HOST_PROGRAMS / sizeof HOST_PROGRAMS[0]);

// --window-id=ID counts as well as --window-id ID.
static bool IsX11Only(const char *arg)
{
    const char *name = OptionName(arg);
    if (name == nullptr)
        return false;
    return strcmp(name, "root") == 0 || strcmp(name, "window-id") == 0 ||
           strncmp(name, "window-id=", 10) == 0;
}

const HostProgram *ChooseHost(int argc, const char *const *argv,
                              const SessionEnvironment *environment)
{
    for (int i = 1; i < argc; ++i)
        if (IsX11Only(argv[i]))
            return nullptr;
    if (IsSet(environment->xscreensaverWindow))
        return nullptr;
    for (int row = 0; row < HOST_PROGRAM_COUNT; ++row)
        if (HOST_PROGRAMS[row].servesSession(environment))
            return &HOST_PROGRAMS[row];
    return nullptr;
}

bool HostProgramPath(const char *selfPath, const char *name, const char *installedFolder,
                     bool (*exists)(const char *path), char path[HANDOVER_PATH_SIZE])
{
    const char *slash = selfPath != nullptr ? strrchr(selfPath, '/') : nullptr;
    if (slash == nullptr)
        return false;
    int folder = (int)(slash - selfPath);
    const char *const places[] = {"", installedFolder};
    for (const char *place : places) {
        int length = snprintf(path, HANDOVER_PATH_SIZE, "%.*s/%s%s%s", folder, selfPath, place,
                              place[0] != '\0' ? "/" : "", name);
        if (length > 0 && length < HANDOVER_PATH_SIZE && exists(path))
            return true;
    }
    return false;
}

static bool IsProgram(const char *path)
{
    return access(path, X_OK) == 0;
}

void HandOverToSessionHost(int argc, char **argv, const char *installedFolder)
{
    SessionEnvironment environment = {getenv("XSCREENSAVER_WINDOW"), getenv("WAYLAND_DISPLAY"),
                                      getenv("WAYLAND_SOCKET")};
    const HostProgram *program = ChooseHost(argc, argv, &environment);
    if (program == nullptr)
        return;
    char self[HANDOVER_PATH_SIZE];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return;
    self[length] = '\0';
    char path[HANDOVER_PATH_SIZE];
    if (HostProgramPath(self, program->name, installedFolder, IsProgram, path))
        execv(path, argv);
}
