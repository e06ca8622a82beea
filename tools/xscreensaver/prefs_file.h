// Finding, reading and safely replacing the user's ~/.xscreensaver.
//
// A replacement never leaves a half-written file: the new text goes into a file beside the
// old one, which then takes its name (rename is atomic). It keeps the old file's mode and
// owner, and when ~/.xscreensaver is a symbolic link (a dotfile manager's), the link's
// target is replaced and the link stays. Before that, the old text is kept, the same safe
// way, in one backup file beside ~/.xscreensaver, which each later change replaces.
#ifndef TUMBLIX_XSCREENSAVER_PREFS_FILE_H
#define TUMBLIX_XSCREENSAVER_PREFS_FILE_H

#include <sys/types.h>

#include <string>

struct PrefsFile {
    std::string shown;   // $HOME/.xscreensaver, the name in messages
    std::string path;    // the file read and replaced: the link's target for a symlink
    std::string backup;  // $HOME/.xscreensaver.tumblix-backup
    bool exists;
    mode_t mode;  // of the existing file, or what a new file gets under the umask
    uid_t owner;  // of the existing file, or of the home folder
    gid_t group;
};

// Finds ~/.xscreensaver in `home` ($HOME; null or empty means the user's home in the
// password file). Returns false with a one-line reason when the home folder does not exist
// or ~/.xscreensaver is neither a file nor a link to one.
bool LocatePrefs(const char *home, PrefsFile *file, std::string *error);

// The whole text of an existing file; an empty text for one that does not exist.
bool ReadPrefs(const PrefsFile &file, std::string *text, std::string *error);

// Keeps `oldText` as the backup (when the file exists) and puts `text` in the file's place.
// Refuses a file the user may not write, so a read-only ~/.xscreensaver stays as it is.
bool ReplacePrefs(const PrefsFile &file, const std::string &oldText, const std::string &text,
                  std::string *error);

#endif
