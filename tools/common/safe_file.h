// Finding the home folder, reading a whole file, and replacing a file so that no one ever sees it
// half written.
//
// A replacement goes into a new file in the target's folder, is flushed to the disk and then
// takes the target's name (rename is atomic), so a crash or a full disk leaves either the old
// text or the new one. The tools that edit a user's files (tumblix-xscreensaver, tumblix-idle)
// write through here.
#ifndef TUMBLIX_TOOLS_SAFE_FILE_H
#define TUMBLIX_TOOLS_SAFE_FILE_H

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// The mode and owner a replacement gets: the old file's, or a new file's under the umask.
struct FileOwnership {
    mode_t mode;
    uid_t owner;
    gid_t group;
};

// The user's home folder: `home` ($HOME; null or empty means the home in the password file),
// with its `info`. False with a one-line reason when that folder does not exist.
bool FindHome(const char *home, std::string *folder, struct stat *info, std::string *error);

// The whole text of the file at `path`. False with a one-line reason when it cannot be read.
bool ReadWholeFile(const std::string &path, std::string *text, std::string *error);

// Puts `text` in the place of `target` (made when missing) with the given mode and owner. An
// owner other than the caller is kept where the system allows it (root's files for a user
// may stay the user's). On failure `target` is as it was and `error` says why.
bool ReplaceFileAtomically(const std::string &target, const std::string &text,
                           const FileOwnership &like, std::string *error);

#endif
