#include "game/level/scenarios/stat_scenario.h"

#include "media/surface.h"

namespace kestrelle {

namespace {

struct StatLine {
  const char* state;
  const char* next;
  const char* line;
  const char* medal;
};

constexpr StatLine kLines[] = {
    {"show_money", "show_bonus_time", "../moneyEarned/moneyEarned", ""},
    {"show_bonus_time", "show_bonus_service", "../timeBonus/timeBonus", "../award_time"},
    {"show_bonus_service", "show_total", "../serviceBonus/serviceBonus", "../award_service"},
    {"show_total", "show_tips", "../totalMoney/totalMoney", ""},
    {"show_tips", "exit", "../level_tips", ""},
};

}  // namespace

void TScenarioStat::Initialize() {
  TLevelScenario::Initialize();
  AddState("enter", kLines[0].state);
  for (const StatLine& line : kLines) {
    AddTimedState(
        line.state, line.next, [] { return kLineTime; }, [this, line](TState&) { RevealLine(line.line, line.medal); });
  }
  AddExitState();
}

void TScenarioStat::RevealLine(const std::string& path, const std::string& medalPath) {
  WidgetRef line = FindFromOwner(path);
  if (line) line->SetVisible(true);
  if (WidgetRef burst = FindFromOwner("../ps_statlevel"); burst && line) {
    const TPoint at = ScreenToParticles(burst, WidgetScreenPosition(line));
    SurfaceRef picture = line->CreateImage();
    burst->SetProperty("surface", Variant(InterfaceRef(picture)));
    burst->SetProperty("create_left", Variant(at.x));
    burst->SetProperty("create_top", Variant(at.y));
    burst->SetProperty("add_LifeTime", Variant(kBurstLifeTime));
    burst->SetProperty("init_creation_count", Variant(kBurstCount));
  }
  PlayScenarioSound("sound_new_line");
  if (medalPath.empty() || !line || line->GetProperty("text").ToString() == "0") return;
  if (WidgetRef medal = FindFromOwner(medalPath)) {
    medal->SetVisible(true);
    medal->Restart();
  }
  PlayScenarioSound("sound_stat_medal");
}

}  // namespace kestrelle
