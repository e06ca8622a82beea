// Command line of the Wayland host: its three ways to run and the usage text. The option
// style, the parse results and --version are every POSIX program's
// (platform/posix/options.h), so the one `tumblix` command reads the same in every session.
#ifndef TUMBLIX_WAYLAND_OPTIONS_H
#define TUMBLIX_WAYLAND_OPTIONS_H

#include "platform/posix/options.h"

enum WaylandMode {
    WAYLAND_WINDOW,      // an xdg-shell toplevel titled "Tumblix"; the compositor closes it
    WAYLAND_FULLSCREEN,  // the screen saver: every output covered; closes on input
    WAYLAND_BACKGROUND   // a background layer on every output, for a locker; no input at all
};

// Reads argv[1..argc-1]. On PARSE_ERROR, `error` holds one line (no newline); `mode` is set
// only on PARSE_OK. Two different modes are an error, a repeated one is not.
ParseResult ParseWaylandOptions(int argc, const char *const *argv, WaylandMode *mode,
                                char error[OPTION_ERROR_SIZE]);

// The usage text, several lines ending in a newline.
const char *WaylandUsageText();

#endif
