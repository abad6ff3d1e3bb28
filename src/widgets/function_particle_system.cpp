#include "widgets/function_particle_system.h"

#include <cmath>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "widgets/image_widget.h"

namespace kestrelle {

namespace {

FunctionRef SubFunction(const FunctionRef& function, const char* name) {
  FunctionCollectionRef subs = function ? function->GetSubFunctions() : nullptr;
  return subs ? subs->GetByName(name) : nullptr;
}

}  // namespace

const TPropertyTable& TFunctionParticleSystem::GetPropertyTable() const {
  using T = TFunctionParticleSystem;
  static const TPropertyTable table(
      TGroupWidget::GetPropertyTable(),
      {
          Property("width", &T::width_),
          Property("height", &T::height_),
          Property("init_creation_count", &T::initCreationCount_),
          Property("delta_step", &T::deltaStep_),
          Property("static_images", &T::staticImages_, true).SetWith(&T::SetStaticImages),
          Property("drawmode", &T::drawMode_, int32_t{kParticleFillColor}).AsEnum(kParticleDrawModeWords),
          Property("blendingmode", &T::blendingMode_, int32_t{kBlendNormal}).AsEnum(TImageWidget::kBlendingModeWords),
      });
  return table;
}

void TFunctionParticleSystem::Initialize() {
  TGroupWidget::Initialize();
  stepTime_ = 0;
  emitRemainder_ = 0;
  paramSpace_ = Create<TParamSpace>();
  particleFunction_ = createFunction_ = updateFunction_ = nullptr;
  particles_.clear();
  bounds_ = TRect{-1, -1, -1, -1};
}

void TFunctionParticleSystem::LoadProperties(const StorageRef& storage) {
  TGroupWidget::LoadProperties(storage);
  if (LoadChildObject(paramSpace_, storage, "paramspace", 0)) paramSpace_->SetSource(nullptr);
  particleFunction_ = std::dynamic_pointer_cast<IFunction>(CreateChildObject(storage, "function", 0));
  if (!particleFunction_) return;
  try {
    particleFunction_->SetOwner(nullptr);
  } catch (const std::exception& e) {
    LogLine("Particle system \"" + GetName() + "\": its function could not be prepared: " + e.what());
    particleFunction_ = nullptr;
  }
}

void TFunctionParticleSystem::SaveProperties(const StorageRef& storage) {
  TGroupWidget::SaveProperties(storage);
  SaveChildObject(paramSpace_, storage, "paramspace");
  if (particleFunction_) SaveChildObject(particleFunction_, storage, "function");
}

void TFunctionParticleSystem::Reset() {
  FreeParticles();
  surfaceValue_.Release(particleFunction_);
  if (particleFunction_) particleFunction_->SetOwner(nullptr);
  particleFunction_ = createFunction_ = updateFunction_ = nullptr;
  paramSpace_->Unlink();
  if (ParamDefsRef defs = paramSpace_->GetParamDefs()) defs->Clear();
  TGroupWidget::Reset();
}

Variant TFunctionParticleSystem::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "count")) return Variant(GetParticleCount());
  return TGroupWidget::GetProperty(name);
}

void TFunctionParticleSystem::SetProperty(const std::string& name, const Variant& value) {
  if (GetPropertyTable().Find(name)) {
    TGroupWidget::SetProperty(name, value);
  } else if (EqualsIgnoreAsciiCase(name, "surface")) {
    surfaceValue_.Set(particleFunction_, value.As<ISurface>());
  } else if (EqualsIgnoreAsciiCase(name, "widget")) {
    WidgetRef widget = value.As<IWidget>();
    if (!widget && value.IsString()) widget = FindWidget(value.ToString());
    surfaceValue_.Set(particleFunction_, widget ? widget->CreateImage() : nullptr);
  } else {
    TGroupWidget::SetProperty(name, value);
    ForwardValueToFunction(particleFunction_, name, value);
  }
}

void TFunctionParticleSystem::SetStaticImages(bool flag) {
  if (flag == staticImages_) return;
  staticImages_ = flag;
  if (flag)
    images_.Take(widgets_);
  else
    images_.Drop();
}

void TFunctionParticleSystem::SetOwner(const WidgetOwnerRef& owner) {
  TGroupWidget::SetOwner(owner);
  if (particleFunction_) {
    particleFunction_->Execute();
    createFunction_ = SubFunction(particleFunction_, "Create");
    updateFunction_ = SubFunction(particleFunction_, "Update");
  }
  if (staticImages_) images_.Take(widgets_);
  for (const WidgetRef& child : widgets_->Snapshot()) child->SetVisible(false);
}

void TFunctionParticleSystem::ClearOwner() {
  surfaceValue_.Release(particleFunction_);
  TGroupWidget::ClearOwner();
}

void TFunctionParticleSystem::Invalidate() {
  TGroupWidget::Invalidate();
  if (staticImages_) images_.Take(widgets_);
}

void TFunctionParticleSystem::FreeParticles() {
  for (SlotMatrix& particle : particles_) paramSpace_->FreePrivateMatrix(particle);
  particles_.clear();
}

bool TFunctionParticleSystem::CreateParticle(SlotMatrix& particle) {
  particle = paramSpace_->CreatePrivateMatrix();
  FillFromCreateFunction(createFunction_, particle);
  return true;
}

void TFunctionParticleSystem::UpdateParticle(SlotMatrix& particle, int32_t elapsedMs) {
  RunUpdateFunction(updateFunction_, particle, elapsedMs);
}

void TFunctionParticleSystem::CreateParticles(int32_t count) {
  if (!createFunction_ || !particleFunction_) return;
  createFunction_->SetValue("total_index", static_cast<float>(count));
  for (int32_t i = 0; i < count; ++i) {
    createFunction_->SetValue("index", static_cast<float>(i));
    SlotMatrix particle;
    if (!CreateParticle(particle)) continue;
    UpdateParticle(particle, 0);
    particles_.push_back(std::move(particle));
  }
}

void TFunctionParticleSystem::CreateParticleWithParams(const ParamsRef& params) {
  if (!createFunction_ || !particleFunction_) return;
  createFunction_->SetValue("total_index", 1);
  createFunction_->SetValue("index", 0);
  SlotMatrix particle;
  if (!CreateParticle(particle)) return;
  ApplyParamsToSlots(paramSpace_, params, particle);
  UpdateParticle(particle, 0);
  particles_.push_back(std::move(particle));
}

void TFunctionParticleSystem::Emit(int32_t elapsedMs) {
  if (!createFunction_ || !particleFunction_) return;
  particleFunction_->Execute();
  const double due = static_cast<double>(particleFunction_->GetValue("count")) * elapsedMs / 1000.0 + emitRemainder_;
  // A count from data may be anything: at most a million particles per emission.
  const double count = std::clamp(std::trunc(due), 0.0, 1e6);
  emitRemainder_ = due - std::trunc(due);
  CreateParticles(static_cast<int32_t>(count));
}

void TFunctionParticleSystem::RemoveDeadParticles() {
  size_t kept = 0;
  for (size_t i = 0; i < particles_.size(); ++i) {
    if (SlotsSayDead(particles_[i]))
      paramSpace_->FreePrivateMatrix(particles_[i]);
    else if (kept++ != i)
      particles_[kept - 1] = std::move(particles_[i]);  // a vector moved onto itself would empty
  }
  particles_.resize(kept);
}

void TFunctionParticleSystem::DoUpdate(int32_t elapsedMs) {
  TGroupWidget::DoUpdate(elapsedMs);
  const size_t before = particles_.size();
  if (particleFunction_) particleFunction_->SetInput(0, static_cast<float>(currentTime_));
  if (initCreationCount_ > 0 && currentTime_ >= 0) {
    CreateParticles(initCreationCount_);
    initCreationCount_ = 0;
  }
  for (SlotMatrix& particle : particles_) UpdateParticle(particle, elapsedMs);
  if (deltaStep_ > 0) {
    stepTime_ += elapsedMs;
    if (stepTime_ >= deltaStep_) currentTime_ -= elapsedMs;
    while (stepTime_ >= deltaStep_) {
      currentTime_ += deltaStep_;
      stepTime_ -= deltaStep_;
      if (currentTime_ < 0) continue;
      if (particleFunction_) particleFunction_->SetInput(0, static_cast<float>(currentTime_));
      Emit(std::min(currentTime_, deltaStep_));
    }
  } else if (deltaStep_ == 0) {
    Emit(elapsedMs);
  }
  RemoveDeadParticles();

  TRect box{};
  bool any = false;
  for (const SlotMatrix& particle : particles_) {
    WidgetRef child = widgets_->GetByIndex(PictureIndex(particle));
    if (!child) continue;
    const TRect r = ParticlePictureRect(particle, child->GetWidth(), child->GetHeight());
    box = any ? BoundingBox(box, r) : r;
    any = true;
  }
  const int32_t dx = Round32(anchorLeft_), dy = Round32(anchorTop_);
  bounds_ = any ? TRect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy} : TRect{-1, -1, -1, -1};
  geometryChanged_ = !particles_.empty() || before > 0;
}

void TFunctionParticleSystem::HandleEvent(int32_t code, const ParamsRef& params) {
  if (code == 1) {
    CreateParticleWithParams(params);
  } else if (code == 2) {
    FreeParticles();
    UpdateDirtyRects(true, true);
  }
}

void TFunctionParticleSystem::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!surface) return;
  if (!staticImages_) images_.Take(widgets_);
  for (const SlotMatrix& particle : particles_) {
    if (const ISurface* picture = images_.At(PictureIndex(particle)))
      DrawSlotParticle(*surface, x, y, particle, *picture, drawMode_, blendingMode_, transparentLevel_);
  }
  if (!staticImages_) images_.Drop();
}

}  // namespace kestrelle
