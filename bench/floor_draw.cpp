// The floor programs' frame: clear, push, rotate, one shaded polygon per cell, pop.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include "bench/floor_draw.h"

#include <stdlib.h>

static const int GRID_COLUMNS = 10;
static const int GRID_ROWS = 20;
static const float CELL_WIDTH = 0.09f;                     // normalised device units per column
static const float LEFT_EDGE = -0.47f;                     // left side of column 0
static const float CELL_HEIGHT = 0.1f;                     // per row
static const float ROW_ORIGIN = 0.95f;                     // bottom side of row 0
static const float RED = 0.3f, GREEN = 0.8f, BLUE = 0.2f;  // any block colour will do

void FloorDrawFrame(int cells, float theta)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glRotatef(theta, 1.0f, 1.0f, 1.0f);
    for (int cell = 0; cell < cells; cell++) {
        int column = cell % GRID_COLUMNS;
        int row = GRID_ROWS - 1 - (cell / GRID_COLUMNS) % GRID_ROWS;
        float left = LEFT_EDGE + CELL_WIDTH * (float)column;
        float low = ROW_ORIGIN - CELL_HEIGHT * (float)row;
        glBegin(GL_POLYGON);
        glColor3f(RED, GREEN, BLUE);
        glVertex2f(left, low);
        glColor3f(RED / 2.0f, GREEN / 2.0f, BLUE / 2.0f);
        glVertex2f(left + CELL_WIDTH, low);
        glColor3f(RED * 0.75f, GREEN * 0.75f, BLUE * 0.75f);
        glVertex2f(left + CELL_WIDTH, low + CELL_HEIGHT);
        glColor3f(1.0f, 1.0f, 1.0f);
        glVertex2f(left, low + CELL_HEIGHT);
        glEnd();
    }
    glPopMatrix();
}

static const int MAX_CELLS = 100000;  // polygons per frame accepted on the command line
static const int MAX_SIDE = 1 << 15;  // pixels

static bool ReadNumber(const char *text, int low, int high, int *value)
{
    char *end = nullptr;
    long number = strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < low || number > high)
        return false;
    *value = (int)number;
    return true;
}

bool FloorReadArguments(int argc, char **argv, int *width, int *height, int *cells)
{
    if (argc != 1 && argc != 3 && argc != 4)
        return false;
    if (argc >= 3 &&
        (!ReadNumber(argv[1], 0, MAX_SIDE, width) || !ReadNumber(argv[2], 0, MAX_SIDE, height)))
        return false;
    return argc != 4 || ReadNumber(argv[3], 0, MAX_CELLS, cells);
}
