#pragma once
// How a sprite plots its frames: TPlotMode is a set of TPlot held in one byte (bit 0
// BufferBackground, bit 1 PlotTransparent). Frames only read the transparency bit.

#include <cstdint>

namespace sprites {

enum class TPlot : uint8_t { BufferBackground = 0, PlotTransparent = 1 };

struct TPlotMode {
    uint8_t bits = 0b11;  // both options, the sprite's default

    static constexpr uint8_t Bit(TPlot plot) {
        return static_cast<uint8_t>(1u << static_cast<unsigned>(plot));
    }
    constexpr bool Contains(TPlot plot) const { return (bits & Bit(plot)) != 0; }
    constexpr void Include(TPlot plot) { bits = static_cast<uint8_t>(bits | Bit(plot)); }
    constexpr void Exclude(TPlot plot) { bits = static_cast<uint8_t>(bits & ~Bit(plot)); }

    friend bool operator==(const TPlotMode&, const TPlotMode&) = default;
};

}  // namespace sprites
