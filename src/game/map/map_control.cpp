#include "game/map/map_control.h"

#include "game/content/action_defs.h"
#include "game/content/level_def_refs.h"
#include "game/content/map_defs.h"
#include "game/content/shop_defs.h"
#include "game/map/action_world.h"
#include "game/map/map_codes.h"
#include "game/map/map_rules.h"
#include "game/map/profile_params.h"
#include "game/map/widget_lookup.h"
#include "platform/messages.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

constexpr const char* kGuidedLevelShop = "ShopGarden";
constexpr const char* kGuidedLevelScreen = "GS_GameTutorial";

template <class I>
std::shared_ptr<I> Published(const GameScreenOwnerRef& game, const char* name) {
  return game ? game->GetSetting(name).As<I>() : nullptr;
}

LevelShop DescribeShop(const std::shared_ptr<TShopDef>& shop) {
  LevelShop described;
  if (!shop) return described;
  described.name = shop->GetName();
  described.firstLevel = shop->GetFirstLevel().value_or(0);
  described.lastLevel = shop->GetLastLevel().value_or(0);
  return described;
}

}  // namespace

void TKestrelleControlMap::SetOwner(const WidgetOwnerRef& owner) {
  TControlGameWidget::SetOwner(owner);
  WindowRef window = owner ? owner->GetWindow() : nullptr;
  bgGroup_ = window ? window->FindWidget("bg_group") : nullptr;
}

void TKestrelleControlMap::ClearOwner() {
  bgGroup_.reset();
  hoveredLevel_.reset();
  hoveredShop_.reset();
  TControlGameWidget::ClearOwner();
}

// ---------------------------------------------------------------------------------------------
// The world around the map

GameScreenOwnerRef TKestrelleControlMap::Game() {
  WidgetOwnerRef owner = GetOwner();
  EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
  return handler ? handler->GetGameOwner() : nullptr;
}

bool TKestrelleControlMap::HasScreen(const std::string& name) {
  GameScreenOwnerRef game = Game();
  GameScreenCollectionRef screens = game ? game->GetScreens() : nullptr;
  return screens && screens->Get(Variant(name)) != nullptr;
}

ParamsRef TKestrelleControlMap::Profile() { return CurrentProfileParams(Game()); }

ProfileValues TKestrelleControlMap::ProfileSnapshot() { return SnapshotParams(Profile()); }

int64_t TKestrelleControlMap::CurrentLevel() { return ProfileSnapshot().Integer("current_level", 1); }

void TKestrelleControlMap::SetProfileValue(const std::string& key, const std::string& value) {
  if (ParamsRef profile = Profile()) profile->SetValue(key, Variant(value));
}

WidgetRef TKestrelleControlMap::Lookup(const std::string& path) {
  if (WidgetRef own = FindWidget(path)) return own;
  if (WidgetRef group = GetScenarioGroup())
    if (WidgetRef scenario = group->FindWidget(path)) return scenario;
  WindowRef window = OwnerWindow();
  return window ? window->FindWidget(path) : nullptr;
}

LevelShop TKestrelleControlMap::ShopOfLevel(int64_t level) {
  GameScreenOwnerRef game = Game();
  auto shops = Published<IShopDefCollection>(game, "shop_defs");
  if (shops)
    if (auto shop = shops->FindShopByLevel(level)) return DescribeShop(shop);
  const Variant fallback = game ? game->GetSetting("DefaultShopName") : Variant();
  const std::string name = fallback.IsEmptyOrNull() ? std::string() : fallback.ToString();
  LevelShop shop = shops ? DescribeShop(shops->FindByName(name)) : LevelShop{};
  shop.name = name;
  return shop;
}

bool TKestrelleControlMap::NewActionAvailable(const ProfileValues& profile) {
  GameScreenOwnerRef game = Game();
  auto actions = Published<IActionDefCollection>(game, "action_defs");
  auto items = Published<IActionItemDefCollection>(game, "action_item_defs");
  return actions && items && BuildActionRules(actions.get(), items.get()).NewActionAvailable(profile);
}

std::string TKestrelleControlMap::PendingDialogue(int64_t level, const ProfileValues& profile) {
  auto levels = Published<ILevelDefRefCollection>(Game(), "level_def_refs");
  auto reference = levels ? levels->FindByNumber(level) : nullptr;
  ParamsRef params = reference ? reference->GetParams() : nullptr;
  const Variant dialogue = params ? params->GetValue("dialog_id", Variant()) : Variant();
  std::string name = dialogue.IsEmptyOrNull() ? std::string() : dialogue.ToString();
  if (name.empty() || profile.Text("show_dialog_" + name, "no") != "no") return {};
  return name;
}

BookingWorld TKestrelleControlMap::World() {
  BookingWorld world;
  world.shopOfLevel = [this](int64_t level) { return ShopOfLevel(level); };
  world.newActionAvailable = [this](const ProfileValues& profile) { return NewActionAvailable(profile); };
  world.pendingDialogue = [this](int64_t level, const ProfileValues& profile) {
    return PendingDialogue(level, profile);
  };
  return world;
}

// ---------------------------------------------------------------------------------------------
// Building the map of the shown shop

void TKestrelleControlMap::BuildMap() {
  const ProfileValues profile = ProfileSnapshot();
  if (WidgetRef background = bgGroup_.lock()) {
    ClearGroup(background);
    auto maps = Published<IMapDefCollection>(Game(), "map_defs");
    auto map = maps ? maps->FindByName(shownShop_) : nullptr;
    auto objects = map ? map->GetObjects() : nullptr;
    for (int i = 0; objects && i < objects->GetCount(); ++i)
      if (auto object = objects->GetItem(i)) CreateChildWidget(background, object->GetFactoryName(), nullptr);
  }
  BuildShopIcons(profile.Integer("current_level", 1));
  BuildCalendar(profile);
  RefreshMoney();
}

void TKestrelleControlMap::BuildShopIcons(int64_t currentLevel) {
  auto shops = Published<IShopDefCollection>(Game(), "shop_defs");
  for (const WidgetRef& icon : ChildrenOf(Lookup("shop_icon_group"))) {
    const std::string name = icon->GetName();
    if (name == "icon_panel") continue;
    auto shop = shops ? shops->FindByName(name) : nullptr;
    icon->SetProperty("icon_state", Variant(ShopIconState(name, shownShop_, currentLevel,
                                                          shop ? shop->GetFirstLevel() : std::optional<int64_t>())));
    icon->SetProperty("highlight", Variant(std::string("no")));
  }
}

void TKestrelleControlMap::BuildCalendar(const ProfileValues& profile) {
  auto shops = Published<IShopDefCollection>(Game(), "shop_defs");
  auto shop = shops ? shops->FindByName(shownShop_) : nullptr;
  WidgetRef calendar = Lookup("calender_group");
  if (!shop || !calendar) return;
  const int64_t first = shop->GetFirstLevel().value_or(0);
  const int64_t last = shop->GetLastLevel().value_or(-1);
  const int64_t current = profile.Integer("current_level", 1);
  for (int64_t level = first; level <= last; ++level) {
    WidgetRef day = calendar->FindWidget(std::to_string(level - first + 1));
    if (!day) continue;
    const std::string number = std::to_string(level);
    day->SetProperty("map_level_state", Variant(CalendarDayState(level, current)));
    day->SetProperty("highlight", Variant(std::string("no")));
    day->SetProperty("award_time", Variant(profile.Text("level_expert_time_" + number, "no")));
    day->SetProperty("award_service", Variant(profile.Text("level_expert_patience_" + number, "no")));
  }
}

void TKestrelleControlMap::RefreshMoney() {
  WindowRef window = OwnerWindow();
  WidgetRef money = window ? window->FindWidget("bottom/money") : nullptr;
  if (money) money->SetProperty("text", Variant(std::to_string(ProfileSnapshot().Integer("total_money"))));
}

// ---------------------------------------------------------------------------------------------
// Commands

void TKestrelleControlMap::Command(int32_t code, const ParamsRef& params) {
  switch (code) {
    case map_codes::kMapShown:
      MapShown();
      break;
    case map_codes::kPlay:
      Play();
      break;
    case map_codes::kLevelFinished:
      BookResults(params);
      break;
    case map_codes::kDialogueClosed:
      // Without a guided level screen in the game the dialogue leads straight to the level.
      if (ProfileSnapshot().Text("show_tutorial", "no") == "no" && HasScreen(kGuidedLevelScreen)) {
        SetProfileValue("show_tutorial", "yes");
        Notify(
            map_codes::kStartGuidedLevel,
            TextParams({{"level", std::to_string(CurrentLevel())}, {"replay", "no"}, {"shop_name", kGuidedLevelShop}}));
      } else {
        StartCurrentLevel();
      }
      break;
    case map_codes::kActionsClosed:
      ActionsClosed(params);
      break;
    case map_codes::kLastShopLevelClosed:
      // Every shop has at least two levels: the level after the current one is in the next shop.
      shownShop_ = ShopOfLevel(CurrentLevel() + 1).name;
      BuildMap();
      if (NewActionAvailable(ProfileSnapshot()))
        Notify(map_codes::kShowActions, TextParams({{"show_new_action", "yes"}}));
      else
        ShowPendingDialogue();
      break;
    case map_codes::kGuidedLevelClosed:
      StartCurrentLevel();
      break;
    case map_codes::kFinalClosed:
      ShowHighScores();
      break;
    default:
      break;
  }
}

void TKestrelleControlMap::ActionsClosed(const ParamsRef& result) {
  RefreshMoney();
  const ProfileValues profile = ProfileSnapshot();
  const std::string dialogue = PendingDialogue(profile.Integer("current_level", 1), profile);
  const Variant continuePlay = result ? result->GetValue("continue_play", Variant()) : Variant();
  const bool goOn = !continuePlay.IsEmptyOrNull() && continuePlay.ToString() == "yes";
  switch (DecideActionsClosed(profile, !dialogue.empty(), goOn)) {
    case ActionsClosedStep::kDialogue:
      ShowDialogue(dialogue);
      break;
    case ActionsClosedStep::kFinal:
      // On disk at once, like a booked level: the end is told once.
      SetProfileValue("show_final", "yes");
      SaveProfiles(Game());
      Notify(map_codes::kShowFinal);
      break;
    case ActionsClosedStep::kStartLevel:
      StartCurrentLevel();
      break;
    case ActionsClosedStep::kNothing:
      break;
  }
}

void TKestrelleControlMap::ShowHighScores() {
  UserProfileRef player = CurrentProfileOf(Game());
  if (!player) return;
  Notify(map_codes::kShowHighScores,
         TextParams({{"Score", std::to_string(FinalScore(SnapshotProfile(player)))}, {"Player", player->GetName()}}));
}

void TKestrelleControlMap::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  if (name == "map_hide") {
    BuildMap();
    if (WidgetRef show = FindWidget("../map_show")) show->Restart();
  } else if (name == "map_pause") {
    ShowPendingDialogue();
  } else if (name == "map_tutor") {
    Notify(map_codes::kShowMapTutorial);
    SetProfileValue("show_calendar_tutor", "yes");
  } else if (name == "room_tutor") {
    Notify(map_codes::kShowRoomTutorial);
    SetProfileValue("show_room_tutor", "yes");
  }
}

void TKestrelleControlMap::MapShown() {
  const ProfileValues profile = ProfileSnapshot();
  const int64_t current = profile.Integer("current_level", 1);
  shownShop_ = ShopOfLevel(current).name;
  BuildMap();
  const char* restart = nullptr;
  switch (DecideMapShown(profile, !PendingDialogue(current, profile).empty())) {
    case MapShownStep::kPauseForDialogue:
      restart = "map_pause";
      break;
    case MapShownStep::kCompleteTasks:
      Notify(map_codes::kCompleteTasks);
      break;
    case MapShownStep::kCalendarTutorial:
      restart = "map_tutor";
      break;
    case MapShownStep::kRoomTutorial:
      restart = "room_tutor";
      break;
    case MapShownStep::kNothing:
      break;
  }
  if (restart)
    if (WidgetRef scenario = Lookup(restart)) scenario->Restart();
}

void TKestrelleControlMap::Play() {
  const int64_t current = CurrentLevel();
  switch (DecidePlay(current, ShopOfLevel(current).name, shownShop_)) {
    case PlayStep::kGameCompleted:
      Notify(map_codes::kGameCompleted);
      break;
    case PlayStep::kStartLevel:
      StartLevel(current, false);
      break;
    case PlayStep::kShopCompleted:
      Notify(map_codes::kShopCompleted);
      break;
  }
}

void TKestrelleControlMap::BookResults(const ParamsRef& results) {
  ParamsRef profile = Profile();
  const LevelBooking booking = BookLevelResults(SnapshotParams(results), SnapshotParams(profile), World());
  WriteParams(booking.profileWrites, profile);
  // Progress is on disk before anything else happens: a crash or a kill must not lose a level.
  SaveProfiles(Game());
  ParamsRef answer = results ? results : CreateParams();
  for (const auto& [key, value] : booking.resultAdditions) answer->SetValue(key, Variant(value));
  if (!booking.shownShop.empty()) {
    shownShop_ = booking.shownShop;
    BuildMap();
  }
  switch (booking.next) {
    case BookingNext::kNothing:
      break;
    case BookingNext::kLastShopLevel:
      Notify(map_codes::kLastShopLevel, TextParams({{"finished_shop", booking.finishedShop}}));
      break;
    case BookingNext::kNewAction:
      Notify(map_codes::kShowActions, TextParams({{"show_new_action", "yes"}}));
      break;
    case BookingNext::kDialogue:
      ShowDialogue(booking.dialogue);
      break;
    case BookingNext::kStartLevel:
      StartCurrentLevel();
      break;
    case BookingNext::kCompleteTasks:
      Notify(map_codes::kCompleteTasks);
      break;
    case BookingNext::kReplayResults:
      Notify(map_codes::kShowReplay, answer);
      break;
  }
}

void TKestrelleControlMap::ShowPendingDialogue() {
  const ProfileValues profile = ProfileSnapshot();
  const std::string dialogue = PendingDialogue(profile.Integer("current_level", 1), profile);
  if (!dialogue.empty()) ShowDialogue(dialogue);
}

void TKestrelleControlMap::ShowDialogue(const std::string& name) {
  SetProfileValue("show_dialog_" + name, "yes");
  Notify(map_codes::kShowDialogue, TextParams({{"dialog_id", name}}));
}

void TKestrelleControlMap::StartLevel(int64_t level, bool replay) {
  Notify(map_codes::kStartLevel, TextParams({{"level", std::to_string(level)},
                                             {"replay", replay ? "yes" : "no"},
                                             {"shop_name", ShopOfLevel(level).name}}));
}

// ---------------------------------------------------------------------------------------------
// Mouse

WidgetRef TKestrelleControlMap::WidgetAtPoint(const TPoint& point) {
  if (!visible_) return nullptr;
  WidgetRef child = TControlGameWidget::WidgetAtPoint(point);
  // A control placed inside the map (a button) keeps its own clicks.
  if (child && child != Self() && std::dynamic_pointer_cast<TControlWidget>(child)) return child;
  if (child || ContainsPoint(point, false)) return Self();
  return nullptr;
}

bool TKestrelleControlMap::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  // The icons sit in groups of their own: their hit tests take the screen point.
  screenPoint_ = point;
  return TControlGameWidget::MouseEvent(message, point, keys);
}

WidgetRef TKestrelleControlMap::IconAt(const std::string& group, const std::string& skip, const TPoint& screenPoint) {
  for (const WidgetRef& icon : ChildrenOf(Lookup(group))) {
    if (icon->GetName() == skip) continue;
    if (icon->ContainsPoint(icon->ScreenToOwner(screenPoint), false)) return icon;
  }
  return nullptr;
}

void TKestrelleControlMap::PlayClickSound() {
  if (PlaySound("sound_buttonclick", false, 0, 0) != 0) return;
  if (WindowRef window = OwnerWindow()) window->PlaySound("sound_buttonclick");
}

bool TKestrelleControlMap::ClickCalendar(const TPoint& screenPoint) {
  WidgetRef day = IconAt("calender_group", "calender_image", screenPoint);
  if (!day) return false;
  PlayClickSound();
  const std::string state = day->GetProperty("map_level_state").ToString();
  if (state == "completed") {
    auto shops = Published<IShopDefCollection>(Game(), "shop_defs");
    const int64_t local = Variant(day->GetName()).ToInt(0);
    if (shops) StartLevel(shops->GetGlobalLevel(local, shownShop_), true);
  } else if (state == "current") {
    StartCurrentLevel();
  }
  return true;
}

bool TKestrelleControlMap::ClickShopIcon(const TPoint& screenPoint) {
  WidgetRef icon = IconAt("shop_icon_group", "icon_panel", screenPoint);
  if (!icon) return false;
  PlayClickSound();
  const std::string state = icon->GetProperty("icon_state").ToString();
  if (state == "completed") {
    shownShop_ = icon->GetName();
    if (WidgetRef hide = FindWidget("../map_hide"))
      hide->Restart();
    else
      BuildMap();
  } else if (state == "locked") {
    Notify(map_codes::kShopLocked);
  }
  return true;
}

bool TKestrelleControlMap::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlGameWidget::MouseDown(point, keys, button);
  if (button != kButtonLeft) return false;
  return ClickCalendar(screenPoint_) || ClickShopIcon(screenPoint_);
}

bool TKestrelleControlMap::MouseMove(const TPoint& point, uint32_t keys) {
  const auto hover = [](WidgetRef& previous, const WidgetRef& now) {
    if (previous == now) return;
    if (previous) previous->SetProperty("highlight", Variant(std::string("no")));
    if (now) now->SetProperty("highlight", Variant(std::string("yes")));
    previous = now;
  };
  hover(hoveredLevel_, IconAt("calender_group", "calender_image", screenPoint_));
  hover(hoveredShop_, IconAt("shop_icon_group", "icon_panel", screenPoint_));
  return false;
}

}  // namespace kestrelle
