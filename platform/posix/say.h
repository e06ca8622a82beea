// The one voice of the POSIX programs on stderr: every message is one line that starts
// "tumblix: ", so a user or a screen-saver daemon's log can tell whose it is.
#ifndef TUMBLIX_POSIX_SAY_H
#define TUMBLIX_POSIX_SAY_H

// Prints "tumblix: ", the formatted text and a newline on stderr.
void Say(const char *format, ...) __attribute__((format(printf, 1, 2)));

// The display or compositor could not be reached: says `unnamed` when its `name` is null or
// empty, else `named` with the name in its one %s.
void SayUnreachable(const char *name, const char *unnamed, const char *named);

// The display or compositor (`peer`, e.g. "the X display") went away under the program: says
// so in one line and ends the process at once with EXIT_CANNOT_START, since any teardown
// would talk to the dead connection.
[[noreturn]] void ConnectionLost(const char *peer);

#endif
