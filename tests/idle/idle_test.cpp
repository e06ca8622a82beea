// tumblix-idle's command line and its autostart entry's text.
#include <gtest/gtest.h>

#include "tools/idle/autostart.h"
#include "tools/idle/idle_options.h"

namespace
{

IdleCommand Parse(std::vector<const char *> args, char *error)
{
    args.insert(args.begin(), "tumblix-idle");
    return ParseIdleCommand((int)args.size(), args.data(), error);
}

TEST(IdleOptions, ReadsTheActionAndTheIdleTime)
{
    char error[IDLE_ERROR_SIZE];
    EXPECT_EQ(Parse({}, error).seconds, (unsigned)IDLE_DEFAULT_SECONDS);
    EXPECT_EQ(Parse({"--after", "1"}, error).seconds, 1u);
    IdleCommand enable = Parse({"enable", "-after=86400"}, error);
    EXPECT_EQ(enable.action, IDLE_ENABLE);
    EXPECT_EQ(enable.seconds, 86400u);
    EXPECT_EQ(Parse({"disable"}, error).action, IDLE_DISABLE);
    EXPECT_EQ(Parse({"--help"}, error).action, IDLE_HELP);
    for (std::vector<const char *> bad : {std::vector<const char *>{"--after"},
                                          {"--after", "0"},
                                          {"--after", "86401"},
                                          {"--after", "-5"},
                                          {"--after", "1.5"},
                                          {"--after", "99999999999999999999"},
                                          {"--after="},
                                          {"disable", "--after", "5"},
                                          {"enable", "disable"},
                                          {"--bogus\n"},
                                          {"--help", "--after", "5"}}) {
        EXPECT_EQ(Parse(bad, error).action, IDLE_BAD) << bad[0];
        EXPECT_EQ(strchr(error, '\n'), nullptr) << error;
    }
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
