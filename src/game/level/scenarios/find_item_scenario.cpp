#include "game/level/scenarios/find_item_scenario.h"

#include "data/property_table.h"
#include "media/surface.h"

namespace kestrelle {

namespace {

constexpr const char* kEmitter = "ps_find";

}  // namespace

const TPropertyTable& TScenarioFindItem::GetPropertyTable() const {
  using T = TScenarioFindItem;
  static const TPropertyTable table(TLevelScenario::GetPropertyTable(),
                                    {
                                        Property("item_name", &T::itemName_).Quiet(),
                                        Property("duration", &T::duration_, 1000).Quiet(),
                                        Property("emission_count", &T::emissionCount_).Quiet(),
                                    });
  return table;
}

void TScenarioFindItem::Initialize() {
  TLevelScenario::Initialize();
  HoldUntilReleased(kEmitter);
  AddState("enter", "hide_diff");
  AddTimedState(
      "hide_diff", "exit", [this] { return duration_; }, [this](TState&) { StartSparkles(); });
  AddExitState([this](TState&) {
    if (WidgetRef emitter = FindWidget(kEmitter)) emitter->SetProperty("emission_count", Variant(0));
  });
}

void TScenarioFindItem::StartSparkles() {
  WidgetRef item = FindFromOwner("../shop_items/" + itemName_);
  WidgetRef emitter = Release(kEmitter);
  if (!item || !emitter) return;
  emitter->SetProperty("surface", Variant(InterfaceRef(item->CreateImage())));
  SetEmission(emitter, WidgetScreenPosition(item));
  if (emissionCount_ > 0) emitter->SetProperty("emission_count", Variant(emissionCount_));
}

}  // namespace kestrelle
