// The edits of ~/.xscreensaver on real and hand-made files: what add, select and remove
// write, and that they keep every entry and every other byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tools/xscreensaver/prefs_edit.h"
#include "tools/xscreensaver/prefs_text.h"

namespace
{

const std::string COMMAND = "tumblix --root";

// What xscreensaver-settings 6.06 writes for a new user on Debian 12.
std::string StockFile()
{
    std::ifstream in(TUMBLIX_XSCREENSAVER_FIXTURE);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> EntryTexts(const std::string &text)
{
    Prefs prefs;
    std::string error;
    EXPECT_TRUE(ParsePrefs(text, &prefs, &error)) << error;
    std::vector<std::string> texts;
    for (const ProgramEntry &entry : prefs.entries)
        texts.push_back(text.substr(entry.text.begin, entry.text.end - entry.text.begin));
    return texts;
}

std::string Setting(const std::string &text, bool mode)
{
    Prefs prefs;
    std::string error;
    ParsePrefs(text, &prefs, &error);
    Span value = mode ? prefs.mode.value : prefs.selected.value;
    return text.substr(value.begin, value.end - value.begin);
}

// Files without Tumblix: add puts it after the user's entries and nothing else moves, a second
// add changes nothing, and remove gives back the file byte for byte.
TEST(XscreensaverEdit, AddKeepsEveryEntryAndRemoveGivesTheFileBack)
{
    const std::string stock = StockFile();
    ASSERT_EQ(EntryTexts(stock).size(), 249u);
    const std::string files[] = {
        stock,
        "",
        "timeout:\t0:05:00\n",
        "programs: maze --root\n",
        "programs:\n# mine\n",
        "programs: \\\n\n",
        "! hand-trimmed\nprograms: \\\n  maze --root \\n\\\n- GL: \"Foo\" foo -a "
        "\\n\\\n\tqix\n\nfade: False\n",
        "programs: \\\n  maze --root \\\n\nselected: 1\n",
        // The list's last line ends in its "\n", and settings follow at once.
        "programs: \\\n  maze --root \\n\nmode: one\nselected: 0\n",
        "mode: one\nprograms: \\\n  maze --root \\n\\\n  qix --root \\n\nselected: 1\ntimeout: "
        "0:01:00\n",
    };
    for (const std::string &file : files) {
        SCOPED_TRACE(file.substr(0, 80));
        Edit added = AddTumblix(file, COMMAND, false);
        ASSERT_EQ(added.result, EDIT_CHANGED) << added.note;
        std::vector<std::string> expected = EntryTexts(file);
        expected.push_back("GL: \t\t\t\ttumblix --root");
        EXPECT_EQ(EntryTexts(added.text), expected);
        EXPECT_EQ(Setting(added.text, true), Setting(file, true));
        EXPECT_EQ(AddTumblix(added.text, COMMAND, false).result, EDIT_UNCHANGED);
        Edit removed = RemoveTumblix(added.text);
        ASSERT_EQ(removed.result, EDIT_CHANGED);
        if (!file.empty()) {
            EXPECT_EQ(removed.text, file);
        }
        EXPECT_EQ(RemoveTumblix(file).result, EDIT_UNCHANGED);
    }
    std::string line = "  GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\\\n";
    std::string withTumblix = stock;
    withTumblix.insert(stock.find(line) + line.size(), EntryLine(COMMAND));
    EXPECT_EQ(AddTumblix(stock, COMMAND, false).text, withTumblix);
    EXPECT_EQ(EntryLine(COMMAND), "  GL: \t\t\t\ttumblix --root\t\t\t\t    \\n\\\n");
}

// Select as xscreensaver-settings records it: mode one and the entry's index, counting the
// disabled entries; a selection past the user's entries moves with the system's ones.
TEST(XscreensaverEdit, SelectAndUnselect)
{
    const std::string stock = StockFile();
    Edit chosen = AddTumblix(stock, COMMAND, true);
    EXPECT_EQ(Setting(chosen.text, true), "one");
    EXPECT_EQ(Setting(chosen.text, false), "249");
    EXPECT_EQ(RemoveTumblix(chosen.text).text, stock);  // it was random, selecting none
    EXPECT_NE(AddTumblix("", COMMAND, true).text.find("mode:\t\tone\nselected:\t0\nprograms:"),
              std::string::npos);
    EXPECT_EQ(Setting(AddTumblix("programs: a\nselected: 4\n", COMMAND, false).text, false), "5");

    const std::string three =
        "mode: one\nselected: 1\nprograms: \\\n  a \\n\\\n  GL: tumblix --root \\n\\\n  b\n";
    Edit out = RemoveTumblix(three);
    EXPECT_EQ(out.text, "mode: random\nselected: -1\nprograms: \\\n  a \\n\\\n  b\n");
    std::string later = three;
    later.replace(later.find("selected: 1"), 11, "selected: 2");
    EXPECT_EQ(Setting(RemoveTumblix(later).text, false), "1");
    EXPECT_EQ(Setting(RemoveTumblix(later).text, true), "one");
}

// Tumblix already there: enabled, disabled, by full path, twice.
TEST(XscreensaverEdit, TumblixAlreadyListed)
{
    const std::string enabled = "programs: \\\n  a \\n\\\n  GL: tumblix --root \\n\\\n\n";
    EXPECT_EQ(AddTumblix(enabled, COMMAND, false).result, EDIT_UNCHANGED);
    EXPECT_EQ(RemoveTumblix(enabled).text, "programs: \\\n  a \\n\\\n\n");
    const std::string disabled = "programs: \\\n- GL: tumblix --root \\n\\\n  a\n";
    EXPECT_EQ(AddTumblix(disabled, COMMAND, false).text,
              "programs: \\\n  GL: tumblix --root \\n\\\n  a\n");
    EXPECT_EQ(Setting(AddTumblix(disabled, COMMAND, true).text, false), "0");
    const std::string fullPath = "programs: /usr/local/bin/tumblix --root\n";
    EXPECT_EQ(AddTumblix(fullPath, COMMAND, false).result, EDIT_UNCHANGED);
    EXPECT_EQ(RemoveTumblix(fullPath).text, "programs: \n");
    EXPECT_EQ(RemoveTumblix("programs: tumblix \\n tumblix -x \\n a\n").text, "programs: a\n");
}

// Files that cannot be edited safely: refused with the reason, the text untouched.
TEST(XscreensaverEdit, RefusesBrokenFiles)
{
    struct Case {
        std::string text;
        const char *reason;
    } cases[] = {
        {"programs: \\\n  maze --root \\n\\", "line 2: the last line ends in a backslash"},
        {"programs: \\\n  maze --root \\n\\\n", "line 2: the last line ends in a backslash"},
        {"mode: one\nprograms: a\n\nPrograms: b\n",
         "line 4: a second programs list (the first is on line 2)"},
        {"mode: one\r\nprograms: \\\r\n  a \\n\\\r\n\r\n", "line 1 ends in CR LF"},
        {std::string("programs: a\0b\n", 14), "NUL"},
    };
    for (const Case &c : cases) {
        for (const Edit &edit : {AddTumblix(c.text, COMMAND, true), RemoveTumblix(c.text)}) {
            EXPECT_EQ(edit.result, EDIT_REFUSED);
            EXPECT_EQ(edit.text, c.text);
            EXPECT_NE(edit.note.find(c.reason), std::string::npos) << edit.note;
        }
    }
}

}  // namespace
