#include "controls/sequence_control.h"

#include "app/resources.h"
#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TSequenceControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("step_duration_time", &TSequenceControl::stepDuration_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TSequenceControl::Initialize() {
  TControlWidget::Initialize();
  current_ = -1;
}

void TSequenceControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  for (const WidgetRef& child : widgets_->Snapshot()) {
    child->SetVisible(false);
    child->Pause();
  }
}

Variant TSequenceControl::GetProperty(const std::string& name) {
  if (PropIs(name, "current")) return Variant(current_);
  return TControlWidget::GetProperty(name);
}

void TSequenceControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  if (current_ < 0 && currentTime_ >= 0) StepTo(0);
  if (widgets_->GetCount() > 0 && stepDuration_ > 0 && currentTime_ >= stepDuration_) StepTo(current_ + 1);
}

bool TSequenceControl::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlWidget::MouseDown(point, keys, button);
  StepTo(current_ + 1);
  return true;
}

bool TSequenceControl::ChildSourceAvailable(const WidgetRef& child) {
  std::string resourceName = child->GetProperty("resourcename").ToString();
  if (resourceName.empty()) return true;
  EngineRef engine = GetEngine();
  ResourceRef resource = engine ? engine->GetResource(resourceName) : nullptr;
  return !resource || resource->IsAvailable();
}

void TSequenceControl::StepTo(int32_t index) {
  const int32_t count = widgets_->GetCount();
  if (index >= count) {
    SendEvent(kEventSequenceEnded);
    return;
  }
  if (index == current_ || index < 0) return;
  if (WidgetRef old = widgets_->GetByIndex(current_)) {
    old->SetVisible(false);
    old->Pause();
  }
  current_ = index;
  WidgetRef child = widgets_->GetByIndex(index);
  if (ChildSourceAvailable(child)) {
    currentTime_ = 0;
    child->SetVisible(true);
    child->Restart();
  } else {
    currentTime_ = stepDuration_;
  }
  SetChanged(true);
}

}  // namespace kestrelle
