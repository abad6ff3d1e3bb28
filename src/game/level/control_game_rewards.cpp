// The level control's reward side: bonuses left by happy VIP clients, the tools the player spends
// during a level, coins, the start-of-level tips and once-per-profile hints, and the results.

#include <cmath>

#include "app/game_screen_interface.h"
#include "data/numbers.h"
#include "data/random.h"
#include "data/text_lists.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_def_refs.h"
#include "game/content/shop_defs.h"
#include "game/level/bonus_draws.h"
#include "game/level/combos.h"
#include "game/level/control_game_main.h"
#include "game/level/level_codes.h"
#include "game/level/level_results.h"
#include "game/level/shop_station.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

constexpr int kFlyingCoins = 8;
constexpr int32_t kFlyingCoinDelayMs = 100;
// Where a flight leaves or reaches a station, and reaches a tool slot.
constexpr double kStationSpotX = 110;
constexpr double kStationSpotY = 55;
constexpr double kToolSpotX = 30;
constexpr double kToolSpotY = 20;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

struct Spot {
  double x = 0;
  double y = 0;
};

// Where flights to and from a tool slot end and start.
Spot ToolSpot(const ControlToolsRef& tools, const WidgetRef& tool) {
  Spot spot{kToolSpotX, kToolSpotY};
  if (tools) spot = {spot.x + tools->GetLeft(), spot.y + tools->GetTop()};
  if (tool) spot = {spot.x + tool->GetLeft(), spot.y + tool->GetTop()};
  return spot;
}

Spot StationSpot(const ShopStationRef& station) {
  return {station->GetLeft() + kStationSpotX, station->GetTop() + kStationSpotY};
}

Spot ItemCentre(const WidgetRef& item) {
  return {item->GetLeft() + item->GetWidth() / 2.0, item->GetTop() + item->GetHeight() / 2.0};
}

// One target of a tool: the shelf item of an order line, or a station with its client.
struct ToolTarget {
  WidgetRef item;
  ShopStationRef station;
};

}  // namespace

// --- Profile ---

ProfileValues TKestrelleControlGameMain::ProfileSnapshot() {
  ProfileValues values;
  auto profile = CurrentProfile();
  ParamsRef params = profile ? profile->GetParams() : nullptr;
  for (int i = 0; params && i < params->GetCount(); ++i)
    if (ParamRef param = params->GetParam(Variant(i))) values.Set(param->GetName(), param->GetValue().ToString());
  return values;
}

void TKestrelleControlGameMain::ApplyToProfile(const ProfileWrites& writes) {
  auto profile = CurrentProfile();
  if (!profile || writes.empty()) return;
  for (const ProfileWrite& write : writes) profile->GetParams()->SetValue(write.key, write.value);
  SaveProfiles();
}

OwnedTools TKestrelleControlGameMain::ListProfileTools() { return kestrelle::ListProfileTools(ProfileSnapshot()); }

void TKestrelleControlGameMain::ShowStartTips() {
  const ProfileValues profile = ProfileSnapshot();
  const std::string toolTip = profile.Text("show_tool_tip");
  if (!toolTip.empty()) {
    ParamsRef params = CreateParams();
    params->SetValue("tool_tip", toolTip);
    Notify(level_codes::kShowToolTip, params);
  } else if (levelNumber_ >= 2 && profile.Text("show_coin_hint", "no") == "no") {
    ApplyToProfile({{"show_coin_hint", "yes"}});
    Notify(level_codes::kShowCoinHint, CreateParams());
  }
}

// --- Bonuses ---

void TKestrelleControlGameMain::GenerateBonus(const ShopStationRef& station) {
  ControlToolsRef tools = ToolsControl();
  if (!station || !tools) return;
  NamedWeights weights;
  for (const std::string& type : SplitSemicolonList(tools->GetToolsList()))
    weights.emplace_back(type, LevelParam(type).ToInt());
  const std::string type = DrawBonusType(weights);
  if (type.empty()) return;
  const double seconds = LevelParam("bonus_time").ToDouble();
  ParamsRef params = CreateParams();
  params->SetValue("type", type);
  params->SetValue("start_time", Variant(seconds * 1000));
  WidgetRef bonus = CreateWidget("bonus", params);
  if (!bonus) return;
  station->SetBonus(bonus, seconds);
  bonus->SetVisible(true);
  AddCounter(kBonusesGenerated, 1);
  ShowBonusHintOnce();
}

void TKestrelleControlGameMain::ShowBonusHintOnce() {
  if (levelNumber_ < 5 || ProfileSnapshot().Text("show_bonus_hint", "no") != "no") return;
  ApplyToProfile({{"show_bonus_hint", "yes"}});
  if (WidgetRef hint = ScreenWidget("bonus_hint")) hint->Restart();
}

void TKestrelleControlGameMain::CollectBonus(const ShopStationRef& station, bool withSound) {
  WidgetRef bonus = station ? station->RemoveBonus() : nullptr;
  if (!bonus) return;
  const std::string type = bonus->GetProperty("type").ToString();
  ControlToolsRef tools = ToolsControl();
  if (tools) {
    ParamsRef params = CreateParams();
    params->SetValue("type", type);
    tools->HandleEvent(level_codes::kAddToolUse, params);
  }
  const BonusFlight flight = FlightForCollectedBonus(type);
  if (!flight.scenario.empty()) {
    const Spot from = StationSpot(station);
    const Spot to = ToolSpot(tools, tools ? tools->GetTool(type) : nullptr);
    ParamsRef params = CreateParams();
    params->SetValue("name", station->GetName() + "_" + type);
    params->SetValue("type", type);
    params->SetValue("init_x", Variant(from.x));
    params->SetValue("init_y", Variant(from.y));
    params->SetValue("end_x", Variant(to.x));
    params->SetValue("end_y", Variant(to.y));
    StartScenario(flight.scenario, params);
    AddCounter(flight.counter, 1);
  }
  if (withSound) PlayLevelSound("sound_bonus_click");
  AddCounter(kBonusesCollected, 1);
}

// --- Tools ---

void TKestrelleControlGameMain::UseTool(const ParamsRef& params, int phase) {
  if (!params) return;
  // A flight's report carries the tool back as "type" and "name"; its own copies are read first.
  const auto value = [&](const char* own, const char* reported) {
    const std::string text = phase == 2 ? params->GetValue(own, Variant("")).ToString() : std::string();
    return text.empty() ? params->GetValue(reported, Variant("")).ToString() : text;
  };
  const std::string type = value("tooltype", "type");
  const std::string toolName = value("toolname", "name");
  const std::string useKey = toolName + "_" + type;
  if (phase == 2) {
    // Every flight but the first target's is silent; one that reports anyway is ignored here.
    if (pendingToolUses_.erase(useKey) == 0) return;
  }

  // The targets, found anew in each phase.
  std::vector<ToolTarget> targets;
  const std::vector<ShopStationRef> stations = Stations();
  size_t activeStation = 0;
  ShopClientRef active = ActiveClient(&activeStation);
  std::vector<std::string> unsolved =
      active ? SplitSemicolonList(active->GetOrderItemIds(true)) : std::vector<std::string>();
  if (type == "Hint_1" && !unsolved.empty()) {
    std::string line;
    if (phase == 1) {
      line = unsolved[static_cast<size_t>(Random(static_cast<int32_t>(unsolved.size())))];
      hintLine_ = line;
    } else if (const std::optional<std::string> shown = HintLineToShow(hintLine_, unsolved)) {
      line = *shown;
    }
    if (WidgetRef item = ShopItemById(line)) targets.push_back({item, nullptr});
  } else if (type == "Hint_2") {
    for (const std::string& line : unsolved)
      if (WidgetRef item = ShopItemById(line)) targets.push_back({item, nullptr});
  } else if (type == "Ice_1") {
    if (active) targets.push_back({nullptr, stations[activeStation]});
  } else if (type == "Heart_1" || type == "Heart_2") {
    std::vector<std::optional<double>> patience;
    for (const ShopStationRef& station : stations) {
      ShopClientRef client = station->GetClient();
      patience.push_back(client ? std::optional<double>(client->GetProperty("client_patience").ToDouble())
                                : std::nullopt);
    }
    if (const std::optional<size_t> lowest = LowestPatienceClient(patience))
      targets.push_back({nullptr, stations[*lowest]});
  } else if (type == "Ice_2" || type == "Heart_3") {
    for (const ShopStationRef& station : stations)
      if (station->GetClient()) targets.push_back({nullptr, station});
  }
  if (targets.empty()) return;

  if (phase == 2) {
    for (const ToolTarget& target : targets) {
      if (target.item) {
        const Spot centre = ItemCentre(target.item);
        const double width = target.item->GetWidth();
        const double height = target.item->GetHeight();
        ParamsRef hint = CreateParams();
        hint->SetValue("name", target.item->GetName());
        hint->SetValue("anchor_left", Variant(centre.x));
        hint->SetValue("anchor_top", Variant(centre.y));
        hint->SetValue("radius", Variant(std::sqrt(width * width + height * height) / 2));
        StartScenario("ps_hint", hint);
      } else if (ShopClientRef client = target.station->GetClient()) {
        if (Contains(type, "Ice")) {
          client->SetProperty("ice_bonus", Variant(kIceToolSeconds));
        } else {
          client->SetProperty("client_hearts",
                              Variant(HeartsAfterTool(type, client->GetProperty("client_hearts").ToInt())));
        }
      }
    }
    return;
  }

  ControlToolsRef tools = ToolsControl();
  WidgetRef tool = tools ? tools->GetTool(type) : nullptr;
  const Spot from = ToolSpot(tools, tool);
  const char* kind = Contains(type, "Hint") ? "hint" : Contains(type, "Ice") ? "ice" : "heart";
  bool firstStarted = false;
  for (size_t k = 0; k < targets.size(); ++k) {
    const Spot to = targets[k].item ? ItemCentre(targets[k].item) : StationSpot(targets[k].station);
    ParamsRef flight = CopyParams(params);
    flight->SetValue("tooltype", type);
    flight->SetValue("toolname", toolName);
    flight->SetValue("name", UseToolFlightName(toolName, type, k, targets.size()));
    flight->SetValue("init_x", Variant(from.x));
    flight->SetValue("init_y", Variant(from.y));
    flight->SetValue("end_x", Variant(to.x));
    flight->SetValue("end_y", Variant(to.y));
    const bool started = StartScenario(std::string("scenario_use_bonus_") + kind, flight) != nullptr;
    if (k == 0) firstStarted = started;
  }
  if (!firstStarted) return;
  pendingToolUses_.insert(useKey);
  if (tool) tool->SetProperty("quantity", Variant(tool->GetProperty("quantity").ToInt() - 1));
  PlayLevelSound(std::string("sound_tool_") + kind + "_click");
}

// --- Coins ---

void TKestrelleControlGameMain::CoinClicked(const WidgetRef& coin) {
  AddCounter(kCoinsPickedUp, 1);
  coin->Restart();
  const double x = coin->GetLeft();
  const double y = coin->GetTop();
  for (int k = 0; k < kFlyingCoins; ++k) {
    ParamsRef params = CreateParams();
    params->SetValue("name", coin->GetName() + "_" + std::to_string(k));
    params->SetValue("init_x", Variant(x + 5 * k));
    params->SetValue("init_y", Variant(y + 5 * k));
    params->SetValue("currenttime", Variant(-int64_t{kFlyingCoinDelayMs} * k));
    StartScenario("scenario_flying_coin", params);
  }
  AddCounter(kMoneyEarned, kCoinValue);
  PlayLevelSound("sound_coin_click");
  ShowRewardLabel(coin->GetName() + "_coin", "%coin_bonus%", x, y);
}

// --- Results ---

ParamsRef TKestrelleControlGameMain::ComputeResults() {
  LevelOutcome outcome;
  outcome.level = levelNumber_;
  outcome.replay = IsReplay();
  outcome.counters = counters_;
  outcome.clients = clientHistory_;
  outcome.minigame = LevelParam("Minigame").ToString();
  outcome.expertPatienceBonus = LevelParam("expert_patience_bonus").ToInt();
  outcome.expertTimeBonus = LevelParam("expert_time_bonus").ToInt();
  outcome.levelTips = LevelParam("level_tips").ToString();

  auto game = GameOwner();
  auto setting = [&](const char* name) { return game ? game->GetSetting(name).ToInt() : 0; };
  auto shops = game ? game->GetSetting("shop_defs").As<IShopDefCollection>() : nullptr;
  std::shared_ptr<TShopDef> shop = shops ? shops->FindByName(shopName_) : nullptr;
  if (!shop && shops) shop = shops->FindShopByLevel(levelNumber_);
  const std::optional<int64_t> lastLevel = shop ? shop->GetLastLevel() : std::nullopt;
  outcome.isShopLastLevel = lastLevel && *lastLevel == levelNumber_;

  const TrophyThresholds thresholds{setting("TrophyParamExpertPatience"), setting("TrophyParamExpertTime"),
                                    setting("TrophyParamClientsServed"), setting("TrophyParamShopsServedHalf"),
                                    setting("TrophyParamShopsServedAll")};
  const LevelResults results = kestrelle::ComputeResults(outcome, ProfileSnapshot(), thresholds);
  ApplyToProfile(results.profileWrites);
  ParamsRef params = CreateParams();
  for (const auto& [name, value] : results.values) params->SetValue(name, value);
  return params;
}

}  // namespace kestrelle
