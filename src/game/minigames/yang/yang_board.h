#pragma once
// The rules of Yang: a 4 × 4 sliding board with one free cell. A tile slides into a free
// neighbour (looked for up, down, left, right); the picture is whole when the four quarter tiles
// meet in the central block.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle {

struct YangCell {
  int32_t row = 0;
  int32_t col = 0;
  bool operator==(const YangCell&) const = default;
};

class YangBoard {
 public:
  static constexpr int32_t kSize = 4;
  // The starting board: the four corner tiles "bottom_right" (0,0), "bottom_left" (0,3),
  // "top_right" (3,0), "top_left" (3,3); (2,2) free; plain tiles elsewhere (type "").
  static YangBoard Starting();

  void Occupy(YangCell cell, const std::string& type);
  void Free(YangCell cell);
  bool IsOccupied(YangCell cell) const;
  // The first free neighbour, none when the tile cannot move.
  std::optional<YangCell> FreeNeighbour(YangCell cell) const;
  // Slides the tile at `from` into its free neighbour at once (the board changes when the move
  // starts); none when it cannot move.
  std::optional<YangCell> Slide(YangCell from);
  bool IsSolved() const;

 private:
  struct Slot {
    bool occupied = false;
    std::string type;
  };
  static bool Inside(YangCell cell) { return cell.row >= 0 && cell.row < kSize && cell.col >= 0 && cell.col < kSize; }
  static size_t Index(YangCell cell) { return static_cast<size_t>(cell.row * kSize + cell.col); }
  const Slot& At(YangCell cell) const { return slots_[Index(cell)]; }
  Slot& At(YangCell cell) { return slots_[Index(cell)]; }

  // A vector rather than a nested array: one compiler we build with crashes evaluating the
  // nested array of strings as a constant.
  std::vector<Slot> slots_ = std::vector<Slot>(kSize * kSize);
};

}  // namespace kestrelle
