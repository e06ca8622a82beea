// The closing rule every host applies: which input ends the full-screen saver, the mouse
// jitter square, the owner's close request in every mode, closing only once, and no frame
// after it.
#include <gtest/gtest.h>

#include <climits>

#include "platform/policy/closing.h"
#include "platform/policy/messages.h"

namespace
{

const unsigned INPUT_MESSAGES[] = {SAVER_WM_KEYDOWN,     SAVER_WM_SYSKEYDOWN,  SAVER_WM_LBUTTONDOWN,
                                   SAVER_WM_RBUTTONDOWN, SAVER_WM_MBUTTONDOWN, SAVER_WM_XBUTTONDOWN,
                                   SAVER_WM_MOUSEWHEEL,  SAVER_WM_MOUSEHWHEEL};

CloseRules FullScreen(int x, int y)
{
    CloseRules rules;
    StartCloseRules(&rules, true);
    SetPointerStart(&rules, x, y);
    return rules;
}

bool Moves(CloseRules *rules, int x, int y)
{
    return ShouldStartClosing(rules, SAVER_WM_MOUSEMOVE, 0, PointerLParam(x, y));
}

TEST(CloseRules, InputClosesOnlyTheFullScreenSaverAndTheOwnersRequestClosesEveryMode)
{
    for (bool closesOnInput : {true, false}) {
        for (unsigned message : INPUT_MESSAGES) {
            CloseRules rules;
            StartCloseRules(&rules, closesOnInput);
            EXPECT_EQ(ShouldStartClosing(&rules, message, 0, 0), closesOnInput)
                << "message 0x" << std::hex << message;
        }
        CloseRules rules;
        StartCloseRules(&rules, closesOnInput);
        EXPECT_FALSE(Moves(&rules, 0, 0));
        EXPECT_EQ(Moves(&rules, 1000, 1000), closesOnInput);
        CloseRules asked;
        StartCloseRules(&asked, closesOnInput);
        EXPECT_TRUE(ShouldStartClosing(&asked, SAVER_WM_CLOSE, 0, 0));
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

TEST(CloseRules, OtherMessagesPassClosingStartsOnlyOnceAndHoldsBackFrames)
{
    const unsigned KEYUP = 0x0101, CHAR = 0x0102, LBUTTONUP = 0x0202, SETCURSOR = 0x0020;
    CloseRules rules = FullScreen(0, 0);
    for (unsigned message :
         {(unsigned)SAVER_WM_PAINT, (unsigned)SAVER_WM_TIMER, (unsigned)SAVER_WM_CREATE,
          (unsigned)SAVER_WM_DESTROY, KEYUP, CHAR, LBUTTONUP, SETCURSOR}) {
        EXPECT_FALSE(ShouldStartClosing(&rules, message, 0, PointerLParam(900, 900)))
            << "message 0x" << std::hex << message;
        EXPECT_TRUE(ReachesSaver(&rules, message)) << "message 0x" << std::hex << message;
    }
    EXPECT_FALSE(rules.closing);

    EXPECT_TRUE(ShouldStartClosing(&rules, SAVER_WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(ShouldStartClosing(&rules, SAVER_WM_CLOSE, 0, 0));
    EXPECT_FALSE(Moves(&rules, 500, 500));
    EXPECT_TRUE(rules.closing);
    // A timer that comes due before the window goes is held back with the paint, so no frame
    // is drawn into a context being torn down; the window's end still reaches the saver.
    EXPECT_FALSE(ReachesSaver(&rules, SAVER_WM_TIMER));
    EXPECT_FALSE(ReachesSaver(&rules, SAVER_WM_PAINT));
    EXPECT_TRUE(ReachesSaver(&rules, SAVER_WM_DESTROY));
}

TEST(CloseRules, UnseenHoldsTimersBackAndStillCloses)
{
    CloseRules rules = FullScreen(0, 0);
    SetSeen(&rules, false);
    EXPECT_FALSE(ReachesSaver(&rules, SAVER_WM_TIMER));
    EXPECT_TRUE(ReachesSaver(&rules, SAVER_WM_PAINT));
    EXPECT_TRUE(ReachesSaver(&rules, SAVER_WM_KEYDOWN));
    EXPECT_FALSE(Moves(&rules, 2, 2));
    EXPECT_TRUE(Moves(&rules, 50, 0));
    EXPECT_FALSE(ReachesSaver(&rules, SAVER_WM_PAINT));
    EXPECT_TRUE(ReachesSaver(&rules, SAVER_WM_DESTROY));
    // Seen again while it goes: closing still keeps the timers away.
    SetSeen(&rules, true);
    EXPECT_FALSE(ReachesSaver(&rules, SAVER_WM_TIMER));

    CloseRules window;
    StartCloseRules(&window, false);
    SetSeen(&window, false);
    EXPECT_TRUE(ShouldStartClosing(&window, SAVER_WM_CLOSE, 0, 0));
    CloseRules shown = FullScreen(0, 0);
    SetSeen(&shown, false);
    SetSeen(&shown, true);
    EXPECT_TRUE(ReachesSaver(&shown, SAVER_WM_TIMER));
}

TEST(CloseRules, JitterWithinTheSquareKeepsTheShowGoing)
{
    const int t = MOUSE_JITTER_PX;
    CloseRules rules = FullScreen(100, 100);
    // Back and forth around the start, up to the corners of the square; the start does not
    // creep with the jitter.
    const int path[][2] = {{101, 100}, {99, 101},          {100 + t, 100 + t}, {100 - t, 100 - t},
                           {100, 100}, {100 + t, 100 - t}, {100 + 2, 100 + 2}};
    for (int round = 0; round < 3; ++round)
        for (const auto &p : path)
            EXPECT_FALSE(Moves(&rules, p[0], p[1])) << p[0] << "," << p[1];
    EXPECT_FALSE(rules.closing);
    EXPECT_FALSE(PointerMovedTooFar(&rules, 100 + t, 100 - t));
    EXPECT_TRUE(PointerMovedTooFar(&rules, 100 - t - 1, 100));
    EXPECT_TRUE(PointerMovedTooFar(&rules, 100, 100 + t + 1));
    EXPECT_TRUE(Moves(&rules, 100 + t + 1, 100));
    // Far-apart positions do not overflow into a small distance.
    CloseRules corner = FullScreen(INT_MIN, INT_MIN);
    EXPECT_TRUE(PointerMovedTooFar(&corner, INT_MAX, INT_MAX));
}

TEST(CloseRules, WithoutAKnownStartTheFirstMoveSetsIt)
{
    CloseRules rules;
    StartCloseRules(&rules, true);
    EXPECT_FALSE(Moves(&rules, 400, 300));  // however far from anything: it is the start
    EXPECT_FALSE(Moves(&rules, 402, 301));
    EXPECT_TRUE(Moves(&rules, 420, 300));
}

TEST(CloseRules, MousePositionsTravelAsSigned16BitHalves)
{
    EXPECT_EQ(PointerLParam(1, 2), (intptr_t)0x00020001);
    // On a monitor left of or above the primary one, positions are negative. Read as
    // unsigned, -1 would look 65535 pixels away.
    CloseRules rules = FullScreen(0, 0);
    EXPECT_FALSE(Moves(&rules, -1, 0));
    EXPECT_FALSE(Moves(&rules, -3, -3));
    EXPECT_TRUE(Moves(&rules, -6, 0));

    CloseRules first;
    StartCloseRules(&first, true);
    Moves(&first, -3, 32767);
    EXPECT_EQ(first.startX, -3);
    EXPECT_EQ(first.startY, 32767);

    // A 64-bit lParam may arrive sign-extended; only the low 32 bits carry the position.
    CloseRules extended = FullScreen(10, 20);
    intptr_t lParam = PointerLParam(11, 20) | (intptr_t)(~(uintptr_t)0xFFFFFFFF);
    EXPECT_FALSE(ShouldStartClosing(&extended, SAVER_WM_MOUSEMOVE, 0, lParam));
}

}  // namespace
