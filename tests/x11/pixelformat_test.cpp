// The pixel format record, as the window procedure fills it.
#include <gtest/gtest.h>

#include <stddef.h>
#include <windows.h>

namespace
{

TEST(PixelFormat, RecordHasTheWindowsLayout)
{
    // The window procedure writes nSize = sizeof the record; Windows expects 40.
    EXPECT_EQ(sizeof(PIXELFORMATDESCRIPTOR), 40u);
    EXPECT_EQ(offsetof(PIXELFORMATDESCRIPTOR, dwFlags), 4u);
    EXPECT_EQ(offsetof(PIXELFORMATDESCRIPTOR, cDepthBits), 23u);
    EXPECT_EQ(offsetof(PIXELFORMATDESCRIPTOR, iLayerType), 26u);
    EXPECT_EQ(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, 0x25);
}

}  // namespace
