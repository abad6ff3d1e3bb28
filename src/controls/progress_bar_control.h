#pragma once
// "ProgressBarControl": a position 0..1 shown by cutting the first child (the bar): from the
// right when horizontal; when vertical the bar grows upwards from a fixed bottom, showing the
// lower part of its image.

#include "controls/control_widget.h"

namespace kestrelle {

class TProgressBarControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  // Takes the bar's full size, its source top and its bottom.
  void SetOwner(const WidgetOwnerRef& owner) override;

  // Clamped to 0..1.
  void SetPosition(double position);
  double GetPosition() const { return position_; }

 private:
  WidgetRef Bar() { return widgets_ ? widgets_->GetByIndex(0) : nullptr; }
  void Apply();

  double position_ = 0;
  bool vertical_ = false;
  bool attached_ = false;
  bool positionSet_ = false;
  int32_t fullWidth_ = 0;
  int32_t fullHeight_ = 0;
  int32_t resourceTop0_ = 0;
  int32_t bottom0_ = 0;
};

}  // namespace kestrelle
