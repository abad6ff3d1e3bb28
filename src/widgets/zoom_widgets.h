#pragma once
// The geometric transform widgets, each built on the one before:
//   "smooth_move_widget"  shows its child at a fractional position, the fraction quantised to a
//                         sampling step (optionally caching one picture per sub-pixel phase);
//   "zoom_widget"         scales the child (a negative zoom mirrors) around a centre point of the
//                         child that stays at the widget's anchor;
//   "rotate_widget"       turns the zoomed child around that centre point, in a square buffer
//                         that holds the picture at every angle;
//   "rotate_widget_timed" turns once per "rotationtime" ms from "startangle".

#include <cstdint>
#include <vector>

#include "widgets/transform_widget.h"

namespace kestrelle {

class TSmoothMoveWidget : public TTransformWidget {
 public:
  static constexpr double kDefaultSamplingStep = 0.25;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

  // The anchor keeps the value given; the picture goes to its whole part (floor) and the
  // fraction, quantised, is rendered into the buffer.
  void SetAnchorLeft(double x) override;
  void SetAnchorTop(double y) override;
  double GetLeft() override { return WholeLeft(); }
  double GetTop() override { return WholeTop(); }
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Render() override;
  void AdjustDrawOrigin(int32_t& x, int32_t& y) override;
  void Repaint() override;

  void SetSamplingStep(double step);
  double GetSamplingStep() const { return samplingStep_; }
  void SetCaching(bool caching);
  double GetFracX() const { return fracX_; }
  double GetFracY() const { return fracY_; }
  int32_t GetSampleCount() const { return sampleCount_; }

 protected:
  double WholeLeft() const;
  double WholeTop() const;
  double Quantize(double fraction) const;
  void ShiftToWholeAnchor(int32_t& x, int32_t& y);
  // The anchor keeps `value`; a new whole part or quantised fraction changes the geometry.
  void SetAnchorAxis(double value, double& anchor, double& fraction);
  int32_t SampleIndex(double fraction) const;
  void RebuildCache();
  // Renders the child at the fractional position (through the cache when it is on).
  void RenderSubPixel();

  double fracX_ = 0;
  double fracY_ = 0;
  double samplingStep_ = kDefaultSamplingStep;
  bool caching_ = false;
  int32_t sampleCount_ = 0;
  std::vector<SurfaceRef> sampleCache_;
};

class TZoomWidget : public TSmoothMoveWidget {
 public:
  // Below this magnitude a zoom set at run time is raised to it.
  static constexpr double kMinZoom = 0.01;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  double GetLeft() override;
  double GetTop() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Render() override;
  void AdjustDrawOrigin(int32_t& x, int32_t& y) override;
  void InverseTransform(int32_t& x, int32_t& y) override;

  void SetZoom(double zoom);
  virtual void SetZoomX(double zoom);
  virtual void SetZoomY(double zoom);
  virtual void SetCenterX(double center);
  virtual void SetCenterY(double center);
  void SetSmooth(bool smooth);
  virtual void UpdateGeometry() {}
  double GetZoomX() const { return zoomX_; }
  double GetZoomY() const { return zoomY_; }

 protected:
  void SetZoomAxis(double zoom, double& field);
  // A zoom of 0 (possible from data, which is not floored) shows nothing.
  bool ZoomIsEmpty() const { return zoomX_ == 0 || zoomY_ == 0; }

  double zoomX_ = 1;
  double zoomY_ = 1;
  double centerX_ = 0;
  double centerY_ = 0;
  bool smooth_ = true;
};

class TRotateWidget : public TZoomWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  double GetLeft() override;
  double GetTop() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Render() override;
  void AdjustDrawOrigin(int32_t& x, int32_t& y) override;
  void InverseTransform(int32_t& x, int32_t& y) override;
  void Repaint() override;
  void SetCenterX(double center) override;
  void SetCenterY(double center) override;
  void UpdateGeometry() override;

  void SetAngle(double angle);
  double GetAngle() const { return angle_; }
  double GetRadius() const { return radius_; }

 protected:
  double angle_ = 0;
  double radius_ = 0;
  double pivotX_ = 0;
  double pivotY_ = 0;
};

class TTimedRotateWidget : public TRotateWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;

 private:
  bool rotate_ = false;
  double startAngle_ = 0;
  int32_t rotationTime_ = 1000;
};

}  // namespace kestrelle
