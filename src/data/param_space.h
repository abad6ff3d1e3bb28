#pragma once
// Parameter spaces: the matrix of named float slots a numeric function works on. Vector 0 holds
// the outputs, the other vectors the inputs. A slot owns its float ("static", with an initial
// value) or refers to a float of the owner's space, so sub-functions read and write their
// parent's slots directly. Slots are shared floats: a linked slot keeps its float alive even if
// the owner unlinks first. Reads and writes outside the matrix, or of a slot without a float,
// read 0 and write nothing.

#include <memory>
#include <string>
#include <vector>

#include "data/object.h"

namespace kestrelle {

using FloatSlot = std::shared_ptr<float>;
using SlotMatrix = std::vector<std::vector<FloatSlot>>;

class IParamDef : public virtual INamedObject {
 public:
  virtual int GetRow() const = 0;
  virtual void SetRow(int row) = 0;
  virtual int GetCol() const = 0;
  virtual void SetCol(int col) = 0;
  virtual bool GetIsStatic() const = 0;
  virtual void SetIsStatic(bool isStatic) = 0;
  virtual int GetOutRow() const = 0;
  virtual void SetOutRow(int row) = 0;
  virtual int GetOutCol() const = 0;
  virtual void SetOutCol(int col) = 0;
  virtual std::string GetOutName() const = 0;
  virtual void SetOutName(const std::string& name) = 0;
  virtual float GetValue() const = 0;
  virtual void SetValue(float value) = 0;
};
using ParamDefRef = std::shared_ptr<IParamDef>;

class IParamDefCollection : public virtual ICollection {
 public:
  virtual ParamDefRef Get(const Variant& key) const = 0;
  virtual ParamDefRef GetByIndex(int index) const = 0;
  virtual ParamDefRef GetByName(const std::string& name) const = 0;
  virtual void Add(const ParamDefRef& definition) = 0;
  virtual ParamDefRef GetAt(int vector, int slot) = 0;
  virtual int VectorCount() = 0;
  virtual int VectorLength(int vector) = 0;
};
using ParamDefsRef = std::shared_ptr<IParamDefCollection>;

class IParamSpace : public virtual IInterface {
 public:
  // Links to the owner's space (or none) and builds the slot matrix.
  virtual void SetSource(const std::shared_ptr<IParamSpace>& source) = 0;
  virtual void Unlink() = 0;
  virtual void AddParamDef(const std::string& name, int vector, int slot, bool isStatic, const std::string& outName,
                           float value) = 0;
  virtual int VectorCount() const = 0;
  virtual int VectorLength(int vector) const = 0;
  virtual float GetValue(int vector, int slot) const = 0;
  virtual void SetValue(int vector, int slot, float value) = 0;
  virtual float GetValueByName(const std::string& name) = 0;
  virtual void SetValueByName(const std::string& name, float value) = 0;
  virtual FloatSlot GetSlotRef(int vector, int slot) const = 0;
  virtual FloatSlot GetSlotRefByName(const std::string& name) = 0;
  virtual const SlotMatrix& GetMatrix() const = 0;
  virtual ParamDefsRef GetParamDefs() const = 0;
  // A new matrix with fresh copies of the static floats and the same links.
  virtual SlotMatrix CreatePrivateMatrix() = 0;
  virtual void FreePrivateMatrix(SlotMatrix& matrix) = 0;
};
using ParamSpaceRef = std::shared_ptr<IParamSpace>;

class TParamDef : public TPersistObject, public virtual IParamDef {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  int GetRow() const override { return row_; }
  void SetRow(int row) override { row_ = row; }
  int GetCol() const override { return col_; }
  void SetCol(int col) override { col_ = col; }
  bool GetIsStatic() const override { return isStatic_; }
  void SetIsStatic(bool isStatic) override { isStatic_ = isStatic; }
  int GetOutRow() const override { return outRow_; }
  void SetOutRow(int row) override { outRow_ = row; }
  int GetOutCol() const override { return outCol_; }
  void SetOutCol(int col) override { outCol_ = col; }
  std::string GetOutName() const override { return outName_; }
  void SetOutName(const std::string& name) override { outName_ = name; }
  float GetValue() const override { return value_; }
  void SetValue(float value) override { value_ = value; }

 private:
  int row_ = -1;
  int col_ = 0;
  bool isStatic_ = false;
  float value_ = 0.0f;
  int outRow_ = 0;
  int outCol_ = 0;
  std::string outName_;
};

// Definitions keyed by name; at most one per (vector, slot). Positions beyond kMaxParamIndex
// are data errors and are not added.
class TParamDefCollection : public TPersistItemCollection, public virtual IParamDefCollection {
 public:
  static constexpr int kMaxParamIndex = 4095;

  void Initialize() override;
  InterfaceRef CreateItem(const StorageRef& storage) override;
  void AddItem(const InterfaceRef& item) override;
  void Delete(const Variant& key) override;
  void Clear() override;

  ParamDefRef Get(const Variant& key) const override { return ItemAs<IParamDef>(key); }
  ParamDefRef GetByIndex(int index) const override { return ItemAs<IParamDef>(Variant(index)); }
  ParamDefRef GetByName(const std::string& name) const override { return ItemAs<IParamDef>(Variant(name)); }
  void Add(const ParamDefRef& definition) override { AddItem(definition); }
  ParamDefRef GetAt(int vector, int slot) override;
  int VectorCount() override;
  int VectorLength(int vector) override;

 private:
  void BuildIndex();
  bool indexValid_ = false;
  std::vector<std::vector<ParamDefRef>> index_;  // [vector][slot]
};

class TParamSpace : public TPersistObject, public virtual IParamSpace {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  void SetSource(const ParamSpaceRef& source) override;
  void Unlink() override;
  void AddParamDef(const std::string& name, int vector, int slot, bool isStatic, const std::string& outName,
                   float value) override;
  int VectorCount() const override { return static_cast<int>(slots_.size()); }
  int VectorLength(int vector) const override;
  float GetValue(int vector, int slot) const override;
  void SetValue(int vector, int slot, float value) override;
  float GetValueByName(const std::string& name) override;
  void SetValueByName(const std::string& name, float value) override;
  FloatSlot GetSlotRef(int vector, int slot) const override;
  FloatSlot GetSlotRefByName(const std::string& name) override;
  const SlotMatrix& GetMatrix() const override { return slots_; }
  ParamDefsRef GetParamDefs() const override { return paramDefs_; }
  SlotMatrix CreatePrivateMatrix() override;
  void FreePrivateMatrix(SlotMatrix& matrix) override { matrix.clear(); }

 private:
  ParamDefsRef paramDefs_;
  std::weak_ptr<IParamSpace> source_;
  SlotMatrix slots_;
};

}  // namespace kestrelle
