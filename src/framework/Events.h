#pragma once
// The event types of forms and controls, and the raw window message a form's WndProc sees.

#include <cstdint>
#include <functional>

#include "platform/platform.h"

namespace framework {

class TComponent;

using TShiftState = uint32_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;

// The side buttons (back and forward, usually) come last.
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle, mbXButton1, mbXButton2 };

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TNotifyEvent = std::function<void(TComponent& Sender)>;
// Key is the virtual key; a handler that sets it to 0 stops its default handling.
using TKeyEvent = std::function<void(TComponent& Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent& Sender, char& Key)>;
using TMouseEvent = std::function<void(TComponent& Sender, TMouseButton Button, TShiftState Shift,
                                       int32_t X, int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TComponent& Sender, TShiftState Shift, int32_t X, int32_t Y)>;
using TCloseQueryEvent = std::function<void(TComponent& Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TComponent& Sender, TCloseAction& Action)>;

struct TMessage {
    platform::UINT Msg = 0;
    platform::WPARAM WParam = 0;
    platform::LPARAM LParam = 0;
    platform::LRESULT Result = 0;
};

}  // namespace framework
