#pragma once
// Functions made of sub-functions: the complex function (all of them in order) and the selectors
// (one of them, chosen by index).

#include "data/function_base.h"

namespace kestrelle {

// The part every function made of sub-functions (child "functions") shares, over its base
// class: the sub-functions are linked to this function as their owner, executed after its own
// RunBefore and unlinked before it.
template <class Base>
class TWithSubFunctions : public Base {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void SetOwner(const FunctionOwnerRef& owner) override;
  void Unlink() override;
  FunctionCollectionRef GetSubFunctions() override { return subFunctions_; }

 protected:
  void RunBefore() override;
  int SubFunctionCount() const { return subFunctions_->GetCount(); }
  FunctionRef SubFunction(int index) const { return subFunctions_->GetByIndex(index); }

 private:
  std::shared_ptr<TFunctionCollection> subFunctions_;
};

extern template class TWithSubFunctions<TFunction>;

class TComplexFunction : public TWithSubFunctions<TFunction> {
 public:
  void Calculate() override;
};

class TSelectorFunction : public TComplexFunction {
 public:
  void Calculate() override;
  virtual int SelectIndex() = 0;
};

// Sub-function 0 chooses: its output 0, truncated, is the index.
class TFuncSelectorFunction : public TSelectorFunction {
 public:
  int SelectIndex() override;
};

// Vector 2 slot 0, truncated, is the index.
class TConstSelectorFunction : public TSelectorFunction {
 public:
  int SelectIndex() override;
};

}  // namespace kestrelle
