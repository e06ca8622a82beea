// Which host and mode a command line gives: tumblix's choice of the Wayland program, where
// it finds that program, and the Wayland host's own options.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "platform/wayland/options.h"
#include "platform/posix/host_choice.h"

namespace
{

// The program chosen, or "tumblix" when the X11 host stays.
std::string Choose(std::initializer_list<const char *> args, SessionEnvironment environment)
{
    const char *argv[8] = {"tumblix"};
    int argc = 1;
    for (const char *arg : args)
        argv[argc++] = arg;
    const HostProgram *program = ChooseHost(argc, argv, &environment);
    return program != nullptr ? program->name : "tumblix";
}

TEST(HostChoice, XscreensaverMeansX11AndOtherwiseTheSessionDecides)
{
    const SessionEnvironment wayland = {nullptr, "wayland-1", nullptr};
    EXPECT_EQ(Choose({"--fullscreen"}, wayland), "tumblix-wayland");
    EXPECT_EQ(Choose({}, {nullptr, nullptr, "5"}), "tumblix-wayland");  // a locker's handed socket
    EXPECT_EQ(Choose({"-root"}, wayland), "tumblix");
    EXPECT_EQ(Choose({"--window-id", "0x42"}, wayland), "tumblix");
    EXPECT_EQ(Choose({"--window-id=0x42"}, wayland), "tumblix");
    EXPECT_EQ(Choose({}, {"0x42", "wayland-1", nullptr}), "tumblix");
    EXPECT_EQ(Choose({}, {nullptr, "", ""}), "tumblix");  // empty is unset
    EXPECT_EQ(Choose({"--fullscreen"}, {nullptr, nullptr, nullptr}), "tumblix");
}

const char *existing;  // the one path the fake file system holds
bool Exists(const char *path)
{
    return strcmp(path, existing) == 0;
}

TEST(HostChoice, HostProgramBesideItOrInTheInstalledTree)
{
    const char *name = "tumblix-wayland", *installed = "../libexec/tumblix";
    char path[HANDOVER_PATH_SIZE];
    existing = "/src/build/tumblix-wayland";
    ASSERT_TRUE(HostProgramPath("/src/build/tumblix", name, installed, Exists, path));
    EXPECT_STREQ(path, existing);
    existing = "/usr/bin/../libexec/tumblix/tumblix-wayland";
    ASSERT_TRUE(HostProgramPath("/usr/bin/tumblix", name, installed, Exists, path));
    EXPECT_STREQ(path, existing);
    EXPECT_FALSE(HostProgramPath("/opt/tumblix", name, installed, Exists, path));
    EXPECT_FALSE(HostProgramPath("tumblix", name, installed, Exists, path));  // no folder known
    std::string deep = "/" + std::string(HANDOVER_PATH_SIZE, 'a') + "/tumblix";
    EXPECT_FALSE(HostProgramPath(deep.c_str(), name, installed, Exists, path));
}

ParseResult Parse(std::initializer_list<const char *> args, WaylandMode *mode, char *error)
{
    const char *argv[8] = {"tumblix"};
    int argc = 1;
    for (const char *arg : args)
        argv[argc++] = arg;
    return ParseWaylandOptions(argc, argv, mode, error);
}

TEST(WaylandOptions, ModesAndErrors)
{
    char error[OPTION_ERROR_SIZE];
    WaylandMode mode = WAYLAND_FULLSCREEN;
    EXPECT_EQ(Parse({}, &mode, error), PARSE_OK);
    EXPECT_EQ(mode, WAYLAND_WINDOW);
    EXPECT_EQ(Parse({"-background", "--background"}, &mode, error), PARSE_OK);
    EXPECT_EQ(mode, WAYLAND_BACKGROUND);
    EXPECT_EQ(Parse({"--fullscreen"}, &mode, error), PARSE_OK);
    EXPECT_EQ(mode, WAYLAND_FULLSCREEN);
    EXPECT_EQ(Parse({"--version"}, &mode, error), PARSE_VERSION);
    EXPECT_EQ(Parse({"--window", "-h"}, &mode, error), PARSE_HELP);
    struct {
        std::initializer_list<const char *> args;
        const char *message;
    } errors[] = {{{"--window", "--background"}, "conflicts"},
                  {{"--root"}, "unknown option '--root'"},
                  {{"x\x1b"}, "unexpected argument 'x?'"},
                  {{"--version", "--window"}, "takes no other arguments"}};
    for (const auto &c : errors) {
        mode = WAYLAND_FULLSCREEN;
        EXPECT_EQ(Parse(c.args, &mode, error), PARSE_ERROR) << c.message;
        EXPECT_NE(strstr(error, c.message), nullptr) << error;
        EXPECT_EQ(mode, WAYLAND_FULLSCREEN);  // left alone on an error
    }
}

}  // namespace
