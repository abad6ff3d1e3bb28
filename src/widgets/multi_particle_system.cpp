#include "widgets/multi_particle_system.h"

#include <algorithm>
#include <cmath>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"
#include "widgets/image_widget.h"
#include "widgets/widget_collection.h"

namespace kestrelle {

namespace {

FunctionRef SubFunction(const FunctionRef& function, const char* name) {
  FunctionCollectionRef subs = function ? function->GetSubFunctions() : nullptr;
  return subs ? subs->GetByName(name) : nullptr;
}

// Removes the dead children (their types free them), keeping the order of the others.
void RemoveDeadChildren(std::vector<TMultiParticle>& children) {
  size_t kept = 0;
  for (size_t i = 0; i < children.size(); ++i) {
    TMultiParticle& child = children[i];
    if (TParticleType::IsParticleDead(child)) {
      if (child.type) child.type->FreeParticle(child);
    } else if (kept++ != i) {
      children[kept - 1] = std::move(child);
    }
  }
  children.resize(kept);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Particle types

void TParticleTypeCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "particle_types";
  itemElementName_ = "particle_type";
  itemClass_ = MakeObject<TParticleType>;
}

void TParticleTypeCollection::AddItem(const InterfaceRef& item) {
  if (auto type = std::dynamic_pointer_cast<TParticleType>(item))
    items_.Add(type, type->GetName(), -1, type->GetName().empty());
}

const TPropertyTable& TParticleType::GetPropertyTable() const {
  using T = TParticleType;
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("static_images", &T::staticImages_, true).SetWith(&T::SetStaticImages),
          Property("use_local_images", &T::useLocalImages_),
          Property("drawmode", &T::drawMode_, int32_t{kParticleFillColor}).AsEnum(kParticleDrawModeWords),
          Property("blendingmode", &T::blendingMode_, int32_t{kBlendNormal}).AsEnum(TImageWidget::kBlendingModeWords),
          Property("transparentlevel", &T::transparentLevel_, 255),
      });
  return table;
}

void TParticleType::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "particle_type";
  childTypes_ = nullptr;
  widgets_ = Create<TWidgetCollection>();
  paramSpace_ = Create<TParamSpace>();
  function_ = createFunction_ = updateFunction_ = nullptr;
}

void TParticleType::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  if (LoadChildObject(paramSpace_, storage, "paramspace", 0)) paramSpace_->SetSource(nullptr);
  function_ = std::dynamic_pointer_cast<IFunction>(CreateChildObject(storage, "function", 0));
  if (storage && storage->GetChildCount("particle_types") > 0) {
    childTypes_ = Create<TParticleTypeCollection>();
    LoadChildObject(childTypes_, storage, "particle_types", 0);
  }
  LoadChildObject(widgets_, storage, "widgets", 0);
  widgets_->SetPropertyAll("visible", Variant(false));
}

void TParticleType::SaveProperties(const StorageRef& storage) {
  TPropertyObject::SaveProperties(storage);
  SaveChildObject(paramSpace_, storage, "paramspace");
  if (function_) SaveChildObject(function_, storage, "function");
  if (childTypes_) SaveChildObject(childTypes_, storage, "particle_types");
  SaveChildObject(widgets_, storage, "widgets");
}

void TParticleType::SetStaticImages(bool flag) {
  if (flag == staticImages_) return;
  staticImages_ = flag;
  if (!useLocalImages_) return;
  if (flag)
    TakeImages();
  else
    localImages_.Drop();
}

void TParticleType::SetOwner(const ParticleTypeOwnerRef& owner) {
  owner_ = owner;
  system_ = owner ? owner->GetSystem() : nullptr;
  if (system_) {
    if (WidgetOwnerRef widgetOwner = system_->GetWidgetOwner()) widgets_->SetOwner(widgetOwner);
  }
  if (function_) {
    try {
      function_->SetOwner(owner ? owner->GetFunctionOwner() : nullptr);
      function_->Execute();
      createFunction_ = SubFunction(function_, "Create");
      updateFunction_ = SubFunction(function_, "Update");
    } catch (const std::exception& e) {
      LogLine("Particle type \"" + GetName() + "\": its function could not be prepared: " + e.what());
      function_ = createFunction_ = updateFunction_ = nullptr;
    }
  }
  if (useLocalImages_ && staticImages_) TakeImages();
  if (!childTypes_) return;
  auto self = SelfAs<IParticleTypeOwner>();
  for (int i = 0; i < childTypes_->GetCount(); ++i)
    if (auto type = childTypes_->GetAt(i)) type->SetOwner(self);
}

void TParticleType::Unlink() {
  if (childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->Unlink();
  localImages_.Drop();
  widgets_->ClearOwner();
  createFunction_ = updateFunction_ = nullptr;
  surfaceValue_.Release(function_);
  if (function_) function_->Unlink();
  owner_.reset();
  system_ = nullptr;
}

void TParticleType::ReloadImages() {
  if (useLocalImages_ && staticImages_) TakeImages();
  if (childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->ReloadImages();
}

void TParticleType::UpdateType(int32_t elapsedMs) {
  if (function_ && system_) function_->SetInput(0, static_cast<float>(system_->GetCurrentTime()));
  if (childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->UpdateType(elapsedMs);
  widgets_->UpdateAll(elapsedMs);
}

TMultiParticle TParticleType::CreateParticle() {
  TMultiParticle particle;
  particle.matrix = paramSpace_->CreatePrivateMatrix();
  particle.type = this;
  particle.hasChildren = childTypes_ != nullptr;
  FillFromCreateFunction(createFunction_, particle.matrix);
  return particle;
}

TMultiParticle TParticleType::CreateParticleWithParams(const ParamsRef& params) {
  if (createFunction_ && params) {
    for (int i = 0; i < params->GetCount(); ++i) {
      ParamRef param = params->GetParam(Variant(i));
      double value = 0;
      if (param && VariantToReal(param->GetValue(), value))
        createFunction_->SetValue(param->GetName(), static_cast<float>(value));
    }
  }
  return CreateParticle();
}

void TParticleType::FreeParticle(TMultiParticle& particle) {
  for (TMultiParticle& child : particle.children)
    if (child.type) child.type->FreeParticle(child);
  particle.children.clear();
  paramSpace_->FreePrivateMatrix(particle.matrix);
  particle.type = nullptr;
}

bool TParticleType::IsParticleDead(const TMultiParticle& particle) {
  if (SlotCount(particle.matrix, 0) < 2) return true;
  return SlotValue(particle.matrix, 0, 0) > 0 && particle.children.empty();
}

void TParticleType::UpdateParticle(TMultiParticle& particle, int32_t elapsedMs) {
  if (particle.matrix.size() >= 2) RunUpdateFunction(updateFunction_, particle.matrix, elapsedMs);
  for (TMultiParticle& child : particle.children)
    if (child.type) child.type->UpdateParticle(child, elapsedMs);
  // A particle whose dead slot is set emits nothing more; it stays while it has children.
  const bool alive = SlotCount(particle.matrix, 0) < 2 || SlotValue(particle.matrix, 0, 0) == 0;
  if (alive && childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->EmitChildren(particle, elapsedMs);
  RemoveDeadChildren(particle.children);
}

void TParticleType::EmitChildren(TMultiParticle& parent, int32_t elapsedMs) {
  if (!parent.hasChildren || !createFunction_ || !parent.type) return;
  // The Create function's inputs named like a slot of the parent's type read the parent's slot.
  const ParamSpaceRef& parentSpace = parent.type->GetParamSpace();
  ParamDefsRef defs = parentSpace ? parentSpace->GetParamDefs() : nullptr;
  if (defs) {
    for (int i = 0; i < createFunction_->GetInputCount(); ++i) {
      ParamDefRef def = defs->GetByName(createFunction_->GetSlotOutName(1, i));
      if (def) createFunction_->SetInput(i, SlotValue(parent.matrix, def->GetCol(), def->GetRow()));
    }
  }
  createFunction_->Execute();
  // A count from data may be anything: at most a million particles per emission.
  const double due = static_cast<double>(createFunction_->GetValue("count")) * elapsedMs / 1000.0;
  const auto count = static_cast<int32_t>(std::clamp<int64_t>(RoundHalfEven(due), 0, 1000000));
  createFunction_->SetValue("total_index", static_cast<float>(count));
  for (int32_t i = 0; i < count; ++i) {
    createFunction_->SetValue("index", static_cast<float>(i));
    TMultiParticle child = CreateParticle();
    UpdateParticle(child, 0);
    parent.children.push_back(std::move(child));
  }
}

void TParticleType::SpawnChild(TMultiParticle& parent, const ParamsRef& params) {
  if (!parent.hasChildren || !childTypes_ || childTypes_->GetCount() == 0) return;
  const std::string name = params ? params->GetValue("particle_type", Variant(std::string())).ToString() : "";
  std::shared_ptr<TParticleType> type = name.empty() ? nullptr : childTypes_->GetByName(name);
  if (!type) type = childTypes_->GetAt(0);
  if (!type) return;
  TMultiParticle child = type->CreateParticleWithParams(params);
  type->UpdateParticle(child, 0);
  parent.children.push_back(std::move(child));
}

const ISurface* TParticleType::PictureOf(const TMultiParticle& particle) const {
  const int32_t index = PictureIndex(particle.matrix);
  if (index < 0) return nullptr;
  if (useLocalImages_) return localImages_.At(index);
  return system_ ? system_->GetImages().At(index) : nullptr;
}

bool TParticleType::GetParticleRect(const TMultiParticle& particle, TRect& rect) const {
  bool any = false;
  if (const ISurface* picture = PictureOf(particle)) {
    rect = ParticlePictureRect(particle.matrix, picture->GetWidth(), picture->GetHeight());
    any = true;
  }
  for (const TMultiParticle& child : particle.children) {
    TRect r;
    if (!child.type || !child.type->GetParticleRect(child, r)) continue;
    rect = any ? BoundingBox(rect, r) : r;
    any = true;
  }
  return any;
}

void TParticleType::BeginDraw() {
  if (useLocalImages_ && !staticImages_) TakeImages();
  if (childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->BeginDraw();
}

void TParticleType::EndDraw() {
  if (useLocalImages_ && !staticImages_) localImages_.Drop();
  if (childTypes_)
    for (int i = 0; i < childTypes_->GetCount(); ++i)
      if (auto type = childTypes_->GetAt(i)) type->EndDraw();
}

void TParticleType::DrawParticle(ISurface& surface, int32_t x, const TMultiParticle& particle, int32_t y) const {
  if (const ISurface* picture = PictureOf(particle))
    DrawSlotParticle(surface, x, y, particle.matrix, *picture, drawMode_, blendingMode_, transparentLevel_);
  for (const TMultiParticle& child : particle.children)
    if (child.type) child.type->DrawParticle(surface, x, child, y);
}

int32_t TParticleType::CountParticles(const TMultiParticle& particle) {
  auto count = static_cast<int32_t>(particle.children.size());
  for (const TMultiParticle& child : particle.children)
    if (child.hasChildren) count += CountParticles(child);
  return count;
}

// ---------------------------------------------------------------------------------------------
// The system

const TPropertyTable& TMultiParticleSystem::GetPropertyTable() const {
  using T = TMultiParticleSystem;
  static const TPropertyTable table(TVisualWidget::GetPropertyTable(), {
                                                                           Property("width", &T::width_),
                                                                           Property("height", &T::height_),
                                                                           Property("delta_step", &T::deltaStep_),
                                                                       });
  return table;
}

void TMultiParticleSystem::Initialize() {
  TVisualWidget::Initialize();
  stepTime_ = 0;
  rootType_ = Create<TParticleType>();
  rootType_->SetUseLocalImages(true);
  rootParticle_ = TMultiParticle{};
  bounds_ = TRect{};
}

void TMultiParticleSystem::LoadProperties(const StorageRef& storage) {
  TVisualWidget::LoadProperties(storage);
  const int32_t left = Round32(anchorLeft_), top = Round32(anchorTop_);
  bounds_ = TRect{left, top, left + width_, top + height_};
  rootType_->LoadProperties(storage);
  rootType_->SetUseLocalImages(true);
}

void TMultiParticleSystem::SaveProperties(const StorageRef& storage) {
  TVisualWidget::SaveProperties(storage);
  rootType_->SaveProperties(storage);
}

void TMultiParticleSystem::Reset() {
  rootType_->FreeParticle(rootParticle_);
  rootType_->Unlink();
  rootType_ = Create<TParticleType>();
  rootType_->SetUseLocalImages(true);
  TVisualWidget::Reset();
}

Variant TMultiParticleSystem::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "count")) return Variant(TParticleType::CountParticles(rootParticle_));
  return TVisualWidget::GetProperty(name);
}

void TMultiParticleSystem::SetProperty(const std::string& name, const Variant& value) {
  if (GetPropertyTable().Find(name)) {
    TVisualWidget::SetProperty(name, value);
  } else if (EqualsIgnoreAsciiCase(name, "surface")) {
    rootType_->SetSurface(value.As<ISurface>());
  } else {
    TVisualWidget::SetProperty(name, value);
    ForwardValueToFunction(rootType_->GetFunction(), name, value);
  }
}

void TMultiParticleSystem::SetOwner(const WidgetOwnerRef& owner) {
  TVisualWidget::SetOwner(owner);
  rootType_->FreeParticle(rootParticle_);
  rootType_->SetOwner(SelfAs<IParticleTypeOwner>());
  rootParticle_ = rootType_->CreateParticle();
}

void TMultiParticleSystem::ClearOwner() {
  rootType_->FreeParticle(rootParticle_);
  rootParticle_ = TMultiParticle{};
  rootType_->Unlink();
  TVisualWidget::ClearOwner();
}

void TMultiParticleSystem::Invalidate() {
  TVisualWidget::Invalidate();
  rootType_->ReloadImages();
}

void TMultiParticleSystem::DoUpdate(int32_t elapsedMs) {
  TVisualWidget::DoUpdate(elapsedMs);
  const size_t before = rootParticle_.children.size();
  if (deltaStep_ <= 0) {
    rootType_->UpdateType(elapsedMs);
    rootType_->UpdateParticle(rootParticle_, elapsedMs);
  } else {
    stepTime_ += elapsedMs;
    if (stepTime_ >= deltaStep_) currentTime_ -= elapsedMs;
    while (stepTime_ >= deltaStep_) {
      const bool wasNegative = currentTime_ < 0;
      currentTime_ += deltaStep_;
      stepTime_ -= deltaStep_;
      if (wasNegative) continue;
      rootType_->UpdateType(deltaStep_);
      rootType_->UpdateParticle(rootParticle_, deltaStep_);
    }
  }
  rootType_->BeginDraw();
  TRect box;
  if (!rootType_->GetParticleRect(rootParticle_, box)) box = TRect{};
  geometryChanged_ = !rootParticle_.children.empty() || before > 0;
  const int32_t dx = Round32(anchorLeft_), dy = Round32(anchorTop_);
  bounds_ = TRect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

void TMultiParticleSystem::HandleEvent(int32_t code, const ParamsRef& params) {
  if (code == 1) {
    rootType_->SpawnChild(rootParticle_, params);
  } else if (code == 2) {
    rootType_->FreeParticle(rootParticle_);
    rootParticle_ = rootType_->CreateParticle();
    UpdateDirtyRects(true, true);
  }
}

void TMultiParticleSystem::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (surface) rootType_->DrawParticle(*surface, x, rootParticle_, y);
  rootType_->EndDraw();
}

}  // namespace kestrelle
