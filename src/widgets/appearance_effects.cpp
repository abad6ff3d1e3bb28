#include "widgets/appearance_effects.h"

#include "data/params.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TAppearanceEffectCollection::GetPropertyTable() const {
  static const TPropertyTable table(TVisualGroupWidget::GetPropertyTable(),
                                    {
                                        Property("state", &TAppearanceEffectCollection::state_, -1)
                                            .NotStored()
                                            .SetWith(&TAppearanceEffectCollection::SetState),
                                    });
  return table;
}

void TAppearanceEffectCollection::Initialize() {
  TVisualGroupWidget::Initialize();
  current_ = nullptr;
}

void TAppearanceEffectCollection::LoadProperties(const StorageRef& storage) {
  TVisualGroupWidget::LoadProperties(storage);
  visible_ = true;
  for (const WidgetRef& effect : widgets_->Snapshot()) {
    effect->SetVisible(false);
    effect->Pause();
  }
}

bool TAppearanceEffectCollection::HasEffect(const std::string& name) {
  return !name.empty() && widgets_->Get(Variant(name)) != nullptr;
}

void TAppearanceEffectCollection::StartEffect(const std::string& name, const SurfaceRef& image,
                                              const ParamsRef& params) {
  SetState(kEffectIdle);
  AppearanceEffectRef effect = std::dynamic_pointer_cast<IAppearanceEffect>(widgets_->Get(Variant(name)));
  if (!effect) return;
  current_ = effect;
  SetState(kEffectPlaying);
  effect->SetVisible(true);
  effect->Resume();
  effect->Start(image, params);
  state_ = effect->GetState();
}

void TAppearanceEffectCollection::SetState(int32_t state) {
  if (state == state_) return;
  state_ = state;
  if (state != kEffectIdle) return;
  if (AppearanceEffectRef effect = std::move(current_)) {
    current_ = nullptr;
    effect->SetVisible(false);
    effect->Pause();
  }
}

void TAppearanceEffectCollection::DoUpdate(int32_t elapsedMs) {
  TVisualGroupWidget::DoUpdate(elapsedMs);
  if (state_ != kEffectPlaying) return;
  int32_t next = kEffectIdle;
  if (AppearanceEffectRef effect = current_) {
    const Variant state = effect->GetProperty("state");
    int64_t value = 0;
    if (!state.IsEmpty() && !state.IsNull() && VariantToInt(state, value)) next = static_cast<int32_t>(value);
  }
  SetState(next);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TAppearanceEffect::GetPropertyTable() const {
  static const TPropertyTable table(TBehaviourWidget::GetPropertyTable(),
                                    {
                                        Property("durationtime", &TAppearanceEffect::durationTime_).Quiet(),
                                        Property("state", &TAppearanceEffect::effectState_, -1).NotStored().Quiet(),
                                    });
  return table;
}

void TAppearanceEffect::Initialize() {
  TBehaviourWidget::Initialize();
  params_ = nullptr;
}

void TAppearanceEffect::Reset() {
  TBehaviourWidget::Reset();
  params_ = nullptr;
}

Variant TAppearanceEffect::GetProperty(const std::string& name) {
  if (ParamsRef params = params_; params && params->GetParam(Variant(name))) return params->GetValue(name, Variant());
  return TBehaviourWidget::GetProperty(name);
}

void TAppearanceEffect::SetProperty(const std::string& name, const Variant& value) {
  if (ParamsRef params = params_; params && params->GetParam(Variant(name))) {
    params->SetValue(name, value);
    return;
  }
  TBehaviourWidget::SetProperty(name, value);
}

void TAppearanceEffect::Start(const SurfaceRef& image, const ParamsRef& params) {
  PlaySound("sound_effect", false, 0, 0);
  SetImage(image);
  if (params) params_ = CopyParams(params);
  Restart();
}

void TAppearanceEffect::Restart() {
  TBehaviourWidget::Restart();
  effectState_ = kEffectPlaying;
  // Restarting is not this frame's update: the effect still runs in the next one.
  updated_ = false;
}

void TAppearanceEffect::DoUpdate(int32_t elapsedMs) {
  TBehaviourWidget::DoUpdate(elapsedMs);
  if (currentTime_ >= durationTime_) effectState_ = kEffectIdle;
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TFunctionAppearanceEffect::GetPropertyTable() const {
  static const TPropertyTable table(TAppearanceEffect::GetPropertyTable(),
                                    {
                                        Property("surfaceparamname", &TFunctionAppearanceEffect::surfaceParamName_),
                                    });
  return table;
}

void TFunctionAppearanceEffect::SetImage(const SurfaceRef& image) {
  if (!surfaceParamName_.empty()) SetProperty(surfaceParamName_, Variant(InterfaceRef(image)));
}

}  // namespace kestrelle
