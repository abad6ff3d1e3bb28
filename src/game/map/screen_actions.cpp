#include "game/map/screen_actions.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/level/profile_access.h"
#include "game/map/action_world.h"

namespace kestrelle {

namespace {

// The children of a track's button group that are not action buttons.
constexpr const char* kCompleted = "completed";
constexpr const char* kRecommend = "recommend";

bool IsActionButton(const WidgetRef& child) {
  const std::string name = screens::WidgetName(child);
  return name != kCompleted && name != kRecommend;
}

std::string ButtonGroupName(const std::string& track) { return "buttons_" + track; }

}  // namespace

void TKestrelleGameScreenActions::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  const Variant showNewAction = screens::ParamValue(params, "show_new_action");
  continuePlay_ = showNewAction.IsEmptyOrNull() ? std::string("no") : showNewAction.ToString();
  hover_.Reset();
  screens::ShowWidget(FindWidget("popup"), false);
  DrawAll(false);
}

void TKestrelleGameScreenActions::OnShown(const ParamsRef& params) {
  TGameScreen::OnShown(params);
  // Opened once the overview is up, so that they sit on top of it.
  GameScreenOwnerRef game = GetOwner();
  if (!game) return;
  if (continuePlay_ == "yes") game->ShowScreen("GS_NewAction", nullptr);
  UserProfileRef profile = CurrentProfileOf(game);
  if (profile && SnapshotProfile(profile).Text("show_actions_tutorial", "no") == "no") {
    WriteProfile(profile, {{"show_actions_tutorial", "yes"}});
    SaveProfiles(game);
    game->ShowScreen("GS_ActionsTutorial", nullptr);
  }
}

void TKestrelleGameScreenActions::DrawAll(bool animate) {
  GameScreenOwnerRef game = GetOwner();
  const ActionRules rules = PublishedActionRules(game);
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  const std::optional<std::string> recommended = rules.RecommendedTrack(profile);
  for (const char* track : kRecommendationOrder) {
    const int64_t level = rules.TrackLevel(track, profile);
    DrawTrack(track, level);
    SetBar(track, level, animate);
    if (WidgetRef group = FindWidget(ButtonGroupName(track)))
      screens::ShowWidget(group->FindWidget(kRecommend), recommended == track);
  }
  if (WidgetRef money = FindWidget("money"))
    money->SetProperty("text", Variant(std::to_string(profile.Integer("total_money"))));
}

void TKestrelleGameScreenActions::DrawTrack(const std::string& track, int64_t level) {
  WidgetRef group = FindWidget(ButtonGroupName(track));
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  if (!children) return;
  const int64_t actions = children->GetCount() - 2;
  for (int64_t n = 1; n <= actions; ++n) screens::ShowWidget(children->GetByName(std::to_string(n)), n == level + 1);
  screens::ShowWidget(children->GetByName(kCompleted), level == actions);
}

void TKestrelleGameScreenActions::SetBar(const std::string& track, int64_t level, bool animate) {
  WidgetRef bar = FindWidget("bar_" + track);
  if (!bar) return;
  const Variant target(
      BarTarget(level, bar->GetProperty("bar_width").ToInt(0), bar->GetProperty("max_value").ToInt(0)));
  bar->SetProperty("value", target);
  if (!animate) bar->SetProperty("current_value", target);
}

void TKestrelleGameScreenActions::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef game = GetOwner();
  if (!game || !sender || code != screens::kEventClicked) return;
  if (sender->GetName() == "button_close") {
    game->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("continue_play", Variant(continuePlay_)));
    return;
  }
  // A track button whose data leaves the click to the screen opens its action.
  auto owner = std::dynamic_pointer_cast<IWidget>(sender->GetOwner());
  for (const char* track : kRecommendationOrder) {
    if (!owner || owner != FindWidget(ButtonGroupName(track)) || !IsActionButton(sender)) continue;
    game->ShowScreen("GS_Action",
                     screens::OneParam("action_id", Variant(std::string(track) + "_" + sender->GetName())));
    return;
  }
}

void TKestrelleGameScreenActions::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (name == "GS_Action") DrawAll(true);
}

WidgetRef TKestrelleGameScreenActions::HoveredButton() {
  EngineRef engine = GetEngine();
  for (const char* track : kRecommendationOrder) {
    if (WidgetRef button = ChildUnderPointer(engine, FindWidget(ButtonGroupName(track)), IsActionButton)) return button;
  }
  return nullptr;
}

void TKestrelleGameScreenActions::Update(int32_t elapsedMs) {
  TGameScreen::Update(elapsedMs);
  if (!IsActive()) return;
  WidgetRef button = HoveredButton();
  if (!hover_.Moved(button)) return;
  WidgetRef popup = FindWidget("popup");
  if (!popup) return;
  if (button) popup->SetProperty("text", Variant("%desc_" + button->GetProperty("res").ToString() + "%"));
  screens::ShowWidget(popup, button != nullptr);
}

}  // namespace kestrelle
