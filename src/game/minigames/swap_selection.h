#pragma once
// The two-click swap of the tile puzzles (Square, Hurdle): the first click selects a piece, a
// click on another piece swaps the two, a click on the selected piece only deselects it. Pieces
// still travelling do not react.

#include <cstddef>
#include <optional>

namespace kestrelle {

class SwapSelection {
 public:
  enum class Kind { kIgnored, kSelected, kDeselected, kSwap };
  struct Outcome {
    Kind kind = Kind::kIgnored;
    size_t first = 0;   // kSwap: the piece selected before; kDeselected: the piece let go
    size_t second = 0;  // kSwap and kSelected: the piece clicked now
  };

  Outcome Click(size_t piece, bool moving);
  std::optional<size_t> Selected() const { return selected_; }
  void Clear() { selected_.reset(); }

 private:
  std::optional<size_t> selected_;
};

}  // namespace kestrelle
