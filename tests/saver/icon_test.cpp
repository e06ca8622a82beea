// The saver's icon: the checked-in Tumblix.ico is what make_icon writes from its pixel map,
// and it has the one 32x32 16-colour image the resource script promises.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace
{

std::vector<unsigned char> ReadFile(const std::string &path)
{
    std::vector<unsigned char> bytes;
    FILE *in = fopen(path.c_str(), "rb");
    if (in == nullptr) {
        ADD_FAILURE() << "cannot read " << path;
        return bytes;
    }
    int c;
    while ((c = fgetc(in)) != EOF) {
        bytes.push_back(static_cast<unsigned char>(c));
    }
    fclose(in);
    return bytes;
}

unsigned Le16(const std::vector<unsigned char> &b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

unsigned Le32(const std::vector<unsigned char> &b, size_t at)
{
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

TEST(Icon, CheckedInFileIsTheGeneratorsOutput)
{
    const std::string fresh = std::string(TUMBLIX_TEST_OUTPUT_DIR) + "/Tumblix.regenerated.ico";
    const std::string command = std::string(TUMBLIX_MAKE_ICON) + " " + fresh;
    ASSERT_EQ(system(command.c_str()), 0) << command;
    const std::vector<unsigned char> regenerated = ReadFile(fresh);
    const std::vector<unsigned char> checkedIn = ReadFile(TUMBLIX_ICON_FILE);
    EXPECT_FALSE(checkedIn.empty());
    EXPECT_TRUE(regenerated == checkedIn)
        << "run make_icon saver/Tumblix.ico after editing the map";
    remove(fresh.c_str());
}

TEST(Icon, OneImage32x32At4BitsIn744Bytes)
{
    const std::vector<unsigned char> ico = ReadFile(TUMBLIX_ICON_FILE);
    ASSERT_EQ(ico.size(), 6u + 16u + 744u);
    EXPECT_EQ(Le16(ico, 2), 1u);   // an icon
    EXPECT_EQ(Le16(ico, 4), 1u);   // one image
    EXPECT_EQ(ico[6], 32);         // width
    EXPECT_EQ(ico[7], 32);         // height
    EXPECT_EQ(ico[8], 16);         // colours
    EXPECT_EQ(Le16(ico, 12), 4u);  // bits per pixel
    EXPECT_EQ(Le32(ico, 14), 744u);
    EXPECT_EQ(Le32(ico, 18), 22u);
    EXPECT_EQ(Le32(ico, 22), 40u);      // BITMAPINFOHEADER
    EXPECT_EQ(Le32(ico, 22 + 8), 64u);  // colour image and mask
    EXPECT_EQ(Le16(ico, 22 + 14), 4u);

    // Corners are transparent (mask bit set), the centre is opaque yellow (entry 11).
    const size_t colors = 22 + 40 + 64, mask = colors + 512;
    EXPECT_EQ(ico[mask] & 0x80, 0x80);               // bottom-left pixel
    EXPECT_EQ(ico[mask + 31 * 4 + 3] & 0x01, 0x01);  // top-right pixel
    const size_t centreRow = 16, centreColumn = 16;
    EXPECT_EQ(ico[mask + centreRow * 4 + centreColumn / 8] & (0x80 >> (centreColumn % 8)), 0);
    EXPECT_EQ(ico[colors + centreRow * 16 + centreColumn / 2] >> 4, 11);
    // Palette entry 11 is yellow and entry 3 dark yellow (stored blue, green, red).
    EXPECT_EQ(ico[22 + 40 + 11 * 4 + 0], 0x00);
    EXPECT_EQ(ico[22 + 40 + 11 * 4 + 1], 0xFF);
    EXPECT_EQ(ico[22 + 40 + 11 * 4 + 2], 0xFF);
    EXPECT_EQ(ico[22 + 40 + 3 * 4 + 1], 0x80);
    EXPECT_EQ(ico[22 + 40 + 3 * 4 + 2], 0x80);
}

}  // namespace
