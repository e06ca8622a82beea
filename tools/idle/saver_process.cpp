// Starting `tumblix --fullscreen` with posix_spawn, ending it with SIGTERM (SIGKILL after a
// grace), reaping it on SIGCHLD.
#include "tools/idle/saver_process.h"

#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "platform/posix/stop_signals.h"

extern char **environ;

namespace
{

pid_t saver;         // 0: none
int exitFd = -1;     // a signalfd that SIGCHLD makes readable
long long killAtMs;  // when an ended saver gets SIGKILL; 0 when it was not asked to go

// The tumblix installed beside this program (both live in /usr/bin, or in the build folder);
// else the name alone, looked up on the PATH.
std::string SaverProgram()
{
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string beside(self, (size_t)length);
        beside = beside.substr(0, beside.rfind('/') + 1) + "tumblix";
        if (access(beside.c_str(), X_OK) == 0)
            return beside;
    }
    return "tumblix";
}

}  // namespace

long long MonotonicMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

int MsUntil(long long deadlineMs)
{
    if (deadlineMs == 0)
        return -1;
    long long left = deadlineMs - MonotonicMs();
    return left > 0 ? (int)left : 0;
}

bool CatchSaverExits()
{
    static const int CHILD_ENDED[] = {SIGCHLD};
    exitFd = BlockedSignalFd(CHILD_ENDED, 1);
    return exitFd >= 0;
}

int SaverExitFd()
{
    return exitFd;
}

bool SaverRunning()
{
    return saver != 0;
}

void StartSaver()
{
    if (saver != 0)
        return;
    std::string program = SaverProgram();
    char fullscreen[] = "--fullscreen";
    char *argv[] = {&program[0], fullscreen, nullptr};
    // The watcher blocks its signals to read them from a descriptor; the saver must not
    // inherit that, or SIGTERM would not end it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    int failed = posix_spawnp(&saver, program.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        saver = 0;
        fprintf(stderr, "tumblix-idle: cannot start %s: %s\n", program.c_str(), strerror(failed));
    }
    killAtMs = 0;
}

void EndSaver()
{
    if (saver == 0 || killAtMs != 0)
        return;
    kill(saver, SIGTERM);
    killAtMs = MonotonicMs() + SAVER_GRACE_MS;
}

void ReapSaver()
{
    signalfd_siginfo info;
    while (exitFd >= 0 && read(exitFd, &info, sizeof info) == (ssize_t)sizeof info) {
    }
    if (saver != 0 && waitpid(saver, nullptr, WNOHANG) == saver) {
        saver = 0;
        killAtMs = 0;
    }
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

int SaverWakeMs()
{
    return saver != 0 ? MsUntil(killAtMs) : -1;
}

void SaverTick()
{
    if (saver != 0 && killAtMs != 0 && MonotonicMs() >= killAtMs) {
        kill(saver, SIGKILL);
        killAtMs = MonotonicMs() + SAVER_GRACE_MS;  // not again before SIGCHLD has had its time
    }
}

void EndSaverAndWait()
{
    EndSaver();
    while (saver != 0) {
        pid_t ended = waitpid(saver, nullptr, WNOHANG);
        if (ended == saver || (ended < 0 && errno == ECHILD)) {
            saver = 0;
            break;
        }
        SaverTick();
        usleep(10000);
    }
}
