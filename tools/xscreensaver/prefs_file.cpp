// Locating ~/.xscreensaver, reading it, and replacing it atomically with a backup.
#include "tools/xscreensaver/prefs_file.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/common/safe_file.h"

namespace
{

std::string Reason(const std::string &what)
{
    return what + ": " + strerror(errno);
}

}  // namespace

bool LocatePrefs(const char *home, PrefsFile *file, std::string *error)
{
    std::string folder;
    struct stat info;
    if (!FindHome(home, &folder, &info, error))
        return false;
    std::string shown = folder + (folder.back() == '/' ? "" : "/") + ".xscreensaver";
    mode_t mask = umask(022);
    umask(mask);
    *file = {shown,       shown,      shown + ".tumblix-backup", false, 0666 & ~mask,
             info.st_uid, info.st_gid};
    if (lstat(shown.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        *error = Reason(shown);
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        char target[PATH_MAX];
        if (realpath(file->shown.c_str(), target) == nullptr || stat(target, &info) != 0) {
            *error = Reason(file->shown + " is a symbolic link to a file that cannot be read");
            return false;
        }
        file->path = target;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = file->path + " is not a regular file";
        return false;
    }
    file->exists = true;
    file->mode = info.st_mode & 07777;
    file->owner = info.st_uid;
    file->group = info.st_gid;
    return true;
}

bool ReadPrefs(const PrefsFile &file, std::string *text, std::string *error)
{
    text->clear();
    return !file.exists || ReadWholeFile(file.path, text, error);
}

bool ReplacePrefs(const PrefsFile &file, const std::string &oldText, const std::string &text,
                  std::string *error)
{
    if (file.exists && access(file.path.c_str(), W_OK) != 0) {
        *error = Reason(file.path + " is not writable");
        return false;
    }
    FileOwnership like = {file.mode, file.owner, file.group};
    if (file.exists && !ReplaceFileAtomically(file.backup, oldText, like, error))
        return false;
    return ReplaceFileAtomically(file.path, text, like, error);
}
