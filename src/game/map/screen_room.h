#pragma once
// "KestrelleGameScreenRoom": the owner's room. Every room item of the published "room_item_defs"
// becomes a widget of the group "items", made from the screen's factory "item" at the item's place
// and size; an item the player does not own yet (a bought item not bought, an earned item not
// earned) shows its child "off". The item under the pointer is described in "popup"
// ("%desc_" + name + "%", or "%desc_not_available%" while its "off" shows). "button_close" closes.

#include <string>

#include "app/game_screen.h"
#include "game/level/profile_values.h"
#include "game/map/pointer_hover.h"

namespace kestrelle {

// A room item is owned: a bought ("money") item once "item_exists_" + its name is "yes", an earned
// ("logic") item once the profile value its "paramname" names is not "no" (missing reads "no").
bool RoomItemOwned(const std::string& type, const std::string& name, const std::string& paramName,
                   const ProfileValues& profile);

class TKestrelleGameScreenRoom : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"items"};

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void Update(int32_t elapsedMs) override;

 private:
  void FillItems();

  THoverTracker hover_;
};

}  // namespace kestrelle
