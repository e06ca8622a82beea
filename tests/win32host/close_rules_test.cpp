// The Windows host's closing rules: which input ends the full-screen saver, the mouse
// jitter threshold, and that a preview never closes on input.
#include <gtest/gtest.h>

#include <climits>

#include "close_rules.h"

namespace {

// Message numbers the rules must let pass.
const unsigned WM_PAINT_ = 0x000F, WM_TIMER_ = 0x0113, WM_KEYUP_ = 0x0101, WM_CHAR_ = 0x0102,
               WM_LBUTTONUP_ = 0x0202, WM_SETCURSOR_ = 0x0020, WM_CREATE_ = 0x0001;

// The lParam of a mouse message: x in the low word, y in the high word, as 16-bit halves.
intptr_t MousePosition(int x, int y)
{
    return (intptr_t)(((uint32_t)(uint16_t)y << 16) | (uint16_t)x);
}

CloseRules FullScreen(int x, int y)
{
    CloseRules rules;
    StartCloseRules(&rules, false);
    SetPointerStart(&rules, x, y);
    return rules;
}

bool Moves(CloseRules *rules, int x, int y)
{
    return ShouldStartClosing(rules, SAVER_WM_MOUSEMOVE, 0, MousePosition(x, y));
}

TEST(CloseRules, KeysButtonsAndWheelsCloseTheFullScreenSaver)
{
    for (unsigned message : {SAVER_WM_KEYDOWN, SAVER_WM_SYSKEYDOWN, SAVER_WM_LBUTTONDOWN,
                             SAVER_WM_RBUTTONDOWN, SAVER_WM_MBUTTONDOWN, SAVER_WM_XBUTTONDOWN,
                             SAVER_WM_MOUSEWHEEL, SAVER_WM_MOUSEHWHEEL}) {
        CloseRules rules = FullScreen(10, 10);
        EXPECT_TRUE(ShouldStartClosing(&rules, message, 0, 0)) << "message 0x" << std::hex << message;
        EXPECT_TRUE(rules.closing);
    }
}

TEST(CloseRules, LosingActivationClosesGainingItDoesNot)
{
    CloseRules rules = FullScreen(0, 0);
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_ACTIVATE, 1, 0));  // WA_ACTIVE
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_ACTIVATE, 2, 0));  // WA_CLICKACTIVE
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_ACTIVATEAPP, 1, 0));
    EXPECT_FALSE(rules.closing);
    // The high word of WM_ACTIVATE's wParam says whether the window is minimised.
    EXPECT_TRUE(ShouldStartClosing(&rules, SAVER_WM_ACTIVATE, 0x10000, 0));

    CloseRules other = FullScreen(0, 0);
    EXPECT_TRUE(ShouldStartClosing(&other, SAVER_WM_ACTIVATEAPP, 0, 0));
}

TEST(CloseRules, OtherMessagesPass)
{
    CloseRules rules = FullScreen(0, 0);
    for (unsigned message : {WM_PAINT_, WM_TIMER_, WM_KEYUP_, WM_CHAR_, WM_LBUTTONUP_, WM_SETCURSOR_,
                             WM_CREATE_})
        EXPECT_FALSE(ShouldStartClosing(&rules, message, 0, 0)) << "message 0x" << std::hex << message;
    EXPECT_FALSE(rules.closing);
}

TEST(CloseRules, ClosingStartsOnlyOnce)
{
    CloseRules rules = FullScreen(0, 0);
    EXPECT_TRUE(ShouldStartClosing(&rules, SAVER_WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_LBUTTONDOWN, 0, 0));
    EXPECT_FALSE(Moves(&rules, 500, 500));
    EXPECT_TRUE(rules.closing);
}

TEST(CloseRules, PreviewNeverClosesOnInput)
{
    CloseRules rules;
    StartCloseRules(&rules, true);
    for (unsigned message : {SAVER_WM_KEYDOWN, SAVER_WM_SYSKEYDOWN, SAVER_WM_LBUTTONDOWN,
                             SAVER_WM_MOUSEWHEEL, SAVER_WM_ACTIVATE, SAVER_WM_ACTIVATEAPP})
        EXPECT_FALSE(ShouldStartClosing(&rules, message, 0, 0));
    EXPECT_FALSE(Moves(&rules, 0, 0));
    EXPECT_FALSE(Moves(&rules, 300, 300));
    EXPECT_FALSE(rules.closing);
}

TEST(CloseRules, JitterWithinTheThresholdKeepsTheShowGoing)
{
    const int t = MOUSE_MOVE_THRESHOLD_PX;
    CloseRules rules = FullScreen(100, 100);
    // Back and forth around the start, never farther than the threshold.
    const int path[][2] = {{101, 100}, {99, 101}, {100 + t, 100}, {100, 100 - t}, {100 - 3, 100 + 4},
                           {100, 100}};
    for (const auto &p : path)
        EXPECT_FALSE(Moves(&rules, p[0], p[1])) << p[0] << "," << p[1];
    EXPECT_FALSE(rules.closing);
    EXPECT_TRUE(Moves(&rules, 100 + t + 1, 100));
}

TEST(CloseRules, ThresholdIsAStraightLineDistance)
{
    // 3-4-5: a diagonal step of (3, 4) is exactly 5 pixels away.
    static_assert(MOUSE_MOVE_THRESHOLD_PX == 5, "the cases below assume a 5-pixel threshold");
    CloseRules rules = FullScreen(0, 0);
    EXPECT_FALSE(PointerMovedTooFar(&rules, 3, 4));
    EXPECT_FALSE(PointerMovedTooFar(&rules, -4, -3));
    EXPECT_TRUE(PointerMovedTooFar(&rules, 4, 4));
    EXPECT_TRUE(PointerMovedTooFar(&rules, 0, -6));
    // Far-apart positions do not overflow into a small distance.
    CloseRules corner = FullScreen(INT_MIN, INT_MIN);
    EXPECT_TRUE(PointerMovedTooFar(&corner, INT_MAX, INT_MAX));
}

TEST(CloseRules, WithoutAKnownStartTheFirstMoveSetsIt)
{
    CloseRules rules;
    StartCloseRules(&rules, false);
    EXPECT_FALSE(Moves(&rules, 400, 300));  // however far from anything: it is the start
    EXPECT_FALSE(Moves(&rules, 402, 301));
    EXPECT_TRUE(Moves(&rules, 420, 300));
}

TEST(CloseRules, MousePositionsAreSigned)
{
    // On a monitor left of or above the primary one, client positions are negative. Read as
    // unsigned, -1 would look 65535 pixels away.
    CloseRules rules = FullScreen(0, 0);
    EXPECT_FALSE(Moves(&rules, -1, 0));
    EXPECT_FALSE(Moves(&rules, 0, -2));
    EXPECT_FALSE(Moves(&rules, -3, -3));
    EXPECT_TRUE(Moves(&rules, -6, 0));

    CloseRules left = FullScreen(-1000, -200);
    EXPECT_FALSE(Moves(&left, -1002, -199));
    EXPECT_TRUE(Moves(&left, -1000, -190));
}

TEST(CloseRules, MouseMessagesIgnoreBitsAboveTheTwoPositions)
{
    // A 64-bit lParam may arrive sign-extended; only the low 32 bits carry the position.
    CloseRules rules = FullScreen(10, 20);
    intptr_t extended = MousePosition(11, 20) | (intptr_t)(~(uintptr_t)0xFFFFFFFF);
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_MOUSEMOVE, 0, extended));
}

}  // namespace
