#pragma once
// The GDI and USER objects this process holds: GetGuiResources where it answers, else (Wine
// answers 0) a probe of the handle tables that counts the same kinds of objects, stock objects
// and cached DCs included: every 16-bit GDI handle index by GetObjectType, every USER handle
// index for a window of this process (IsWindow) or an icon or cursor (GetIconInfo).

#include <cstdint>
#include <string>

namespace win32test {

struct GuiCounts {
    uint32_t gdi = 0;
    uint32_t user = 0;
    std::string counter;  // "GetGuiResources" or "handle-table probe"

    std::string Describe() const;
};

GuiCounts CountGuiResources();

}  // namespace win32test
