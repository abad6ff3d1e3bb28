#include "game/level/scenarios/level_start_end_scenarios.h"

#include <algorithm>
#include <limits>

#include "data/numbers.h"
#include "data/property_table.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {

ParamsRef VisualizationParams() {
  ParamsRef params = CreateParams();
  params->SetValue("InitVizualization", Variant(std::string("yes")));
  return params;
}

void RestartChild(TLevelScenario& scenario, const std::string& name) {
  if (WidgetRef child = scenario.FindWidget(name)) child->Restart();
}

std::vector<WidgetRef> Children(const WidgetRef& group) {
  std::vector<WidgetRef> children;
  WidgetCollectionRef widgets = group ? group->GetWidgets() : nullptr;
  const int count = widgets ? widgets->GetCount() : 0;
  for (int i = 0; i < count; ++i)
    if (WidgetRef child = widgets->GetByIndex(i)) children.push_back(child);
  return children;
}

}  // namespace

int32_t VisualizationTime(const WidgetRef& text, int32_t fallback) {
  int64_t ms = 0;
  if (!text || !VariantToInt(text->GetProperty("visualization_time"), ms)) return fallback;
  return static_cast<int32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<int32_t>::max() / 2));
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TScenarioStartLevel::GetPropertyTable() const {
  static const TPropertyTable table(TLevelScenario::GetPropertyTable(),
                                    {
                                        Property("LevelName", &TScenarioStartLevel::levelName_).Quiet(),
                                        Property("visualization_time", &TScenarioStartLevel::textTime_).Quiet(),
                                    });
  return table;
}

void TScenarioStartLevel::Initialize() {
  TLevelScenario::Initialize();
  AddState("enter", "show_items");
  AddTimedState(
      "show_items", "show_text", [] { return kShowItemsTime; }, [this](TState&) { ShowItems(); });
  AddTimedState("show_text", "exit", [this] { return VisualizationTime(FindWidget("text_visualization"), textTime_); });
  AddExitState([this](TState&) {
    ParamsRef params = CreateParams();
    params->SetValue("LevelName", Variant(levelName_));
    Report(params, GetName());
  });
}

void TScenarioStartLevel::ShowItems() {
  for (const WidgetRef& item : Children(FindInControl("shop_items"))) {
    item->Restart();
    item->SetProperty("currenttime", Variant(-Round32(item->GetAnchorTop())));
  }
  RestartChild(*this, "blackout");
  RestartChild(*this, "show_controls");
  PlayScenarioSound("sound_start_level");
  ParamsRef params = VisualizationParams();
  params->SetValue("level_end_level", Variant(levelName_));
  CreateChildWidget(Self(), "text_visualization", params, true);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TScenarioEndLevel::GetPropertyTable() const {
  static const TPropertyTable table(TLevelScenario::GetPropertyTable(),
                                    {
                                        Property("visualization_time", &TScenarioEndLevel::textTime_).Quiet(),
                                    });
  return table;
}

void TScenarioEndLevel::Initialize() {
  TLevelScenario::Initialize();
  AddState("enter", "show_end_level");
  AddTimedState(
      "show_end_level", "exit", [this] { return 2 * VisualizationTime(FindWidget("text_visualization"), textTime_); },
      [this](TState&) { ShowEnd(); });
  AddExitState([this](TState&) { Report(nullptr, GetName()); });
}

void TScenarioEndLevel::ShowEnd() {
  CreateChildWidget(Self(), "text_visualization", VisualizationParams(), true);
  for (const WidgetRef& item : Children(FindInControl("shop_items"))) {
    item->SetVisible(false);
    item->SetProperty("finished", Variant(true));
  }
  RestartChild(*this, "blackout");
  RestartChild(*this, "hide_controls");
}

}  // namespace kestrelle
