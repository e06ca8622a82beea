// The one saver the watcher runs: `tumblix --fullscreen`, started, ended and reaped.
//
// Invariant: at most one saver process exists; a saver being ended still counts until it is
// reaped, so no second one starts beside it.
#ifndef TUMBLIX_IDLE_SAVER_PROCESS_H
#define TUMBLIX_IDLE_SAVER_PROCESS_H

// How long an ended saver has to go after SIGTERM before it is killed, in milliseconds.
enum { SAVER_GRACE_MS = 2000 };

// The monotonic clock in milliseconds, which the watcher's deadlines use.
long long MonotonicMs();

// Milliseconds a loop may sleep before `deadlineMs` (0 once it has passed), or -1 when there is
// no deadline (0).
int MsUntil(long long deadlineMs);

// Called once before the first saver starts: SIGCHLD, blocked, becomes readable on
// SaverExitFd, which the watcher polls. False when it cannot be taken.
bool CatchSaverExits();
int SaverExitFd();

// Whether a saver runs (or is being ended).
bool SaverRunning();

// Starts the saver: the tumblix beside this program, else the one on the PATH, with the
// signals and mask of a fresh process. A failure is one line on stderr; the watcher goes on.
void StartSaver();

// Asks the saver to go (SIGTERM); SaverWakeMs then counts down to SIGKILL.
void EndSaver();

// Called when SaverExitFd is readable: reaps the saver if it ended, by itself or asked.
void ReapSaver();

// Milliseconds until SaverTick must kill a saver that outstays its grace; -1 when none.
int SaverWakeMs();
void SaverTick();

// At exit: ends the saver and waits for it, killing it after its grace.
void EndSaverAndWait();

#endif
