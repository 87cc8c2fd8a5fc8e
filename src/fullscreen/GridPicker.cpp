#include "fullscreen/GridPicker.h"

GridPicker::GridPicker(std::uint64_t seed) : generator_(seed) {}

int GridPicker::Below(int k) {
    if (k <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, k - 1)(generator_);
}

GridPicker::Cell GridPicker::PickCell(int screenWidth, int screenHeight, int cellWidth, int cellHeight) {
    const int x = Below(screenWidth / cellWidth) * cellWidth;
    const int y = Below(screenHeight / cellHeight) * cellHeight;
    return {x, y};
}
