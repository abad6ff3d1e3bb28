#pragma once
// The base of the rule-driven particle systems: a group whose children are hidden and serve as
// pictures, a list of particles that are updated, removed when dead and emitted per frame or in
// fixed steps, and a rectangle that is the bounding box of the particles. Particles that die are
// kept in a pool and handed out again, so a system in a steady state allocates nothing.

#include <cstdint>
#include <memory>
#include <vector>

#include "widgets/group_widget.h"

namespace kestrelle {

struct TParticle {
  virtual ~TParticle() = default;
  double x = 0;  // relative to the system's anchor
  double y = 0;
};

class TParticleSystem : public TGroupWidget {
 public:
  static constexpr TRect kNoBounds{-1, -1, -1, -1};

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  TRect GetRect() override { return bounds_; }
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  int32_t GetParticleCount() const { return static_cast<int32_t>(particles_.size()); }
  const TParticle& ParticleAt(int32_t index) const { return *particles_[index]; }

 protected:
  virtual std::unique_ptr<TParticle> CreateParticle();
  virtual void DrawParticle(const SurfaceRef& surface, int32_t x, TParticle& particle, int32_t y) {}
  virtual void UpdateParticle(TParticle& particle, int32_t elapsedMs) {}
  virtual void RemoveDeadParticles() {}
  virtual void Emit(int32_t elapsedMs) {}
  virtual void BeginDraw() {}
  virtual void EndDraw() {}

  // A particle of type P from the pool of freed ones, or a new one; its fields are reset.
  template <class P>
  std::unique_ptr<TParticle> Recycled() {
    for (size_t i = pool_.size(); i-- > 0;) {
      if (dynamic_cast<P*>(pool_[i].get())) {
        std::unique_ptr<TParticle> particle = std::move(pool_[i]);
        pool_[i] = std::move(pool_.back());
        pool_.pop_back();
        *static_cast<P*>(particle.get()) = P{};
        return particle;
      }
    }
    return std::make_unique<P>();
  }
  // Removes, from the last to the first, the particles `dead` answers true for; they go to the
  // pool. The order of the survivors is kept.
  template <class Dead>
  void RemoveParticlesWhere(Dead dead) {
    size_t kept = 0;
    for (size_t i = 0; i < particles_.size(); ++i) {
      if (dead(*particles_[i]))
        pool_.push_back(std::move(particles_[i]));
      else if (kept++ != i)
        particles_[kept - 1] = std::move(particles_[i]);
    }
    particles_.resize(kept);
  }
  // Emission in fixed steps: the clock is wound back by the frame and advanced step by step, so
  // what is emitted in a step sees the time of that step.
  void EmitInSteps(int32_t elapsedMs);

  std::vector<std::unique_ptr<TParticle>> particles_;
  std::vector<std::unique_ptr<TParticle>> pool_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t emissionX_ = 0;
  int32_t emissionY_ = 0;
  int32_t emissionRadius_ = 0;
  int32_t emissionCount_ = 0;
  int32_t deltaStep_ = 0;
  int32_t stepTime_ = 0;
  TRect bounds_ = kNoBounds;
};

}  // namespace kestrelle
