// The window cut into one viewport per monitor: layouts in virtual-screen pixels, viewports
// in OpenGL's bottom-up window pixels.
#include <gtest/gtest.h>

#include <vector>

#include "saver/monitors.h"

namespace
{

struct Layout {
    const char *name;
    std::vector<ScreenRect> monitors;
    ScreenRect window;
    std::vector<Viewport> want;  // empty: the whole window
};

TEST(ViewportsForMonitors, EachMonitorGetsItsPartOfTheWindow)
{
    const Layout layouts[] = {
        {"one monitor", {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}, {}},
        {"a preview inside one", {{0, 0, 1920, 1080}}, {300, 200, 452, 312}, {}},
        {"side by side",
         {{0, 0, 800, 600}, {800, 0, 1600, 600}},
         {0, 0, 1600, 600},
         {{0, 0, 800, 600}, {800, 0, 800, 600}}},
        {"stacked",
         {{0, 0, 800, 600}, {0, 600, 800, 1200}},
         {0, 0, 800, 1200},
         {{0, 600, 800, 600}, {0, 0, 800, 600}}},
        {"negative origins, different sizes",
         {{0, 0, 1920, 1080}, {-1280, -1024, 0, 0}},
         {-1280, -1024, 1920, 1080},
         {{1280, 0, 1920, 1080}, {0, 1080, 1280, 1024}}},
        {"a laptop below, the window short of the right edge",
         {{0, 0, 2560, 1440}, {640, 1440, 1920, 2240}},
         {0, 0, 1600, 2240},
         {{0, 800, 1600, 1440}, {640, 0, 960, 800}}},
        {"a monitor outside the window draws nothing",
         {{0, 0, 800, 600}, {800, 0, 1600, 600}, {5000, 0, 6000, 600}},
         {0, 0, 1600, 600},
         {{0, 0, 800, 600}, {800, 0, 800, 600}}},
        {"only one monitor reaches the window",
         {{0, 0, 800, 600}, {800, 0, 1600, 600}},
         {100, 100, 500, 400},
         {}},
        {"a mirrored pair is one monitor",
         {{0, 0, 800, 600}, {0, 0, 800, 600}},
         {0, 0, 800, 600},
         {}},
        {"no monitors known", {}, {0, 0, 800, 600}, {}},
    };
    for (const Layout &layout : layouts) {
        const MonitorViewports got = ViewportsForMonitors(
            layout.monitors.data(), static_cast<int>(layout.monitors.size()), layout.window);
        ASSERT_EQ(got.count, static_cast<int>(layout.want.size())) << layout.name;
        for (int n = 0; n < got.count; n++) {
            const Viewport &g = got.parts[n], &w = layout.want[n];
            EXPECT_TRUE(g.x == w.x && g.y == w.y && g.width == w.width && g.height == w.height)
                << layout.name << ", monitor " << n << ": " << g.x << " " << g.y << " " << g.width
                << " " << g.height;
        }
    }
}

}  // namespace
