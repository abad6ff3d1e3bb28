#include "data/param_space.h"

#include "data/file_system.h"
#include "data/hier_storage.h"

namespace kestrelle {

// ---- TParamDef ----

void TParamDef::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "paramdef";
  row_ = -1;
  col_ = 0;
  isStatic_ = false;
  value_ = 0.0f;
  outRow_ = outCol_ = 0;
  outName_.clear();
}

void TParamDef::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  row_ = static_cast<int>(ReadInt(storage, "row", -1));
  col_ = static_cast<int>(ReadInt(storage, "col", 0));
  isStatic_ = ReadBool(storage, "static", false);
  if (isStatic_) value_ = static_cast<float>(ReadFloat(storage, "value", 0.0));
  outName_ = ReadString(storage, "outname", "");
  if (isStatic_ || !outName_.empty()) {
    outRow_ = outCol_ = 0;
    return;
  }
  outRow_ = static_cast<int>(ReadInt(storage, "outrow", -1));
  outCol_ = static_cast<int>(ReadInt(storage, "outcol", -1));
  // No position given: link to the owner's slot of the same name.
  if (outRow_ == -1 && outCol_ == -1) outName_ = name_;
  if (outRow_ == -1) outRow_ = 0;
  if (outCol_ == -1) outCol_ = 0;
}

void TParamDef::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  WriteInt(storage, "col", col_);
  WriteBool(storage, "static", isStatic_);
  WriteFloat(storage, "value", value_, isStatic_);
  WriteString(storage, "outname", outName_, !outName_.empty());
}

// ---- TParamDefCollection ----

void TParamDefCollection::Initialize() {
  TPersistItemCollection::Initialize();
  storageName_ = "paramdefs";
  itemElementName_ = "paramdef";
  indexValid_ = false;
  index_.clear();
}

InterfaceRef TParamDefCollection::CreateItem(const StorageRef& storage) {
  int64_t row = ReadInt(storage, "row", -1);
  int64_t col = ReadInt(storage, "col", 0);
  // A second element for an occupied position loads into the same definition.
  if (row >= 0 && row <= kMaxParamIndex && col >= 0 && col <= kMaxParamIndex)
    if (ParamDefRef existing = GetAt(static_cast<int>(col), static_cast<int>(row))) return existing;
  return Create<TParamDef>();
}

void TParamDefCollection::AddItem(const InterfaceRef& item) {
  auto definition = std::dynamic_pointer_cast<IParamDef>(item);
  if (!definition) return;
  int col = definition->GetCol();
  if (col < 0 || col > kMaxParamIndex || definition->GetRow() < -1 || definition->GetRow() > kMaxParamIndex) {
    LogLine("paramdef \"" + definition->GetName() + "\": position outside 0.." + std::to_string(kMaxParamIndex) +
            ", ignored");
    return;
  }
  if (definition->GetRow() == -1) definition->SetRow(VectorLength(col));
  if (definition->GetRow() > kMaxParamIndex || GetAt(col, definition->GetRow())) return;
  std::string name = definition->GetName();
  if (items_.Add(definition, name, -1, name.empty())) indexValid_ = false;
}

void TParamDefCollection::Delete(const Variant& key) {
  indexValid_ = false;
  TPersistItemCollection::Delete(key);
}

void TParamDefCollection::Clear() {
  indexValid_ = false;
  TPersistItemCollection::Clear();
}

void TParamDefCollection::BuildIndex() {
  index_.clear();
  for (const auto& entry : items_) {
    auto definition = std::dynamic_pointer_cast<IParamDef>(entry.item);
    if (!definition) continue;
    int col = definition->GetCol(), row = definition->GetRow();
    if (col < 0 || row < 0 || col > kMaxParamIndex || row > kMaxParamIndex) continue;
    if (static_cast<int>(index_.size()) <= col) index_.resize(static_cast<size_t>(col) + 1);
    auto& vector = index_[static_cast<size_t>(col)];
    if (static_cast<int>(vector.size()) <= row) vector.resize(static_cast<size_t>(row) + 1);
    if (!vector[static_cast<size_t>(row)]) vector[static_cast<size_t>(row)] = definition;
  }
  indexValid_ = true;
}

ParamDefRef TParamDefCollection::GetAt(int vector, int slot) {
  if (!indexValid_) BuildIndex();
  if (vector < 0 || vector >= static_cast<int>(index_.size())) return nullptr;
  const auto& v = index_[static_cast<size_t>(vector)];
  return slot >= 0 && slot < static_cast<int>(v.size()) ? v[static_cast<size_t>(slot)] : nullptr;
}

int TParamDefCollection::VectorCount() {
  if (!indexValid_) BuildIndex();
  return static_cast<int>(index_.size());
}

int TParamDefCollection::VectorLength(int vector) {
  if (!indexValid_) BuildIndex();
  return vector >= 0 && vector < static_cast<int>(index_.size())
             ? static_cast<int>(index_[static_cast<size_t>(vector)].size())
             : 0;
}

// ---- TParamSpace ----

void TParamSpace::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "paramspace";
  paramDefs_ = Create<TParamDefCollection>();
  slots_.clear();
}

void TParamSpace::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  LoadChildObject(paramDefs_, storage, "paramdefs", 0);
}

void TParamSpace::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(paramDefs_, storage, "paramdefs");
}

void TParamSpace::SetSource(const ParamSpaceRef& source) {
  source_ = source;
  slots_.clear();
  int vectors = paramDefs_->VectorCount();
  slots_.resize(static_cast<size_t>(vectors));
  for (int v = 0; v < vectors; ++v) {
    int length = paramDefs_->VectorLength(v);
    auto& vector = slots_[static_cast<size_t>(v)];
    vector.resize(static_cast<size_t>(length));
    for (int s = 0; s < length; ++s) {
      ParamDefRef definition = paramDefs_->GetAt(v, s);
      if (!definition) continue;
      if (definition->GetIsStatic()) {
        vector[static_cast<size_t>(s)] = std::make_shared<float>(definition->GetValue());
      } else if (source && source.get() != this) {
        std::string outName = definition->GetOutName();
        vector[static_cast<size_t>(s)] = outName.empty()
                                             ? source->GetSlotRef(definition->GetOutCol(), definition->GetOutRow())
                                             : source->GetSlotRefByName(outName);
      }
    }
  }
}

void TParamSpace::Unlink() {
  slots_.clear();
  source_.reset();
}

void TParamSpace::AddParamDef(const std::string& name, int vector, int slot, bool isStatic, const std::string& outName,
                              float value) {
  auto definition = Create<TParamDef>();
  definition->SetName(name);
  definition->SetCol(vector);
  definition->SetRow(slot);
  definition->SetIsStatic(isStatic);
  definition->SetOutName(outName);
  definition->SetValue(value);
  paramDefs_->Add(definition);
}

int TParamSpace::VectorLength(int vector) const {
  return vector >= 0 && vector < VectorCount() ? static_cast<int>(slots_[static_cast<size_t>(vector)].size()) : 0;
}

FloatSlot TParamSpace::GetSlotRef(int vector, int slot) const {
  if (slot < 0 || slot >= VectorLength(vector)) return nullptr;
  return slots_[static_cast<size_t>(vector)][static_cast<size_t>(slot)];
}

float TParamSpace::GetValue(int vector, int slot) const {
  FloatSlot ref = GetSlotRef(vector, slot);
  return ref ? *ref : 0.0f;
}

void TParamSpace::SetValue(int vector, int slot, float value) {
  if (FloatSlot ref = GetSlotRef(vector, slot)) *ref = value;
}

FloatSlot TParamSpace::GetSlotRefByName(const std::string& name) {
  ParamDefRef definition = paramDefs_->GetByName(name);
  return definition ? GetSlotRef(definition->GetCol(), definition->GetRow()) : nullptr;
}

float TParamSpace::GetValueByName(const std::string& name) {
  FloatSlot ref = GetSlotRefByName(name);
  return ref ? *ref : 0.0f;
}

void TParamSpace::SetValueByName(const std::string& name, float value) {
  if (FloatSlot ref = GetSlotRefByName(name)) *ref = value;
}

SlotMatrix TParamSpace::CreatePrivateMatrix() {
  SlotMatrix matrix = slots_;
  for (int v = 0; v < VectorCount(); ++v)
    for (int s = 0; s < VectorLength(v); ++s) {
      ParamDefRef definition = paramDefs_->GetAt(v, s);
      FloatSlot& slot = matrix[static_cast<size_t>(v)][static_cast<size_t>(s)];
      if (definition && definition->GetIsStatic() && slot) slot = std::make_shared<float>(*slot);
    }
  return matrix;
}

}  // namespace kestrelle
