#include "game/minigames/minigame_dialogs.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/file_system.h"
#include "data/numbers.h"
#include "data/variant_values.h"
#include "game/content/level_def_refs.h"
#include "game/minigames/widget_children.h"
#include "platform/messages.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

std::string Text(const ParamsRef& params, const std::string& name, const std::string& fallback = {}) {
  if (!screens::HasParam(params, name)) return fallback;
  return screens::ParamValue(params, name).ToString();
}

int64_t Int(const ParamsRef& params, const std::string& name, int64_t fallback) {
  int64_t value = 0;
  return VariantToInt(screens::ParamValue(params, name), value) ? value : fallback;
}

void SetText(TGameScreen& screen, const std::string& widget, const std::string& text) {
  if (WidgetRef target = screen.FindWidget(widget)) target->SetProperty("text", Variant(text));
}

}  // namespace

void ShowMinigamePerson(TGameScreen& screen, const std::string& person, bool emptyFirst) {
  WidgetRef holder = screen.FindWidget("person");
  WidgetCollectionRef children = holder ? holder->GetWidgets() : nullptr;
  if (children && emptyFirst) children->Clear();
  auto creator = std::dynamic_pointer_cast<IWidgetOwner>(screen.GetWindowWidget());
  WidgetRef figure = creator ? creator->CreateWidget("person_" + person, CreateParams()) : nullptr;
  if (!figure || !children) return;
  children->Clear();
  children->Add(figure);
}

// ---------------------------------------------------------------------------------------------
// Pause menu

void TKestrelleGameScreenMiniMenu::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  closing_ = false;
  LayOutButtons();
}

void TKestrelleGameScreenMiniMenu::LayOutButtons() {
  WidgetRef group = FindWidget("buttons");
  std::vector<WidgetRef> shown;
  for (const WidgetRef& child : ChildrenOf(group))
    if (child->GetVisible()) shown.push_back(child);
  if (shown.empty()) return;
  double groupHeight = kDefaultGroupHeight;
  if (!VariantToReal(group->GetProperty("group_height"), groupHeight)) groupHeight = kDefaultGroupHeight;
  const int64_t count = static_cast<int64_t>(shown.size());
  const int64_t height = shown.front()->GetHeight();
  const int64_t gap = RoundHalfEven(groupHeight - static_cast<double>(height * count)) / count;
  int64_t y = gap / 2;
  for (const WidgetRef& button : shown) {
    button->SetAnchorTop(static_cast<double>(y));
    y += height + gap;
  }
  pressedName_.clear();
}

void TKestrelleGameScreenMiniMenu::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  pressedName_ = screens::WidgetName(sender);
  CloseMenu();
}

bool TKestrelleGameScreenMiniMenu::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (TGameScreen::KeyEvent(message, wParam, lParam)) return true;
  if (message != WM_KEYDOWN || wParam != screens::kKeyEscape) return false;
  CloseMenu();
  return true;
}

bool TKestrelleGameScreenMiniMenu::MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) {
  if (TGameScreen::MouseEvent(message, point, keyFlags)) return true;
  if (message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP) return false;
  if (WidgetAtPoint(point)) return false;
  CloseMenu();
  return true;
}

void TKestrelleGameScreenMiniMenu::CloseMenu() {
  // Once: input that arrives while the menu disappears changes nothing.
  if (closing_) return;
  GameScreenOwnerRef owner = GetOwner();
  if (!owner) return;
  closing_ = true;
  ParamsRef result = pressedName_.empty() ? nullptr : screens::OneParam("Button", Variant(pressedName_));
  owner->CloseScreen(SelfAs<IGameScreenSlave>(), result);
}

// ---------------------------------------------------------------------------------------------
// Completion, help and bonus hint

void TKestrelleGameScreenMinigameCompleted::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  const bool completed = Text(params, "minigame_skipped", "yes") == "no";
  SetText(*this, "title", completed ? "%title_MinigameCompleted%" : "%title_MinigameSkipped%");
  ShowMinigamePerson(*this, Text(params, "minigame_person"), false);
  SetText(*this, "text_GameCompleted", completed ? Text(params, "end_text") : "%text_MinigameSkipped%");
  SetText(*this, "moneyEarned", completed ? std::to_string(Int(params, "minigame_bonus", 0)) : "0");
}

void TKestrelleGameScreenMinigameHelp::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  // Opened from the pause menu without parameters (the game gives an empty collection), the help
  // keeps what it showed last.
  if (!params || params->GetCount() == 0) return;
  ShowMinigamePerson(*this, Text(params, "minigame_person"), true);
  SetText(*this, "text_GameHelp", Text(params, "start_text"));
}

void TKestrelleGameScreenBonusHint::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  // Sixty pixels below the station that holds the bonus.
  if (WidgetRef pointer = FindWidget("6")) pointer->SetAnchorTop(static_cast<double>(Int(params, "init_y", 0) + 60));
}

// ---------------------------------------------------------------------------------------------
// Bonus replay

void TKestrelleGameScreenMainBonus::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  GameScreenOwnerRef owner = GetOwner();
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  UserProfileRef profile = profiles ? profiles->GetCurrent() : nullptr;
  const int64_t currentLevel = profile ? Int(profile->GetParams(), "current_level", -1) : -1;
  auto levels = owner ? owner->GetSetting("level_def_refs").As<ILevelDefRefCollection>() : nullptr;
  for (const WidgetRef& button : ChildrenOf(FindWidget("level_buttons"))) {
    const std::string minigame = button->GetProperty("minigame").ToString();
    const int64_t level = levels ? levels->FindLevelByMinigame(minigame) : -1;
    const bool reached = BonusMinigameReached(level, currentLevel);
    button->SetProperty("level_disabled", Variant(reached ? 0 : -1));
    button->SetProperty("level_enabled", Variant(reached ? -1 : 0));
  }
}

void TKestrelleGameScreenMainBonus::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (screens::WidgetName(sender) != "button") return;
  // The button sits in a look group of the level button that names the minigame.
  auto look = std::dynamic_pointer_cast<IWidget>(sender->GetOwner());
  auto levelButton = look ? std::dynamic_pointer_cast<IWidget>(look->GetOwner()) : nullptr;
  const std::string minigame = levelButton ? levelButton->GetProperty("minigame").ToString() : std::string();
  if (minigame.empty()) return;
  ParamsRef show = CreateParams();
  show->SetValue("Minigame", Variant(minigame));
  show->SetValue("Replay", Variant(std::string("yes")));
  GameScreenOwnerRef owner = GetOwner();
  if (owner && !owner->ShowScreen("GS_MiniGame_" + minigame, show))
    LogLine("bonus menu: the minigame \"" + minigame + "\" has no screen \"GS_MiniGame_" + minigame + "\" to replay");
}

bool BonusMinigameReached(int64_t level, int64_t currentLevel) { return level >= 0 && level < currentLevel; }

}  // namespace kestrelle
