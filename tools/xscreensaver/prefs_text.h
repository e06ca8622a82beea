// Reading ~/.xscreensaver the way xscreensaver 6 does, keeping where every part sits.
//
// xscreensaver joins a line that ends in a backslash with the next one, then turns "\n" into
// a newline; lines starting with '#', '!' or ';' are comments; the rest are "key: value",
// keys compared without case. The value of "programs" is one display mode per line: an
// optional '-' (disabled), an optional visual ("GL:"), an optional "label", the command.
// The settings program and the daemon count every entry, disabled ones too, when they read
// "selected". ParsePrefs only looks: it records byte ranges of the original text so that an
// edit can change the few bytes it means to and keep every other one.
#ifndef TUMBLIX_XSCREENSAVER_PREFS_TEXT_H
#define TUMBLIX_XSCREENSAVER_PREFS_TEXT_H

#include <stddef.h>

#include <string>
#include <vector>

// The bytes [begin, end) of the file's text.
struct Span {
    size_t begin;
    size_t end;
};

// One "key: value" setting: its physical lines (with their newlines) and its trimmed value.
struct Setting {
    bool found;
    Span lines;
    Span value;
    int firstLine;  // 1-based, for messages
};

// One display mode of the programs list.
struct ProgramEntry {
    Span text;            // from its first to its last non-blank byte, '-' and visual included
    Span separator;       // the "\n" that ends it; begin == end when it is the last, unended
    bool enabled;         // no leading '-'
    std::string program;  // the command's first word as xscreensaver reads it
};

struct Prefs {
    Setting programs;
    Setting mode;      // the last "mode:" (the one xscreensaver keeps)
    Setting selected;  // the last "selected:"
    std::vector<ProgramEntry> entries;
    std::vector<Span> programLines;  // the physical lines of the programs setting, in order
};

// Reads `text`. Returns false with a one-line reason (no newline) in *error when the file
// cannot be edited safely: Windows line ends, a NUL byte, a last line that ends in a
// backslash (a continuation with nothing to continue), or a second programs setting.
bool ParsePrefs(const std::string &text, Prefs *prefs, std::string *error);

// The file name in a command ("/usr/bin/tumblix" gives "tumblix").
std::string ProgramName(const std::string &program);

#endif
