#include "widgets/appearance_effect_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TAbstractEffectWdiget::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("enable_effects", &TAbstractEffectWdiget::enableEffects_, true).SavedIfNotDefault().Quiet(),
          Property("skip_process_mouse", &TAbstractEffectWdiget::skipProcessMouse_, true).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TAbstractEffectWdiget::Initialize() {
  TVisualGroupWidget::Initialize();
  effects_ = nullptr;
  currentEffect_.clear();
  applying_ = false;
  offsetX_ = offsetY_ = 0;
  refresh_ = false;
}

void TAbstractEffectWdiget::LoadProperties(const StorageRef& storage) {
  TVisualGroupWidget::LoadProperties(storage);
  effects_ = std::dynamic_pointer_cast<IAppearanceEffects>(
      CreateAndLoadChild(MakeObject<TAppearanceEffectCollection>, storage, "effects", 0));
}

void TAbstractEffectWdiget::SaveProperties(const StorageRef& storage) {
  TVisualGroupWidget::SaveProperties(storage);
  if (effects_) SaveChildObject(effects_, storage, "effects");
}

void TAbstractEffectWdiget::Reset() {
  if (applying_) StopEffect();
  if (AppearanceEffectsRef effects = std::move(effects_)) {
    effects_ = nullptr;
    effects->ClearOwner();
  }
  TVisualGroupWidget::Reset();
}

Variant TAbstractEffectWdiget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "applyingeffect")) return Variant(applying_);
  if (EqualsIgnoreAsciiCase(name, "effect_state")) return effects_ ? effects_->GetProperty("state") : Variant(Null{});
  return TVisualGroupWidget::GetProperty(name);
}

void TAbstractEffectWdiget::SetOwner(const WidgetOwnerRef& owner) {
  TVisualGroupWidget::SetOwner(owner);
  if (AppearanceEffectsRef effects = effects_) effects->SetOwner(SelfAs<IWidgetOwner>());
}

void TAbstractEffectWdiget::ClearOwner() {
  if (AppearanceEffectsRef effects = effects_) effects->ClearOwner();
  TVisualGroupWidget::ClearOwner();
}

void TAbstractEffectWdiget::ApplyEffect(const std::string& name) {
  if (applying_) StopEffect();
  AppearanceEffectsRef effects = effects_;
  if (enableEffects_ && effects && GetOwner() && effects->HasEffect(name)) {
    offsetX_ = TVisualGroupWidget::GetLeft() - anchorLeft_;
    offsetY_ = TVisualGroupWidget::GetTop() - anchorTop_;
    SurfaceRef snapshot = CreateImage();
    effects->StartEffect(name, snapshot, nullptr);
    applying_ = effects->GetState() == kEffectPlaying;
  }
  if (applying_) {
    geometryChanged_ = true;
    SetChanged(true);
    currentEffect_ = name;
  }
  EffectStarted(name, applying_);
}

void TAbstractEffectWdiget::StopEffect() {
  applying_ = false;
  geometryChanged_ = true;
  SetChanged(true);
  refresh_ = true;
  const std::string finished = std::move(currentEffect_);
  currentEffect_.clear();
  EffectFinished(finished);
}

void TAbstractEffectWdiget::DoUpdate(int32_t elapsedMs) {
  AppearanceEffectsRef effects = effects_;
  if (!applying_ || !effects) {
    TVisualGroupWidget::DoUpdate(elapsedMs);
    return;
  }
  // The real subtree stands still while the effect plays.
  updated_ = true;
  effects->Update(elapsedMs);
  if (effects->GetState() != kEffectPlaying) StopEffect();
}

void TAbstractEffectWdiget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  AppearanceEffectsRef effects = effects_;
  if (!applying_ || !effects) {
    TVisualGroupWidget::Draw(surface, x, y);
    return;
  }
  effects->Draw(surface, Round32(x + offsetX_ + effects->GetAnchorLeft()),
                Round32(y + offsetY_ + effects->GetAnchorTop()));
}

TRect TAbstractEffectWdiget::GetRect() {
  AppearanceEffectsRef effects = effects_;
  if (!applying_ || !effects) return TVisualGroupWidget::GetRect();
  TRect r = effects->GetRect();
  const int32_t dx = Round32(anchorLeft_ + offsetX_);
  const int32_t dy = Round32(anchorTop_ + offsetY_);
  return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

TPoint TAbstractEffectWdiget::ScreenToClient(const TPoint& point) {
  const TPoint p = TVisualGroupWidget::ScreenToClient(point);
  if (!applying_) return p;
  return TPoint{p.x - Round32(offsetX_), p.y - Round32(offsetY_)};
}

bool TAbstractEffectWdiget::GetMouseStop() {
  if (applying_ && skipProcessMouse_) return false;
  return mouseStop_;
}

bool TAbstractEffectWdiget::UpdateDirtyRects(bool forceOld, bool forceNew) {
  TVisualGroupWidget::UpdateDirtyRects(forceOld, forceNew);
  AppearanceEffectsRef effects = effects_;
  if (effects && (applying_ || refresh_)) {
    effects->UpdateDirtyRects(forceOld || refresh_, forceNew || refresh_);
    reported_ = reported_ || effects->GetReported();
  }
  refresh_ = false;
  return reported_;
}

// ---------------------------------------------------------------------------------------------

void TAppearanceEffectWdiget::LoadProperties(const StorageRef& storage) {
  TAbstractEffectWdiget::LoadProperties(storage);
  targetVisible_ = visible_;
}

bool TAppearanceEffectWdiget::IsVisibilityEffect(const std::string& name) {
  return name == kShowEffect || name == kHideEffect;
}

void TAppearanceEffectWdiget::SetVisible(bool visible) {
  if (!effects_) {
    TAbstractEffectWdiget::SetVisible(visible);
    targetVisible_ = visible;
    return;
  }
  if (applying_ && visible_ != targetVisible_) StopEffect();
  if (visible == visible_) {
    targetVisible_ = visible;
    return;
  }
  targetVisible_ = visible;
  if (visible) visible_ = true;  // the snapshot shows the widget as it will look
  ApplyEffect(visible ? kShowEffect : kHideEffect);
}

void TAppearanceEffectWdiget::EffectStarted(const std::string& name, bool applying) {
  if (IsVisibilityEffect(name) && !applying) visible_ = targetVisible_;
}

void TAppearanceEffectWdiget::EffectFinished(const std::string& name) {
  if (IsVisibilityEffect(name)) visible_ = targetVisible_;
}

}  // namespace kestrelle
