#include "game/minigames/satchel/satchel_grid.h"

#include <algorithm>

#include "data/numbers.h"
#include "data/text_lists.h"

namespace kestrelle {

std::vector<SatchelCell> SatchelShape(const std::string& structure) {
  std::vector<SatchelCell> cells;
  const auto lines = SplitKeyValues(structure);
  const bool columns = !lines.empty() && lines.front().first.find("col") != std::string::npos;
  for (size_t line = 0; line < lines.size(); ++line) {
    int64_t length = 0;
    if (!ParseInt(lines[line].second, length)) continue;
    for (int32_t k = 0; k < std::min<int64_t>(length, 64); ++k) {
      const auto along = static_cast<int32_t>(line);
      cells.push_back(columns ? SatchelCell{k, along} : SatchelCell{along, k});
    }
  }
  return cells;
}

SatchelGrid::SatchelGrid(int32_t rows, int32_t cols, int32_t cellWidth, int32_t cellHeight, int32_t x0, int32_t y0)
    : rows_(std::max(rows, 0)),
      cols_(std::max(cols, 0)),
      cellWidth_(cellWidth),
      cellHeight_(cellHeight),
      x0_(x0),
      y0_(y0),
      occupied_(static_cast<size_t>(rows_) * cols_, false) {}

bool SatchelGrid::IsOccupied(SatchelCell cell) const {
  return Inside(cell) && occupied_[static_cast<size_t>(cell.row) * cols_ + cell.col];
}

bool SatchelGrid::Fits(const std::vector<SatchelCell>& shape, SatchelCell at) const {
  return std::all_of(shape.begin(), shape.end(), [&](const SatchelCell& offset) {
    const SatchelCell cell{at.row + offset.row, at.col + offset.col};
    return Inside(cell) && !IsOccupied(cell);
  });
}

std::optional<SatchelCell> SatchelGrid::TargetCell(const std::vector<SatchelCell>& shape, double left,
                                                   double top) const {
  const int64_t ax = RoundHalfEven(left);
  const int64_t ay = RoundHalfEven(top);
  const auto squared = [&](int32_t row, int32_t col) {
    const int64_t dx = CellX(col) - ax;
    const int64_t dy = CellY(row) - ay;
    return dx * dx + dy * dy;
  };
  int64_t best = squared(0, 0);
  std::optional<SatchelCell> target;
  for (int32_t row = 0; row < rows_; ++row)
    for (int32_t col = 0; col < cols_; ++col) {
      const int64_t distance = squared(row, col);
      if (distance <= 50 * 50 && distance <= best && Fits(shape, {row, col})) {
        target = SatchelCell{row, col};
        best = distance;
      }
    }
  return target;
}

void SatchelGrid::Mark(const std::vector<SatchelCell>& shape, SatchelCell at, bool occupied) {
  if (at.row < 0 || at.col < 0) return;
  for (const SatchelCell& offset : shape) {
    const SatchelCell cell{at.row + offset.row, at.col + offset.col};
    if (Inside(cell)) occupied_[static_cast<size_t>(cell.row) * cols_ + cell.col] = occupied;
  }
}

void SatchelGrid::Occupy(const std::vector<SatchelCell>& shape, SatchelCell at) { Mark(shape, at, true); }
void SatchelGrid::Free(const std::vector<SatchelCell>& shape, SatchelCell at) { Mark(shape, at, false); }
void SatchelGrid::FreeAll() { std::fill(occupied_.begin(), occupied_.end(), false); }

bool SatchelGrid::IsFull() const {
  return std::all_of(occupied_.begin(), occupied_.end(), [](bool occupied) { return occupied; });
}

}  // namespace kestrelle
