#include "controls/progress_bar_control.h"

#include <algorithm>
#include <cmath>

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TProgressBarControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("vertical", &TProgressBarControl::vertical_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TProgressBarControl::Initialize() {
  TControlWidget::Initialize();
  position_ = 0;
  attached_ = false;
  positionSet_ = false;
}

// The position is clamped to 0..1: not a value SetProperty hands back unchanged.
Variant TProgressBarControl::GetProperty(const std::string& name) {
  if (PropIs(name, "position")) return Variant(position_);
  return TControlWidget::GetProperty(name);
}

void TProgressBarControl::SetProperty(const std::string& name, const Variant& value) {
  double d = 0;
  if (PropIs(name, "position")) {
    if (VariantToReal(value, d)) SetPosition(d);
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TProgressBarControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  if (attached_) return;  // the bar's full size is taken once, before any cut
  WidgetRef bar = Bar();
  if (!bar) return;
  attached_ = true;
  fullWidth_ = bar->GetWidth();
  fullHeight_ = bar->GetHeight();
  resourceTop0_ = static_cast<int32_t>(bar->GetProperty("resourcetop").ToInt(0));
  bottom0_ = Round32(bar->GetAnchorTop()) + fullHeight_;
  if (positionSet_) Apply();  // a bar whose position was never set shows whole
}

void TProgressBarControl::SetPosition(double position) {
  if (std::isnan(position)) return;
  position_ = std::clamp(position, 0.0, 1.0);
  positionSet_ = true;
  Apply();
}

void TProgressBarControl::Apply() {
  WidgetRef bar = Bar();
  if (!attached_ || !bar) return;
  if (!vertical_) {
    int32_t w = Round32(fullWidth_ * position_);
    if (w != bar->GetWidth()) bar->SetProperty("width", Variant(w));
    return;
  }
  int32_t h = Round32(fullHeight_ * position_);
  if (h == bar->GetHeight()) return;
  bar->SetProperty("height", Variant(h));
  bar->SetProperty("resourcetop", Variant(resourceTop0_ + fullHeight_ - h));
  bar->SetAnchorTop(bottom0_ - h);
}

}  // namespace kestrelle
