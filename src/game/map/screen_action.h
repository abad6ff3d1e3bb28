#pragma once
// "KestrelleGameScreenAction": one action, shown with "action_id". "action_image" shows its
// picture, "action_text" its text ("%" + id + "%"), "money" the money owned, and the group
// "action_items" one icon per item the action needs, made from the item's "factory_name" and laid
// out by the group's "startX" + count and "shift" + count. An icon is enabled while its item is
// still to be bought or earned; "button_execute" once none is.
//
// Clicking an enabled icon of a bought item pays for it ("sound_buy_item"); when that was the last
// missing item the action is done at once. Doing the action moves its track up, unlocks what it
// unlocks ("sound_execute_action") and opens "GS_ActionResult", or "GS_GameFinal" for the final
// careers action; when either closes, this screen closes too. An icon under the pointer is
// described in "popup" with its children "title_trophy" and "count" (earned items) or "cost" and
// "click_to_buy_text" / "not_enough_money_text" (bought items). "button_close" closes.

#include <string>

#include "app/game_screen.h"
#include "game/map/action_rules.h"
#include "game/map/pointer_hover.h"

namespace kestrelle {

class TKestrelleGameScreenAction : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"action_items", "button_execute"};

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;
  void Update(int32_t elapsedMs) override;

  const std::string& GetActionId() const { return actionId_; }

 private:
  void CreateIcons(const ActionRules& rules);
  // The icons' enabled states, "button_execute" and the money.
  void Refresh();
  void Buy(const std::string& itemId);
  void Execute();
  void Describe(const WidgetRef& icon);
  bool IsIcon(const WidgetRef& widget);

  std::string actionId_;
  THoverTracker hover_;
};

}  // namespace kestrelle
