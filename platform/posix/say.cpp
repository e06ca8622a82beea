// Messages on stderr and the connection-lost exit; see say.h.
#include "platform/posix/say.h"

#include <stdarg.h>
#include <stdio.h>
#include <unistd.h>

#include "platform/policy/exit_status.h"

static const char PREFIX[] = "tumblix: ";

void Say(const char *format, ...)
{
    fputs(PREFIX, stderr);
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    fputc('\n', stderr);
}

void SayUnreachable(const char *name, const char *unnamed, const char *named)
{
    if (name == nullptr || name[0] == '\0')
        Say("%s", unnamed);
    else
        Say(named, name);
}

void ConnectionLost(const char *peer)
{
    char line[160];
    int length = snprintf(line, sizeof line, "%slost the connection to %s\n", PREFIX, peer);
    if (length > 0) {
        ssize_t written = write(STDERR_FILENO, line, (size_t)length);
        (void)written;
    }
    _exit(EXIT_CANNOT_START);
}
