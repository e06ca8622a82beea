// What the Windows host reads from a power-setting notification (WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE): whether the console's display is powered off, which makes the
// saver's window unseen. No Windows header, so the unit tests build it natively.
#ifndef TUMBLIX_WIN32_DISPLAY_STATE_H
#define TUMBLIX_WIN32_DISPLAY_STATE_H

#include <stdint.h>

// A GUID's fields, in a GUID's layout.
struct PowerSettingId {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];
};

// The console display's state (GUID_CONSOLE_DISPLAY_STATE): a DWORD, 0 off, 1 on, 2 dimmed.
extern const PowerSettingId CONSOLE_DISPLAY_STATE_ID;

// Reads one notification's setting, its data length in bytes and its data: -1 when it is not
// the console display's state (another setting, or data too short to hold it), 0 when the
// display is off, 1 when it shows (on, dimmed, or a state this host does not know).
int ConsoleDisplaySeen(const PowerSettingId *setting, uint32_t dataLength, const uint8_t *data);

#endif
