// Adding Tumblix to the programs list of ~/.xscreensaver, choosing it, taking it out again.
//
// Plain functions from the file's text to the new text; they never touch a file. An edit
// changes only the bytes it must: the other entries, their order and '-' marks, the other
// settings, comments and blank lines stay as they were. An entry is Tumblix's when its
// command's program file is named "tumblix", whatever its folder, visual or arguments.
// `add` puts the entry after the user's own entries, so no index moves; xscreensaver
// appends the system entries missing from the user's list after those. A "selected" past
// the user's entries (which the daemon takes as no choice) moves by one, so that it never
// lands on Tumblix. `remove` after `add` on a file without Tumblix gives back its bytes.
#ifndef TUMBLIX_XSCREENSAVER_PREFS_EDIT_H
#define TUMBLIX_XSCREENSAVER_PREFS_EDIT_H

#include <string>

enum EditResult {
    EDIT_CHANGED,    // text holds the new file
    EDIT_UNCHANGED,  // the file already says what was asked; note says why
    EDIT_REFUSED     // the file cannot be edited safely; note holds the one-line reason
};

struct Edit {
    EditResult result;
    std::string text;
    std::string note;  // one line, no newline: what changed, why nothing did, or the reason
};

// What `add` puts into the list for `command` (such as "tumblix --root"), laid out as
// xscreensaver-settings lays out its entries, with the line's continuation and newline.
std::string EntryLine(const std::string &command);

// `add`, and with `select` also `select`: makes sure an enabled Tumblix entry is in the list
// (an empty `text` is a file that does not exist yet), and with `select` sets mode "one" and
// "selected" to that entry. A disabled Tumblix entry is enabled rather than added again.
Edit AddTumblix(const std::string &text, const std::string &command, bool select);

// `remove`: takes every Tumblix entry out. A selection of one becomes "selected: -1", and
// mode "one" becomes "random"; a selection after it moves up by one.
Edit RemoveTumblix(const std::string &text);

#endif
