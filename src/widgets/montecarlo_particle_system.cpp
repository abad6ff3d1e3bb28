#include "widgets/montecarlo_particle_system.h"

#include "data/file_system.h"
#include "data/random.h"
#include "data/text_encoding.h"

namespace kestrelle {

void TMonteCarloParticleSystem::Initialize() {
  TStochasticParticleSystem::Initialize();
  sourceImage_ = nullptr;
  sourceRect_ = TRect{};
}

void TMonteCarloParticleSystem::SetProperty(const std::string& name, const Variant& value) {
  if (!EqualsIgnoreAsciiCase(name, "widget")) {
    TStochasticParticleSystem::SetProperty(name, value);
    return;
  }
  // Game code gives the widget itself; data may name it by path.
  WidgetRef widget = value.As<IWidget>();
  if (!widget && value.IsString()) {
    widget = FindWidget(value.ToString());
    if (!widget) LogLine("Particle system \"" + GetName() + "\": no widget \"" + value.ToString() + "\" to emit from");
  }
  SetSource(widget);
}

void TMonteCarloParticleSystem::SetSource(const WidgetRef& widget) {
  sourceImage_ = widget ? widget->CreateImage() : nullptr;
  sourceRect_ = widget ? widget->GetRect() : TRect{};
}

void TMonteCarloParticleSystem::ClearOwner() {
  sourceImage_ = nullptr;
  TStochasticParticleSystem::ClearOwner();
}

std::unique_ptr<TParticle> TMonteCarloParticleSystem::CreateParticle() {
  if (!sourceImage_) return nullptr;
  const auto width = static_cast<int32_t>(std::clamp<int64_t>(sourceRect_.Width(), 0, INT32_MAX));
  const auto height = static_cast<int32_t>(std::clamp<int64_t>(sourceRect_.Height(), 0, INT32_MAX));
  for (int attempt = 0; attempt < kBirthTries; ++attempt) {
    const int32_t bx = Random(width), by = Random(height);
    // GetPixel answers 0 (transparent) outside the picture: a rectangle larger than the
    // picture never reads past it.
    const uint32_t alpha = sourceImage_->GetPixel(bx, by) >> 24;
    if (alpha < kMinBirthAlpha) continue;
    std::unique_ptr<TParticle> made = Recycled<TStochasticParticle>();
    auto& p = static_cast<TStochasticParticle&>(*made);
    Randomize(p, bx + sourceRect_.left, by + sourceRect_.top);
    SetStartAlpha(p, int64_t{alpha} - Random(alfaVariation_));
    return made;
  }
  return nullptr;
}

}  // namespace kestrelle
