// Writes Tumblix.ico, the saver's 32 by 32, 16-colour icon, from the pixel map below.
//
// Usage: make_icon OUTPUT.ico. The checked-in Tumblix.ico is this program's output; a test
// regenerates it and compares, so the map stays the icon's reviewable source.
#include <stdio.h>
#include <string.h>

// One character per pixel, top row first:
//   .  transparent      Y  yellow (face)      o  dark yellow (rim and shade)      #  black (eyes)
static const int ICON_SIZE = 32;  // pixels across and down
static const char *const FACE[ICON_SIZE] = {
    "..............oooo..............", "..........oooooooooooo..........",
    "........oooYYYYYYYYYYooo........", ".......ooYYYYYYYYYYYYYYoo.......",
    ".....ooYYYYYYYYYYYYYYYYYYoo.....", "....ooYYYYYYYYYYYYYYYYYYYYoo....",
    "....oYYYYYYYYYYYYYYYYYYYYYYo....", "...oYYYYYYYYYYYYYYYYYYYYYYYYo...",
    "..ooYYYYYYYYYYYYYYYYYYYYYYYYoo..", "..oYYYYYYY##YYYYYYYY##YYYYYYYo..",
    ".ooYYYYYYY##YYYYYYYY##YYYYYYYoo.", ".oYYYYYYY####YYYYYY####YYYYYYoo.",
    ".oYYYYYYY####YYYYYY####YYYYYYoo.", ".oYYYYYYY####YYYYYY####YYYYYYoo.",
    "ooYYYYYYYY##YYYYYYYY##YYYYYYYooo", "ooYYYYYYYY##YYYYYYYY##YYYYYYYooo",
    "ooYYYYYYYYYYYYYYYYYYYYYYYYYYYooo", "ooYYYYYYYYYYYYYYYYYYYYYYYYYYYooo",
    ".oYYYYYYYYYYYYYYYYYYYYYYYYYYooo.", ".oYYYYYYYYYYYYYYYYYYYYYYYYYYooo.",
    ".oYYYYYYYYYYYYYYYYYYYYYYYYYoooo.", ".ooYYYYYYYYYYYYYYYYYYYYYYYYoooo.",
    "..oYYYYYYYYYYYYYYYYYYYYYYYoooo..", "..ooYYYYYYYYYYYYYYYYYYYYYooooo..",
    "...oYYYYYYYYYYYYYYYYYYYYooooo...", "....oYYYYYYYYYYYYYYYYYYooooo....",
    "....ooYYYYYYYYYYYYYYYYoooooo....", ".....ooYYYYYYYYYYYYYooooooo.....",
    ".......ooYYYYYYYYYooooooo.......", "........oooooooooooooooo........",
    "..........oooooooooooo..........", "..............oooo..............",
};

// The standard 16-colour palette, as RGB; the map uses entries 0, 3 and 11.
static const unsigned char PALETTE[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

enum {
    PALETTE_BLACK = 0,
    PALETTE_DARK_YELLOW = 3,
    PALETTE_YELLOW = 11,
    HEADER_BYTES = 40,          // BITMAPINFOHEADER
    PALETTE_BYTES = 16 * 4,     // RGBQUAD entries
    COLOR_BYTES = 32 * 32 / 2,  // 4 bits per pixel, rows of 16 bytes
    MASK_BYTES = 32 * 4,        // 1 bit per pixel, rows of 4 bytes
    IMAGE_BYTES = HEADER_BYTES + PALETTE_BYTES + COLOR_BYTES + MASK_BYTES,  // 744
    FILE_BYTES = 6 + 16 + IMAGE_BYTES  // ICONDIR, one ICONDIRENTRY, the image
};

static unsigned char icon[FILE_BYTES];

static void Put16(int at, unsigned value)
{
    icon[at] = static_cast<unsigned char>(value & 0xFF);
    icon[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

static void Put32(int at, unsigned value)
{
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

// Palette index of one map character, or -1 for transparent; -2 for a character the map
// must not hold.
static int PixelIndex(char pixel)
{
    switch (pixel) {
    case '.':
        return -1;
    case 'Y':
        return PALETTE_YELLOW;
    case 'o':
        return PALETTE_DARK_YELLOW;
    case '#':
        return PALETTE_BLACK;
    default:
        return -2;
    }
}

// Fills icon[]; returns 0, or 1 with a message if the map is malformed.
static int BuildIcon()
{
    // ICONDIR: reserved, type 1 (icon), one image.
    Put16(0, 0);
    Put16(2, 1);
    Put16(4, 1);
    // ICONDIRENTRY: 32 by 32, 16 colours, 1 plane, 4 bits per pixel, size and offset.
    icon[6] = ICON_SIZE;
    icon[7] = ICON_SIZE;
    icon[8] = 16;
    icon[9] = 0;
    Put16(10, 1);
    Put16(12, 4);
    Put32(14, IMAGE_BYTES);
    Put32(18, 22);

    // BITMAPINFOHEADER; the height counts the colour image and the mask.
    const int image = 22;
    Put32(image + 0, HEADER_BYTES);
    Put32(image + 4, ICON_SIZE);
    Put32(image + 8, 2 * ICON_SIZE);
    Put16(image + 12, 1);
    Put16(image + 14, 4);
    Put32(image + 16, 0);  // uncompressed
    Put32(image + 20, COLOR_BYTES + MASK_BYTES);

    const int palette = image + HEADER_BYTES;
    for (int i = 0; i < 16; i++) {
        icon[palette + 4 * i + 0] = PALETTE[i][2];  // stored blue, green, red, 0
        icon[palette + 4 * i + 1] = PALETTE[i][1];
        icon[palette + 4 * i + 2] = PALETTE[i][0];
    }

    // Bitmaps run bottom row first. Transparent pixels are colour 0 with the mask bit set.
    const int colors = palette + PALETTE_BYTES;
    const int mask = colors + COLOR_BYTES;
    for (int row = 0; row < ICON_SIZE; row++) {
        if (strlen(FACE[row]) != static_cast<size_t>(ICON_SIZE)) {
            fprintf(stderr, "make_icon: map row %d is not %d pixels wide\n", row, ICON_SIZE);
            return 1;
        }
        const int line = ICON_SIZE - 1 - row;
        for (int column = 0; column < ICON_SIZE; column++) {
            int index = PixelIndex(FACE[row][column]);
            if (index == -2) {
                fprintf(stderr, "make_icon: unknown pixel '%c' in map row %d\n", FACE[row][column],
                        row);
                return 1;
            }
            if (index == -1) {
                icon[mask + line * 4 + column / 8] |=
                    static_cast<unsigned char>(0x80 >> (column % 8));
                index = PALETTE_BLACK;
            }
            const int shift = column % 2 == 0 ? 4 : 0;
            icon[colors + line * 16 + column / 2] |= static_cast<unsigned char>(index << shift);
        }
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    if (BuildIcon() != 0) {
        return 1;
    }
    FILE *out = fopen(argv[1], "wb");
    if (out == NULL) {
        fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    const bool written = fwrite(icon, 1, sizeof icon, out) == sizeof icon;
    if (fclose(out) != 0 || !written) {
        fprintf(stderr, "make_icon: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
