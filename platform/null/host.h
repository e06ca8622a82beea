// The null host's own state and the calls between its files: the saver's window procedure on
// the shim with no display, a scripted user, a simulated clock and an OpenGL that draws
// nothing. The template for a new host: each file is the room of the same name in every host
// (see platform/shim/README.md), and a real host replaces what each one pretends.
#ifndef TUMBLIX_NULL_HOST_H
#define TUMBLIX_NULL_HOST_H

#include <stdint.h>

#include "platform/posix/options.h"
#include "platform/shim/shim.h"

// The command line (options.cpp): tumblix-null [--window | --fullscreen] [--frames N].
enum NullMode {
    NULL_WINDOW,     // closed by its owner after the last frame
    NULL_FULLSCREEN  // the full-screen saver: closed by the scripted key at the last frame
};

struct NullOptions {
    NullMode mode;
    unsigned long frames;  // frames drawn before the window closes, at least 1
};

// Reads argv[1..argc-1]; `options` is set only on PARSE_OK. The usage text ends in a newline.
ParseResult ParseNullOptions(int argc, const char *const *argv, NullOptions *options,
                             char error[OPTION_ERROR_SIZE]);
const char *NullUsageText();

struct HostState {
    NullOptions options;
    int64_t clockNs;       // the simulated clock, moved on at once wherever a real loop sleeps
    unsigned long frames;  // buffer swaps so far: one per frame the window procedure drew
    bool ownerClosed;      // the window was closed by its owner, not by the saver's input rule
};

extern HostState host;

// Makes the pretend window, of the default window size, and starts the shim for it
// (window.cpp); HostTakeDownWindow is the loop's closing turn: WM_DESTROY, then the window.
bool HostPrepareWindow();
void HostTakeDownWindow();

// Starts the shim for a window of this size, with the host's table (loop.cpp).
void HostStartShim(int width, int height, bool closesOnInput);

// The scripted user (input.cpp): sends the input due once `frames` frames are drawn. In full
// screen it rests the pointer, nudges it within the jitter allowance and, at the last frame,
// presses a key, which closes the saver; a window ignores it all.
void HostPlayInput(unsigned long frames);

// The loop: sends WM_CREATE, hands out the timers' messages until the saver closes (or its
// owner closes the window at the last frame), and returns the quit message's code.
int HostRun();

// The OpenGL entries of the shim's table: a context that draws nothing (gl.cpp).
extern const ShimGL HOST_GL;

#endif
