// The Windows host's message loop: the thread's messages, one at a time, to the saver window.
#include <windows.h>

#include "platform/policy/exit_status.h"
#include "platform/win32/host.h"

int RunMessageLoop(void)
{
    MSG message;
    for (;;) {
        BOOL got = GetMessageW(&message, NULL, 0, 0);
        if (got == 0)
            return (int)message.wParam;
        if (got == -1)
            return EXIT_CANNOT_START;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
