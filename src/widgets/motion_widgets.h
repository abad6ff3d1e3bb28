#pragma once
// Motion widgets: surface widgets that travel from a start point to an end point over their time
// to live and fade between two transparency levels on the way, then die. "move_widget" goes in
// a straight line, "circular_motion_widget" along an arc around a centre point.

#include <cstdint>
#include <memory>
#include <string>

#include "app/resources.h"
#include "widgets/surface_widget.h"

namespace kestrelle {

class TMoveWidget : public TSurfaceWidget {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;

  // Places the widget for its current time (nothing with a time to live of 0).
  virtual void UpdatePosition();

 protected:
  int32_t startPosX_ = 0;
  int32_t startPosY_ = 0;
  int32_t endPosX_ = 0;
  int32_t endPosY_ = 0;
  int32_t startTransLevel_ = 255;
  int32_t endTransLevel_ = 255;
  // An image resource ("resourcename") the widget shows when no surface was given to it.
  std::string resourceName_;
  std::weak_ptr<IEngine> engine_;
};

class TCircularMotionWidget : public TMoveWidget {
 public:
  void LoadProperties(const StorageRef& storage) override;
  void UpdatePosition() override;

 private:
  int32_t centerX_ = 0;
  int32_t centerY_ = 0;
};

}  // namespace kestrelle
