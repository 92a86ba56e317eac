#pragma once
// The landing grid: cells of 60 x 60 pixels over the screen, a point at each cell's centre
// row, with every other cell shifted left by 30 pixels. One toggle runs through all cells,
// column by column, and is not reset per column, so with an odd number of rows neighbouring
// columns start differently.

#include <cstdint>
#include <functional>

namespace scene {

inline constexpr int32_t kGridCell = 60;
inline constexpr int32_t kGridHalfCell = 30;

// The number of columns and rows for a screen; the bounds truncate towards zero, so a screen
// under 90 pixels still has one.
int32_t GridColumns(int32_t screenWidth);
int32_t GridRows(int32_t screenHeight);

// Calls cell(x, y) for every grid point, columns outer, rows inner.
void ForEachGridPoint(int32_t screenWidth, int32_t screenHeight,
                      const std::function<void(int32_t x, int32_t y)>& cell);

}  // namespace scene
