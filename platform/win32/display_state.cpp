// The console display's state from a power-setting notification; see display_state.h.
#include "platform/win32/display_state.h"

#include <string.h>

// MinGW's winnt.h declares GUID_CONSOLE_DISPLAY_STATE with DEFINE_GUID, which only links with
// INITGUID or an import library of GUIDs; its value is written out here instead.
const PowerSettingId CONSOLE_DISPLAY_STATE_ID = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

enum { DISPLAY_OFF = 0 };  // the state's value when the display is powered off

int ConsoleDisplaySeen(const PowerSettingId *setting, uint32_t dataLength, const uint8_t *data)
{
    if (setting == nullptr || data == nullptr || dataLength < 4 ||
        memcmp(setting, &CONSOLE_DISPLAY_STATE_ID, sizeof *setting) != 0)
        return -1;
    uint32_t state = (uint32_t)data[0] | (uint32_t)data[1] << 8 | (uint32_t)data[2] << 16 |
                     (uint32_t)data[3] << 24;
    return state == DISPLAY_OFF ? 0 : 1;
}
