#pragma once
// The rules of Square: nine digits in a 3 × 3 grid, solved when every row and every column adds
// up to 15 (the diagonals do not count). A cell without a tile holds 0.

#include <array>
#include <cstdint>

namespace kestrelle {

using SquareGrid = std::array<std::array<int32_t, 3>, 3>;

// The starting grid: 1 2 3 / 4 5 6 / 7 8 9.
SquareGrid CountingSquare();
bool IsSquareSolved(const SquareGrid& grid);

}  // namespace kestrelle
