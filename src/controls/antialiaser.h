#pragma once
// Soft line drawing along a path: a small window of squared distances slides with the points
// (one cell per point at most, so points must lie at most a pixel apart); a cell leaving the
// window, and every cell at the end, is plotted with a coverage that falls from 1 inside the
// line's half thickness to 0 over `softness` pixels.

#include <cstdint>
#include <functional>
#include <vector>

namespace kestrelle {

class TAntialiaser {
 public:
  using PlotFunction = std::function<void(int32_t x, int32_t y, double coverage)>;

  TAntialiaser(int32_t thickness, double softness, PlotFunction plot);

  // Forgets the points: every cell is far again and the next point starts a new line.
  void Reset();
  void AddPoint(double x, double y);
  // Plots every cell of the window, column by column.
  void FlushAll();

  int32_t GetSize() const { return size_; }
  float CellAt(int32_t i, int32_t j) const { return cells_[j * size_ + i]; }

 private:
  float& Cell(int32_t i, int32_t j) { return cells_[j * size_ + i]; }
  void Flush(int32_t i, int32_t j);
  void UpdateDistances(double x, double y);
  // Moves the window one cell along x (dx = ±1) or y (dy = ±1), plotting the cells that leave.
  void Slide(int32_t dx, int32_t dy);

  int32_t thickness_;
  double softness_;
  int32_t size_;
  int32_t half_;
  float far_;
  std::vector<float> cells_;
  int32_t originX_ = 0;
  int32_t originY_ = 0;
  bool started_ = false;
  PlotFunction plot_;
};

}  // namespace kestrelle
