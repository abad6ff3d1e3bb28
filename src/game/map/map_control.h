#pragma once
// "KestrelleControlMap" ("map_control" of the map screen): the town map of one shop. It builds the
// shop's picture into the screen's "bg_group", sets the row of shop icons ("shop_icon_group") and
// the shop's calendar ("calender_group"), decides which level is played next, books the results of
// every level into the current player's profile (and saves the player file at once), tells the
// player once that the game is over and hands the game's score to the high scores, and tells the
// map screen which screen to open (map_codes.h).

#include <cstdint>
#include <memory>
#include <string>

#include "app/game_screen_interface.h"
#include "controls/control_widget.h"
#include "game/level/profile_values.h"
#include "game/map/level_booking.h"

namespace kestrelle {

class TKestrelleControlMap : public TControlGameWidget {
 public:
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  // The control takes the mouse over its area (the icons are its own business), except over a
  // control placed inside it.
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;

  const std::string& GetShownShop() const { return shownShop_; }

 protected:
  void Command(int32_t code, const ParamsRef& params) override;
  void ScenarioFinalized(const std::string& name, const ParamsRef& params) override;

 private:
  GameScreenOwnerRef Game();
  bool HasScreen(const std::string& name);
  ParamsRef Profile();
  ProfileValues ProfileSnapshot();
  int64_t CurrentLevel();
  void SetProfileValue(const std::string& key, const std::string& value);
  // A widget of the control, of its scenario group or of the screen, by path.
  WidgetRef Lookup(const std::string& path);

  LevelShop ShopOfLevel(int64_t level);
  bool NewActionAvailable(const ProfileValues& profile);
  std::string PendingDialogue(int64_t level, const ProfileValues& profile);
  BookingWorld World();

  void BuildMap();
  void BuildShopIcons(int64_t currentLevel);
  void BuildCalendar(const ProfileValues& profile);
  void RefreshMoney();

  void MapShown();
  void Play();
  void BookResults(const ParamsRef& results);
  void ActionsClosed(const ParamsRef& result);
  // The finished game's score for the high scores, with the player's name.
  void ShowHighScores();
  void ShowPendingDialogue();
  void ShowDialogue(const std::string& name);
  void StartLevel(int64_t level, bool replay);
  void StartCurrentLevel() { StartLevel(CurrentLevel(), false); }
  void PlayClickSound();

  // The icon of a group under a screen point; `skip` names a child that is no icon.
  WidgetRef IconAt(const std::string& group, const std::string& skip, const TPoint& screenPoint);
  bool ClickCalendar(const TPoint& screenPoint);
  bool ClickShopIcon(const TPoint& screenPoint);

  std::string shownShop_;
  std::weak_ptr<IWidget> bgGroup_;
  WidgetRef hoveredLevel_;
  WidgetRef hoveredShop_;
  TPoint screenPoint_{0, 0};
};

}  // namespace kestrelle
