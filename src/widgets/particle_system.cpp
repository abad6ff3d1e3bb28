#include "widgets/particle_system.h"

#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TParticleSystem::GetPropertyTable() const {
  // Loaded but not saved: a system is described by its data, not by its running state.
  static const TPropertyTable table(TGroupWidget::GetPropertyTable(),
                                    {
                                        Property("width", &TParticleSystem::width_).NotSaved(),
                                        Property("height", &TParticleSystem::height_).NotSaved(),
                                        Property("emission_x", &TParticleSystem::emissionX_).NotSaved(),
                                        Property("emission_y", &TParticleSystem::emissionY_).NotSaved(),
                                        Property("emission_radius", &TParticleSystem::emissionRadius_).NotSaved(),
                                        Property("emission_count", &TParticleSystem::emissionCount_).NotSaved(),
                                        Property("delta_step", &TParticleSystem::deltaStep_).NotSaved(),
                                    });
  return table;
}

void TParticleSystem::Initialize() {
  TGroupWidget::Initialize();
  particles_.clear();
  stepTime_ = 0;
  bounds_ = kNoBounds;
}

Variant TParticleSystem::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "count")) return Variant(GetParticleCount());
  return TGroupWidget::GetProperty(name);
}

void TParticleSystem::SetOwner(const WidgetOwnerRef& owner) {
  TGroupWidget::SetOwner(owner);
  for (const WidgetRef& child : widgets_->Snapshot()) child->SetVisible(false);
}

std::unique_ptr<TParticle> TParticleSystem::CreateParticle() { return Recycled<TParticle>(); }

void TParticleSystem::EmitInSteps(int32_t elapsedMs) {
  stepTime_ += elapsedMs;
  if (stepTime_ < deltaStep_) return;
  currentTime_ -= elapsedMs;
  while (stepTime_ >= deltaStep_) {
    currentTime_ += deltaStep_;
    stepTime_ -= deltaStep_;
    Emit(deltaStep_);
  }
}

void TParticleSystem::DoUpdate(int32_t elapsedMs) {
  TGroupWidget::DoUpdate(elapsedMs);
  const size_t before = particles_.size();
  for (auto& particle : particles_) UpdateParticle(*particle, elapsedMs);
  RemoveDeadParticles();
  if (deltaStep_ < 1)
    Emit(elapsedMs);
  else
    EmitInSteps(elapsedMs);
  bounds_ = kNoBounds;
  geometryChanged_ = !particles_.empty() || before > 0;
}

void TParticleSystem::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  BeginDraw();
  for (auto& particle : particles_) DrawParticle(surface, x, *particle, y);
  EndDraw();
}

}  // namespace kestrelle
