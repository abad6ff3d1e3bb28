#include "game/minigames/yang/yang_board.h"

namespace kestrelle {

YangBoard YangBoard::Starting() {
  YangBoard board;
  for (int32_t row = 0; row < kSize; ++row)
    for (int32_t col = 0; col < kSize; ++col)
      if (row != 2 || col != 2) board.Occupy({row, col}, "");
  board.Occupy({0, 0}, "bottom_right");
  board.Occupy({0, 3}, "bottom_left");
  board.Occupy({3, 0}, "top_right");
  board.Occupy({3, 3}, "top_left");
  return board;
}

void YangBoard::Occupy(YangCell cell, const std::string& type) {
  if (!Inside(cell)) return;
  At(cell) = {true, type};
}

void YangBoard::Free(YangCell cell) {
  if (Inside(cell)) At(cell) = {};
}

bool YangBoard::IsOccupied(YangCell cell) const { return Inside(cell) && At(cell).occupied; }

std::optional<YangCell> YangBoard::FreeNeighbour(YangCell cell) const {
  const YangCell candidates[] = {
      {cell.row - 1, cell.col}, {cell.row + 1, cell.col}, {cell.row, cell.col - 1}, {cell.row, cell.col + 1}};
  for (const YangCell& next : candidates)
    if (Inside(next) && !At(next).occupied) return next;
  return std::nullopt;
}

std::optional<YangCell> YangBoard::Slide(YangCell from) {
  if (!IsOccupied(from)) return std::nullopt;
  const auto to = FreeNeighbour(from);
  if (!to) return std::nullopt;
  At(*to) = At(from);
  Free(from);
  return to;
}

bool YangBoard::IsSolved() const {
  const auto holds = [this](YangCell cell, const char* type) { return At(cell).occupied && At(cell).type == type; };
  return holds({1, 1}, "top_left") && holds({1, 2}, "top_right") && holds({2, 1}, "bottom_left") &&
         holds({2, 2}, "bottom_right");
}

}  // namespace kestrelle
