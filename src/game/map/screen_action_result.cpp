#include "game/map/screen_action_result.h"

#include <string>

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "data/text_lists.h"
#include "game/level/profile_access.h"
#include "game/map/action_world.h"

namespace kestrelle {

void TKestrelleGameScreenActionResult::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  GameScreenOwnerRef game = GetOwner();
  std::shared_ptr<IActionDefCollection> actions = PublishedActionDefs(game);
  std::shared_ptr<TActionDef> action =
      actions ? actions->FindByActionId(screens::ParamValue(params, "action_id").ToString()) : nullptr;
  WidgetRef icons = FindWidget("icons");
  if (icons && icons->GetWidgets()) icons->GetWidgets()->Clear();
  if (action) {
    if (WidgetRef text = FindWidget("text")) text->SetProperty("text", Variant(DefinitionText(*action, "result_text")));
    if (WidgetRef image = FindWidget("image"))
      image->SetProperty("resourcename", Variant(DefinitionText(*action, "result_image")));
    if (auto creator = std::dynamic_pointer_cast<IWidgetOwner>(icons)) {
      for (const std::string& factory : SplitTopLevel(DefinitionText(*action, "result_icons"), ',')) {
        const std::string name(TrimControl(factory));
        if (!name.empty()) CreateWidgetInto(*creator, icons, name, screens::OneParam("name", Variant(name)));
      }
    }
  }
  if (WidgetRef money = FindWidget("money"))
    money->SetProperty("text", Variant(std::to_string(SnapshotProfile(CurrentProfileOf(game)).Integer("total_money"))));
}

void TKestrelleGameScreenActionResult::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef game = GetOwner();
  if (game && code == screens::kEventClicked && screens::WidgetName(sender) == "button_close")
    game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
