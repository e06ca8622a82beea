// Which program `tumblix` runs as: its own X11 host, or one of the other hosts' programs it
// hands over to with the same arguments. The choice is a table of programs, one row each, so a
// new host is a new row. Pure functions, so tests call them directly; HandOverToSessionHost
// is the exec.
//
// xscreensaver runs on X11, so --root, --window-id and $XSCREENSAVER_WINDOW always mean X11.
// Otherwise the first row whose session test holds takes over (a Wayland session:
// WAYLAND_DISPLAY or WAYLAND_SOCKET set and not empty), and with none the X11 host stays.
#ifndef TUMBLIX_POSIX_HOST_CHOICE_H
#define TUMBLIX_POSIX_HOST_CHOICE_H

// The environment values the choice reads; null when unset.
struct SessionEnvironment {
    const char *xscreensaverWindow;
    const char *waylandDisplay;
    const char *waylandSocket;
};

struct HostProgram {
    const char *name;  // its file name, e.g. "tumblix-wayland"
    bool (*servesSession)(const SessionEnvironment *environment);  // it takes this session
};

// The programs `tumblix` may hand over to, in the order they are tried.
extern const HostProgram HOST_PROGRAMS[];
extern const int HOST_PROGRAM_COUNT;

// The row that takes this command line (argv[1..argc-1], read only for the X11-only options)
// and session, or null when the X11 host stays.
const HostProgram *ChooseHost(int argc, const char *const *argv,
                              const SessionEnvironment *environment);

enum { HANDOVER_PATH_SIZE = 4096 };  // bytes of a program's path, with its terminator

// Where program `name` is, given this program's own file `selfPath` (as /proc/self/exe names
// it): beside it (the build tree), or `installedFolder` relative to its folder (an installed
// tree: bin/ and libexec/tumblix/ under one prefix), the first for which `exists` is true.
// False when neither exists or a path does not fit.
bool HostProgramPath(const char *selfPath, const char *name, const char *installedFolder,
                     bool (*exists)(const char *path), char path[HANDOVER_PATH_SIZE]);

// Called by tumblix's entry first: execs the chosen program with the same arguments, found
// beside this one or in `installedFolder`. Returns when the X11 host stays (no row takes the
// session, or its program is missing: then Xwayland may still show it).
void HandOverToSessionHost(int argc, char **argv, const char *installedFolder);

#endif
