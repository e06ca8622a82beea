// Reading ~/.xscreensaver into settings and program entries with their byte ranges.
#include "tools/xscreensaver/prefs_text.h"

#include <string.h>
#include <strings.h>

#include <algorithm>

namespace
{

// A logical line after continuations are joined and escapes decoded: each decoded byte
// with the bytes of the file it came from.
struct Logical {
    std::string text;
    std::vector<Span> from;
    Span lines;
    int firstLine;
    std::vector<Span> physical;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Joins the physical lines from `start` while each ends in a backslash, as xscreensaver's
// reader does (a lone backslash on a line of its own continues nothing), then decodes the
// escapes. Returns false when the file ends on a continuation.
bool ReadLogical(const std::string &text, size_t start, Logical *out)
{
    std::vector<size_t> joined;
    size_t at = start;
    for (;;) {
        size_t newline = text.find('\n', at);
        size_t end = newline == std::string::npos ? text.size() : newline;
        size_t next = newline == std::string::npos ? text.size() : newline + 1;
        out->physical.push_back({at, next});
        bool continues = end > at && text[end - 1] == '\\' && joined.size() + (end - at) + 1 > 2;
        for (size_t i = at; i < end - (continues ? 1 : 0); i++)
            joined.push_back(i);
        at = next;
        if (!continues)
            break;
        if (next == text.size())
            return false;
    }
    out->lines = {start, at};
    for (size_t i = 0; i < joined.size(); i++) {
        char c = text[joined[i]];
        Span from = {joined[i], joined[i] + 1};
        if (c == '\\') {
            if (i + 1 == joined.size())
                break;  // a trailing lone backslash ends the value, as in xscreensaver
            char e = text[joined[++i]];
            c = e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
            from.end = joined[i] + 1;
        }
        out->text += c;
        out->from.push_back(from);
    }
    return true;
}

// The byte range of decoded bytes [begin, end); an empty range sits at `fallback`.
Span SourceOf(const Logical &line, size_t begin, size_t end, size_t fallback)
{
    if (begin >= end)
        return {fallback, fallback};
    return {line.from[begin].begin, line.from[end - 1].end};
}

// The command's first word of one entry, and whether it is enabled, as xscreensaver's
// own entry parser reads them: [-] [visual:] ["label"] command.
void ReadEntry(const std::string &d, size_t i, size_t end, ProgramEntry *entry)
{
    auto skipBlanks = [&] {
        while (i < end && IsBlank(d[i]))
            i++;
    };
    entry->enabled = true;
    if (i < end && d[i] == '-') {
        entry->enabled = false;
        i++;
        skipBlanks();
    }
    size_t word = i;
    while (word < end && d[word] != ':' && d[word] != '"' && !IsBlank(d[word]))
        word++;
    if (word < end && d[word] == ':') {
        i = word + 1;
        skipBlanks();
    }
    if (i < end && d[i] == '"') {
        size_t close = d.find('"', i + 1);
        i = close == std::string::npos || close >= end ? end : close + 1;
        skipBlanks();
    }
    size_t stop = i;
    while (stop < end && !IsBlank(d[stop]))
        stop++;
    entry->program = d.substr(i, stop - i);
}

// Splits the programs value (decoded bytes from `begin`) into its entries.
void ReadEntries(const Logical &line, size_t begin, Prefs *prefs)
{
    const std::string &d = line.text;
    size_t i = begin;
    while (i < d.size()) {
        while (i < d.size() && (d[i] == ' ' || d[i] == '\t' || d[i] == '\n'))
            i++;
        if (i == d.size())
            break;
        size_t stop = d.find('\n', i);
        if (stop == std::string::npos)
            stop = d.size();
        size_t last = stop;
        while (last > i && IsBlank(d[last - 1]))
            last--;
        ProgramEntry entry;
        entry.text = SourceOf(line, i, last, 0);
        entry.separator = stop < d.size() ? line.from[stop] : Span{entry.text.end, entry.text.end};
        ReadEntry(d, i, last, &entry);
        prefs->entries.push_back(entry);
        i = stop + 1;
    }
}

// Records one "key: value" line when its key is one the edits need.
bool ReadSetting(const Logical &line, Prefs *prefs, std::string *error)
{
    const std::string &d = line.text;
    size_t key = 0;
    while (key < d.size() && IsBlank(d[key]))
        key++;
    if (key == d.size() || strchr("#!;", d[key]) != nullptr)
        return true;
    size_t colon = d.find(':', key);
    if (colon == std::string::npos)
        return true;
    std::string name = d.substr(key, colon - key);
    size_t value = colon + 1, valueEnd = d.size();
    while (value < valueEnd && IsBlank(d[value]))
        value++;
    while (valueEnd > value && IsBlank(d[valueEnd - 1]))
        valueEnd--;
    Setting setting = {true, line.lines, SourceOf(line, value, valueEnd, line.from[colon].end),
                       line.firstLine};
    if (strcasecmp(name.c_str(), "mode") == 0) {
        prefs->mode = setting;
    } else if (strcasecmp(name.c_str(), "selected") == 0) {
        prefs->selected = setting;
    } else if (strcasecmp(name.c_str(), "programs") == 0) {
        if (prefs->programs.found) {
            *error = "line " + std::to_string(line.firstLine) +
                     ": a second programs list (the first is on line " +
                     std::to_string(prefs->programs.firstLine) + ")";
            return false;
        }
        prefs->programs = setting;
        prefs->programLines = line.physical;
        ReadEntries(line, colon + 1, prefs);
    }
    return true;
}

}  // namespace

bool ParsePrefs(const std::string &text, Prefs *prefs, std::string *error)
{
    *prefs = Prefs{};
    if (text.find('\0') != std::string::npos) {
        *error = "it holds a NUL byte, so it is not a text file";
        return false;
    }
    size_t crlf = text.find("\r\n");
    if (crlf != std::string::npos) {
        *error = "line " + std::to_string(1 + std::count(text.begin(), text.begin() + crlf, '\n')) +
                 " ends in CR LF (Windows line ends), and xscreensaver then reads no programs list;"
                 " convert it first (dos2unix)";
        return false;
    }
    int lineNumber = 1;
    for (size_t at = 0; at < text.size();) {
        Logical line;
        line.firstLine = lineNumber;
        if (!ReadLogical(text, at, &line)) {
            *error = "line " + std::to_string(lineNumber + line.physical.size() - 1) +
                     ": the last line ends in a backslash, continuing a line that never comes";
            return false;
        }
        if (!ReadSetting(line, prefs, error))
            return false;
        lineNumber += static_cast<int>(line.physical.size());
        at = line.lines.end;
    }
    return true;
}

std::string ProgramName(const std::string &program)
{
    size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}
