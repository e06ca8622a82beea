// Turning the watcher on and off: the autostart entry, and finding the running watcher by its
// name on the session bus, or without a bus by a process of this very program and user.
#include "tools/idle/enable.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/policy/exit_status.h"
#include "tools/idle/autostart.h"
#include "tools/idle/session_bus.h"

namespace
{

int Fail(const std::string &reason)
{
    fprintf(stderr, "tumblix-idle: %s\n", reason.c_str());
    return EXIT_CANNOT_START;
}

std::string ExecutableOf(const std::string &process)
{
    char path[PATH_MAX];
    ssize_t length = readlink(("/proc/" + process + "/exe").c_str(), path, sizeof path - 1);
    return length > 0 ? std::string(path, (size_t)length) : std::string();
}

// Without a session bus: SIGTERM to every other process of this user that runs this program.
void SignalOtherWatchers()
{
    std::string self = ExecutableOf("self");
    DIR *processes = opendir("/proc");
    if (processes == nullptr || self.empty())
        return;
    while (const dirent *entry = readdir(processes)) {
        pid_t pid = (pid_t)atoi(entry->d_name);
        struct stat info;
        if (pid <= 0 || pid == getpid() ||
            stat(("/proc/" + std::string(entry->d_name)).c_str(), &info) != 0 ||
            info.st_uid != getuid() || ExecutableOf(entry->d_name) != self)
            continue;
        kill(pid, SIGTERM);
    }
    closedir(processes);
}

bool EndWatcher(std::string *error)
{
    sd_bus *bus = OpenSessionBus();
    if (bus == nullptr) {
        SignalOtherWatchers();
        return true;
    }
    const char *why = nullptr;
    bool ended = EndRunningWatcher(bus, &why);
    sd_bus_flush_close_unref(bus);
    if (!ended)
        *error = why;
    return ended;
}

// Starts `tumblix-idle --after seconds` in a session of its own, its output thrown away, so
// it outlives this command and the terminal it ran in. True once it runs: it owns its bus
// name, or (without a bus) it is still there a moment later; false when it ended at once,
// having said why (no idle source here, say).
bool StartDetached(const std::string &program, unsigned seconds)
{
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        int nothing = open("/dev/null", O_RDWR);
        dup2(nothing, 0);
        dup2(nothing, 1);
        std::string after = std::to_string(seconds);
        execl(program.c_str(), program.c_str(), "--after", after.c_str(), (char *)nullptr);
        _exit(127);
    }
    const int STEP_MS = 20, ENOUGH_MS = 2000, WITHOUT_BUS_MS = 300;
    sd_bus *bus = OpenSessionBus();
    bool runs = false;
    for (int waited = 0; waited < ENOUGH_MS && !runs; waited += STEP_MS) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            break;
        runs = bus != nullptr ? BusNameOwned(bus, WATCHER_BUS_NAME) : waited >= WITHOUT_BUS_MS;
        usleep(STEP_MS * 1000);
    }
    if (bus != nullptr)
        sd_bus_flush_close_unref(bus);
    return runs;
}

}  // namespace

int EnableWatcher(unsigned seconds)
{
    std::string program = ExecutableOf("self"), text, error;
    AutostartFile file;
    if (!AutostartText(program, seconds, &text))
        return Fail("'" + program +
                    "' has a blank or a special character, which an autostart "
                    "entry cannot hold unquoted");
    if (!LocateAutostart(&file, &error))
        return Fail(error);
    if (file.exists && !file.ours)
        return Fail(file.path + " is not tumblix-idle's entry: left as it is");
    if (!WriteAutostart(file, text, &error) || !EndWatcher(&error))
        return Fail(error);
    if (!StartDetached(program, seconds))
        return Fail("enabled for the next login, but the watcher did not start in this session");
    printf("tumblix-idle: enabled (%s); the watcher runs\n", file.path.c_str());
    return EXIT_OK;
}

int DisableWatcher()
{
    std::string error;
    AutostartFile file;
    if (!LocateAutostart(&file, &error))
        return Fail(error);
    bool ended = EndWatcher(&error);
    if (file.exists && !file.ours)
        return Fail(file.path + " is not tumblix-idle's entry: left as it is");
    if (file.ours && !RemoveAutostart(file, &error))
        return Fail(error);
    if (!ended)
        return Fail(error);
    printf("tumblix-idle: disabled\n");
    return EXIT_OK;
}
