#include "game/minigames/path/path_board.h"

#include <algorithm>

namespace kestrelle {

std::array<int32_t, 2> PathPieceEnds(const std::string& pathType, int32_t angle) {
  const int32_t quarter = ((angle / 90) % 4 + 4) % 4;
  if (angle % 90 != 0) return {0, 0};
  if (pathType == "line")
    return quarter % 2 == 0 ? std::array<int32_t, 2>{kPathLeft, kPathRight}
                            : std::array<int32_t, 2>{kPathUp, kPathDown};
  if (pathType == "turn") {
    static constexpr std::array<std::array<int32_t, 2>, 4> kTurns{
        {{kPathLeft, kPathDown}, {kPathDown, kPathRight}, {kPathUp, kPathRight}, {kPathLeft, kPathUp}}};
    return kTurns[static_cast<size_t>(quarter)];
  }
  return {0, 0};
}

PathBoard::PathBoard(int32_t rows, int32_t cols)
    : rows_(std::max(rows, 0)), cols_(std::max(cols, 0)), cells_(static_cast<size_t>(rows_) * cols_) {}

const PathBoard::PathCell& PathBoard::Cell(int32_t row, int32_t col) const {
  static const PathCell kOutside;
  return Inside(row, col) ? cells_[static_cast<size_t>(row) * cols_ + col] : kOutside;
}

PathBoard::PathCell& PathBoard::Cell(int32_t row, int32_t col) {
  return cells_[static_cast<size_t>(row) * cols_ + col];
}

void PathBoard::SetPiece(int32_t row, int32_t col, const std::string& pathType, int32_t angle) {
  if (!Inside(row, col)) return;
  PathCell& cell = Cell(row, col);
  cell.pathType = pathType;
  cell.angle = angle;
  cell.ends = PathPieceEnds(pathType, angle);
}

int32_t PathBoard::Turn(int32_t row, int32_t col) {
  if (!Inside(row, col)) return 0;
  PathCell& cell = Cell(row, col);
  SetPiece(row, col, cell.pathType, (cell.angle + 90) % 360);
  return cell.angle;
}

void PathBoard::Evaluate(int32_t firstOut) {
  for (PathCell& cell : cells_) cell.connected = false;
  int32_t row = 0;
  int32_t col = 0;
  int32_t moving = firstOut;
  while (Inside(row, col)) {
    PathCell& cell = Cell(row, col);
    // The piece must face back to where the flow comes from; a cell met again ends the run.
    if (cell.connected || (cell.ends[0] != -moving && cell.ends[1] != -moving)) return;
    cell.connected = true;
    moving = cell.ends[0] == -moving ? cell.ends[1] : cell.ends[0];
    if (moving == kPathUp)
      --row;
    else if (moving == kPathDown)
      ++row;
    else if (moving == kPathLeft)
      --col;
    else if (moving == kPathRight)
      ++col;
    else
      return;
  }
}

bool PathBoard::IsComplete(int32_t pathOut) const {
  if (rows_ < 1 || cols_ < 1) return false;
  const PathCell& last = Cell(rows_ - 1, cols_ - 1);
  return Cell(0, 0).connected && last.connected && (last.ends[0] == pathOut || last.ends[1] == pathOut);
}

}  // namespace kestrelle
