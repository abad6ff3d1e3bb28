#include "game/level/control_game_main.h"

#include "app/game_screen_interface.h"
#include "data/numbers.h"
#include "data/property_table.h"
#include "data/text_lists.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_def_refs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/level/client_activation.h"
#include "game/level/client_arrival.h"
#include "game/level/client_manager.h"
#include "game/level/combos.h"
#include "game/level/level_codes.h"
#include "game/level/order_item.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

// Scenario and sound volume of the level's own sounds.
constexpr int32_t kSoundVolume = 100;
constexpr int kFlyingPieces = 8;
constexpr int32_t kFlyingPieceDelayMs = 100;

ParamsRef Params(std::initializer_list<std::pair<const char*, Variant>> values) {
  ParamsRef params = CreateParams();
  for (const auto& [name, value] : values) params->SetValue(name, value);
  return params;
}

std::string Text(const WidgetRef& widget, const std::string& name) {
  return widget ? widget->GetProperty(name).ToString() : std::string();
}

void ClearChildren(const WidgetRef& group) {
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  if (!children) return;
  for (int i = 0; i < children->GetCount(); ++i)
    if (WidgetRef child = children->GetByIndex(i)) child->SetDead(true);
  children->Clear();
  group->Invalidate();
}

// A point of the control's children's space in the space of the children of `group`.
TPoint IntoGroup(const WidgetRef& group, const TPoint& point) {
  return TPoint{point.x - Round32(group->GetAnchorLeft()), point.y - Round32(group->GetAnchorTop())};
}

// A shop item or coin as the set-up creates it from its definition.
ParamsRef ItemParams(const std::shared_ptr<TLevelItem>& item, bool withDescription) {
  auto value = [&](const char* key) { return item->GetProperty(key).ToString(); };
  std::string name = item->GetName();
  if (name.empty()) name = value("item_id");
  ParamsRef params = CreateParams();
  params->SetValue("name", name);
  params->SetValue("item_id", value("item_id"));
  params->SetValue("item_desc", withDescription ? value("item_desc") : std::string());
  params->SetValue("anchor_left", value("x"));
  params->SetValue("anchor_top", value("y"));
  params->SetValue("z", value("z"));
  params->SetValue("width", value("w"));
  params->SetValue("height", value("h"));
  params->SetValue("resourcename", value("res"));
  params->SetValue("minigame", value("minigame"));
  params->SetValue("item_type", value("item_type"));
  return params;
}

}  // namespace

const TPropertyTable& TKestrelleControlGameMain::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlGameWidget::GetPropertyTable(),
      {
          Property("mousestop", &TKestrelleControlGameMain::mouseStop_, true)
              .SavedIfNotDefault()
              .GetWith(&TVisualWidget::GetMouseStop)
              .SetWith(&TVisualWidget::SetMouseStop),
          Property("state", &TKestrelleControlGameMain::GetState, &TKestrelleControlGameMain::SetState).NotStored(),
          Property("customers_served", &TKestrelleControlGameMain::GetCustomersServed,
                   &TKestrelleControlGameMain::SetCustomersServed)
              .NotStored(),
          Property("customers_goal", &TKestrelleControlGameMain::GetCustomersGoal,
                   &TKestrelleControlGameMain::SetCustomersGoal)
              .NotStored(),
      });
  return table;
}

void TKestrelleControlGameMain::Initialize() {
  TControlGameWidget::Initialize();
  state_ = kLevelStateEnded;
  levelNumber_ = 0;
  replay_ = "no";
  shopName_.clear();
  levelRef_ = nullptr;
  levelDef_ = nullptr;
  clientManager_ = nullptr;
  counters_.Reset();
  clientHistory_.clear();
  itemHistory_.clear();
  hintLine_.clear();
  pendingToolUses_.clear();
}

void TKestrelleControlGameMain::ClearOwner() {
  if (clientManager_) clientManager_->Release();
  clientManager_ = nullptr;
  levelRef_ = nullptr;
  levelDef_ = nullptr;
  clientHistory_.clear();
  itemHistory_.clear();
  pendingToolUses_.clear();
  TControlGameWidget::ClearOwner();
}

// --- Counters and look-ups ---

void TKestrelleControlGameMain::SetCounter(int index, int64_t value) {
  if (index < 0 || index >= LevelCounters::kCount) return;
  counters_.Set(index, value);
  if (index == kClientsServed) {
    if (WidgetRef counter = FindWidget("client_counter")) counter->SetProperty("client_served", Variant(value));
  } else if (index == kMoneyEarned) {
    if (WidgetRef counter = FindWidget("money_counter")) {
      counter->SetProperty("animation", Variant(true));
      counter->SetProperty("value", Variant(value));
    }
  }
}

std::vector<ShopStationRef> TKestrelleControlGameMain::Stations() {
  std::vector<ShopStationRef> stations;
  WidgetRef group = FindWidget("shop_stations");
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  for (int i = 0; children && i < children->GetCount(); ++i)
    if (auto station = std::dynamic_pointer_cast<IShopStation>(children->GetByIndex(i))) stations.push_back(station);
  return stations;
}

std::optional<size_t> TKestrelleControlGameMain::StationIndex(const ShopStationRef& station) {
  const std::vector<ShopStationRef> stations = Stations();
  for (size_t i = 0; i < stations.size(); ++i)
    if (stations[i] == station) return i;
  return std::nullopt;
}

ShopStationRef TKestrelleControlGameMain::StationByName(const std::string& name) {
  for (const ShopStationRef& station : Stations())
    if (station->GetName() == name) return station;
  return nullptr;
}

ShopClientRef TKestrelleControlGameMain::ActiveClient(size_t* stationIndex) {
  const std::vector<ShopStationRef> stations = Stations();
  for (size_t i = 0; i < stations.size(); ++i) {
    ShopClientRef client = stations[i]->GetClient();
    if (client && client->GetProperty("state").ToString() == kClientActive) {
      if (stationIndex) *stationIndex = i;
      return client;
    }
  }
  return nullptr;
}

WidgetRef TKestrelleControlGameMain::ShopItemById(const std::string& itemId) {
  WidgetRef group = FindWidget("shop_items");
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  for (int i = 0; children && i < children->GetCount(); ++i) {
    WidgetRef item = children->GetByIndex(i);
    if (item && Text(item, "item_id") == itemId) return item;
  }
  return nullptr;
}

WidgetRef TKestrelleControlGameMain::ScreenWidget(const std::string& path) { return FindWidget("window:/" + path); }

ControlToolsRef TKestrelleControlGameMain::ToolsControl() {
  return std::dynamic_pointer_cast<IControlTools>(ScreenWidget("control_tools"));
}

Variant TKestrelleControlGameMain::LevelParam(const std::string& name) {
  Variant value = levelDef_ ? levelDef_->GetProperty(name) : Variant();
  if (value.IsEmptyOrNull() && levelRef_) value = levelRef_->GetProperty(name);
  return value;
}

std::shared_ptr<IGameScreenOwner> TKestrelleControlGameMain::GameOwner() {
  WidgetOwnerRef owner = GetOwner();
  EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
  return handler ? handler->GetGameOwner() : nullptr;
}

std::shared_ptr<IUserProfile> TKestrelleControlGameMain::CurrentProfile() {
  auto game = GameOwner();
  UserProfilesRef profiles = game ? game->GetProfiles() : nullptr;
  return profiles ? profiles->GetCurrent() : nullptr;
}

void TKestrelleControlGameMain::SaveProfiles() {
  auto game = GameOwner();
  if (UserProfilesRef profiles = game ? game->GetProfiles() : nullptr) profiles->SaveToFile();
}

WidgetRef TKestrelleControlGameMain::StartScenario(const std::string& factoryName, const ParamsRef& params) {
  return CreateScenario(factoryName, params ? params : CreateParams(), false);
}

void TKestrelleControlGameMain::PlayLevelSound(const std::string& name) { PlaySound(name, true, 0, kSoundVolume); }

void TKestrelleControlGameMain::ShowRewardLabel(const std::string& name, const std::string& text, double x, double y) {
  // Among the control's own children: the names ("client_2") would clash with the flying money
  // scenarios of that client ("client_0" .. "client_7").
  WidgetRef label = CreateChildWidget(Self(), "combo", Params({{"name", Variant(name)}, {"text", Variant(text)}}));
  if (!label) return;
  const LabelPlace place = PlaceRewardLabel(RoundHalfEven(x), RoundHalfEven(y), label->GetWidth(), label->GetHeight());
  label->SetAnchorLeft(static_cast<double>(place.left));
  label->SetAnchorTop(static_cast<double>(place.top));
}

// --- Commands ---

void TKestrelleControlGameMain::Command(int32_t code, const ParamsRef& params) {
  switch (code) {
    case level_codes::kStartLevel:
      StartLevel(params);
      break;
    case level_codes::kRestartLevel:
      if (levelRef_ && levelDef_) SetUpLevel();
      break;
    case level_codes::kUseTool:
      UseTool(params, 1);
      break;
    case level_codes::kNewClient:
      PlayLevelSound("sound_new_client");
      StartScenario("scenario_show_client", params);
      break;
    case level_codes::kMinigameFinished:
      MinigameFinished(params);
      break;
    default:
      break;
  }
}

void TKestrelleControlGameMain::StartLevel(const ParamsRef& params) {
  auto value = [&](const char* name, const Variant& fallback) {
    return params ? params->GetValue(name, fallback) : fallback;
  };
  const int64_t level = value("level", Variant(int64_t{0})).ToInt();
  auto game = GameOwner();
  auto refs = game ? game->GetSetting("level_def_refs").As<ILevelDefRefCollection>() : nullptr;
  std::shared_ptr<TLevelDefRef> ref = refs ? refs->FindByNumber(level) : nullptr;
  auto def = ref ? std::dynamic_pointer_cast<IKestrelleLevelDef>(ref->LoadLevelDef()) : nullptr;
  if (!ref || !def) return;
  levelNumber_ = level;
  replay_ = value("replay", Variant("no")).ToString();
  shopName_ = value("shop_name", Variant("")).ToString();
  levelRef_ = ref;
  levelDef_ = def;
  SetUpLevel();
}

void TKestrelleControlGameMain::SetUpLevel() {
  auto game = GameOwner();
  ClearChildren(FindWidget("shop_stations"));
  ClearChildren(FindWidget("shop_items"));
  ClearChildren(ScreenWidget("bg_group"));
  ClearChildren(FindWidget("scenario_group"));
  counters_.Reset();
  clientHistory_.clear();
  itemHistory_.clear();
  hintLine_.clear();
  pendingToolUses_.clear();

  // Stations open one after another, two seconds apart.
  auto stationDefs = game ? game->GetSetting("station_defs").As<IStationDefCollection>() : nullptr;
  WidgetRef stations = FindWidget("shop_stations");
  for (int i = 0; stationDefs && i < stationDefs->GetCount(); ++i) {
    std::shared_ptr<TStationDef> def = stationDefs->GetItem(i);
    if (!def) continue;
    ParamsRef params = CreateParams();
    params->SetValue("name", def->GetName());
    params->SetValue("station_id", Variant(int64_t{i}));
    params->SetValue("anchor_left", def->GetParams()->GetValue("x", Variant(int64_t{0})));
    params->SetValue("anchor_top", def->GetParams()->GetValue("y", Variant(int64_t{0})));
    if (WidgetRef station = CreateChildWidget(stations, "shop_station", params))
      station->SetProperty("currenttime", Variant(StationOpeningTime(i)));
  }

  WidgetRef items = FindWidget("shop_items");
  if (auto shopItems = levelDef_->GetShopItems()) {
    for (int i = 0; i < shopItems->GetCount(); ++i)
      if (auto item = shopItems->GetItem(i)) CreateChildWidget(items, "shop_item", ItemParams(item, true));
  }
  if (auto coins = levelDef_->GetCoins()) {
    for (int i = 0; i < coins->GetCount(); ++i)
      if (auto coin = coins->GetItem(i)) CreateChildWidget(items, "shop_coin", ItemParams(coin, false));
  }
  auto shops = game ? game->GetSetting("shop_defs").As<IShopDefCollection>() : nullptr;
  std::shared_ptr<TShopDef> shop = shops ? shops->FindByName(shopName_) : nullptr;
  auto objects = shop ? shop->GetObjects() : nullptr;
  WidgetRef background = ScreenWidget("bg_group");
  for (int i = 0; objects && i < objects->GetCount(); ++i) {
    auto object = objects->GetItem(i);
    if (!object) continue;
    const bool isBackground = object->GetProperty("item_type").ToString() == "bg";
    CreateChildWidget(isBackground ? background : items, object->GetProperty("factory_name").ToString(),
                      CreateParams());
  }

  if (clientManager_) clientManager_->Release();
  clientManager_ = CreateClientManager();
  if (clientManager_)
    clientManager_->Init(SelfAs<IControlGameMain>(), levelDef_, std::static_pointer_cast<IPropertyObject>(levelRef_));

  state_ = kLevelStateSetUp;
  StartScenario("scenario_start", Params({{"LevelName", Variant(StartLevelName())}}));

  const int64_t expertTime = RoundHalfEven(LevelParam("expert_time").ToDouble() * 1000);
  counters_.Set(kExpertTimeLeftMs, expertTime);
  if (WidgetRef timer = ScreenWidget("timer_control")) {
    timer->Show(true);
    timer->SetProperty("level_time", Variant(expertTime));
    timer->SetProperty("timer_current_time", Variant(expertTime));
  }
  counters_.Set(kClientGoal, LevelParam("client_goal").ToInt());
  if (WidgetRef counter = FindWidget("client_counter")) {
    counter->Show(true);
    counter->SetProperty("client_goal", Variant(counters_.Get(kClientGoal)));
    counter->SetProperty("client_served", Variant(int64_t{0}));
  }
  if (WidgetRef money = FindWidget("money_counter")) {
    money->Show(true);
    money->SetProperty("animation", Variant(false));
    money->SetProperty("value", Variant(int64_t{0}));
    if (WidgetRef text = money->FindWidget("text")) text->SetProperty("text", Variant("0"));
  }
  OfferToolChoice();
  CreateButtonHints();
}

ClientManagerRef TKestrelleControlGameMain::CreateClientManager() { return Create<TClientManager>(); }

std::string TKestrelleControlGameMain::StartLevelName() {
  return "%" + shopName_ + "% " + (levelRef_ ? levelRef_->GetDisplayName() : std::string());
}

void TKestrelleControlGameMain::OfferToolChoice() {
  const OwnedTools owned = ListProfileTools();
  Notify(ToolChoiceNotification(ProfileSnapshot(), owned.count),
         Params({{"level", Variant(levelRef_ ? levelRef_->GetName() : std::string())},
                 {"profile_tools", Variant(owned.list)}}));
}

void TKestrelleControlGameMain::CreateButtonHints() {
  WidgetRef root = ScreenWidget("");
  WidgetCollectionRef widgets = root ? root->GetWidgets() : nullptr;
  if (!widgets) return;
  // The old one goes now, so that the new one can take its name.
  if (WidgetRef old = widgets->GetByName("button_hints")) {
    old->SetDead(true);
    widgets->RemoveDead();
  }
  CreateChildWidget(root, "button_hints", Params({{"level", Variant(levelNumber_)}}));
}

// --- Frames and presses ---

void TKestrelleControlGameMain::DoUpdate(int32_t elapsedMs) {
  if (ClockRuns()) {
    if (clientManager_) clientManager_->Tick(elapsedMs);
    counters_.Add(kTimePlayedMs, elapsedMs);
    if (counters_.Get(kExpertTimeLeftMs) > 0) {
      counters_.Add(kExpertTimeLeftMs, -elapsedMs);
      if (WidgetRef timer = ScreenWidget("timer_control"))
        timer->SetProperty("timer_current_time", Variant(counters_.Get(kExpertTimeLeftMs)));
    }
  }
  TControlGameWidget::DoUpdate(elapsedMs);
}

WidgetRef TKestrelleControlGameMain::WidgetAtPoint(const TPoint& point) {
  return GetVisible() && GetMouseStop() && ContainsPoint(point, false) ? Self() : nullptr;
}

bool TKestrelleControlGameMain::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlGameWidget::MouseDown(point, keys, button);
  if (button != kButtonLeft) return false;
  return HandlePress(TPoint{point.x - Round32(GetAnchorLeft()), point.y - Round32(GetAnchorTop())});
}

ShopStationRef TKestrelleControlGameMain::StationAt(const TPoint& point) {
  WidgetRef group = FindWidget("shop_stations");
  if (!group) return nullptr;
  const TPoint local = IntoGroup(group, point);
  for (const ShopStationRef& station : Stations())
    if (station->HitTest(local)) return station;
  return nullptr;
}

WidgetRef TKestrelleControlGameMain::ItemAt(const TPoint& point) {
  WidgetRef group = FindWidget("shop_items");
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  if (!children) return nullptr;
  const TPoint local = IntoGroup(group, point);
  WidgetRef hit;
  for (int i = 0; i < children->GetCount(); ++i) {
    WidgetRef item = children->GetByIndex(i);
    if (!item || item->GetDead()) continue;
    if (Text(item, "item_type") == "interier" || !item->ContainsPoint(local, false)) continue;
    if (!hit || item->GetZ() > hit->GetZ()) hit = item;
  }
  return hit;
}

bool TKestrelleControlGameMain::HandlePress(const TPoint& point) {
  if (state_ != PlayingState()) return false;
  if (ShopStationRef station = StationAt(point)) {
    StationClicked(station);
  } else {
    ShelfPressed(point);
  }
  return true;
}

void TKestrelleControlGameMain::ShelfPressed(const TPoint& point) {
  if (WidgetRef item = ItemAt(point)) {
    if (Text(item, "item_type") == "coin") {
      CoinClicked(item);
    } else {
      ItemClicked(item, point);
    }
  } else {
    WrongClick(point);
  }
}

void TKestrelleControlGameMain::WrongClick(const TPoint& point) {
  if (WidgetRef cross = FindWidget("cross")) {
    cross->SetAnchorLeft(point.x - 17);
    cross->SetAnchorTop(point.y - 15);
    cross->Restart();
  }
  PlayLevelSound("sound_wrong_click");
}

void TKestrelleControlGameMain::StationClicked(const ShopStationRef& station) {
  const std::string stationState = station->GetProperty("state").ToString();
  ShopClientRef client = station->GetClient();
  if (stationState == kStationBusy && client) {
    const std::string clientState = client->GetProperty("state").ToString();
    if (clientState == kClientIdle) {
      for (const ShopStationRef& other : Stations()) {
        ShopClientRef waiting = other->GetClient();
        if (other != station && waiting && waiting->GetProperty("state").ToString() == kClientActive)
          waiting->Deactivate();
      }
      client->Activate();
      PlayLevelSound("sound_station_click");
    } else if (clientState == kClientMoney) {
      ServeClient(station, client);
    }
  } else if (stationState == kStationBonus) {
    CollectBonus(station, true);
  }
}

void TKestrelleControlGameMain::ServeClient(const ShopStationRef& station, const ShopClientRef& client) {
  const std::string name = client->GetName();
  ParamsRef params = CreateParams();
  params->SetValue("name", name);
  params->SetValue("client_path", "../shop_stations/" + station->GetName() + "/" + name);
  params->SetValue("station_name", station->GetName());
  params->SetValue("client_was_served", "yes");
  AddCounter(kClientsServed, 1);

  const int64_t hearts = client->GetProperty("client_hearts").ToInt();
  const bool vip = client->GetProperty("vip").ToString() == "yes";
  const ServedBonus bonus = BonusForServedClient(hearts, vip);
  params->SetValue("generate_bonus", bonus == ServedBonus::kAfterLeaving ? "yes" : "no");
  if (bonus == ServedBonus::kAtOnce) {
    // The level ends before this client has gone: its bonus is taken straight away.
    GenerateBonus(station);
    CollectBonus(station, true);
  }
  StartScenario("scenario_hide_client", params);
  ClientFinished(client, true);
  AddCounter(kMoneyEarned, LevelParam(ServedMoneyKey(hearts)).ToInt());
  if (counters_.Get(kClientsServed) == counters_.Get(kClientGoal)) EndLevel();

  for (int k = 0; k < kFlyingPieces; ++k) {
    StartScenario("scenario_flying_money", Params({{"name", Variant(name + "_" + std::to_string(k))},
                                                   {"init_x", Variant(station->GetLeft() + 60 + 5 * k)},
                                                   {"init_y", Variant(station->GetTop() + 85 + 5 * k)},
                                                   {"currenttime", Variant(-int64_t{kFlyingPieceDelayMs} * k)}}));
  }
  PlayLevelSound("sound_money_click");
  client->SetProperty("state", Variant(""));
}

ServedBonus TKestrelleControlGameMain::BonusForServedClient(int64_t hearts, bool vip) {
  return BonusOnServing(hearts, vip, counters_.Get(kClientsServed), counters_.Get(kClientGoal));
}

void TKestrelleControlGameMain::ClientFinished(const ShopClientRef& client, bool served) {
  const int64_t hearts = client->GetProperty("client_hearts").ToInt();
  clientHistory_.push_back({client->GetProperty("client_type").ToString(), served, hearts});
  AddCounter(kHeartsOfFinishedClients, hearts);
}

void TKestrelleControlGameMain::ItemClicked(const WidgetRef& item, const TPoint& point) {
  size_t stationIndex = 0;
  ShopClientRef client = ActiveClient(&stationIndex);
  if (!client) return;
  const std::string itemId = Text(item, "item_id");
  WidgetRef line = client->FindOrderItem(itemId);
  if (!line || Text(line, "state") == kOrderItemSolved) {
    WrongClick(point);
    return;
  }
  AddCounter(kCorrectItemClicks, 1);
  itemHistory_.push_back({client->GetName(), itemId});

  const std::string minigame = Text(item, "minigame");
  if (!minigame.empty()) {
    // Without its minigame control the item stays unsolved and play goes on.
    WidgetRef control = ScreenWidget("control_minigame_" + minigame);
    if (!control) return;
    control->HandleEvent(level_codes::kStartMinigame,
                         Params({{"order_id", Variant(itemId)},
                                 {"client_type", client->GetProperty("client_type")},
                                 {"client_hearts", client->GetProperty("client_hearts")}}));
    state_ = kLevelStateMinigame;
    if (WidgetRef fade = ScreenWidget("fade_in")) fade->Restart();
    PlayLevelSound("sound_special_click");
    AddCounter(kMinigamesStarted, 1);
    return;
  }

  StartScenario("scenario_find_item", Params({{"item_name", Variant(item->GetName())}}));
  item->Restart();
  client->SolveItem(itemId);
  if (client->GetProperty("state").ToString() == kClientMoney) OrderCompleted(stationIndex);
  std::vector<std::string> finds;
  finds.reserve(itemHistory_.size());
  for (const ItemHistory& find : itemHistory_) finds.push_back(find.clientName);
  if (const std::optional<ComboReward> combo = ComboForLastFind(finds)) {
    ShowRewardLabel(combo->labelName, combo->text, item->GetLeft(), item->GetTop());
    AddCounter(kMoneyEarned, combo->money);
  }
  PlayLevelSound("sound_correct_click");
}

void TKestrelleControlGameMain::MinigameFinished(const ParamsRef& params) {
  if (!params) return;
  state_ = PlayingState();
  size_t stationIndex = 0;
  ShopClientRef client = ActiveClient(&stationIndex);
  if (client) {
    client->SolveItem(params->GetValue("order_id", Variant("")).ToString());
    const int64_t hearts = client->GetProperty("client_hearts").ToInt();
    const bool won = params->GetValue("completed", Variant("")).ToString() == "yes";
    client->SetProperty("client_hearts", Variant(won ? hearts + 1 : hearts - 1));
    AddCounter(won ? kMinigamesWon : kMinigamesLost, 1);
  }
  if (WidgetRef fade = ScreenWidget("fade_out")) fade->Restart();
  if (client && client->GetProperty("state").ToString() == kClientMoney) ActivateNextClient(stationIndex);
}

void TKestrelleControlGameMain::ClientLeft(const ShopStationRef& station) {
  ShopClientRef client = station ? station->GetClient() : nullptr;
  // A client already on its way out (served, or left before) is counted once.
  if (!client || client->GetProperty("state").ToString().empty()) return;
  const std::string name = client->GetName();
  ParamsRef params = CreateParams();
  params->SetValue("name", name);
  params->SetValue("client_path", "../shop_stations/" + station->GetName() + "/" + name);
  params->SetValue("station_name", station->GetName());
  params->SetValue("client_was_served", "no");
  StartScenario("scenario_hide_client", params);
  AddCounter(kClientsLost, 1);
  ClientFinished(client, false);
  client->SetProperty("state", Variant(""));
  if (const std::optional<size_t> index = StationIndex(station)) ActivateNextClient(*index);
}

void TKestrelleControlGameMain::ActivateNextClient(size_t fromStation) {
  const std::vector<ShopStationRef> stations = Stations();
  std::vector<StationClientState> floor;
  for (const ShopStationRef& station : stations) {
    ShopClientRef client = station->GetClient();
    const bool busy = station->GetProperty("state").ToString() == kStationBusy;
    floor.push_back({busy && client != nullptr, client ? client->GetProperty("state").ToString() : std::string()});
  }
  if (const std::optional<size_t> next = NextClientToActivate(floor, fromStation))
    stations[*next]->GetClient()->Activate();
}

std::string TKestrelleControlGameMain::GetOrderedItems() {
  std::string ids;
  for (const ShopStationRef& station : Stations())
    if (ShopClientRef client = station->GetClient()) ids += client->GetOrderItemIds(false);
  return ids;
}

// --- Scenario reports and the level end ---

void TKestrelleControlGameMain::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  if (!params) return;
  if (params->GetValue("name", Variant("")).ToString().starts_with("hide_client")) {
    ShopStationRef station = StationByName(params->GetValue("station_name", Variant("")).ToString());
    if (station) {
      station->RemoveClient();
      if (params->GetValue("client_was_served", Variant("")).ToString() == "yes" &&
          params->GetValue("generate_bonus", Variant("")).ToString() == "yes")
        GenerateBonus(station);
    }
  }
  if (name == "scenario_end_level") {
    if (state_ == kLevelStateEnded) FinishLevel();
  } else if (name == "scenario_start_level") {
    StartLevelFinished();
  } else if (name == "use_tool") {
    UseTool(params, 2);
  } else if (name == "bonus_hint") {
    ParamsRef hint = CreateParams();
    for (const ShopStationRef& station : Stations()) {
      if (station->GetProperty("state").ToString() == kStationBonus) {
        hint->SetValue("init_y", Variant(station->GetTop()));
        break;
      }
    }
    Notify(level_codes::kShowBonusHint, hint);
  }
}

void TKestrelleControlGameMain::StartLevelFinished() {
  state_ = PlayingState();
  ShowStartTips();
}

void TKestrelleControlGameMain::EndLevel() {
  if (state_ != PlayingState()) return;
  state_ = kLevelStateEnded;
  for (const ShopStationRef& station : Stations())
    if (station->GetProperty("state").ToString() == kStationBonus) CollectBonus(station, false);
  if (StoresToolUses()) {
    if (ControlToolsRef tools = ToolsControl()) tools->HandleEvent(level_codes::kStoreToolUses, CreateParams());
  }
  if (!StartScenario("scenario_end_level", nullptr)) FinishLevel();
}

void TKestrelleControlGameMain::FinishLevel() {
  ParamsRef results = ComputeResults();
  const bool award = results->GetValue("show_award_screen", Variant("")).ToString() == "yes";
  Notify(award ? level_codes::kShowResultsWithAward : level_codes::kShowLevelResults, results);
}

}  // namespace kestrelle
