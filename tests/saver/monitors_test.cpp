// The window cut into one viewport per monitor: layouts in virtual-screen pixels, viewports
// in OpenGL's bottom-up window pixels.
#include <gtest/gtest.h>

#include <vector>

#include "saver/monitors.h"

namespace
{

TEST(ViewportsForMonitors, EachMonitorGetsItsPartOfTheWindow)
{
    struct Layout {
        const char *name;
        std::vector<ScreenRect> monitors;
        ScreenRect window;
        std::vector<Viewport> want;  // none: the whole window
    };
    const ScreenRect left = {0, 0, 800, 600}, right = {800, 0, 1600, 600};
    const Layout layouts[] = {
        {"one monitor", {left}, left, {}},
        {"a preview inside one", {left}, {300, 200, 452, 312}, {}},
        {"side by side", {left, right}, {0, 0, 1600, 600}, {{0, 0, 800, 600}, {800, 0, 800, 600}}},
        {"stacked",
         {left, {0, 600, 800, 1200}},
         {0, 0, 800, 1200},
         {{0, 600, 800, 600}, {0, 0, 800, 600}}},
        {"negative origins, different sizes",
         {{0, 0, 1920, 1080}, {-1280, -1024, 0, 0}},
         {-1280, -1024, 1920, 1080},
         {{1280, 0, 1920, 1080}, {0, 1080, 1280, 1024}}},
        {"a monitor outside the window draws nothing",
         {left, right, {5000, 0, 6000, 600}},
         {0, 0, 1600, 600},
         {{0, 0, 800, 600}, {800, 0, 800, 600}}},
        {"a window on one of two monitors", {left, right}, right, {}},
        {"a mirrored pair is one monitor", {left, left}, left, {}},
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
