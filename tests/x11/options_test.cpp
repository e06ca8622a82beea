// Command line of the X11 host: modes in both dash styles, window ids, the root target.
#include <gtest/gtest.h>

#include <string.h>

#include "platform/x11/options.h"

namespace
{

struct Parsed {
    ParseResult result;
    X11Options options;
    char error[OPTION_ERROR_SIZE];
};

Parsed Parse(std::initializer_list<const char *> args)
{
    const char *argv[16] = {"tumblix"};
    int argc = 1;
    for (const char *arg : args)
        argv[argc++] = arg;
    Parsed parsed;
    parsed.options = {X11_FULLSCREEN, 12345};  // sentinel: must stay when parsing fails
    parsed.result = ParseX11Options(argc, argv, &parsed.options, parsed.error);
    return parsed;
}

// Arguments that must fail to parse, and text the error message must hold.
struct ErrorCase {
    std::initializer_list<const char *> args;
    const char *message;
};

TEST(Options, ModesInBothDashStyles)
{
    EXPECT_EQ(Parse({}).options.mode, X11_WINDOW);
    struct Case {
        const char *arg;
        X11Mode mode;
    } cases[] = {
        {"--window", X11_WINDOW},        {"-window", X11_WINDOW}, {"--fullscreen", X11_FULLSCREEN},
        {"-fullscreen", X11_FULLSCREEN}, {"--root", X11_ROOT},    {"-root", X11_ROOT}};
    for (const Case &c : cases) {
        Parsed parsed = Parse({c.arg});
        EXPECT_EQ(parsed.result, PARSE_OK) << c.arg;
        EXPECT_EQ(parsed.options.mode, c.mode) << c.arg;
    }
    EXPECT_EQ(Parse({"--root", "-root"}).result, PARSE_OK);  // repeating a mode is harmless
}

TEST(Options, WindowIdForms)
{
    Parsed parsed = Parse({"--window-id", "0x1c00007"});
    EXPECT_EQ(parsed.result, PARSE_OK);
    EXPECT_EQ(parsed.options.mode, X11_WINDOW_ID);
    EXPECT_EQ(parsed.options.windowId, 0x1c00007ul);
    parsed = Parse({"-window-id", "29360135"});
    EXPECT_EQ(parsed.options.windowId, 29360135ul);
    parsed = Parse({"--window-id=0X2A"});
    EXPECT_EQ(parsed.result, PARSE_OK);
    EXPECT_EQ(parsed.options.windowId, 42ul);
    // xscreensaver's settings program previews with both; the window id wins either way.
    for (auto args : {std::initializer_list<const char *>{"--root", "--window-id", "0x2a"},
                      {"-window-id", "42", "-root", "--root"}}) {
        parsed = Parse(args);
        EXPECT_EQ(parsed.result, PARSE_OK);
        EXPECT_EQ(parsed.options.mode, X11_WINDOW_ID);
        EXPECT_EQ(parsed.options.windowId, 42ul);
    }
}

TEST(Options, HelpWinsOverLaterArgumentsButNotEarlierErrors)
{
    EXPECT_EQ(Parse({"--help"}).result, PARSE_HELP);
    EXPECT_EQ(Parse({"-h"}).result, PARSE_HELP);
    EXPECT_EQ(Parse({"--root", "-help", "--bogus"}).result, PARSE_HELP);
    EXPECT_EQ(Parse({"--bogus", "--help"}).result, PARSE_ERROR);
}

TEST(Options, ErrorsNameTheArgumentAndLeaveOptionsAlone)
{
    const ErrorCase cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"stray"}, "stray"},
        {{"-"}, "'-'"},
        {{"--"}, "'--'"},
        {{"---root"}, "---root"},
        {{"--ROOT"}, "--ROOT"},
        {{"--window-id"}, "needs a window id"},
        {{"--window-id", "0x"}, "'0x' is not a window id"},
        {{"--window-id="}, "'' is not a window id"},
        {{"--window-id", "--root"}, "'--root' is not a window id"},
        {{"--root", "--fullscreen"}, "--fullscreen"},
        {{"--window-id", "5", "--fullscreen"}, "--fullscreen"},
        {{"--window-id", "5", "--window-id", "6"}, "two different window ids"},
    };
    for (const ErrorCase &c : cases) {
        Parsed parsed = Parse(c.args);
        EXPECT_EQ(parsed.result, PARSE_ERROR) << c.message;
        EXPECT_NE(strstr(parsed.error, c.message), nullptr) << parsed.error;
        EXPECT_EQ(strchr(parsed.error, '\n'), nullptr) << "one line: " << parsed.error;
        EXPECT_EQ(parsed.options.mode, X11_FULLSCREEN);
        EXPECT_EQ(parsed.options.windowId, 12345ul);
    }
}

TEST(Options, LongArgumentsAreCutToOneLineThatFits)
{
    char huge[1000];
    memset(huge, 'x', sizeof huge - 1);
    huge[sizeof huge - 1] = '\0';
    huge[0] = '-';
    Parsed parsed = Parse({huge});
    EXPECT_EQ(parsed.result, PARSE_ERROR);
    EXPECT_LT(strlen(parsed.error), (size_t)OPTION_ERROR_SIZE);
}

TEST(Options, ControlCharactersNeverReachTheMessage)
{
    // A newline would break the one-line message; an escape could drive the terminal.
    const ErrorCase cases[] = {
        {{"--bo\ngus"}, "unknown option '--bo?gus'"},
        {{"\x1b]0;owned\x07"}, "unexpected argument '?]0;owned?'"},
        {{"--window-id", "12\n"}, "'12?' is not a window id"},
        {{"--window-id=\r5"}, "'?5' is not a window id"},
        {{"--root", "--window\x7f"}, "unknown option '--window?'"},
    };
    for (const ErrorCase &c : cases) {
        Parsed parsed = Parse(c.args);
        EXPECT_EQ(parsed.result, PARSE_ERROR);
        EXPECT_STREQ(parsed.error, c.message);
    }
    char shown[ARGUMENT_SHOWN_SIZE];
    ShowArgument("caf\xc3\xa9", shown);  // text beyond ASCII is left alone
    EXPECT_STREQ(shown, "caf\xc3\xa9");
}

TEST(WindowId, AcceptsHexAndDecimalUpTo32Bits)
{
    struct Case {
        const char *text;
        unsigned long id;
    } cases[] = {{"1", 1},
                 {"0x1", 1},
                 {"0XaBcDeF", 0xabcdef},
                 {"007", 7},
                 {"0x00000000001", 1},
                 {"4294967295", 0xFFFFFFFFul},
                 {"0xFFFFFFFF", 0xFFFFFFFFul}};
    for (const Case &c : cases) {
        unsigned long id = 0;
        EXPECT_TRUE(ParseWindowId(c.text, &id)) << c.text;
        EXPECT_EQ(id, c.id) << c.text;
    }
}

TEST(WindowId, RejectsEverythingElse)
{
    const char *bad[] = {nullptr,
                         "",
                         "0",
                         "0x0",
                         "0x",
                         "x12",
                         "-5",
                         "+5",
                         " 5",
                         "5 ",
                         "12ab",
                         "0x12g",
                         "0x-1",
                         "1.5",
                         "4294967296",
                         "0x100000000",
                         "99999999999999999999999",
                         "0xFFFFFFFFFFFFFFFFF",
                         "0b101"};
    for (const char *text : bad) {
        unsigned long id = 77;
        EXPECT_FALSE(ParseWindowId(text, &id)) << (text ? text : "(null)");
        EXPECT_EQ(id, 77ul) << "left untouched";
    }
}

TEST(RootTarget, EnvironmentValue)
{
    unsigned long id = 0;
    EXPECT_EQ(ChooseRootTarget(nullptr, &id), ROOT_TARGET_ROOT);
    EXPECT_EQ(ChooseRootTarget("", &id), ROOT_TARGET_ROOT);
    EXPECT_EQ(ChooseRootTarget("0x2e00003", &id), ROOT_TARGET_WINDOW);
    EXPECT_EQ(id, 0x2e00003ul);
    EXPECT_EQ(ChooseRootTarget("48234499", &id), ROOT_TARGET_WINDOW);
    EXPECT_EQ(id, 48234499ul);
    EXPECT_EQ(ChooseRootTarget("window", &id), ROOT_TARGET_BAD);
    EXPECT_EQ(ChooseRootTarget("0", &id), ROOT_TARGET_BAD);
}

TEST(Usage, NamesEveryOption)
{
    const char *usage = X11UsageText();
    for (const char *option :
         {"--window ", "--fullscreen", "--root", "--window-id ID", "--help", "--version"})
        EXPECT_NE(strstr(usage, option), nullptr) << option;
    EXPECT_EQ(usage[strlen(usage) - 1], '\n');
}

}  // namespace
