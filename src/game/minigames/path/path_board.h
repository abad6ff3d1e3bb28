#pragma once
// The rules of Path: a grid of line and turn pieces, each with two ends fixed by its kind and its
// quarter-turn angle. The flow enters the top-left cell and follows the pieces that face back; the
// run is complete when it leaves the bottom-right cell in the required direction.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrelle {

// Directions: 2 up, −2 down, −1 left, 1 right; the opposite is the negation.
inline constexpr int32_t kPathUp = 2;
inline constexpr int32_t kPathDown = -2;
inline constexpr int32_t kPathLeft = -1;
inline constexpr int32_t kPathRight = 1;

// The two ends of a "line" or "turn" piece at 0, 90, 180 or 270 degrees; other kinds have none
// (0, 0) and never connect.
std::array<int32_t, 2> PathPieceEnds(const std::string& pathType, int32_t angle);

class PathBoard {
 public:
  PathBoard(int32_t rows, int32_t cols);

  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  void SetPiece(int32_t row, int32_t col, const std::string& pathType, int32_t angle);
  // A quarter turn clockwise; returns the new angle.
  int32_t Turn(int32_t row, int32_t col);
  int32_t Angle(int32_t row, int32_t col) const { return Cell(row, col).angle; }

  // Follows the flow entering the top-left cell moving `firstOut`; marks the cells on the run.
  // A run that comes back to a cell it has passed stops there, so it always ends.
  void Evaluate(int32_t firstOut);
  bool IsConnected(int32_t row, int32_t col) const { return Cell(row, col).connected; }
  // Both corners are on the run and the bottom-right piece has the end `pathOut`.
  bool IsComplete(int32_t pathOut) const;

 private:
  struct PathCell {
    std::string pathType;
    int32_t angle = 0;
    std::array<int32_t, 2> ends{0, 0};
    bool connected = false;
  };
  const PathCell& Cell(int32_t row, int32_t col) const;
  PathCell& Cell(int32_t row, int32_t col);
  bool Inside(int32_t row, int32_t col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }

  int32_t rows_;
  int32_t cols_;
  std::vector<PathCell> cells_;
};

}  // namespace kestrelle
