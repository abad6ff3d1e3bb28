#include "widgets/stochastic_particle_system.h"

#include <cmath>
#include <numbers>

#include "data/numbers.h"
#include "data/random.h"
#include "widgets/image_widget.h"

namespace kestrelle {

namespace {

int32_t Channel(uint32_t colour, int shift) { return static_cast<int32_t>((colour >> shift) & 0xFF); }

uint32_t WithChannel(uint32_t colour, int shift, int64_t value) {
  const auto byte = static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 255));
  return (colour & ~(0xFFu << shift)) | (byte << shift);
}

double Radians(int32_t degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

uint32_t ParticleColorAt(uint32_t from, uint32_t to, int32_t age, int32_t lifetime) {
  if (lifetime <= 0) return to;
  uint32_t colour = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int64_t start = Channel(from, shift);
    const double step = static_cast<double>(Channel(to, shift) - start) * age / lifetime;
    colour = WithChannel(colour, shift, start + RoundHalfEven(step));
  }
  return colour;
}

const TPropertyTable& TStochasticParticleSystem::GetPropertyTable() const {
  using T = TStochasticParticleSystem;
  static const TPropertyTable table(TParticleSystem::GetPropertyTable(),
                                    {
                                        Property("blendingmode", &T::blendingMode_, int32_t{kBlendNormal})
                                            .AsEnum(TImageWidget::kBlendingModeWords)
                                            .NotSaved(),
                                        Property("direction", &T::direction_).NotSaved(),
                                        Property("spread", &T::spread_, 360).NotSaved(),
                                        Property("speed_min", &T::speedMin_, 10).NotSaved(),
                                        Property("speed_max", &T::speedMax_, 100).NotSaved(),
                                        Property("lifetime_min", &T::lifetimeMin_, 1000).NotSaved(),
                                        Property("lifetime_max", &T::lifetimeMax_, 5000).NotSaved(),
                                        Property("gravity_min", &T::gravityMin_).NotSaved(),
                                        Property("gravity_max", &T::gravityMax_).NotSaved(),
                                        Property("color_start", &T::colorStart_, 0xFFFFFFFFu).AsColor().NotSaved(),
                                        Property("color_end", &T::colorEnd_, 0xFF000000u).AsColor().NotSaved(),
                                        Property("alfa_start", &T::alfaStart_, 255).NotSaved(),
                                        Property("alfa_end", &T::alfaEnd_, 255).NotSaved(),
                                        Property("color_variation", &T::colorVariation_).NotSaved(),
                                        Property("alfa_variation", &T::alfaVariation_).NotSaved(),
                                    });
  return table;
}

void TStochasticParticleSystem::Initialize() {
  TParticleSystem::Initialize();
  picture_.Drop();
}

uint32_t TStochasticParticleSystem::StartColor() const { return WithChannel(colorStart_, 24, alfaStart_); }
uint32_t TStochasticParticleSystem::EndColor() const { return WithChannel(colorEnd_, 24, alfaEnd_); }

void TStochasticParticleSystem::Emit(int32_t elapsedMs) {
  const int64_t count = RoundHalfEven(static_cast<double>(elapsedMs) * emissionCount_ / 1000.0);
  for (int64_t i = 0; i < count; ++i) {
    if (std::unique_ptr<TParticle> particle = CreateParticle()) particles_.push_back(std::move(particle));
  }
}

std::unique_ptr<TParticle> TStochasticParticleSystem::CreateParticle() {
  const double angle = Radians(Random(360));
  const int32_t radius = Random(emissionRadius_);
  std::unique_ptr<TParticle> made = Recycled<TStochasticParticle>();
  auto& p = static_cast<TStochasticParticle&>(*made);
  Randomize(p, Round32(std::cos(angle) * radius) + emissionX_, Round32(std::sin(angle) * radius) + emissionY_);
  const double alphaShift = static_cast<double>(alfaEnd_ - alfaStart_) * Random(alfaVariation_) / 100.0;
  SetStartAlpha(p, alfaStart_ + RoundHalfEven(alphaShift));
  return made;
}

void TStochasticParticleSystem::Randomize(TStochasticParticle& p, int32_t x, int32_t y) const {
  p.startX = x;
  p.startY = y;
  p.x = x;
  p.y = y;
  p.age = 0;
  p.lifetime = lifetimeMin_ + Random(lifetimeMax_ - lifetimeMin_);
  p.speed = speedMin_ + Random(speedMax_ - speedMin_);
  p.direction = Random(spread_) + direction_ - spread_ / 2;
  p.directionCos = std::cos(Radians(p.direction));
  p.directionSin = std::sin(Radians(p.direction));
  p.gravity = std::min(gravityMin_, gravityMax_) + Random(std::abs(gravityMax_ - gravityMin_));
  const double variation = Random(colorVariation_) / 100.0;
  const uint32_t from = StartColor(), to = EndColor();
  uint32_t colour = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int32_t start = Channel(from, shift);
    colour = WithChannel(colour, shift, start + RoundHalfEven((Channel(to, shift) - start) * variation));
  }
  p.startColor = colour;  // the alpha is the caller's
  p.color = colour;
}

void TStochasticParticleSystem::SetStartAlpha(TStochasticParticle& p, int64_t alpha) {
  p.startColor = WithChannel(p.startColor, 24, alpha);
  p.color = p.startColor;
}

void TStochasticParticleSystem::UpdateParticle(TParticle& particle, int32_t elapsedMs) {
  auto& p = static_cast<TStochasticParticle&>(particle);
  p.age += elapsedMs;
  const int64_t t = p.age;
  const double travelled = static_cast<double>(p.speed) * static_cast<double>(t) / 1000.0;
  // t² × gravity leaves 32 bits after 1.5 s at 1000 px/s²: the fall is computed in reals.
  const double fall = static_cast<double>(t) * static_cast<double>(t) * p.gravity / 1000000.0 / 2.0;
  p.x = static_cast<double>(RoundHalfEven(p.directionCos * travelled) + p.startX);
  p.y = static_cast<double>(RoundHalfEven(fall) + RoundHalfEven(p.directionSin * travelled) + p.startY);
  p.color = ParticleColorAt(p.startColor, EndColor(), p.age, p.lifetime);
}

void TStochasticParticleSystem::RemoveDeadParticles() {
  RemoveParticlesWhere([](const TParticle& particle) {
    const auto& p = static_cast<const TStochasticParticle&>(particle);
    return p.age > p.lifetime;
  });
}

void TStochasticParticleSystem::BeginDraw() {
  if (!picture_.IsTaken()) picture_.Take(widgets_, 1);
}

void TStochasticParticleSystem::EndDraw() { picture_.Drop(); }

void TStochasticParticleSystem::DrawParticle(const SurfaceRef& surface, int32_t x, TParticle& particle, int32_t y) {
  const ISurface* picture = picture_.At(0);
  if (!picture || !surface) return;
  const auto& p = static_cast<const TStochasticParticle&>(particle);
  const int32_t left = x + Round32(p.x), top = y + Round32(p.y);
  const int32_t w = picture->GetWidth(), h = picture->GetHeight();
  surface->DrawColor(p.color, picture, static_cast<uint8_t>(blendingMode_),
                     static_cast<uint8_t>(std::clamp(transparentLevel_, 0, 255)), TRect{left, top, left + w, top + h},
                     TRect{0, 0, w, h});
}

void TStochasticParticleSystem::DoUpdate(int32_t elapsedMs) {
  TParticleSystem::DoUpdate(elapsedMs);
  WidgetRef first = widgets_->GetByIndex(0);
  if (particles_.empty() || !first) return;
  const int32_t w = first->GetWidth(), h = first->GetHeight();
  TRect box{};
  bool any = false;
  for (const auto& particle : particles_) {
    const int32_t left = Round32(particle->x), top = Round32(particle->y);
    const TRect r{left, top, left + w, top + h};
    box = any ? BoundingBox(box, r) : r;
    any = true;
  }
  const int32_t dx = Round32(anchorLeft_), dy = Round32(anchorTop_);
  bounds_ = TRect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

}  // namespace kestrelle
