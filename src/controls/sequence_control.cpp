#include "controls/sequence_control.h"

#include "app/resources.h"
#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/variant_values.h"

namespace kestrelle {

void TSequenceControl::Initialize() {
  TControlWidget::Initialize();
  stepDuration_ = 0;
  current_ = -1;
}

void TSequenceControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  stepDuration_ = static_cast<int32_t>(ReadInt(storage, "step_duration_time", 0));
  for (const WidgetRef& child : widgets_->Snapshot()) {
    child->SetVisible(false);
    child->Pause();
  }
}

void TSequenceControl::SaveProperties(const StorageRef& storage) {
  TControlWidget::SaveProperties(storage);
  WriteInt(storage, "step_duration_time", stepDuration_, stepDuration_ != 0);
}

Variant TSequenceControl::GetProperty(const std::string& name) {
  if (PropIs(name, "step_duration_time")) return Variant(stepDuration_);
  if (PropIs(name, "current")) return Variant(current_);
  return TControlWidget::GetProperty(name);
}

void TSequenceControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (PropIs(name, "step_duration_time")) {
    if (VariantToInt(value, i)) stepDuration_ = static_cast<int32_t>(i);
  } else {
    TControlWidget::SetProperty(name, value);
  }
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
