// Locating ~/.xscreensaver, reading it, and replacing it atomically with a backup.
#include "tools/xscreensaver/prefs_file.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string Reason(const std::string &what)
{
    return what + ": " + strerror(errno);
}

std::string FolderOf(const std::string &path)
{
    return path.substr(0, path.rfind('/') + 1);
}

bool WriteAll(int fd, const std::string &text)
{
    for (size_t done = 0; done < text.size();) {
        ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// Writes `text` to a new file beside `target`, with the given mode and owner, flushed to the
// disk, then renames it over `target`. On failure `target` is as it was.
bool WriteAtomically(const std::string &target, const std::string &text, const PrefsFile &like,
                     std::string *error)
{
    std::string temporary = FolderOf(target) + ".tumblix-xscreensaver.XXXXXX";
    int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        *error = Reason("cannot make a new file in " + FolderOf(target));
        return false;
    }
    bool ok = WriteAll(fd, text) && fchmod(fd, like.mode) == 0;
    if (ok && (like.owner != geteuid() || like.group != getegid()))
        ok = fchown(fd, like.owner, like.group) == 0 || (errno == EPERM && like.owner == geteuid());
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
        int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
        if (folder >= 0) {
            fsync(folder);  // the rename itself on the disk; the new text is there already
            close(folder);
        }
        return true;
    }
    *error = Reason("cannot write " + target);
    unlink(temporary.c_str());
    return false;
}

}  // namespace

bool LocatePrefs(const char *home, PrefsFile *file, std::string *error)
{
    if (home == nullptr || home[0] == '\0') {
        const passwd *user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "";
    }
    struct stat info;
    if (home[0] == '\0' || stat(home, &info) != 0 || !S_ISDIR(info.st_mode)) {
        *error = std::string("the home folder '") + home + "' does not exist";
        return false;
    }
    std::string shown =
        std::string(home) + (home[strlen(home) - 1] == '/' ? "" : "/") + ".xscreensaver";
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
    if (!file.exists)
        return true;
    int fd = open(file.path.c_str(), O_RDONLY);
    if (fd < 0) {
        *error = Reason("cannot read " + file.path);
        return false;
    }
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        text->append(buffer, got > 0 ? static_cast<size_t>(got) : 0);
    if (got < 0)
        *error = Reason("cannot read " + file.path);
    close(fd);
    return got == 0;
}

bool ReplacePrefs(const PrefsFile &file, const std::string &oldText, const std::string &text,
                  std::string *error)
{
    if (file.exists && access(file.path.c_str(), W_OK) != 0) {
        *error = Reason(file.path + " is not writable");
        return false;
    }
    if (file.exists && !WriteAtomically(file.backup, oldText, file, error))
        return false;
    return WriteAtomically(file.path, text, file, error);
}
