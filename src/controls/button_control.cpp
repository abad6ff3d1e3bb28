#include "controls/button_control.h"

#include "app/game_screen_interface.h"
#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/params.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {

const char* const kButtonLooks[] = {"image_normal", "image_selected", "image_disabled"};

const char* const kCheckLooks[] = {"image_check_normal",   "image_check_selected",   "image_check_disabled",
                                   "image_uncheck_normal", "image_uncheck_selected", "image_uncheck_disabled"};

}  // namespace

void TButtonControl::Initialize() {
  TControlWidget::Initialize();
  hover_ = false;
  lookState_ = kLookForceRefresh;
}

const TPropertyTable& TButtonControl::GetPropertyTable() const {
  // The action's word is kept lower-case however the data or a script spells it.
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("actiontype", &TButtonControl::GetActionType, &TButtonControl::SetActionType)
              .SavedIfNotDefault()
              .Quiet()
              .TakesAnyValue(),
          Property("GSParams", &TButtonControl::gsParams_).SavedIfNotDefault().Quiet().TakesAnyValue(),
          Property("gamescreenname", &TButtonControl::gameScreenName_).SavedIfNotDefault().Quiet().TakesAnyValue(),
          Property("url", &TButtonControl::url_).SavedIfNotDefault().Quiet().TakesAnyValue(),
          Property("file_to_run", &TButtonControl::fileToRun_).SavedIfNotDefault().Quiet().TakesAnyValue(),
          Property("props_to_change", &TButtonControl::propsToChange_).SavedIfNotDefault().Quiet().TakesAnyValue(),
      });
  return table;
}

void TButtonControl::SetActionType(const std::string& actionType) { actionType_ = AsciiLower(actionType); }

void TButtonControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  lookState_ = kLookForceRefresh;
  RefreshLook();
}

void TButtonControl::SetEnabled(bool enabled) {
  bool changed = enabled != enabled_;
  TControlWidget::SetEnabled(enabled);
  if (changed) RefreshLook();
}

void TButtonControl::PollHover() {
  bool inside = PointerInside();
  if (inside == hover_) return;
  hover_ = inside;
  RefreshLook();
}

void TButtonControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  PollHover();
}

void TButtonControl::RefreshLook() {
  int32_t wanted = !enabled_ ? kLookDisabled : (hover_ ? kLookSelected : kLookNormal);
  if (wanted == lookState_) return;
  lookState_ = wanted;
  for (const char* look : kButtonLooks) ShowLook(look, false);
  ShowLookOr(kButtonLooks[wanted], "image_normal");
  SetChanged(true);
}

bool TButtonControl::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlWidget::MouseDown(point, keys, button);
  if (button != kButtonLeft || !enabled_) return false;
  BeginPress();
  PlaySound("sound_buttonclick", false, 0, 0);
  return true;
}

bool TButtonControl::MouseUp(const TPoint& point, uint32_t keys, int32_t button) {
  if (!pressed_ || button != kButtonLeft) return false;
  WidgetRef keep = Self();  // an action may take the button out of its tree
  if (ContainsPoint(point, false)) {
    RefreshLook();
    PerformAction();
  }
  EndPress();
  return true;
}

void TButtonControl::PerformAction() {
  // The screen the button is on is its window; the game is the screen's owner.
  WindowRef window = OwnerWindow();
  auto screen = std::dynamic_pointer_cast<IGameScreenSlave>(window);
  auto screenHandler = std::dynamic_pointer_cast<IEventHandler>(window);
  GameScreenOwnerRef game = screenHandler ? screenHandler->GetGameOwner() : nullptr;
  if (actionType_ == "closegamescreen") {
    if (game && screen) game->CloseScreen(screen, nullptr);
  } else if (actionType_ == "showgamescreen") {
    if (game && !gameScreenName_.empty()) {
      ParamsRef params = CreateParams();
      for (const auto& [key, value] : SplitKeyValues(gsParams_, '\\', '='))
        params->SetValue(AsciiUpper(key), Variant(value));
      game->ShowScreen(gameScreenName_, params);
    }
  } else if (actionType_ == "url") {
    if (EngineRef engine = GetEngine()) engine->OpenURL(url_);
  } else if (actionType_ == "run_file") {
    if (EngineRef engine = GetEngine()) engine->RunFile(fileToRun_);
  } else if (actionType_ == "change_props") {
    for (const auto& [key, value] : SplitKeyValues(propsToChange_, '\\', '=')) SetProperty(key, Variant(value));
  } else {
    SendEvent(kEventButtonClicked);
  }
}

// ---------------------------------------------------------------------------------------------

void TLabelControl::RefreshLook() {
  if (!enabled_) return;
  int32_t wanted = hover_ ? kLookSelected : kLookNormal;
  if (wanted == lookState_) return;
  lookState_ = wanted;
  ShowLook("image_normal", false);
  ShowLook("image_selected", false);
  ShowLookOr(kButtonLooks[wanted], "image_normal");
  SetChanged(true);
}

// ---------------------------------------------------------------------------------------------

void TCheckBoxControl::Initialize() {
  TControlWidget::Initialize();
  hover_ = false;
  lookState_ = -1;
}

const TPropertyTable& TCheckBoxControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("CheckBoxState", &TCheckBoxControl::checked_).NotStored().SetWith(&TCheckBoxControl::SetChecked),
      });
  return table;
}

void TCheckBoxControl::SetChecked(bool checked) {
  checked_ = checked;
  RefreshLook();
}

void TCheckBoxControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  lookState_ = -1;
  RefreshLook();
}

void TCheckBoxControl::SetEnabled(bool enabled) {
  bool changed = enabled != enabled_;
  TControlWidget::SetEnabled(enabled);
  if (changed) RefreshLook();
}

void TCheckBoxControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  bool inside = PointerInside();
  if (inside == hover_) return;
  hover_ = inside;
  RefreshLook();
}

void TCheckBoxControl::RefreshLook() {
  int32_t wanted = !enabled_ ? (checked_ ? 1 : 0) : (checked_ ? 4 : 2) + (hover_ ? 1 : 0);
  if (wanted == lookState_) return;
  lookState_ = wanted;
  for (const char* look : kCheckLooks) ShowLook(look, false);
  switch (wanted) {
    case 0:
      ShowLookOr("image_uncheck_disabled", "image_uncheck_normal");
      break;
    case 1:
      ShowLookOr("image_check_disabled", "image_check_normal");
      break;
    case 2:
      ShowLook("image_uncheck_normal", true);
      break;
    case 3:
      ShowLookOr("image_uncheck_selected", "image_uncheck_normal");
      break;
    case 4:
      ShowLook("image_check_normal", true);
      break;
    default:
      ShowLookOr("image_check_selected", "image_check_normal");
      break;
  }
  SetChanged(true);
}

bool TCheckBoxControl::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlWidget::MouseDown(point, keys, button);
  if (button != kButtonLeft || !enabled_) return false;
  BeginPress();
  PlaySound("sound_buttonclick", false, 0, 0);
  return true;
}

bool TCheckBoxControl::MouseUp(const TPoint& point, uint32_t keys, int32_t button) {
  if (!pressed_ || button != kButtonLeft) return false;
  WidgetRef keep = Self();
  if (ContainsPoint(point, false)) {
    checked_ = !checked_;
    RefreshLook();
    SendEvent(kEventCheckBoxToggled);
  }
  EndPress();
  return true;
}

}  // namespace kestrelle
