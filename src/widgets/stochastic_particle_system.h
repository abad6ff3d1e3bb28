#pragma once
// "stochastic_particle_system": particles born around the emission centre with a random speed,
// direction, lifetime, gravity and colour within the configured ranges. Positions and colours
// are closed formulas of the age (no integration), and every particle paints its colour through
// the alpha of the first child's picture.

#include <cstdint>

#include "widgets/particle_system.h"
#include "widgets/widget_snapshots.h"

namespace kestrelle {

struct TStochasticParticle : TParticle {
  int32_t startX = 0;
  int32_t startY = 0;
  int32_t lifetime = 0;
  int32_t age = 0;
  int32_t speed = 0;        // pixels per second
  int32_t direction = 0;    // degrees
  double directionCos = 1;  // of the direction, taken at birth: the motion is updated every frame
  double directionSin = 0;
  uint32_t startColor = 0;
  uint32_t color = 0;
  int32_t gravity = 0;  // pixels per second², downwards when positive
};

class TStochasticParticleSystem : public TParticleSystem {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void DoUpdate(int32_t elapsedMs) override;

  // The colour range with the alpha bytes of "alfa_start" and "alfa_end".
  uint32_t StartColor() const;
  uint32_t EndColor() const;

 protected:
  std::unique_ptr<TParticle> CreateParticle() override;
  void UpdateParticle(TParticle& particle, int32_t elapsedMs) override;
  void RemoveDeadParticles() override;
  void Emit(int32_t elapsedMs) override;
  void BeginDraw() override;
  void EndDraw() override;
  void DrawParticle(const SurfaceRef& surface, int32_t x, TParticle& particle, int32_t y) override;

  // Speed, lifetime, direction, gravity and colour (without alpha) of a new particle born at
  // (x, y).
  void Randomize(TStochasticParticle& particle, int32_t x, int32_t y) const;
  // The birth alpha (clamped to 0..255); the colour starts there.
  static void SetStartAlpha(TStochasticParticle& particle, int64_t alpha);

  TWidgetSnapshots picture_;
  int32_t blendingMode_ = 0;
  int32_t direction_ = 0;
  int32_t spread_ = 360;
  int32_t speedMin_ = 10;
  int32_t speedMax_ = 100;
  int32_t lifetimeMin_ = 1000;
  int32_t lifetimeMax_ = 5000;
  int32_t gravityMin_ = 0;
  int32_t gravityMax_ = 0;
  uint32_t colorStart_ = 0xFFFFFFFFu;
  uint32_t colorEnd_ = 0xFF000000u;
  int32_t alfaStart_ = 255;
  int32_t alfaEnd_ = 255;
  int32_t colorVariation_ = 0;
  int32_t alfaVariation_ = 0;
};

// The colour `age / lifetime` of the way from `from` to `to`, channel by channel (alpha too); a
// lifetime of 0 or less is the end colour.
uint32_t ParticleColorAt(uint32_t from, uint32_t to, int32_t age, int32_t lifetime);

}  // namespace kestrelle
