// tumblix-idle's command line and its autostart entry's text.
#include <gtest/gtest.h>

#include "tools/idle/autostart.h"
#include "tools/idle/idle_options.h"

namespace
{

// The command of a command line, with action IDLE_WATCH and 0 seconds for a bad one.
IdleCommand Parse(std::vector<const char *> args, ParseResult expected = PARSE_OK)
{
    char error[OPTION_ERROR_SIZE];
    IdleCommand command = {IDLE_WATCH, 0};
    args.insert(args.begin(), "tumblix-idle");
    EXPECT_EQ(ParseIdleCommand((int)args.size(), args.data(), &command, error), expected)
        << args.back();
    EXPECT_EQ(strchr(error, '\n'), nullptr) << error;
    return command;
}

TEST(IdleOptions, ReadsTheActionAndTheIdleTime)
{
    EXPECT_EQ(Parse({}).seconds, (unsigned)IDLE_DEFAULT_SECONDS);
    EXPECT_EQ(Parse({"--after", "1"}).seconds, 1u);
    IdleCommand enable = Parse({"enable", "-after=86400"});
    EXPECT_EQ(enable.action, IDLE_ENABLE);
    EXPECT_EQ(enable.seconds, 86400u);
    EXPECT_EQ(Parse({"disable"}).action, IDLE_DISABLE);
    Parse({"enable", "--help"}, PARSE_HELP);
    Parse({"--version"}, PARSE_VERSION);
    for (std::vector<const char *> bad : {std::vector<const char *>{"--after"},
                                          {"--after", "0"},
                                          {"--after", "86401"},
                                          {"--after", "-5"},
                                          {"--after", "1.5"},
                                          {"--after", "99999999999999999999"},
                                          {"--after="},
                                          {"disable", "--after", "5"},
                                          {"enable", "disable"},
                                          {"--bogus\n"}})
        EXPECT_EQ(Parse(bad, PARSE_ERROR).seconds, 0u);
}

TEST(Autostart, OursCarriesTheMarkerAndRunsTheWatcher)
{
    std::string text;
    ASSERT_TRUE(AutostartText("/usr/bin/tumblix-idle", 60, &text));
    EXPECT_NE(text.find("\nExec=/usr/bin/tumblix-idle --after 60\n"), std::string::npos);
    EXPECT_EQ(text.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
    EXPECT_TRUE(IsOurAutostart(text));
    EXPECT_FALSE(IsOurAutostart("[Desktop Entry]\nExec=x\n# X-Tumblix-Idle=true\n"));
    EXPECT_FALSE(IsOurAutostart("X-Tumblix-Idle=true-ish\n"));
    EXPECT_FALSE(AutostartText("/opt/my tools/tumblix-idle", 60, &text));
}

}  // namespace
