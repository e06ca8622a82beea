// Whether a visual serves the pixel format the window procedure asks for.
#include <gtest/gtest.h>

#include <string.h>

#include "pixelformat.h"

namespace {

// The request the window procedure makes: 0x25, RGBA, 24 colour bits, 16 depth bits.
PIXELFORMATDESCRIPTOR SaverRequest() {
    PIXELFORMATDESCRIPTOR request;
    memset(&request, 0, sizeof request);
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = 0x25;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    return request;
}

TEST(PixelFormat, RecordHasTheWindowsLayout) {
    EXPECT_EQ(sizeof(PIXELFORMATDESCRIPTOR), 40u);
    EXPECT_EQ(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, 0x25);
}

TEST(PixelFormat, TheHostAsksWhatTheSaverAsks) {
    PIXELFORMATDESCRIPTOR host = HostPixelFormatRequest();
    PIXELFORMATDESCRIPTOR saver = SaverRequest();
    EXPECT_EQ(memcmp(&host, &saver, sizeof host), 0);
}

TEST(PixelFormat, VisualMustGiveEverythingAsked) {
    PIXELFORMATDESCRIPTOR request = SaverRequest();
    VisualTraits good = {true, true, true, 24, 24};
    EXPECT_TRUE(VisualServes(&good, &request));
    VisualTraits exact = {true, true, true, 24, 16};
    EXPECT_TRUE(VisualServes(&exact, &request));

    VisualTraits noGL = good, colourIndex = good, single = good, shallow = good, noDepth = good;
    noGL.openGL = false;
    colourIndex.rgba = false;
    single.doubleBuffer = false;
    shallow.colorBits = 16;
    noDepth.depthBits = 0;
    for (const VisualTraits &bad : {noGL, colourIndex, single, shallow, noDepth})
        EXPECT_FALSE(VisualServes(&bad, &request));

    // Asking for less is served by a visual that has more.
    request.dwFlags &= ~(DWORD)PFD_DOUBLEBUFFER;
    request.cDepthBits = 0;
    EXPECT_TRUE(VisualServes(&good, &request));
    request.iPixelType = 1;  // colour index
    EXPECT_FALSE(VisualServes(&good, &request));
}

}  // namespace
