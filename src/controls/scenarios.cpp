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

const TPropertyTable& TTransparentScenario::GetPropertyTable() const {
  static const TPropertyTable table(
      TScenario::GetPropertyTable(),
      {
          Property("start_trans_level", &TTransparentScenario::startLevel_, 255).SavedIfNotDefault().Quiet(),
          Property("end_trans_level", &TTransparentScenario::endLevel_, 255).SavedIfNotDefault().Quiet(),
          Property("makeinvisible", &TTransparentScenario::makeInvisible_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TTransparentScenario::Initialize() {
  TScenario::Initialize();
  savedLevel_ = 255;
  target_ = nullptr;
}

Variant TTransparentScenario::GetProperty(const std::string& name) {
  if (PropIs(name, "widget")) return Variant(InterfaceRef(target_));
  return TScenario::GetProperty(name);
}

void TTransparentScenario::SetProperty(const std::string& name, const Variant& value) {
  if (PropIs(name, "widget")) {
    SetTarget(value.As<IWidget>());
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

const TPropertyTable& TMoveScenario::GetPropertyTable() const {
  static const TPropertyTable table(TTransparentScenario::GetPropertyTable(),
                                    {
                                        Property("startposx", &TMoveScenario::startX_).SavedIfNotDefault().Quiet(),
                                        Property("startposy", &TMoveScenario::startY_).SavedIfNotDefault().Quiet(),
                                        Property("endposx", &TMoveScenario::endX_).SavedIfNotDefault().Quiet(),
                                        Property("endposy", &TMoveScenario::endY_).SavedIfNotDefault().Quiet(),
                                    });
  return table;
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
