#include "game/level/screen_stat_main.h"

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "data/random.h"

namespace kestrelle {

namespace {

// The scenario that reveals the lines one after the other.
constexpr const char* kRevealScenario = "scenario_stat";
// Particle systems remove all their particles on this command.
constexpr int32_t kRemoveAllParticles = 2;

}  // namespace

void TKestrelleGameScreenStatMain::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  WidgetRef scenarios = FindWidget("scenario_group");
  if (scenarios && scenarios->GetWidgets()) scenarios->GetWidgets()->Clear();

  static constexpr struct {
    const char* widget;
    const char* result;
  } kLines[] = {{"moneyEarned/moneyEarned", "money_earned"},
                {"timeBonus/timeBonus", "expert_time_bonus"},
                {"serviceBonus/serviceBonus", "expert_patience_bonus"},
                {"totalMoney/totalMoney", "total_money_earned"}};
  for (const auto& line : kLines) {
    if (WidgetRef text = FindWidget(line.widget))
      text->SetProperty("text", Variant(screens::ParamValue(params, line.result).ToString()));
  }
  screens::ShowWidget(FindWidget("award_time"), false);
  screens::ShowWidget(FindWidget("award_service"), false);
  if (WidgetRef tips = FindWidget("level_tips")) {
    ChooseLevelTip(tips);
    screens::ShowWidget(tips, false);
  }
  if (WidgetRef particles = FindWidget("ps_statlevel")) particles->HandleEvent(kRemoveAllParticles, nullptr);
  if (auto creator = std::dynamic_pointer_cast<IWidgetOwner>(scenarios))
    CreateWidgetInto(*creator, scenarios, kRevealScenario, nullptr);
}

void TKestrelleGameScreenStatMain::ChooseLevelTip(const WidgetRef& tips) {
  tips->SetProperty("text", Variant("%text_hint_" + std::to_string(Random(kLevelTipCount)) + "%"));
}

void TKestrelleGameScreenStatMain::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked) return;
  GameScreenOwnerRef game = GetOwner();
  if (!game) return;
  const std::string name = screens::WidgetName(sender);
  if (name == "button_ok") {
    game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  } else if (name == "button_restart") {
    game->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("restart_level", Variant(std::string("yes"))));
  }
}

}  // namespace kestrelle
