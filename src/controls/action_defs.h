#pragma once
// The actions of a state machine widget: in state State, play the child widget WidgetName for
// Duration ms, then go to NextState; Probability is the action's weight among its state's.

#include <cstdint>
#include <memory>
#include <string>

#include "data/object.h"

// Its own namespace: the shop content has action definitions of the same names.
namespace kestrelle::state_machine {

class IActionDef : public virtual INamedObject {
 public:
  virtual int32_t GetState() const = 0;
  virtual std::string GetWidgetName() const = 0;
  virtual int32_t GetProbability() const = 0;
  virtual int32_t GetDuration() const = 0;
  virtual int32_t GetNextState() const = 0;
};
using ActionDefRef = std::shared_ptr<IActionDef>;

class TActionDef : public TPropertyObject, public virtual IActionDef {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  int32_t GetState() const override { return state_; }
  std::string GetWidgetName() const override { return widgetName_; }
  int32_t GetProbability() const override { return probability_; }
  int32_t GetDuration() const override { return duration_; }
  int32_t GetNextState() const override { return nextState_; }

 private:
  int32_t state_ = 0;
  int32_t probability_ = 0;
  int32_t duration_ = 0;
  int32_t nextState_ = 0;
  std::string widgetName_;
};

class TActionDefCollection : public TStaticCreationPersistItemCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;

  void Add(const ActionDefRef& definition) { AddItem(definition); }
  ActionDefRef Get(const Variant& key) const { return ItemAs<IActionDef>(key); }
  // The sum of the weights of the state's actions.
  int64_t TotalWeight(int32_t state) const;
  // Walks the state's actions in order: the first whose weight is at least r is chosen, else r
  // loses that weight. None when the walk ends.
  ActionDefRef PickAt(int32_t state, int64_t r) const;
  // PickAt with r := Random(total weight).
  ActionDefRef Pick(int32_t state) const;
};

}  // namespace kestrelle::state_machine
