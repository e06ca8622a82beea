// The null host's scripted user, standing in for a platform's input events: the pointer comes
// to rest, is nudged within the jitter allowance (which keeps the saver), and at the last frame
// a key is pressed (which closes it). A real host translates its platform's events here.
#include "platform/null/host.h"
#include "platform/policy/closing.h"

struct ScriptedInput {
    int framesBeforeEnd;  // sent once this many frames are left to draw
    UINT message;
    int x, y;  // pointer position, for mouse moves
};

static const ScriptedInput SCRIPT[] = {
    {2, WM_MOUSEMOVE, 100, 100},
    {1, WM_MOUSEMOVE, 100 + MOUSE_JITTER_PX, 100 - MOUSE_JITTER_PX},
    {0, WM_KEYDOWN, 0, 0}};

static int played;  // events of SCRIPT sent so far

void HostPlayInput(unsigned long frames)
{
    const int count = (int)(sizeof SCRIPT / sizeof SCRIPT[0]);
    while (played < count &&
           frames + (unsigned long)SCRIPT[played].framesBeforeEnd >= host.options.frames) {
        const ScriptedInput &input = SCRIPT[played++];
        ShimSend(input.message, 0,
                 input.message == WM_MOUSEMOVE ? PointerLParam(input.x, input.y) : 0);
    }
}
