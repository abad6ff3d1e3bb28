#include "controls/action_defs.h"

#include <limits>

#include "data/random.h"

namespace kestrelle::state_machine {

const TPropertyTable& TActionDef::GetPropertyTable() const {
  static const TPropertyTable table(TPropertyObject::GetPropertyTable(),
                                    {
                                        Property("state", &TActionDef::state_),
                                        Property("probability", &TActionDef::probability_),
                                        Property("duration", &TActionDef::duration_),
                                        Property("nextstate", &TActionDef::nextState_),
                                        Property("widgetname", &TActionDef::widgetName_),
                                    });
  return table;
}

void TActionDef::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "actiondef";
}

void TActionDefCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "actiondefs";
  itemElementName_ = "actiondef";
  itemClass_ = MakeObject<TActionDef>;
}

void TActionDefCollection::AddItem(const InterfaceRef& item) {
  if (auto definition = std::dynamic_pointer_cast<IActionDef>(item))
    items_.Add(definition, definition->GetName(), -1, definition->GetName().empty());
}

int64_t TActionDefCollection::TotalWeight(int32_t state) const {
  int64_t total = 0;
  for (int i = 0; i < GetCount(); ++i) {
    ActionDefRef definition = Get(Variant(i));
    if (definition && definition->GetState() == state) total += definition->GetProbability();
  }
  return total;
}

ActionDefRef TActionDefCollection::PickAt(int32_t state, int64_t r) const {
  for (int i = 0; i < GetCount(); ++i) {
    ActionDefRef definition = Get(Variant(i));
    if (!definition || definition->GetState() != state) continue;
    if (definition->GetProbability() >= r) return definition;
    r -= definition->GetProbability();
  }
  return nullptr;
}

ActionDefRef TActionDefCollection::Pick(int32_t state) const {
  const int64_t total = TotalWeight(state);
  const auto range = static_cast<int32_t>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
  return PickAt(state, Random(range));
}

}  // namespace kestrelle::state_machine
