#include "controls/antialiaser.h"

#include <algorithm>
#include <cmath>

namespace kestrelle {

TAntialiaser::TAntialiaser(int32_t thickness, double softness, PlotFunction plot)
    : thickness_(std::max(0, thickness)),
      softness_(std::clamp(softness, 0.0, 1.0)),
      size_(thickness_ + 3),
      half_((thickness_ + 2) / 2),
      far_(static_cast<float>(size_ * size_)),
      cells_(static_cast<size_t>(size_) * size_, far_),
      plot_(std::move(plot)) {}

void TAntialiaser::Reset() {
  // The cells are cleared too: stale distances would plot the previous line's tail again.
  std::fill(cells_.begin(), cells_.end(), far_);
  started_ = false;
}

void TAntialiaser::AddPoint(double x, double y) {
  const auto a = static_cast<int32_t>(std::trunc(x));
  const auto b = static_cast<int32_t>(std::trunc(y));
  if (!started_) {
    started_ = true;
    originX_ = a;
    originY_ = b;
  } else {
    if (a != originX_) {
      Slide(a > originX_ ? 1 : -1, 0);
      originX_ = a;
      UpdateDistances(x, y);
    }
    if (b != originY_) {
      Slide(0, b > originY_ ? 1 : -1);
      originY_ = b;
      UpdateDistances(x, y);
    }
  }
  UpdateDistances(x, y);
}

void TAntialiaser::Slide(int32_t dx, int32_t dy) {
  const int32_t last = size_ - 1;
  for (int32_t k = 0; k < size_; ++k) {
    if (dx > 0) Flush(0, k);
    if (dx < 0) Flush(last, k);
    if (dy > 0) Flush(k, 0);
    if (dy < 0) Flush(k, last);
  }
  for (int32_t k = 0; k < size_; ++k) {
    for (int32_t step = 0; step < last; ++step) {
      if (dx > 0) Cell(step, k) = Cell(step + 1, k);
      if (dx < 0) Cell(last - step, k) = Cell(last - step - 1, k);
      if (dy > 0) Cell(k, step) = Cell(k, step + 1);
      if (dy < 0) Cell(k, last - step) = Cell(k, last - step - 1);
    }
    if (dx > 0) Cell(last, k) = far_;
    if (dx < 0) Cell(0, k) = far_;
    if (dy > 0) Cell(k, last) = far_;
    if (dy < 0) Cell(k, 0) = far_;
  }
}

void TAntialiaser::UpdateDistances(double x, double y) {
  for (int32_t j = 0; j < size_; ++j) {
    const double dy = (y - originY_ + half_) - j;
    for (int32_t i = 0; i < size_; ++i) {
      const double dx = (x - originX_ + half_) - i;
      Cell(i, j) = std::min(Cell(i, j), static_cast<float>(dx * dx + dy * dy));
    }
  }
}

void TAntialiaser::Flush(int32_t i, int32_t j) {
  const double radius = thickness_ / 2.0;
  const double distance = std::sqrt(static_cast<double>(Cell(i, j)));
  double coverage = 0;
  if (distance < radius)
    coverage = 1;
  else if (distance < radius + softness_)
    coverage = (radius + softness_ - distance) / softness_;
  else
    return;
  if (plot_) plot_(i + originX_, j + originY_, coverage);
}

void TAntialiaser::FlushAll() {
  for (int32_t i = 0; i < size_; ++i)
    for (int32_t j = 0; j < size_; ++j) Flush(i, j);
}

}  // namespace kestrelle
