#include "game/minigames/square/square_board.h"

#include <cstddef>

namespace kestrelle {

SquareGrid CountingSquare() {
  SquareGrid grid{};
  for (size_t row = 0; row < 3; ++row)
    for (size_t col = 0; col < 3; ++col) grid[row][col] = static_cast<int32_t>(3 * row + col + 1);
  return grid;
}

bool IsSquareSolved(const SquareGrid& grid) {
  for (size_t i = 0; i < 3; ++i) {
    if (grid[i][0] + grid[i][1] + grid[i][2] != 15) return false;
    if (grid[0][i] + grid[1][i] + grid[2][i] != 15) return false;
  }
  return true;
}

}  // namespace kestrelle
