// The termination signals (SIGTERM, SIGINT, SIGHUP) as one descriptor that a loop polls with
// its display connection, so a signal is an event of the loop like any other.
//
// The signals are blocked and read from a signalfd: threads started later (Mesa's) inherit
// the mask and never take them instead, and no handler runs at a random point of the loop.
#ifndef TUMBLIX_POSIX_STOP_SIGNALS_H
#define TUMBLIX_POSIX_STOP_SIGNALS_H

// Called by a program's entry before it opens a display or starts a thread. Also ignores
// SIGPIPE, so a display that goes away ends in the connection-lost message rather than a
// silent death on the next write. False when the signals cannot be taken.
bool CatchStopSignals();

// The descriptor to poll for POLLIN; -1 before CatchStopSignals.
int StopSignalFd();

// True once a termination signal has come; reads what the descriptor holds without waiting.
bool StopSignalled();

// Blocks the `count` signals of `signals` and returns a non-blocking signalfd that they make
// readable, or -1 when that cannot be done. For a program's other signals (a child's end).
int BlockedSignalFd(const int *signals, int count);

#endif
