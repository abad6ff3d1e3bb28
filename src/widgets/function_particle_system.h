#pragma once
// "function_particle_system": particles whose state is a slot matrix of the system's parameter
// space, made by the "Create" sub-function of the system's function and moved, coloured and
// killed by its "Update" sub-function. Event 1 makes one particle from the event's parameters,
// event 2 removes them all.

#include <cstdint>
#include <memory>
#include <vector>

#include "widgets/group_widget.h"
#include "widgets/particle_slots.h"
#include "widgets/widget_snapshots.h"

namespace kestrelle {

class TFunctionParticleSystem : public TGroupWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void Invalidate() override;
  void DoUpdate(int32_t elapsedMs) override;
  void HandleEvent(int32_t code, const ParamsRef& params) override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  TRect GetRect() override { return bounds_; }
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  int32_t GetParticleCount() const { return static_cast<int32_t>(particles_.size()); }
  const SlotMatrix& ParticleAt(int32_t index) const { return particles_[index]; }
  void SetStaticImages(bool flag);
  bool GetStaticImages() const { return staticImages_; }

 protected:
  bool CreateParticle(SlotMatrix& particle);
  void CreateParticleWithParams(const ParamsRef& params);
  void UpdateParticle(SlotMatrix& particle, int32_t elapsedMs);
  void RemoveDeadParticles();
  void CreateParticles(int32_t count);
  void Emit(int32_t elapsedMs);
  void FreeParticles();

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t initCreationCount_ = 0;
  int32_t deltaStep_ = 0;
  int32_t stepTime_ = 0;
  double emitRemainder_ = 0;
  bool staticImages_ = true;
  int32_t drawMode_ = kParticleFillColor;
  int32_t blendingMode_ = 0;
  TWidgetSnapshots images_;
  ParamSpaceRef paramSpace_;
  FunctionRef particleFunction_;
  FunctionRef createFunction_;
  FunctionRef updateFunction_;
  TFunctionSurfaceValue surfaceValue_;
  std::vector<SlotMatrix> particles_;
  TRect bounds_{-1, -1, -1, -1};
};

}  // namespace kestrelle
