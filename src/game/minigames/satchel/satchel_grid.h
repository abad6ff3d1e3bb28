#pragma once
// The rules of Satchel: a grid of cells and pieces of fixed shapes. A piece put down near a cell
// where its whole shape fits on free cells glides there and occupies them; the satchel is packed
// when every cell is occupied.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle {

// A piece's "structure": one "row=n" or "col=n" pair per line, each line n cells long from the
// shape's top-left cell. The cells as (row, column) offsets.
struct SatchelCell {
  int32_t row = 0;
  int32_t col = 0;
  bool operator==(const SatchelCell&) const = default;
};
std::vector<SatchelCell> SatchelShape(const std::string& structure);

class SatchelGrid {
 public:
  // Cell (i, j) lies at (x0 + j × cellWidth, y0 + i × cellHeight).
  SatchelGrid(int32_t rows, int32_t cols, int32_t cellWidth, int32_t cellHeight, int32_t x0, int32_t y0);

  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  // Where a piece placed on the cell lies.
  int32_t CellX(int32_t col) const { return x0_ + col * cellWidth_; }
  int32_t CellY(int32_t row) const { return y0_ + row * cellHeight_; }
  bool Fits(const std::vector<SatchelCell>& shape, SatchelCell at) const;
  // The fitting cell nearest to the anchor within 50 pixels, never farther than cell (0, 0);
  // the later cell wins a tie.
  std::optional<SatchelCell> TargetCell(const std::vector<SatchelCell>& shape, double left, double top) const;
  void Occupy(const std::vector<SatchelCell>& shape, SatchelCell at);
  void Free(const std::vector<SatchelCell>& shape, SatchelCell at);
  void FreeAll();
  bool IsFull() const;
  bool IsOccupied(SatchelCell cell) const;

 private:
  void Mark(const std::vector<SatchelCell>& shape, SatchelCell at, bool occupied);
  bool Inside(SatchelCell cell) const { return cell.row >= 0 && cell.row < rows_ && cell.col >= 0 && cell.col < cols_; }

  int32_t rows_;
  int32_t cols_;
  int32_t cellWidth_;
  int32_t cellHeight_;
  int32_t x0_;
  int32_t y0_;
  std::vector<bool> occupied_;
};

// A piece can be picked up unless it is gliding: taking a gliding piece would place it twice.
inline bool SatchelPieceCanBePickedUp(const std::string& state) { return state != "moving"; }

}  // namespace kestrelle
