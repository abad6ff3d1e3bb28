#include "controls/scenarios.h"

#include <algorithm>

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/random.h"
#include "data/variant_values.h"

namespace kestrelle {

void TTestScenario::DoUpdate(int32_t elapsedMs) {
  TScenario::DoUpdate(elapsedMs);
  if (currentTime_ <= 0) return;
  Pause();
  currentTime_ = 0;
  WidgetOwnerRef owner = GetOwner();
  WindowRef window = owner ? owner->GetWindow() : nullptr;
  WidgetCollectionRef root = window ? window->GetWidgets() : nullptr;
  if (!owner || !root) return;
  for (int i = 0; i < 100; ++i) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant("butterfly" + std::to_string(i)));
    params->SetValue("left", Variant(Random(640)));
    params->SetValue("top", Variant(Random(480)));
    if (WidgetRef butterfly = owner->CreateWidget("Butterfly", params)) root->Add(butterfly);
  }
}

// ---------------------------------------------------------------------------------------------

void TTransparentScenario::Initialize() {
  TScenario::Initialize();
  startLevel_ = 255;
  endLevel_ = 255;
  savedLevel_ = 255;
  target_ = nullptr;
  makeInvisible_ = false;
}

void TTransparentScenario::LoadProperties(const StorageRef& storage) {
  TScenario::LoadProperties(storage);
  startLevel_ = static_cast<int32_t>(ReadInt(storage, "start_trans_level", 255));
  endLevel_ = static_cast<int32_t>(ReadInt(storage, "end_trans_level", 255));
  makeInvisible_ = ReadBool(storage, "makeinvisible", false);
}

void TTransparentScenario::SaveProperties(const StorageRef& storage) {
  TScenario::SaveProperties(storage);
  WriteInt(storage, "start_trans_level", startLevel_, startLevel_ != 255);
  WriteInt(storage, "end_trans_level", endLevel_, endLevel_ != 255);
  WriteBool(storage, "makeinvisible", makeInvisible_, makeInvisible_);
}

Variant TTransparentScenario::GetProperty(const std::string& name) {
  if (PropIs(name, "widget")) return Variant(InterfaceRef(target_));
  if (PropIs(name, "start_trans_level")) return Variant(startLevel_);
  if (PropIs(name, "end_trans_level")) return Variant(endLevel_);
  if (PropIs(name, "makeinvisible")) return Variant(makeInvisible_);
  return TScenario::GetProperty(name);
}

void TTransparentScenario::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  bool b = false;
  if (PropIs(name, "widget")) {
    SetTarget(value.As<IWidget>());
  } else if (PropIs(name, "start_trans_level")) {
    if (VariantToInt(value, i)) startLevel_ = static_cast<int32_t>(i);
  } else if (PropIs(name, "end_trans_level")) {
    if (VariantToInt(value, i)) endLevel_ = static_cast<int32_t>(i);
  } else if (PropIs(name, "makeinvisible")) {
    if (VariantToBool(value, b)) makeInvisible_ = b;
  } else {
    TScenario::SetProperty(name, value);
  }
}

int32_t TTransparentScenario::LevelAt(int64_t t, int64_t duration) const {
  return static_cast<int32_t>(startLevel_ + t * (endLevel_ - startLevel_) / duration);
}

void TTransparentScenario::SetTarget(const WidgetRef& target) {
  if (target_ && target_ != target) target_->ClearOwner();
  target_ = target;
  if (!target_) return;
  savedLevel_ = target_->GetTransparentLevel();
  // A fade without duration sets no level: it finishes at its first update.
  if (timeToLive_ > 0) target_->SetTransparentLevel(std::clamp(LevelAt(currentTime_, timeToLive_), 0, 255));
}

void TTransparentScenario::Finish() {
  WidgetRef target = std::move(target_);
  target_ = nullptr;
  if (!target) return;
  target->SetTransparentLevel(savedLevel_);
  if (makeInvisible_) target->SetVisible(false);
}

void TTransparentScenario::ClearOwner() {
  Finish();
  TScenario::ClearOwner();
}

void TTransparentScenario::DoUpdate(int32_t elapsedMs) {
  TScenario::DoUpdate(elapsedMs);
  const int64_t t = currentTime_;
  const int64_t duration = timeToLive_;
  if (0 < t && t < duration && target_) {
    target_->SetTransparentLevel(std::clamp(LevelAt(t, duration), 0, 255));
  } else if (duration < t) {
    Finish();
    SetDead(true);
  }
}

// ---------------------------------------------------------------------------------------------

void TMoveScenario::Initialize() {
  TTransparentScenario::Initialize();
  startX_ = startY_ = endX_ = endY_ = 0;
}

void TMoveScenario::LoadProperties(const StorageRef& storage) {
  TTransparentScenario::LoadProperties(storage);
  startX_ = static_cast<int32_t>(ReadInt(storage, "startposx", 0));
  startY_ = static_cast<int32_t>(ReadInt(storage, "startposy", 0));
  endX_ = static_cast<int32_t>(ReadInt(storage, "endposx", 0));
  endY_ = static_cast<int32_t>(ReadInt(storage, "endposy", 0));
}

void TMoveScenario::SaveProperties(const StorageRef& storage) {
  TTransparentScenario::SaveProperties(storage);
  WriteInt(storage, "startposx", startX_, startX_ != 0);
  WriteInt(storage, "startposy", startY_, startY_ != 0);
  WriteInt(storage, "endposx", endX_, endX_ != 0);
  WriteInt(storage, "endposy", endY_, endY_ != 0);
}

Variant TMoveScenario::GetProperty(const std::string& name) {
  if (PropIs(name, "startposx")) return Variant(startX_);
  if (PropIs(name, "startposy")) return Variant(startY_);
  if (PropIs(name, "endposx")) return Variant(endX_);
  if (PropIs(name, "endposy")) return Variant(endY_);
  return TTransparentScenario::GetProperty(name);
}

void TMoveScenario::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  int32_t* field = PropIs(name, "startposx")   ? &startX_
                   : PropIs(name, "startposy") ? &startY_
                   : PropIs(name, "endposx")   ? &endX_
                   : PropIs(name, "endposy")   ? &endY_
                                               : nullptr;
  if (!field) {
    TTransparentScenario::SetProperty(name, value);
  } else if (VariantToInt(value, i)) {
    *field = static_cast<int32_t>(i);
  }
}

void TMoveScenario::MoveStep(int64_t t, int64_t duration) {
  if (!target_) return;
  const double time = static_cast<double>(t);
  const double length = static_cast<double>(duration);
  target_->SetAnchorLeft(startX_ + (static_cast<double>(endX_) - startX_) * time / length);
  target_->SetAnchorTop(startY_ + (static_cast<double>(endY_) - startY_) * time / length);
}

void TMoveScenario::DoUpdate(int32_t elapsedMs) {
  TTransparentScenario::DoUpdate(elapsedMs);
  const int64_t t = currentTime_;
  if (0 < t && t < timeToLive_) MoveStep(t, timeToLive_);
}

void TMoveScenario::Finish() {
  if (target_) {
    target_->SetAnchorLeft(endX_);
    target_->SetAnchorTop(endY_);
  }
  TTransparentScenario::Finish();
}

}  // namespace kestrelle
