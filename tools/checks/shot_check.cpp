// Checks screenshots of the saver taken by the tests and benchmarks: is the spinning playfield
// there, in one shaded colour on black, and does the picture change. Reads binary PPM images.
//
//   tumblix_shot_check playfield <shot.ppm> <x> <y> <width> <height>
//   tumblix_shot_check differ <a.ppm> <b.ppm> <x> <y> <width> <height>
//   tumblix_shot_check monitors <shot.ppm> <x> <y> <width> <height> <x> <y> <width> <height>
//
// The rectangle is the saver window within the image, or for `monitors` each monitor's. Exit
// status 0 when the check holds, 1 when it does not, 2 on bad input; one line on standard
// output says what was measured.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // 8 bits per channel, rows top to bottom
};

struct Rect {
    int x, y, width, height;
};

// The well before the spin, in normalised device units (the saver's cell layout): the spin
// turns it about (1, 1, 1) by a whole number of degrees, and the picture is its view along z.
const double WELL_LEFT = -0.47, WELL_RIGHT = 0.43, WELL_LOW = -0.95, WELL_HIGH = 1.05;
const double EDGE_MARGIN_PX = 2.0;  // rasterisation may touch the pixel next to an edge

// Colour tests use only pixels with at least this much chroma (max - min channel, 0..255),
// where the hue is well defined.
const int MIN_CHROMA = 48;
const double HUE_TOLERANCE_DEG = 12.0;    // spread allowed around the median hue
const int MIN_LIT_PIXELS = 50;            // fewer than this is not a drawn block
const int MIN_CHANGED_PIXELS = 50;        // fewer changed pixels between shots: frozen picture
const double MAX_MONITOR_MISMATCH = 0.1;  // of the pixels lit on either: the same frame
const int SCALED_COLOUR_SLACK = 24;       // per channel (of 255), between monitors of two sizes
const double TURN_SLACK = 0.02;           // normalised units: the turn is fitted to a degree

bool ReadToken(FILE *file, long *value)
{
    int c = fgetc(file);
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '#') {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = fgetc(file);
        c = fgetc(file);
    }
    if (c < '0' || c > '9')
        return false;
    long result = 0;
    while (c >= '0' && c <= '9') {
        result = result * 10 + (c - '0');
        if (result > 100000)
            return false;
        c = fgetc(file);
    }
    *value = result;  // the single blank after the token has been consumed
    return true;
}

// Reads a binary PPM (P6) as ImageMagick's import writes it, 8 or 16 bits per channel.
bool ReadPpm(const char *path, Image *image)
{
    FILE *file = fopen(path, "rb");
    if (file == nullptr) {
        printf("cannot open %s\n", path);
        return false;
    }
    long width = 0, height = 0, maxval = 0;
    bool ok = fgetc(file) == 'P' && fgetc(file) == '6' && ReadToken(file, &width) &&
              ReadToken(file, &height) && ReadToken(file, &maxval) && width > 0 && height > 0 &&
              maxval > 0 && maxval < 65536;
    if (ok) {
        size_t bytes = maxval < 256 ? 1 : 2;
        size_t count = (size_t)width * (size_t)height * 3;
        std::vector<unsigned char> raw(count * bytes);
        ok = fread(raw.data(), 1, raw.size(), file) == raw.size();
        image->width = (int)width;
        image->height = (int)height;
        image->rgb.resize(count);
        for (size_t i = 0; ok && i < count; ++i) {
            long v = bytes == 1 ? raw[i] : (raw[2 * i] << 8 | raw[2 * i + 1]);
            image->rgb[i] = (unsigned char)(v * 255 / maxval);
        }
    }
    fclose(file);
    if (!ok)
        printf("%s is not a binary PPM image\n", path);
    return ok;
}

const unsigned char *Pixel(const Image &image, int x, int y)
{
    return &image.rgb[((size_t)y * image.width + x) * 3];
}

// The window may stick out of the image by a pixel or two where the screen clipped it; the
// pixels that are missing are not checked.
const int MAX_MISSING_EDGE_PX = 2;

bool RectFits(const Image &image, const Rect &r)
{
    return r.width > 0 && r.height > 0 && r.x >= -MAX_MISSING_EDGE_PX &&
           r.y >= -MAX_MISSING_EDGE_PX && r.x + r.width <= image.width + MAX_MISSING_EDGE_PX &&
           r.y + r.height <= image.height + MAX_MISSING_EDGE_PX;
}

bool InImage(const Image &image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width && y < image.height;
}

// Hue in degrees of a pixel; only meaningful when its chroma is large.
double Hue(const unsigned char *p)
{
    double r = p[0], g = p[1], b = p[2];
    double angle = std::atan2(std::sqrt(3.0) * (g - b), 2.0 * r - g - b) * 180.0 / M_PI;
    return angle < 0 ? angle + 360.0 : angle;
}

double HueDistance(double a, double b)
{
    double d = std::fabs(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// How many of the points (x, y pairs, normalised device units) lie farther than `margin`
// outside the well turned by `degrees`: the turn maps (x, y, 0) to (a x + b y, d x + e y).
long OutsideTurnedWell(const std::vector<double> &points, double degrees, double margin)
{
    double c = std::cos(degrees * M_PI / 180.0),
           s = std::sin(degrees * M_PI / 180.0) / std::sqrt(3.0);
    double a = c + (1 - c) / 3, b = (1 - c) / 3 - s, d = (1 - c) / 3 + s, det = a * a - b * d;
    long outside = 0;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        double x = (a * points[i] - b * points[i + 1]) / det;
        double y = (a * points[i + 1] - d * points[i]) / det;
        outside += x < WELL_LEFT - margin || x > WELL_RIGHT + margin || y < WELL_LOW - margin ||
                   y > WELL_HIGH + margin;
    }
    return outside;
}

// Every block is one colour shaded towards white, so every lit pixel is k * colour + w *
// white and all strongly coloured pixels share one hue. Every lit pixel lies in the well as
// the spin turned it, centred in the rectangle and stretched to fill it.
int CheckPlayfield(const Image &image, const Rect &r)
{
    std::vector<double> hues, points;
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) {
            if (!InImage(image, r.x + x, r.y + y))
                continue;
            const unsigned char *p = Pixel(image, r.x + x, r.y + y);
            if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                continue;
            points.push_back((x + 0.5) / r.width * 2.0 - 1.0);
            points.push_back(1.0 - (y + 0.5) / r.height * 2.0);
            int hi = p[0] > p[1] ? (p[0] > p[2] ? p[0] : p[2]) : (p[1] > p[2] ? p[1] : p[2]);
            int lo = p[0] < p[1] ? (p[0] < p[2] ? p[0] : p[2]) : (p[1] < p[2] ? p[1] : p[2]);
            if (hi - lo >= MIN_CHROMA)
                hues.push_back(Hue(p));
        }
    }
    double median = 0, worst = 0;
    if (!hues.empty()) {
        std::vector<double> sorted = hues;
        std::nth_element(sorted.begin(), sorted.begin() + (long)sorted.size() / 2, sorted.end());
        median = sorted[sorted.size() / 2];
        for (double h : hues)
            worst = std::fmax(worst, HueDistance(h, median));
    }
    // Undoing the turn stretches a pixel's distance from an edge by up to 3 times.
    double margin = 3.0 * EDGE_MARGIN_PX * 2.0 / std::min(r.width, r.height) + TURN_SLACK;
    long lit = (long)points.size() / 2, stray = lit;
    int turn = 0;
    for (int degrees = 0; degrees < 360 && stray > 0; ++degrees) {
        long outside = OutsideTurnedWell(points, degrees, margin);
        if (outside < stray) {
            stray = outside;
            turn = degrees;
        }
    }
    printf(
        "lit %ld, coloured %zu, hue %.1f, hue spread %.1f, lit outside the well %ld (turned %d)\n",
        lit, hues.size(), median, worst, stray, turn);
    bool ok = lit >= MIN_LIT_PIXELS && !hues.empty() && worst <= HUE_TOLERANCE_DEG && stray == 0;
    return ok ? 0 : 1;
}

int CheckDiffer(const Image &a, const Image &b, const Rect &r)
{
    long changed = 0;
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            if (InImage(a, r.x + x, r.y + y) && InImage(b, r.x + x, r.y + y) &&
                std::memcmp(Pixel(a, r.x + x, r.y + y), Pixel(b, r.x + x, r.y + y), 3) != 0)
                ++changed;
    printf("changed %ld of %ld pixels\n", changed, (long)r.width * r.height);
    return changed >= MIN_CHANGED_PIXELS ? 0 : 1;
}

// Two monitors, each showing the whole playfield: each passes the playfield check, and the
// second shows the first's frame scaled to its size. A pixel matches when one of the first's
// around the same place has its colour; between sizes, scaling moves edges by a pixel and
// shifts the shading a little.
bool MatchesNear(const Image &image, int x, int y, int reach, const unsigned char *p)
{
    const int tolerance = reach == 0 ? 0 : SCALED_COLOUR_SLACK;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            if (!InImage(image, x + dx, y + dy))
                continue;
            const unsigned char *q = Pixel(image, x + dx, y + dy);
            if (std::abs(p[0] - q[0]) <= tolerance && std::abs(p[1] - q[1]) <= tolerance &&
                std::abs(p[2] - q[2]) <= tolerance)
                return true;
        }
    return false;
}

int CheckMonitors(const Image &image, const Rect &a, const Rect &b)
{
    bool whole = CheckPlayfield(image, a) == 0;
    whole = CheckPlayfield(image, b) == 0 && whole;
    const int reach = a.width == b.width && a.height == b.height ? 0 : 1;
    long lit = 0, differing = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            int ax = a.x + (int)((x + 0.5) * a.width / b.width);
            int ay = a.y + (int)((y + 0.5) * a.height / b.height);
            if (!InImage(image, b.x + x, b.y + y) || !InImage(image, ax, ay))
                continue;
            const unsigned char *p = Pixel(image, b.x + x, b.y + y), *q = Pixel(image, ax, ay);
            lit += (p[0] | p[1] | p[2] | q[0] | q[1] | q[2]) != 0;
            differing += !MatchesNear(image, ax, ay, reach, p);
        }
    printf("monitors: %ld of %ld pixels lit in either differ\n", differing, lit);
    return whole && (double)differing <= MAX_MONITOR_MISMATCH * (double)lit ? 0 : 1;
}

bool ParseRect(char **args, Rect *r)
{
    int *fields[4] = {&r->x, &r->y, &r->width, &r->height};
    for (int i = 0; i < 4; ++i) {
        char *end = nullptr;
        long v = std::strtol(args[i], &end, 10);
        if (end == args[i] || *end != '\0' || v < -100000 || v > 100000)
            return false;
        *fields[i] = (int)v;
    }
    return true;
}

int Usage()
{
    printf("usage: tumblix_shot_check playfield <shot.ppm> <x> <y> <width> <height>\n"
           "       tumblix_shot_check differ <a.ppm> <b.ppm> <x> <y> <width> <height>\n"
           "       tumblix_shot_check monitors <shot.ppm> <x> <y> <width> <height> <x> <y> "
           "<width> <height>\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    Rect r = {0, 0, 0, 0}, second = {0, 0, 0, 0};
    bool monitors = argc == 11 && std::strcmp(argv[1], "monitors") == 0;
    if (monitors || (argc == 7 && std::strcmp(argv[1], "playfield") == 0)) {
        Image image;
        if (!ParseRect(argv + 3, &r) || (monitors && !ParseRect(argv + 7, &second)) ||
            !ReadPpm(argv[2], &image) || !RectFits(image, r) ||
            (monitors && !RectFits(image, second)))
            return Usage();
        return monitors ? CheckMonitors(image, r, second) : CheckPlayfield(image, r);
    }
    if (argc == 8 && std::strcmp(argv[1], "differ") == 0) {
        Image a, b;
        if (!ParseRect(argv + 4, &r) || !ReadPpm(argv[2], &a) || !ReadPpm(argv[3], &b) ||
            !RectFits(a, r) || !RectFits(b, r))
            return Usage();
        return CheckDiffer(a, b, r);
    }
    return Usage();
}
