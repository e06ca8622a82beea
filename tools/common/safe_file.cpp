// Whole-file reads and atomic replacements (a new file, fsync, rename, fsync of the folder).
#include "tools/common/safe_file.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
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
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
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

}  // namespace

bool FindHome(const char *home, std::string *folder, struct stat *info, std::string *error)
{
    if (home == nullptr || home[0] == '\0') {
        const passwd *user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "";
    }
    if (home[0] == '\0' || stat(home, info) != 0 || !S_ISDIR(info->st_mode)) {
        *error = std::string("the home folder '") + home + "' does not exist";
        return false;
    }
    *folder = home;
    return true;
}

bool ReadWholeFile(const std::string &path, std::string *text, std::string *error)
{
    text->clear();
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        *error = Reason("cannot read " + path);
        return false;
    }
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        text->append(buffer, got > 0 ? static_cast<size_t>(got) : 0);
    if (got < 0)
        *error = Reason("cannot read " + path);
    close(fd);
    return got == 0;
}

bool ReplaceFileAtomically(const std::string &target, const std::string &text,
                           const FileOwnership &like, std::string *error)
{
    std::string temporary = FolderOf(target) + ".tumblix.XXXXXX";
    int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        *error = Reason("cannot make a new file in " + FolderOf(target));
        return false;
    }
    // Past a file-size limit a write then fails instead of killing the program with the new
    // file left half written beside the target.
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &before);
    bool ok = WriteAll(fd, text) && fchmod(fd, like.mode) == 0;
    sigaction(SIGXFSZ, &before, nullptr);
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
