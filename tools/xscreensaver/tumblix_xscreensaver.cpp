// tumblix-xscreensaver: adds Tumblix to the user's xscreensaver list, chooses it, or takes it
// out, editing ~/.xscreensaver in place of the user. Exit statuses as for every Tumblix
// program (platform/policy/exit_status.h): 1 when the file cannot be read or written.
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "platform/policy/exit_status.h"
#include "platform/posix/options.h"
#include "tools/xscreensaver/prefs_edit.h"
#include "tools/xscreensaver/prefs_file.h"

namespace
{

const char USAGE[] =
    "usage: tumblix-xscreensaver add [--select] | select | remove | --help | --version\n"
    "  add        put Tumblix into the programs list of ~/.xscreensaver, once\n"
    "  --select   also make it the only display mode (as `select` does)\n"
    "  remove     take it out again, and its selection\n";

enum Action { ACTION_ADD, ACTION_SELECT, ACTION_REMOVE, ACTION_HELP, ACTION_VERSION, ACTION_BAD };

Action ParseAction(int argc, char **argv)
{
    std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--help")
        return ACTION_HELP;
    if (argc == 2 && first == "--version")
        return ACTION_VERSION;
    if (argc == 2 && first == "add")
        return ACTION_ADD;
    if ((argc == 2 && first == "select") ||
        (argc == 3 && first == "add" && !strcmp(argv[2], "--select")))
        return ACTION_SELECT;
    if (argc == 2 && first == "remove")
        return ACTION_REMOVE;
    return ACTION_BAD;
}

int Fail(const std::string &reason)
{
    fprintf(stderr, "tumblix-xscreensaver: %s\n", reason.c_str());
    return EXIT_CANNOT_START;
}

// The command for the list: the tumblix installed beside this program. The package puts
// both in /usr/bin and links tumblix into xscreensaver's own folder, which is always on the
// PATH it gives its display modes; anywhere else the entry names the full path.
bool TumblixCommand(std::string *command, std::string *error)
{
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        *error = "cannot tell where this program is installed";
        return false;
    }
    std::string folder(self, static_cast<size_t>(length));
    folder.erase(folder.rfind('/'));
    std::string tumblix = folder + "/tumblix";
    if (access(tumblix.c_str(), X_OK) != 0) {
        *error = "no tumblix program beside this one, in " + folder;
        return false;
    }
    // xscreensaver splits a command at blanks and hands some characters to the shell.
    if (tumblix.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                  "0123456789/._+-") != std::string::npos) {
        *error = "'" + tumblix +
                 "' has a blank or a special character, which xscreensaver's list cannot hold";
        return false;
    }
    *command = (folder == "/usr/bin" ? std::string("tumblix") : tumblix) + " --root";
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    Action action = ParseAction(argc, argv);
    if (action == ACTION_BAD) {
        char shown[ARGUMENT_SHOWN_SIZE];
        ShowArgument(argc > 1 ? argv[argc - 1] : "", shown);
        if (argc == 1)
            fprintf(stderr, "tumblix-xscreensaver: no command given\n%s", USAGE);
        else
            fprintf(stderr, "tumblix-xscreensaver: unknown %s '%s'\n%s",
                    shown[0] == '-' ? "option" : "command", shown, USAGE);
        return EXIT_BAD_USAGE;
    }
    if (action == ACTION_HELP || action == ACTION_VERSION) {
        fputs(action == ACTION_HELP ? USAGE : "tumblix-xscreensaver " TUMBLIX_VERSION "\n", stdout);
        return EXIT_OK;
    }
    PrefsFile file;
    std::string error, text, command;
    if (!LocatePrefs(getenv("HOME"), &file, &error) || !ReadPrefs(file, &text, &error))
        return Fail(error);
    Edit edit;
    if (action == ACTION_REMOVE)
        edit = RemoveTumblix(text);
    else if (!TumblixCommand(&command, &error))
        return Fail(error);
    else
        edit = AddTumblix(text, command, action == ACTION_SELECT);
    if (edit.result == EDIT_REFUSED)
        return Fail(file.path + ": " + edit.note + "; it is left as it was");
    if (edit.result == EDIT_UNCHANGED) {
        printf("tumblix-xscreensaver: %s of %s; nothing to change\n", edit.note.c_str(),
               file.shown.c_str());
        return EXIT_OK;
    }
    if (!ReplacePrefs(file, text, edit.text, &error))
        return Fail(error + "; it is left as it was");
    printf("tumblix-xscreensaver: %s of %s%s\n", edit.note.c_str(), file.shown.c_str(),
           file.exists ? (" (the previous version is " + file.backup + ")").c_str() : "");
    // xscreensaver starts a new process that reads the file each time it blanks the screen.
    printf("A running xscreensaver uses it the next time it blanks the screen.\n");
    return EXIT_OK;
}
