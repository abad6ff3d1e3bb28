#pragma once
// "curve_widget": draws a path as a line by stamping its first child's picture at evenly spaced
// points (softly edged through the antialiaser when "smooth"), into a canvas that is redrawn
// only when the path, the spacing or the reveal changes. With "stepping" the line is revealed
// over "drawtime" ms, forwards or backwards.

#include <cstdint>
#include <memory>

#include "controls/antialiaser.h"
#include "data/path_base.h"
#include "widgets/group_widget.h"
#include "widgets/particle_slots.h"

namespace kestrelle {

class TCurveWidget : public TGroupWidget {
 public:
  // The game's screen: a curve is cut at its edges.
  static constexpr int32_t kScreenWidth = 800;
  static constexpr int32_t kScreenHeight = 600;

  TCurveWidget();
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;
  double GetLeft() override { return GetRect().left; }
  double GetTop() override { return GetRect().top; }
  int32_t GetWidth() override { return static_cast<int32_t>(GetRect().Width()); }
  int32_t GetHeight() override { return static_cast<int32_t>(GetRect().Height()); }
  TRect GetRect() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;

  // The path (GetPath is the widget's own path in the tree).
  PathFunctionRef GetPathFunction() const { return path_; }
  void SetPath(const PathFunctionRef& path);
  void SetDrawShift(double step);
  void Refresh();

  int32_t GetTotalPoints() const { return totalPoints_; }
  int32_t GetDrawnPoints() const { return drawnPoints_; }
  double GetProgress() const { return progress_; }
  bool GetFinished() const { return finished_; }
  const SurfaceRef& GetCanvas() const { return canvas_; }

 private:
  void Render();
  void Step(int32_t elapsedMs);
  void Stamp(int32_t x, int32_t y, int32_t opacity);
  void PlotCell(int32_t x, int32_t y, double coverage);
  void RequestRedraw();
  int32_t CountPoints() const;

  PathFunctionRef path_;
  WidgetRef brushWidget_;
  SurfaceRef brush_;
  SurfaceRef canvas_;
  int32_t canvasWidth_ = 0;
  int32_t canvasHeight_ = 0;
  double drawShift_ = 1.0;
  bool smooth_ = true;
  int32_t drawMode_ = kParticleFillColor;
  int32_t blendingMode_ = 0;
  uint32_t fillColor_ = 0xFFFFFFFFu;
  bool stepping_ = false;
  int32_t drawTime_ = 1000;
  double progress_ = 0;
  int32_t stepDirection_ = 1;
  bool finished_ = false;
  int32_t totalPoints_ = 0;
  int32_t drawnPoints_ = 0;
  bool needRedraw_ = true;
  TRect cachedRect_;
  TAntialiaser antialiaser_;
};

}  // namespace kestrelle
