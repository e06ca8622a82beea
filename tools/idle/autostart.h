// The XDG autostart entry that starts tumblix-idle at every login, and its file.
//
// The entry is $XDG_CONFIG_HOME/autostart/tumblix-idle.desktop (~/.config/autostart/ when
// XDG_CONFIG_HOME is unset), which GNOME, KDE, Xfce, Cinnamon, MATE, LXQt and systemd's
// autostart generator read. Ours carries the marker key AUTOSTART_MARKER; a file of that name
// without it is the user's own and is never changed or removed.
#ifndef TUMBLIX_IDLE_AUTOSTART_H
#define TUMBLIX_IDLE_AUTOSTART_H

#include <string>

extern const char AUTOSTART_MARKER[];  // "X-Tumblix-Idle=true", a line of our entry

// The entry's text, which runs `program --after seconds`. Returns false when the program's
// path has a character that an Exec line would have to quote (the caller says so).
bool AutostartText(const std::string &program, unsigned seconds, std::string *text);

// Whether an entry's text is ours: the marker key on a line of its own.
bool IsOurAutostart(const std::string &text);

struct AutostartFile {
    std::string folder;  // .../autostart
    std::string path;    // .../autostart/tumblix-idle.desktop
    bool exists;
    bool ours;         // exists and carries the marker
    std::string text;  // what it holds, when it exists
};

// Finds and reads the entry. False with a one-line reason when there is no home folder, or
// the entry is not a regular file or cannot be read.
bool LocateAutostart(AutostartFile *file, std::string *error);

// Writes `text` as the entry (making the folders), atomically; nothing when it is there already.
bool WriteAutostart(const AutostartFile &file, const std::string &text, std::string *error);

// Removes our entry.
bool RemoveAutostart(const AutostartFile &file, std::string *error);

#endif
