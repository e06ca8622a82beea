// The add, select and remove edits of ~/.xscreensaver's text.
#include "tools/xscreensaver/prefs_edit.h"

#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <vector>

#include "tools/xscreensaver/prefs_text.h"

namespace
{

// The start of a file this command writes itself, for a user who has none.
const char NEW_FILE_HEAD[] =
    "# XScreenSaver Preferences File\n"
    "# Begun by tumblix-xscreensaver. xscreensaver adds the display modes of its own list\n"
    "# that are missing here after these; xscreensaver-settings rewrites this file in full.\n";

// xscreensaver-settings' layout: the visual, the command at column 32, the "\n\" at 76.
const char ENTRY_HEAD[] = "  GL: \t\t\t\t";
enum { COMMAND_COLUMN = 32, CONTINUATION_COLUMN = 72, TAB_WIDTH = 8 };
const char PROGRAMS_LINE[] = "programs:\t\t\t\t\t\t\t\t      \\\n";

std::string Replace(const std::string &text, Span span, const std::string &with)
{
    return text.substr(0, span.begin) + with + text.substr(span.end);
}

bool Blank(const std::string &text, size_t begin, size_t end)
{
    return text.find_first_not_of(" \t", begin) >= end;
}

int FindTumblix(const Prefs &prefs)
{
    for (size_t i = 0; i < prefs.entries.size(); i++)
        if (ProgramName(prefs.entries[i].program) == "tumblix")
            return static_cast<int>(i);
    return -1;
}

Prefs Parsed(const std::string &text)
{
    Prefs prefs;
    std::string error;
    ParsePrefs(text, &prefs, &error);  // the text was read once already; edits keep it readable
    return prefs;
}

std::string ValueOf(const std::string &text, const Setting &setting)
{
    return text.substr(setting.value.begin, setting.value.end - setting.value.begin);
}

bool IsModeOne(const std::string &text, const Setting &mode)
{
    return mode.found && strcasecmp(ValueOf(text, mode).c_str(), "one") == 0;
}

// The value of a whole-number setting, or `otherwise` when it is missing or not a number.
long NumberOf(const std::string &text, const Setting &setting, long otherwise)
{
    std::string value = ValueOf(text, setting);
    char *end = nullptr;
    long number = strtol(value.c_str(), &end, 10);
    return setting.found && !value.empty() && *end == '\0' ? number : otherwise;
}

// Sets a setting's value; a missing one gets a line of its own before the programs list.
std::string SetValue(const std::string &text, const Setting &setting, const std::string &key,
                     const std::string &value)
{
    if (setting.found)
        return Replace(text, setting.value, value);
    size_t at = Parsed(text).programs.lines.begin;
    std::string tabs = key.size() + 1 < TAB_WIDTH ? "\t\t" : "\t";
    return Replace(text, {at, at}, key + ":" + tabs + value + "\n");
}

// Puts the entry after the last one: on a line of its own when the last entry's "\n" is
// followed by a continued line (xscreensaver-settings' layout), else after the last entry.
std::string InsertEntry(const std::string &text, const Prefs &prefs, const std::string &command)
{
    if (!prefs.programs.found) {
        std::string head = text.empty() ? NEW_FILE_HEAD : "";
        std::string end = text.empty() || text.back() == '\n' ? "" : "\n";
        return text + end + head + "\n" + PROGRAMS_LINE + EntryLine(command) + "\n";
    }
    const std::vector<Span> &lines = prefs.programLines;
    if (prefs.entries.empty() && lines.size() > 1)
        return Replace(text, {lines[1].begin, lines[1].begin}, EntryLine(command));
    if (prefs.entries.empty()) {
        size_t end = lines[0].end - (text[lines[0].end - 1] == '\n' ? 1 : 0);
        return Replace(text, {end, end}, "\\\n" + std::string(ENTRY_HEAD) + command);
    }
    const ProgramEntry &last = prefs.entries.back();
    for (size_t i = 0; i + 1 < lines.size(); i++)
        if (last.separator.begin < last.separator.end && last.separator.end <= lines[i].end &&
            last.separator.begin >= lines[i].begin)
            return Replace(text, {lines[i].end, lines[i].end}, EntryLine(command));
    return Replace(text, {last.text.end, last.text.end},
                   " \\n\\\n" + std::string(ENTRY_HEAD) + command);
}

// Takes one entry out: its own line when it has one, else its text and one "\n" beside it.
// Each case undoes one way InsertEntry puts an entry in.
std::string RemoveEntry(const std::string &text, const Prefs &prefs, size_t index)
{
    const ProgramEntry &entry = prefs.entries[index];
    const std::vector<Span> &lines = prefs.programLines;
    size_t line = 0;
    while (line + 1 < lines.size() && lines[line].end <= entry.text.begin)
        line++;
    Span own = lines[line];
    bool ended = entry.separator.begin < entry.separator.end;
    if (line > 0 && ended && Blank(text, own.begin, entry.text.begin) &&
        Blank(text, entry.text.end, entry.separator.begin) && own.end >= entry.separator.end + 2 &&
        Blank(text, entry.separator.end, own.end - 2) && text.compare(own.end - 2, 2, "\\\n") == 0)
        return Replace(text, own, "");
    if (index + 1 < prefs.entries.size())
        return Replace(text, {entry.text.begin, prefs.entries[index + 1].text.begin}, "");
    // The last entry goes with the "\n" before it, so its own one ends the one before.
    if (index > 0)
        return Replace(text, {prefs.entries[index - 1].text.end, entry.text.end}, "");
    if (ended)
        return Replace(text, {entry.text.begin, entry.separator.end}, "");
    if (line == 1 && Blank(text, own.begin, entry.text.begin) &&
        text.compare(lines[0].end - 2, 2, "\\\n") == 0)
        return Replace(text, {lines[0].end - 2, entry.text.end}, "");
    return Replace(text, entry.text, "");
}

}  // namespace

std::string EntryLine(const std::string &command)
{
    std::string line = ENTRY_HEAD + command;
    size_t column = COMMAND_COLUMN + command.size();
    do {
        line += '\t';
        column = (column / TAB_WIDTH + 1) * TAB_WIDTH;
    } while (column < CONTINUATION_COLUMN);
    return line + "    \\n\\\n";
}

Edit AddTumblix(const std::string &text, const std::string &command, bool select)
{
    Prefs prefs;
    std::string error;
    if (!ParsePrefs(text, &prefs, &error))
        return {EDIT_REFUSED, text, error};
    std::string out = text, note;
    int index = FindTumblix(prefs);
    if (index < 0) {
        index = static_cast<int>(prefs.entries.size());
        out = InsertEntry(text, prefs, command);
        long selected = NumberOf(text, prefs.selected, -1);
        if (selected >= index)
            out = SetValue(out, Parsed(out).selected, "selected", std::to_string(selected + 1));
        note = "added \"GL: " + command + "\" to the programs list";
    } else if (!prefs.entries[index].enabled) {
        out = Replace(text, {prefs.entries[index].text.begin, prefs.entries[index].text.begin + 1},
                      " ");
        note = "enabled the Tumblix entry of the programs list";
    }
    if (select) {
        prefs = Parsed(out);
        if (!IsModeOne(out, prefs.mode))
            out = SetValue(out, prefs.mode, "mode", "one");
        prefs = Parsed(out);
        if (NumberOf(out, prefs.selected, -2) != index)
            out = SetValue(out, prefs.selected, "selected", std::to_string(index));
        if (out != text)
            note += std::string(note.empty() ? "made" : ", and made") +
                    " Tumblix the only display mode";
    }
    if (out == text)
        return {EDIT_UNCHANGED, text,
                select ? "Tumblix is already the only display mode"
                       : "Tumblix is already in the list"};
    return {EDIT_CHANGED, out, note};
}

Edit RemoveTumblix(const std::string &text)
{
    Prefs prefs;
    std::string error;
    if (!ParsePrefs(text, &prefs, &error))
        return {EDIT_REFUSED, text, error};
    std::string out = text;
    int removed = 0;
    for (int index = FindTumblix(prefs); index >= 0; index = FindTumblix(prefs)) {
        out = RemoveEntry(out, prefs, index);
        removed++;
        prefs = Parsed(out);
        long selected = NumberOf(out, prefs.selected, -1);
        if (selected == index) {
            out = SetValue(out, prefs.selected, "selected", "-1");
            prefs = Parsed(out);
            if (IsModeOne(out, prefs.mode))
                out = SetValue(out, prefs.mode, "mode", "random");
        } else if (selected > index) {
            out = SetValue(out, prefs.selected, "selected", std::to_string(selected - 1));
        }
        prefs = Parsed(out);
    }
    // An emptied list that add appended to a file without one goes too.
    std::string appended = std::string("\n") + PROGRAMS_LINE + "\n";
    size_t tail = out.size() - std::min(out.size(), appended.size());
    if (prefs.entries.empty() && out.compare(tail, std::string::npos, appended) == 0 &&
        (tail == 0 || out[tail - 1] == '\n'))
        out.erase(out.size() - appended.size());
    if (removed == 0)
        return {EDIT_UNCHANGED, text, "Tumblix is not in the list"};
    return {EDIT_CHANGED, out,
            "took " + std::to_string(removed) + " Tumblix entr" + (removed == 1 ? "y" : "ies") +
                " out of the programs list"};
}
