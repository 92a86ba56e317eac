#include "scene/Grid.h"

namespace scene {

int32_t GridColumns(int32_t screenWidth) {
    return (screenWidth - kGridHalfCell) / kGridCell + 1;
}

int32_t GridRows(int32_t screenHeight) {
    return (screenHeight - kGridHalfCell) / kGridCell + 1;
}

void ForEachGridPoint(int32_t screenWidth, int32_t screenHeight,
                      const std::function<void(int32_t x, int32_t y)>& cell) {
    bool shifted = true;
    const int32_t columns = GridColumns(screenWidth);
    const int32_t rows = GridRows(screenHeight);
    for (int32_t c = 0; c < columns; ++c) {
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t x = shifted ? c * kGridCell + kGridHalfCell : c * kGridCell;
            shifted = !shifted;
            cell(x, r * kGridCell + kGridHalfCell);
        }
    }
}

}  // namespace scene
