#include "platform/x11/KeyMap.h"

#include <X11/keysym.h>

#include <array>
#include <utility>

namespace platform::x11 {
namespace {

constexpr std::array<std::pair<unsigned long, WPARAM>, 38> kNamedKeys{{
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_Pause, 0x13},
    {XK_Caps_Lock, 0x14},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Prior, 0x21},
    {XK_Next, 0x22},
    {XK_End, 0x23},
    {XK_Home, 0x24},
    {XK_Left, 0x25},
    {XK_Up, 0x26},
    {XK_Right, 0x27},
    {XK_Down, 0x28},
    {XK_Print, 0x2C},
    {XK_Insert, 0x2D},
    {XK_Delete, 0x2E},
    {XK_Super_L, 0x5B},
    {XK_Super_R, 0x5C},
    {XK_Menu, 0x5D},
    {XK_KP_Multiply, 0x6A},
    {XK_KP_Add, 0x6B},
    {XK_KP_Subtract, 0x6D},
    {XK_KP_Decimal, 0x6E},
    {XK_KP_Divide, 0x6F},
    {XK_Num_Lock, 0x90},
}};

}  // namespace

WPARAM VirtualKeyOf(unsigned long keySym) {
    if (keySym >= XK_a && keySym <= XK_z) {
        return static_cast<WPARAM>(keySym - XK_a + 'A');
    }
    if ((keySym >= XK_A && keySym <= XK_Z) || (keySym >= XK_0 && keySym <= XK_9)) {
        return static_cast<WPARAM>(keySym);
    }
    if (keySym >= XK_KP_0 && keySym <= XK_KP_9) {
        return static_cast<WPARAM>(0x60 + (keySym - XK_KP_0));
    }
    if (keySym >= XK_F1 && keySym <= XK_F24) {
        return static_cast<WPARAM>(0x70 + (keySym - XK_F1));
    }
    for (const auto& [symbol, virtualKey] : kNamedKeys) {
        if (symbol == keySym) {
            return virtualKey;
        }
    }
    return kUnmappedKey;
}

bool IsAltKey(unsigned long keySym) {
    return keySym == XK_Alt_L || keySym == XK_Alt_R || keySym == XK_Meta_L || keySym == XK_Meta_R;
}

}  // namespace platform::x11
