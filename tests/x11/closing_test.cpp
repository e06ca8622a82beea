// When the saver closes itself: input only in fullscreen mode, the pointer jitter rule,
// and the window manager's close request in every mode.
#include <gtest/gtest.h>

#include "closing.h"

namespace {

const HostMode ALL_MODES[] = {MODE_WINDOW, MODE_FULLSCREEN, MODE_ROOT, MODE_WINDOW_ID};
const UINT INPUT_MESSAGES[] = {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                               WM_MOUSEWHEEL};

TEST(Closing, KeysButtonsAndWheelCloseOnlyTheFullscreenSaver) {
    for (HostMode mode : ALL_MODES) {
        for (UINT message : INPUT_MESSAGES) {
            PointerStart start = {false, 0, 0};
            EXPECT_EQ(MessageStartsClosing(mode, message, 0, &start), mode == MODE_FULLSCREEN)
                << "mode " << mode << " message " << message;
        }
    }
}

TEST(Closing, CloseRequestClosesEveryMode) {
    for (HostMode mode : ALL_MODES) {
        PointerStart start = {false, 0, 0};
        EXPECT_TRUE(MessageStartsClosing(mode, WM_CLOSE, 0, &start));
    }
}

TEST(Closing, MessagesThatAreNotInputNeverClose) {
    for (HostMode mode : ALL_MODES) {
        const UINT quiet[] = {WM_CREATE, WM_DESTROY, WM_PAINT, WM_TIMER, 0x0006 /*activate*/};
        for (UINT message : quiet) {
            PointerStart start = {true, 0, 0};
            EXPECT_FALSE(MessageStartsClosing(mode, message, PointerLParam(900, 900), &start));
        }
    }
}

TEST(Closing, FirstMoveSetsTheStartAndOnlyAFarMoveCloses) {
    PointerStart start = {false, 0, 0};
    EXPECT_FALSE(MessageStartsClosing(MODE_FULLSCREEN, WM_MOUSEMOVE, PointerLParam(400, 300), &start));
    EXPECT_TRUE(start.known);
    EXPECT_EQ(start.x, 400);
    EXPECT_EQ(start.y, 300);
    // Jitter within the square is forgiven, and the start does not creep with it.
    for (int step = 0; step < 20; ++step) {
        int dx = (step % 2 == 0) ? MOUSE_JITTER_PX : -MOUSE_JITTER_PX;
        EXPECT_FALSE(MessageStartsClosing(MODE_FULLSCREEN, WM_MOUSEMOVE,
                                          PointerLParam(400 + dx, 300 + 1), &start));
    }
    EXPECT_EQ(start.x, 400);
    EXPECT_TRUE(MessageStartsClosing(MODE_FULLSCREEN, WM_MOUSEMOVE,
                                     PointerLParam(400, 300 - MOUSE_JITTER_PX - 1), &start));
}

TEST(Closing, MovesNeverCloseOutsideFullscreen) {
    for (HostMode mode : {MODE_WINDOW, MODE_ROOT, MODE_WINDOW_ID}) {
        PointerStart start = {false, 0, 0};
        EXPECT_FALSE(MessageStartsClosing(mode, WM_MOUSEMOVE, PointerLParam(0, 0), &start));
        EXPECT_FALSE(MessageStartsClosing(mode, WM_MOUSEMOVE, PointerLParam(1000, 1000), &start));
    }
}

TEST(PointerRule, ThresholdOnEachAxis) {
    EXPECT_FALSE(PointerMovedFar(10, 10, 10, 10));
    EXPECT_FALSE(PointerMovedFar(10, 10, 11, 10));  // the one-pixel nudge
    EXPECT_FALSE(PointerMovedFar(10, 10, 10 + MOUSE_JITTER_PX, 10 - MOUSE_JITTER_PX));
    EXPECT_TRUE(PointerMovedFar(10, 10, 10 + MOUSE_JITTER_PX + 1, 10));
    EXPECT_TRUE(PointerMovedFar(10, 10, 10, 10 - MOUSE_JITTER_PX - 1));
    EXPECT_TRUE(PointerMovedFar(10, 10, 10 - MOUSE_JITTER_PX - 1, 10));
    EXPECT_TRUE(PointerMovedFar(-2147483647 - 1, 0, 2147483647, 0));  // no overflow
    EXPECT_FALSE(PointerMovedFar(2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1));
}

TEST(PointerRule, PositionsTravelInLParamAsSigned16BitHalves) {
    PointerStart start = {false, 0, 0};
    MessageStartsClosing(MODE_FULLSCREEN, WM_MOUSEMOVE, PointerLParam(-3, 32767), &start);
    EXPECT_EQ(start.x, -3);  // a pointer left of a second monitor
    EXPECT_EQ(start.y, 32767);
    EXPECT_EQ(PointerLParam(1, 2), (LPARAM)0x00020001);
}

}  // namespace
