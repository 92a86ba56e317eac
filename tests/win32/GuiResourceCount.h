#pragma once
// The GDI and USER objects this process holds. The system's own counter is
// GetGuiResources(GR_GDIOBJECTS / GR_USEROBJECTS); where it is not implemented (Wine answers
// 0 with ERROR_CALL_NOT_IMPLEMENTED) the objects are counted by probing the handle tables:
// every 16-bit GDI handle index with GetObjectType, every USER handle index for a window of
// this process (IsWindow) or an icon or cursor (GetIconInfo). The probe counts the same kinds
// of objects the system's counter does, stock objects and cached DCs included.

#include <cstdint>
#include <string>

namespace win32test {

struct GuiCounts {
    uint32_t gdi = 0;
    uint32_t user = 0;
    std::string counter;  // "GetGuiResources" or "handle-table probe"

    std::string Describe() const;
};

// GetGuiResources when it answers, else the probe.
GuiCounts CountGuiResources();
// Each counter on its own.
GuiCounts SystemGuiCounts();
GuiCounts ProbedGuiCounts();

}  // namespace win32test
