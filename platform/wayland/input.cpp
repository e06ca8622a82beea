// The seat's input as window messages: the pointer, the keyboard and touch of the Wayland
// host, translated for the window procedure, whose default procedure applies the closing rule.
//
// Pointer positions are in the compositor's space (the output's position plus the position
// on the surface), so a move from one output's surface onto the next is measured as the move
// it is. The pointer's start is where it first enters a surface: the first mouse message.
// Keys already held when the keyboard arrives (the Enter that started the saver) do not count.
#include <linux/input-event-codes.h>
#include <unistd.h>

#include "platform/policy/closing.h"
#include "platform/wayland/host.h"

struct SeatDevices {
    wl_pointer *pointer;
    wl_keyboard *keyboard;
    wl_touch *touch;
    int originX, originY;  // the entered surface's output, in the compositor's space
};

static SeatDevices devices;

static void SendPointer(UINT message, wl_fixed_t x, wl_fixed_t y)
{
    ShimSend(
        message, 0,
        PointerLParam(devices.originX + wl_fixed_to_int(x), devices.originY + wl_fixed_to_int(y)));
}

// Where the surface's output sits; a window counts from the origin.
static void SetOrigin(wl_surface *entered)
{
    devices.originX = devices.originY = 0;
    for (const HostSurface &surface : host.surfaces) {
        if (!surface.used || surface.surface != entered || surface.output == nullptr)
            continue;
        for (const HostOutput &output : host.outputs) {
            if (output.output == surface.output) {
                devices.originX = output.x;
                devices.originY = output.y;
            }
        }
    }
}

static void PointerEnter(void *, wl_pointer *pointer, uint32_t serial, wl_surface *surface,
                         wl_fixed_t x, wl_fixed_t y)
{
    // Over the screen saver the pointer is hidden.
    if (host.mode == WAYLAND_FULLSCREEN)
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    SetOrigin(surface);
    SendPointer(WM_MOUSEMOVE, x, y);
}

static void PointerLeave(void *, wl_pointer *, uint32_t, wl_surface *) {}

static void PointerMotion(void *, wl_pointer *, uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    SendPointer(WM_MOUSEMOVE, x, y);
}

static void PointerButton(void *, wl_pointer *, uint32_t, uint32_t, uint32_t button, uint32_t state)
{
    if (state != WL_POINTER_BUTTON_STATE_PRESSED)
        return;
    MouseButton name = button == BTN_LEFT     ? MOUSE_LEFT
                       : button == BTN_MIDDLE ? MOUSE_MIDDLE
                       : button == BTN_RIGHT  ? MOUSE_RIGHT
                                              : MOUSE_OTHER;
    ShimSend(ButtonMessage(name), 0, 0);
}

static void PointerAxis(void *, wl_pointer *, uint32_t, uint32_t axis, wl_fixed_t)
{
    ShimSend(axis == WL_POINTER_AXIS_HORIZONTAL_SCROLL ? SAVER_WM_MOUSEHWHEEL : WM_MOUSEWHEEL, 0,
             0);
}

static void PointerFrame(void *, wl_pointer *) {}
static void PointerAxisSource(void *, wl_pointer *, uint32_t) {}
static void PointerAxisStop(void *, wl_pointer *, uint32_t, uint32_t) {}
static void PointerAxisDiscrete(void *, wl_pointer *, uint32_t, int32_t) {}

// axis_value120 comes only with a seat version above the one bound.
static const wl_pointer_listener POINTER_LISTENER = {
    PointerEnter, PointerLeave,      PointerMotion,   PointerButton,       PointerAxis,
    PointerFrame, PointerAxisSource, PointerAxisStop, PointerAxisDiscrete, nullptr};

// The keymap is not needed: any key closes. Its file is closed at once.
static void KeyboardKeymap(void *, wl_keyboard *, uint32_t, int32_t fd, uint32_t)
{
    close(fd);
}

static void KeyboardEnter(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) {}
static void KeyboardLeave(void *, wl_keyboard *, uint32_t, wl_surface *) {}

static void KeyboardKey(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t key, uint32_t state)
{
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
        ShimSend(WM_KEYDOWN, key, 0);
}

static void KeyboardModifiers(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t,
                              uint32_t)
{
}
static void KeyboardRepeat(void *, wl_keyboard *, int32_t, int32_t) {}

static const wl_keyboard_listener KEYBOARD_LISTENER = {
    KeyboardKeymap, KeyboardEnter, KeyboardLeave, KeyboardKey, KeyboardModifiers, KeyboardRepeat};

// A touch is a press of the left button where the finger lands.
static void TouchDown(void *, wl_touch *, uint32_t, uint32_t, wl_surface *surface, int32_t,
                      wl_fixed_t, wl_fixed_t)
{
    SetOrigin(surface);
    ShimSend(WM_LBUTTONDOWN, 0, 0);
}
static void TouchUp(void *, wl_touch *, uint32_t, uint32_t, int32_t) {}
static void TouchMotion(void *, wl_touch *, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
static void TouchFrame(void *, wl_touch *) {}
static void TouchCancel(void *, wl_touch *) {}
static void TouchShape(void *, wl_touch *, int32_t, wl_fixed_t, wl_fixed_t) {}
static void TouchOrientation(void *, wl_touch *, int32_t, wl_fixed_t) {}

static const wl_touch_listener TOUCH_LISTENER = {
    TouchDown, TouchUp, TouchMotion, TouchFrame, TouchCancel, TouchShape, TouchOrientation};

static void SeatCapabilities(void *, wl_seat *seat, uint32_t capabilities)
{
    bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    bool touch = capabilities & WL_SEAT_CAPABILITY_TOUCH;
    if (pointer && devices.pointer == nullptr) {
        devices.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(devices.pointer, &POINTER_LISTENER, nullptr);
    } else if (!pointer && devices.pointer != nullptr) {
        wl_pointer_destroy(devices.pointer);
        devices.pointer = nullptr;
    }
    if (keyboard && devices.keyboard == nullptr) {
        devices.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(devices.keyboard, &KEYBOARD_LISTENER, nullptr);
    } else if (!keyboard && devices.keyboard != nullptr) {
        wl_keyboard_destroy(devices.keyboard);
        devices.keyboard = nullptr;
    }
    if (touch && devices.touch == nullptr) {
        devices.touch = wl_seat_get_touch(seat);
        wl_touch_add_listener(devices.touch, &TOUCH_LISTENER, nullptr);
    } else if (!touch && devices.touch != nullptr) {
        wl_touch_destroy(devices.touch);
        devices.touch = nullptr;
    }
}

static void SeatName(void *, wl_seat *, const char *) {}

static const wl_seat_listener SEAT_LISTENER = {SeatCapabilities, SeatName};

void HostFollowSeat(wl_seat *seat)
{
    wl_seat_add_listener(seat, &SEAT_LISTENER, nullptr);
}
