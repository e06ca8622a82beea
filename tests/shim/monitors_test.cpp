// The monitor answers of the stand-in Win32 for a window away from the screen's corner: at
// 100,40, neither at the origin nor on the diagonal, over two monitors one above the other.
// Where a point lies on the screen and the viewport each monitor gets from the saver.
#include <gtest/gtest.h>

#include <vector>

#include "platform/null/gl_calls.h"
#include "platform/shim/shim.h"

namespace
{

std::vector<std::vector<int>> viewports;  // x, y, width, height of each glViewport

int token;  // what the stand-in context points at

TEST(ShimMonitors, AWindowAwayFromTheCornerOverTwoStackedMonitors)
{
    const ShimHost host = {ShimMonotonicNs,
                           ShimNothingToDo,
                           ShimNothingToDo,
                           {nullptr, nullptr, []() -> void * { return &token; },
                            [](void *) { return true; }, [](void *) {}, []() { return true; }},
                           {[](RECT *list, int capacity) {
                                if (capacity < 2)
                                    return 0;
                                list[0] = RECT{0, 0, 800, 600};
                                list[1] = RECT{0, 600, 800, 1200};
                                return 2;
                            },
                            []() {
                                return POINT{100, 40};
                            }}};
    ShimStart(&host, 600, 960, false);  // 100..700 across, 40..1000 down
    ShimCreate();
    POINT point = {5, 7};
    ASSERT_TRUE(ClientToScreen(ShimWindow(), &point));
    EXPECT_EQ(point.x, 105);
    EXPECT_EQ(point.y, 47);
    viewportSeen = [](int x, int y, int width, int height) {
        viewports.push_back({x, y, width, height});
    };
    ShimSend(WM_TIMER, 1, 0);  // one frame
    // In OpenGL's bottom-up rows: the upper monitor shows rows 40..600, the lower 600..1000.
    const std::vector<std::vector<int>> want = {{0, 400, 600, 560}, {0, 0, 600, 400}};
    EXPECT_EQ(viewports, want);
    ShimDestroy();
}

}  // namespace
