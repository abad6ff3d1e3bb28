#include "game/minigames/minigame_control.h"

#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

void TKestrelleMinigameControl::Initialize() {
  TControlGameWidget::Initialize();
  state_ = kStateOver;
  skipped_ = false;
  definition_.reset();
}

const TPropertyTable& TKestrelleMinigameControl::GetPropertyTable() const {
  using T = TKestrelleMinigameControl;
  static const TPropertyTable table(TControlGameWidget::GetPropertyTable(),
                                    {
                                        Property("state", &T::state_).NotStored().ReadOnly(),
                                        Property("skipped", &T::skipped_).NotStored().ReadOnly(),
                                    });
  return table;
}

GameScreenOwnerRef TKestrelleMinigameControl::GameOwner() {
  WidgetOwnerRef owner = GetOwner();
  EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
  return handler ? handler->GetGameOwner() : nullptr;
}

bool TKestrelleMinigameControl::LookUpDefinition(const ParamsRef& params) {
  GameScreenOwnerRef game = GameOwner();
  auto definitions = game ? game->GetSetting("minigame_defs").As<IMinigameDefCollection>() : nullptr;
  if (!definitions) return false;
  const std::string name = params ? params->GetValue("Minigame", Variant(std::string())).ToString() : std::string();
  definition_ = definitions->FindByName(name);
  return true;
}

Variant TKestrelleMinigameControl::DefinitionValue(const std::string& name, const Variant& fallback) const {
  if (!definition_) return fallback;
  Variant value = definition_->GetProperty(name);
  return value.IsEmptyOrNull() ? fallback : value;
}

int64_t TKestrelleMinigameControl::DefinitionInt(const std::string& name, int64_t fallback) const {
  int64_t value = 0;
  return VariantToInt(DefinitionValue(name, Variant(fallback)), value) ? value : fallback;
}

WidgetRef TKestrelleMinigameControl::StartScenario(const std::string& factoryName, const ParamsRef& params) {
  return CreateScenario(factoryName, params ? params : CreateParams(), false);
}

WidgetRef TKestrelleMinigameControl::FrameWidget(const std::string& name) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->FindWidget(name) : nullptr;
}

void TKestrelleMinigameControl::PlayScreenSound(const std::string& name) {
  if (WindowRef window = OwnerWindow()) window->PlaySound(name);
}

void TKestrelleMinigameControl::ReportFinished() {
  ParamsRef report = CreateParams();
  report->SetValue("minigame_skipped", Variant(std::string(skipped_ ? "yes" : "no")));
  report->SetValue("level_completed", Variant(std::string("yes")));
  report->SetValue("minigame_bonus", Variant(DefinitionInt("minigame_bonus")));
  report->SetValue("minigame_person", DefinitionValue("minigame_person", Variant(0)));
  report->SetValue("end_text", DefinitionValue("end_text"));
  Notify(minigame_codes::kFinished, report);
}

}  // namespace kestrelle
