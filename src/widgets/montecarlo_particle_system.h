#pragma once
// "montecarlo_particle_system": stochastic particles born on the visible pixels of another
// widget's picture (set through the property "widget"), keeping that pixel's transparency.

#include "widgets/stochastic_particle_system.h"

namespace kestrelle {

class TMonteCarloParticleSystem : public TStochasticParticleSystem {
 public:
  // The least alpha of a pixel a particle may be born on.
  static constexpr uint32_t kMinBirthAlpha = 20;
  static constexpr int kBirthTries = 8;

  void Initialize() override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void ClearOwner() override;

  // The picture and the rectangle (in the owner's space) particles are born on.
  void SetSource(const WidgetRef& widget);

 protected:
  std::unique_ptr<TParticle> CreateParticle() override;

  SurfaceRef sourceImage_;
  TRect sourceRect_;
};

}  // namespace kestrelle
