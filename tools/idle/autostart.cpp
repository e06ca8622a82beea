// The autostart entry's text and its file, written through the tools' atomic replacement.
#include "tools/idle/autostart.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/common/safe_file.h"

const char AUTOSTART_MARKER[] = "X-Tumblix-Idle=true";

namespace
{

const char ENTRY_NAME[] = "tumblix-idle.desktop";

// The characters an Exec value holds without quoting (the desktop-entry rules).
const char PLAIN_PATH[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-";

// The user's configuration folder: $XDG_CONFIG_HOME when absolute, else ~/.config.
bool ConfigFolder(std::string *folder, std::string *error)
{
    const char *config = getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        *folder = config;
        return true;
    }
    std::string home;
    struct stat info;
    if (!FindHome(getenv("HOME"), &home, &info, error))
        return false;
    *folder = home + "/.config";
    return true;
}

bool MakeFolder(const std::string &folder, mode_t mode, std::string *error)
{
    if (mkdir(folder.c_str(), mode) == 0 || errno == EEXIST)
        return true;
    *error = "cannot make " + folder + ": " + strerror(errno);
    return false;
}

}  // namespace

bool AutostartText(const std::string &program, unsigned seconds, std::string *text)
{
    if (program.empty() || program.find_first_not_of(PLAIN_PATH) != std::string::npos)
        return false;
    *text = std::string("[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Tumblix idle watcher\n"
                        "Comment=Starts the Tumblix screen saver when the session is idle\n"
                        "Exec=") +
            program + " --after " + std::to_string(seconds) +
            "\n"
            "NoDisplay=true\n"
            "X-GNOME-Autostart-enabled=true\n" +
            AUTOSTART_MARKER + "\n";
    return true;
}

bool IsOurAutostart(const std::string &text)
{
    size_t at = 0;
    std::string marker = AUTOSTART_MARKER;
    while ((at = text.find(marker, at)) != std::string::npos) {
        size_t end = at + marker.size();
        if ((at == 0 || text[at - 1] == '\n') && (end == text.size() || text[end] == '\n'))
            return true;
        at = end;
    }
    return false;
}

bool LocateAutostart(AutostartFile *file, std::string *error)
{
    std::string config;
    if (!ConfigFolder(&config, error))
        return false;
    *file = {config + "/autostart", config + "/autostart/" + ENTRY_NAME, false, false, ""};
    struct stat info;
    if (lstat(file->path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        *error = file->path + ": " + strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = file->path + " is not a regular file: left as it is";
        return false;
    }
    file->exists = true;
    if (!ReadWholeFile(file->path, &file->text, error))
        return false;
    file->ours = IsOurAutostart(file->text);
    return true;
}

bool WriteAutostart(const AutostartFile &file, const std::string &text, std::string *error)
{
    if (file.exists && file.text == text)
        return true;
    std::string config = file.folder.substr(0, file.folder.rfind('/'));
    if (!MakeFolder(config, 0700, error) || !MakeFolder(file.folder, 0755, error))
        return false;
    FileOwnership like = {0644, geteuid(), getegid()};
    return ReplaceFileAtomically(file.path, text, like, error);
}

bool RemoveAutostart(const AutostartFile &file, std::string *error)
{
    if (unlink(file.path.c_str()) == 0 || errno == ENOENT)
        return true;
    *error = "cannot remove " + file.path + ": " + strerror(errno);
    return false;
}
