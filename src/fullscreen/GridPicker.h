#pragma once

#include <cstdint>
#include <random>

// Picks random cells of a grid laid over the screen from its top-left corner; the partial cells at the
// right and bottom edges are never picked.
class GridPicker {
public:
    struct Cell {
        int x;
        int y;
    };

    explicit GridPicker(std::uint64_t seed);

    // A whole number from 0 to k - 1, each equally likely; 0 when k is 0 or less.
    int Below(int k);
    // The top-left corner of a random whole cell of cellWidth x cellHeight on a screen of the given size.
    Cell PickCell(int screenWidth, int screenHeight, int cellWidth, int cellHeight);

private:
    std::mt19937_64 generator_;
};
