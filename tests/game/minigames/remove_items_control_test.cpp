// Remove Items on its screen: the player's room drawn under the picture as the profile holds it
// (and not under a picture of another room), a miss marked by the cross, the hint, and a whole
// game of two items up to the report.

#include "game/minigames/remove_items/remove_items_control.h"

#include <gtest/gtest.h>

#include <string>

#include "minigame_game.h"
#include "records/user_profiles.h"

namespace kestrelle {
namespace {

using testing::Factory;

const std::string kContent = R"(<minigame_defs><minigame_def name="remove"
    extraparams="minigame_bonus=30\start_text=Tidy up\end_text=Clean\diffs_cnt=2\create_items=yes\resourcename=img_hall">
  <diffs>
    <diff name="i1" x="100" y="100" width="40" height="40"/>
    <diff name="i2" x="300" y="300" width="40" height="40"/>
  </diffs></minigame_def>
  <minigame_def name="kitchen" extraparams="diffs_cnt=1\create_items=no\resourcename=img_kitchen">
  <diffs><diff name="k1" x="100" y="100" width="40" height="40"/></diffs></minigame_def></minigame_defs>
  <room_items>
    <room_item name="lamp" extraparams="type=money\x=10\y=20\w=30\h=40\res=img_lamp"/>
    <room_item name="sofa" extraparams="type=money\x=50\y=20\w=30\h=40\res=img_sofa"/>
    <room_item name="cup" extraparams="type=logic\paramname=trophy_3\x=90\y=20\w=30\h=40\res=img_cup\z=3"/>
    <room_item name="vase" extraparams="type=logic\paramname=trophy_6\x=90\y=20\w=30\h=40\res=img_vase"/>
  </room_items>)";

const std::string kWidgets =
    R"(<widget type="Control" name="button_hint" width="60" height="40" enabled="yes"/>
    <widget type="KestrelleControlGameRemoveItems" name="control_game_remove" width="800" height="600" visible="yes">
      <widgetfactories>)" +
    Factory("scenario_start_level",
            "<widget type='scenario_remove_start_level' name='scenario_start_level' visible='yes' duration='0'/>") +
    Factory("scenario_end_level",
            "<widget type='scenario_remove_end_level' name='scenario_end_level' visible='yes' "
            "duration='50' pause_duration='20' final_duration='20'/>") +
    Factory("scenario_find_diff",
            "<widget type='scenario_remove_find_diff' name='%name%' visible='yes' "
            "duration='50' diff_name='%diff_name%'/>") +
    Factory("diff_image",
            "<widget type='rect_widget' name='%name%' visible='yes' anchor_left='%anchor_left%' "
            "anchor_top='%anchor_top%' width='%width%' height='%height%'/>") +
    Factory(
        "item",
        "<widget type='rect_widget' name='%name%' visible='yes' anchor_left='%anchor_left%' "
        "anchor_top='%anchor_top%' width='%width%' height='%height%' z='%z%' extraparams='\\res=%resourcename%'/>") +
    R"(</widgetfactories>
      <widgets>
        <widget type="rect_widget" name="original_image" width="800" height="600" visible="yes"
            extraparams="\resourcename="/>
        <widget type="group_widget" name="room_items" visible="yes"/>
        <widget type="group_widget" name="remove_items" visible="yes"/>
        <widget type="rect_widget" name="cross" width="34" height="30"/>
        <widget type="group_widget" name="scenario_group" visible="yes"/>
      </widgets></widget>)";

class RemoveItemsGame : public testing::MinigameGame {
 protected:
  void SetUp() override {
    StartGame(testing::MinigameGameXml(kContent, "KestrelleGameScreenGameRemoveItems", kWidgets));
    game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");
    ParamsRef profile = game_->GetProfiles()->GetCurrent()->GetParams();
    profile->SetValue("item_exists_lamp", Variant("yes"));
    profile->SetValue("item_exists_sofa", Variant("no"));
    profile->SetValue("trophy_3", Variant("yes"));
  }
  std::shared_ptr<TKestrelleControlGameRemoveItems> Control() {
    return std::dynamic_pointer_cast<TKestrelleControlGameRemoveItems>(Widget("control_game_remove"));
  }
  void Click(int32_t x, int32_t y) { Mouse("control_game_remove", WM_LBUTTONDOWN, x, y); }
  std::string Counter() { return Widget("panel/counter")->GetProperty("text").ToString(); }
};

TEST_F(RemoveItemsGame, TwoItemsRemovedOverThePlayersRoom) {
  ShowMinigame("remove", "control_game_remove");
  // The bought lamp and the trophy's cup are in the room; the sofa not bought and the missing
  // trophy's vase are not.
  WidgetRef lamp = Widget("control_game_remove/room_items/lamp");
  ASSERT_TRUE(lamp);
  EXPECT_EQ(lamp->GetAnchorTop(), 20);
  EXPECT_EQ(lamp->GetZ(), 1);
  EXPECT_EQ(lamp->GetProperty("res"), Variant("img_lamp"));
  ASSERT_TRUE(Widget("control_game_remove/room_items/cup"));
  EXPECT_EQ(Widget("control_game_remove/room_items/cup")->GetZ(), 3);
  EXPECT_FALSE(Widget("control_game_remove/room_items/sofa"));
  EXPECT_FALSE(Widget("control_game_remove/room_items/vase"));
  EXPECT_EQ(Widget("control_game_remove/original_image")->GetProperty("resourcename"), Variant("img_hall"));
  EXPECT_EQ(Counter(), "2");

  // A miss marks the spot with the cross.
  Click(300, 200);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click"}));
  EXPECT_EQ(Widget("control_game_remove/cross")->GetAnchorLeft(), 283);
  EXPECT_EQ(Widget("control_game_remove/cross")->GetAnchorTop(), 185);

  Frames(2);
  {
    testing::ScriptedRandom random({1});
    Press("button_hint");
  }
  EXPECT_EQ(Widget("control_game_remove/remove_items/i2")->GetProperty("currenttime").ToInt(), 0);
  EXPECT_GT(Widget("control_game_remove/remove_items/i1")->GetProperty("currenttime").ToInt(), 0);
  EXPECT_FALSE(Widget("button_hint")->GetEnabled());

  Click(120, 120);
  Frames(8);
  EXPECT_FALSE(Widget("control_game_remove/remove_items/i1"));
  EXPECT_EQ(Counter(), "1");
  Click(320, 320);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "correct"}));
  Frames(8);
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"completed"}));
  EXPECT_TRUE(Widget("button_hint")->GetEnabled());
  EXPECT_FALSE(Report());  // the end scenario runs first
  Frames(12);
  EXPECT_EQ(ReportValue("minigame_skipped"), "no");
  EXPECT_EQ(ReportValue("minigame_bonus"), "30");
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), -100);
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), -80);
}

TEST_F(RemoveItemsGame, APictureOfAnotherRoomDrawsNoneOfThePlayersThings) {
  ShowMinigame("kitchen", "control_game_remove");
  EXPECT_EQ(Widget("control_game_remove/room_items")->GetWidgets()->GetCount(), 0);
  EXPECT_TRUE(Widget("control_game_remove/remove_items/k1"));
  EXPECT_EQ(Widget("control_game_remove/original_image")->GetProperty("resourcename"), Variant("img_kitchen"));
}

}  // namespace
}  // namespace kestrelle
