// The Windows host's plain decisions: every command line Windows and users send, and the junk
// that must end the program instead of starting a window; the display's power notifications.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/display_state.h"
#include "platform/win32/options.h"

namespace
{

void ExpectCommand(const std::string &text, SaverMode mode, uintptr_t window)
{
    SaverCommand command = ParseSaverCommandLine(text.c_str());
    EXPECT_EQ(command.mode, mode) << "command line [" << text << "]";
    EXPECT_EQ(command.window, window) << "command line [" << text << "]";
}

void ExpectInvalid(const std::string &text)
{
    EXPECT_EQ(ParseSaverCommandLine(text.c_str()).mode, SAVER_MODE_INVALID)
        << "command line [" << text << "]";
}

TEST(CommandLine, NothingMeansConfigure)
{
    ExpectCommand("", SAVER_MODE_CONFIGURE, 0);
    ExpectCommand("   \t ", SAVER_MODE_CONFIGURE, 0);
}

TEST(CommandLine, FullScreenInEitherCaseAndWithEitherPrefix)
{
    for (const char *text : {"/s", "/S", "-s", "-S", "  /s  ", "/s\r\n"})
        ExpectCommand(text, SAVER_MODE_FULL_SCREEN, 0);
}

TEST(CommandLine, PreviewTakesTheParentWithSpaceOrColon)
{
    for (const char *text :
         {"/p 123", "/p:123", "-P 123", "/P:123", "-p\t123", "/p   123  ", "/p: 123", "/p 0123"})
        ExpectCommand(text, SAVER_MODE_PREVIEW, 123);
}

TEST(CommandLine, ConfigureWithOrWithoutParent)
{
    ExpectCommand("/c", SAVER_MODE_CONFIGURE, 0);
    ExpectCommand("-C", SAVER_MODE_CONFIGURE, 0);
    ExpectCommand("/c:", SAVER_MODE_CONFIGURE, 0);
    ExpectCommand("/c:456", SAVER_MODE_CONFIGURE, 456);
    ExpectCommand("/C 456", SAVER_MODE_CONFIGURE, 456);
}

TEST(CommandLine, PasswordChange)
{
    ExpectCommand("/a 789", SAVER_MODE_PASSWORD, 789);
    ExpectCommand("-A:789", SAVER_MODE_PASSWORD, 789);
    ExpectCommand("/a", SAVER_MODE_PASSWORD, 0);
}

TEST(CommandLine, PreviewWithoutAUsableHandleIsRefused)
{
    for (const char *text : {"/p", "/p:", "/p   ", "/p abc", "/p 12ab", "/p 0", "/p -5", "/p +5",
                             "/p 0x1F", "/p 1.5", "/p 1 2", "/p123"})
        ExpectInvalid(text);
}

TEST(CommandLine, HandlesUpToThePointerRangeAndNoFurther)
{
    const std::string largest = std::to_string(UINTPTR_MAX);
    ExpectCommand("/p " + largest, SAVER_MODE_PREVIEW, UINTPTR_MAX);
    ExpectInvalid("/p " + largest + "0");
    ExpectInvalid("/p 99999999999999999999999999999999999999");
    // One more than the largest: the last digit overflows.
    std::string oneMore = largest;
    oneMore.back() = (char)(oneMore.back() + 1);
    ExpectInvalid("/p " + oneMore);
    ExpectInvalid("/c:" + oneMore);
}

TEST(CommandLine, UnknownSwitchesAndJunkAreRefused)
{
    for (const char *text : {"/x", "/", "-", "s", "p 123", "junk", "/save", "/ss", "/s /p 1",
                             "/s junk", "/c:abc", "/a xyz", "//s", "/-s", "\\s", "/\xc3\xa9"})
        ExpectInvalid(text);
}

TEST(CommandLine, FullScreenToleratesAHandleButNothingMore)
{
    // The handle slot is read the same way for every letter; full screen has no use for it.
    ExpectCommand("/s 5", SAVER_MODE_FULL_SCREEN, 5);
    ExpectInvalid("/s 5 6");
}

// Off is unseen; on and dimmed (and states yet unknown) show the saver; other settings and
// short data are not the display's state.
TEST(DisplayState, OnlyTheConsoleDisplayPoweredOffIsUnseen)
{
    const uint8_t states[][4] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {2, 0, 0, 0}, {0, 1, 0, 0}};
    const int seen[] = {0, 1, 1, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ConsoleDisplaySeen(&CONSOLE_DISPLAY_STATE_ID, 4, states[i]), seen[i]) << i;
    EXPECT_EQ(ConsoleDisplaySeen(&CONSOLE_DISPLAY_STATE_ID, 3, states[0]), -1);
    PowerSettingId other = CONSOLE_DISPLAY_STATE_ID;
    other.data4[7] ^= 1;  // GUID_MONITOR_POWER_ON and the like differ from it
    EXPECT_EQ(ConsoleDisplaySeen(&other, 4, states[0]), -1);
    EXPECT_EQ(ConsoleDisplaySeen(nullptr, 4, states[0]), -1);
}

}  // namespace
