#pragma once
// "multi_particle_system": a tree of particle types. Each type has its own parameter space,
// "Create" and "Update" functions and pictures; every living particle of a type emits particles
// of the type's child types, and a particle whose dead slot turns positive lingers (updated, not
// emitting) until its last child is gone. The system's element is also its root type's element;
// the one root particle is the ancestor of every visible particle. Event 1 spawns a child of the
// root particle from the event's parameters ("particle_type" names the type), event 2 clears.

#include <cstdint>
#include <memory>
#include <vector>

#include "widgets/particle_slots.h"
#include "widgets/visual_widget.h"
#include "widgets/widget_snapshots.h"

namespace kestrelle {

class TParticleType;
class TMultiParticleSystem;

// A particle of the multi system: its slots, the type that made it, and its own children (only
// when its type has child types).
struct TMultiParticle {
  SlotMatrix matrix;
  TParticleType* type = nullptr;
  bool hasChildren = false;
  std::vector<TMultiParticle> children;
};

// What a particle type asks of what holds it: the system, and the function its own function
// links to (none for the root type, the parent type's function for the others).
class IParticleTypeOwner : public virtual IInterface {
 public:
  virtual TMultiParticleSystem* GetSystem() = 0;
  virtual FunctionOwnerRef GetFunctionOwner() = 0;
};
using ParticleTypeOwnerRef = std::shared_ptr<IParticleTypeOwner>;

class TParticleTypeCollection : public TStaticCreationPersistItemCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  std::shared_ptr<TParticleType> GetAt(int index) const { return ItemAs<TParticleType>(Variant(index)); }
  std::shared_ptr<TParticleType> GetByName(const std::string& name) const {
    return ItemAs<TParticleType>(Variant(name));
  }
};

class TParticleType : public TPropertyObject, public virtual IParticleTypeOwner {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  // IParticleTypeOwner
  TMultiParticleSystem* GetSystem() override { return system_; }
  FunctionOwnerRef GetFunctionOwner() override { return function_; }

  void SetOwner(const ParticleTypeOwnerRef& owner);
  void Unlink();
  void ReloadImages();
  void UpdateType(int32_t elapsedMs);
  const ParamSpaceRef& GetParamSpace() const { return paramSpace_; }
  bool GetUseLocalImages() const { return useLocalImages_; }
  void SetUseLocalImages(bool flag) { useLocalImages_ = flag; }
  bool GetStaticImages() const { return staticImages_; }
  void SetStaticImages(bool flag);
  const TWidgetSnapshots& GetLocalImages() const { return localImages_; }
  const WidgetCollectionRef& GetWidgets() const { return widgets_; }
  const FunctionRef& GetFunction() const { return function_; }
  const std::shared_ptr<TParticleTypeCollection>& GetChildTypes() const { return childTypes_; }
  void SetSurface(const SurfaceRef& surface) { surfaceValue_.Set(function_, surface); }

  // The particle's picture and its children's, relative to the system's anchor; false when
  // there is nothing to show.
  bool GetParticleRect(const TMultiParticle& particle, TRect& rect) const;
  TMultiParticle CreateParticle();
  TMultiParticle CreateParticleWithParams(const ParamsRef& params);
  void FreeParticle(TMultiParticle& particle);
  static bool IsParticleDead(const TMultiParticle& particle);
  void UpdateParticle(TMultiParticle& particle, int32_t elapsedMs);
  void BeginDraw();
  void EndDraw();
  void DrawParticle(ISurface& surface, int32_t x, const TMultiParticle& particle, int32_t y) const;
  void SpawnChild(TMultiParticle& parent, const ParamsRef& params);
  void EmitChildren(TMultiParticle& parent, int32_t elapsedMs);
  static int32_t CountParticles(const TMultiParticle& particle);

 private:
  const ISurface* PictureOf(const TMultiParticle& particle) const;
  void TakeImages() { localImages_.Take(widgets_); }

  std::weak_ptr<IParticleTypeOwner> owner_;
  TMultiParticleSystem* system_ = nullptr;
  std::shared_ptr<TParticleTypeCollection> childTypes_;
  bool useLocalImages_ = false;
  bool staticImages_ = true;
  WidgetCollectionRef widgets_;
  TWidgetSnapshots localImages_;
  int32_t drawMode_ = kParticleFillColor;
  int32_t blendingMode_ = 0;
  int32_t transparentLevel_ = 255;
  ParamSpaceRef paramSpace_;
  FunctionRef function_;
  FunctionRef createFunction_;
  FunctionRef updateFunction_;
  TFunctionSurfaceValue surfaceValue_;
};

class TMultiParticleSystem : public TVisualWidget, public virtual IParticleTypeOwner {
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
  WidgetCollectionRef GetWidgets() override { return rootType_->GetWidgets(); }
  double GetLeft() override { return static_cast<double>(bounds_.left); }
  double GetTop() override { return static_cast<double>(bounds_.top); }
  int32_t GetWidth() override { return static_cast<int32_t>(bounds_.Width()); }
  int32_t GetHeight() override { return static_cast<int32_t>(bounds_.Height()); }
  TRect GetRect() override { return bounds_; }
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  // IParticleTypeOwner
  TMultiParticleSystem* GetSystem() override { return this; }
  FunctionOwnerRef GetFunctionOwner() override { return nullptr; }

  // The owner of the types' hidden picture widgets, and the root type's pictures.
  WidgetOwnerRef GetWidgetOwner() { return GetOwner(); }
  const TWidgetSnapshots& GetImages() const { return rootType_->GetLocalImages(); }
  const std::shared_ptr<TParticleType>& GetRootType() const { return rootType_; }
  const TMultiParticle& GetRootParticle() const { return rootParticle_; }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t deltaStep_ = 0;
  int32_t stepTime_ = 0;
  std::shared_ptr<TParticleType> rootType_;
  TMultiParticle rootParticle_;
  TRect bounds_;
};

}  // namespace kestrelle
