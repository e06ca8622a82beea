// Which host `tumblix` runs on: its own X11 one, or the Wayland program it hands over to.
// Pure functions, so tests call them directly.
//
// xscreensaver runs on X11, so --root, --window-id and $XSCREENSAVER_WINDOW always mean X11.
// Otherwise a Wayland session (WAYLAND_DISPLAY or WAYLAND_SOCKET set and not empty) gets the
// Wayland host, and anything else X11.
#ifndef TUMBLIX_X11_HOST_CHOICE_H
#define TUMBLIX_X11_HOST_CHOICE_H

#include <stddef.h>

enum HostKind { HOST_X11, HOST_WAYLAND };

// The environment values the choice reads; null when unset.
struct SessionEnvironment {
    const char *xscreensaverWindow;
    const char *waylandDisplay;
    const char *waylandSocket;
};

// Reads argv[1..argc-1] only for the X11-only options, in either dash style.
HostKind ChooseHost(int argc, const char *const *argv, const SessionEnvironment *environment);

enum { HANDOVER_PATH_SIZE = 4096 };  // bytes of the Wayland program's path, with its terminator

// Where the Wayland program is, given this program's own file `selfPath` (as /proc/self/exe
// names it): the first of `relativePaths` (relative to the folder of `selfPath`, `count` of
// them) for which `exists` is true, so the build tree (the program beside it) and an
// installed tree (bin/ and libexec/tumblix/ under one prefix) both work. False when none
// exists or a path does not fit.
bool WaylandProgramPath(const char *selfPath, const char *const *relativePaths, int count,
                        bool (*exists)(const char *path), char path[HANDOVER_PATH_SIZE]);

#endif
