// The entry point of the page: sets up EGL and the canvas, creates the saver window and
// returns; from then on the browser's events drive the saver (loop.cpp, window.cpp). Also the
// two figures the page shows its tests and the benchmark, read-only.
#include <emscripten.h>

#include "game/game.h"
#include "platform/web/host.h"
#include "platform/policy/exit_status.h"
#include <scrnsave.h>

int main()
{
    host.display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (host.display == EGL_NO_DISPLAY || !eglInitialize(host.display, nullptr, nullptr) ||
        !RegisterDialogClasses(nullptr)) {
        HostFail("the saver failed to start");
        return EXIT_CANNOT_START;
    }
    // The canvas's size comes with the listeners; the page is no full-screen saver until it
    // enters full screen.
    HostStartShim(1, 1, false);
    HostListen();
    ShimCreate();
    // Nothing would be drawn: better a word than a black page.
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) {
        ShimDestroy();
        HostFail("this browser cannot draw with WebGL");
        return EXIT_CANNOT_START;
    }
    return EXIT_OK;
}

extern "C" {

// The frames drawn so far (buffer swaps), counted from inside the page.
EMSCRIPTEN_KEEPALIVE unsigned TumblixFrames()
{
    return host.frames;
}

// What the game holds at a board cell: the falling piece's code where it covers the cell,
// else the board's. The rendering test compares a frame with it.
EMSCRIPTEN_KEEPALIVE int TumblixCell(int column, int row)
{
    if (column < 0 || column >= BOARD_COLUMNS || row < 0 || row >= BOARD_ROWS)
        return 0;
    int i = column - currentPiece.x;
    int j = row - currentPiece.y;
    bool inPiece = i >= 0 && i < PIECE_GRID && j >= 0 && j < PIECE_GRID;
    if (inPiece && currentPiece.cells[i][j] != 0)
        return currentPiece.cells[i][j];
    return board[column][row];
}

}  // extern "C"
