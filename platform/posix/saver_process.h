// What every POSIX saver program does before it opens its display: take the termination
// signals, keep Mesa from writing a shader cache, and let the saver register its classes.
#ifndef TUMBLIX_POSIX_SAVER_PROCESS_H
#define TUMBLIX_POSIX_SAVER_PROCESS_H

// Called by a host's entry once its command line is read. Prints one line and returns false
// when the program cannot start.
bool StartSaverProcess();

// The process's exit status for the quit message's code: its low byte, as exit() keeps it.
int SaverExitStatus(int quitCode);

#endif
