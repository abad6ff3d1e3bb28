#pragma once
// Numeric functions: small calculations declared in data files and chained into data-flow
// graphs through their parameter spaces. Calling protocol: load, SetOwner (none for a top-level
// function, else the owning function), set inputs by name or index, Calculate, read outputs.
// Unlink before the function or its owner goes away.

#include <memory>
#include <string>

#include "data/object.h"
#include "data/param_space.h"

namespace kestrelle {

class IFunctionCollection;
using FunctionCollectionRef = std::shared_ptr<IFunctionCollection>;

class IFunctionOwner : public virtual IInterface {
 public:
  virtual ParamSpaceRef GetParamSpace() = 0;
};
using FunctionOwnerRef = std::shared_ptr<IFunctionOwner>;

class IFunction : public virtual INamedObject, public virtual IFunctionOwner {
 public:
  virtual void SetOwner(const FunctionOwnerRef& owner) = 0;
  virtual void Unlink() = 0;
  virtual void Execute() = 0;
  virtual int GetInputCount() = 0;   // length of vector 1
  virtual int GetOutputCount() = 0;  // length of vector 0
  virtual void SetInput(int index, float value) = 0;
  virtual void SetOutput(int index, float value) = 0;
  virtual float GetOutput(int index) = 0;
  virtual float GetValue(const std::string& name) = 0;
  virtual void SetValue(const std::string& name, float value) = 0;
  virtual std::string GetSlotName(int vector, int slot) = 0;
  // OutName, or the name when OutName is empty.
  virtual std::string GetSlotOutName(int vector, int slot) = 0;
  virtual void Calculate() = 0;
  virtual FunctionCollectionRef GetSubFunctions() = 0;
};
using FunctionRef = std::shared_ptr<IFunction>;

class IFunctionCollection : public virtual ICollection {
 public:
  virtual FunctionRef Get(const Variant& key) const = 0;
  virtual FunctionRef GetByIndex(int index) const = 0;
  virtual FunctionRef GetByName(const std::string& name) const = 0;
  virtual void Add(const FunctionRef& function) = 0;
};

class TFunction : public TPersistObject, public virtual IFunction {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  // IFunctionOwner
  ParamSpaceRef GetParamSpace() override { return paramSpace_; }
  // IFunction
  void SetOwner(const FunctionOwnerRef& owner) override;
  void Unlink() override;
  void Execute() override;
  int GetInputCount() override { return Length(1); }
  int GetOutputCount() override { return Length(0); }
  void SetInput(int index, float value) override { Put(1, index, value); }
  void SetOutput(int index, float value) override { Put(0, index, value); }
  float GetOutput(int index) override { return static_cast<float>(At(0, index)); }
  float GetValue(const std::string& name) override { return paramSpace_->GetValueByName(name); }
  void SetValue(const std::string& name, float value) override { paramSpace_->SetValueByName(name, value); }
  std::string GetSlotName(int vector, int slot) override;
  std::string GetSlotOutName(int vector, int slot) override;
  FunctionCollectionRef GetSubFunctions() override { return nullptr; }

  FunctionRef GetPreparationFunction() const { return preparation_; }
  void SetPreparationFunction(const FunctionRef& function) { preparation_ = function; }
  FunctionOwnerRef GetOwner() const { return owner_.lock(); }

 protected:
  virtual void RunBefore();
  // Runs between RunBefore and RunAfter; nothing for plain functions.
  virtual void ExecuteHook() {}
  virtual void RunAfter();

  // The linked matrix (taken at SetOwner). Missing vectors and slots read 0; writes to them are
  // ignored.
  int VectorCount() const { return static_cast<int>(values_.size()); }
  int Length(int vector) const;
  double At(int vector, int slot) const;
  float* Slot(int vector, int slot) const;
  void Put(int vector, int slot, double value);
  const SlotMatrix& Values() const { return values_; }

 private:
  std::weak_ptr<IFunctionOwner> owner_;
  ParamSpaceRef paramSpace_;
  SlotMatrix values_;
  FunctionRef preparation_;
  FunctionRef before_;
  FunctionRef after_;
};

class TFunctionCollection : public TTypedCreationPersistItemCollection, public virtual IFunctionCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  FunctionRef Get(const Variant& key) const override { return ItemAs<IFunction>(key); }
  FunctionRef GetByIndex(int index) const override { return ItemAs<IFunction>(Variant(index)); }
  FunctionRef GetByName(const std::string& name) const override { return ItemAs<IFunction>(Variant(name)); }
  void Add(const FunctionRef& function) override { AddItem(function); }
};

}  // namespace kestrelle
