#include "game/level/scenarios/flying_scenarios.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TScenarioFlying::Initialize() {
  TFlightScenario::Initialize();
  path_ = nullptr;
  pathLinked_ = false;
  HoldUntilReleased(EmitterName());
}

void TScenarioFlying::LoadProperties(const StorageRef& storage) {
  TFlightScenario::LoadProperties(storage);
  path_ = std::dynamic_pointer_cast<IPathFunction>(CreateChildObject(storage, "function", 0));
}

void TScenarioFlying::SaveProperties(const StorageRef& storage) {
  TFlightScenario::SaveProperties(storage);
  if (path_) SaveChildObject(path_, storage, "function");
}

void TScenarioFlying::ClearOwner() {
  if (path_ && pathLinked_) path_->Unlink();
  pathLinked_ = false;
  TFlightScenario::ClearOwner();
}

void TScenarioFlying::Depart() {
  if (WidgetRef image = FindWidget("image")) {
    image->SetAnchorLeft(initX_);
    image->SetAnchorTop(initY_);
  }
  SetEmission(Release(EmitterName()), ClientPointToScreen(initX_, initY_));
  if (!path_) return;
  if (!pathLinked_) path_->SetOwner(nullptr);
  pathLinked_ = true;
  path_->SetValue("x1", static_cast<float>(initX_));
  path_->SetValue("y1", static_cast<float>(initY_));
  path_->SetValue("x2", static_cast<float>(endX_));
  path_->SetValue("y2", static_cast<float>(endY_));
  path_->SetValue("TotalTime", static_cast<float>(duration_));
  path_->Execute();
}

void TScenarioFlying::Fly() {
  if (!path_ || !pathLinked_) return;
  path_->SetStep(static_cast<float>(RunningTime(duration_)));
  PlaceAt(path_->GetX(), path_->GetY());
}

void TScenarioFlying::PlaceAt(double x, double y) {
  WidgetRef image = FindWidget("image");
  if (image) {
    image->SetAnchorLeft(x);
    image->SetAnchorTop(y);
  }
  SetEmission(FindWidget(EmitterName()), ClientPointToScreen(x + kEmitterOffsetX, y + kEmitterOffsetY));
}

void TScenarioFlying::Land() { StopEmitter(EmitterName()); }

}  // namespace kestrelle
