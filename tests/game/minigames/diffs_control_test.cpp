// Find the Differences on its screen: a whole game of seven patches found on either picture and
// through the mirrored pointer, a patch clicked twice counted once, the counter and the hint, the
// second cursor, the end and the report; and skipping.

#include "game/minigames/diffs/diffs_control.h"

#include <gtest/gtest.h>

#include <string>

#include "minigame_game.h"

namespace kestrelle {
namespace {

using testing::Factory;

std::string Picture(const std::string& name, int initX) {
  return R"(<widget type="group_widget" name=")" + name + R"(" visible="yes" extraparams="\init_x=)" +
         std::to_string(initX) + R"(\init_y=100\middle_x=200"><widgets>
           <widget type="rect_widget" name="original_image" width="380" height="300" visible="yes"
               extraparams="\resourcename="/>
           <widget type="group_widget" name="diffs" visible="yes"/></widgets></widget>)";
}

// Seven patches of 30 × 30: d1..d3 on the left picture, d4..d7 on the right one.
const std::string kContent = R"(<minigame_defs><minigame_def name="diffs"
    extraparams="minigame_bonus=40\minigame_person=cook\start_text=Look\end_text=Well done\diffs_cnt=7\resourcename=img_room\LevelName=Kitchen">
  <diffs>
    <diff name="d1" groupname="group1" x="20" y="20" width="30" height="30"/>
    <diff name="d2" groupname="group1" x="100" y="20" width="30" height="30"/>
    <diff name="d3" groupname="group1" x="200" y="200" width="30" height="30"/>
    <diff name="d4" groupname="group2" x="20" y="100" width="30" height="30"/>
    <diff name="d5" groupname="group2" x="100" y="100" width="30" height="30"/>
    <diff name="d6" groupname="group2" x="300" y="20" width="30" height="30"/>
    <diff name="d7" groupname="group2" x="300" y="250" width="30" height="30"/>
  </diffs></minigame_def></minigame_defs>)";

const std::string kWidgets =
    R"(<widget type="Control" name="button_hint" width="60" height="40" enabled="yes"/>
    <widget type="KestrelleControlGameDiffs" name="control_game_diffs" width="800" height="600" visible="yes">
      <widgetfactories>)" +
    Factory("scenario_start_level",
            "<widget type='scenario_diffs_start_level' name='scenario_start_level' visible='yes' duration='0'/>") +
    Factory("scenario_end_level",
            "<widget type='scenario_diffs_end_level' name='scenario_end_level' visible='yes' duration='50'/>") +
    Factory("scenario_find_diff",
            "<widget type='scenario_find_diff' name='%name%' visible='yes' duration='50' diff_name='%diff_name%'/>") +
    Factory("diff_image",
            "<widget type='rect_widget' name='%name%' visible='yes' mousestop='yes' anchor_left='%anchor_left%' "
            "anchor_top='%anchor_top%' width='%width%' height='%height%'/>") +
    R"(</widgetfactories>
      <widgets>)" +
    Picture("group1", 0) + Picture("group2", 400) + R"(
        <widget type="rect_widget" name="second_cursor" width="10" height="10"/>
        <widget type="rect_widget" name="timer" width="10" height="10"/>
        <widget type="group_widget" name="scenario_group" visible="yes"/>
      </widgets></widget>)";

class DiffsGame : public testing::MinigameGame {
 protected:
  void SetUp() override { StartGame(testing::MinigameGameXml(kContent, "KestrelleGameScreenGameDiffs", kWidgets)); }
  std::shared_ptr<TKestrelleControlGameDiffs> Control() {
    return std::dynamic_pointer_cast<TKestrelleControlGameDiffs>(Widget("control_game_diffs"));
  }
  // A press at a screen point.
  void Click(int32_t x, int32_t y) { Mouse("control_game_diffs", WM_LBUTTONDOWN, x, y); }
  std::string Counter() { return Widget("panel/counter")->GetProperty("text").ToString(); }
  WidgetRef Patch(const std::string& path) { return Widget("control_game_diffs/" + path); }
};

TEST_F(DiffsGame, SevenPatchesFoundOnEitherPicture) {
  ParamsRef params = CreateParams();
  params->SetValue("Minigame", Variant("diffs"));
  ASSERT_TRUE(game_->ShowScreen("GS_MiniGame_test", params));
  // The screen puts the hint button and both pictures in their starting places.
  EXPECT_EQ(Widget("button_hint")->GetAnchorLeft(), 800);
  EXPECT_EQ(Patch("group2")->GetAnchorLeft(), 400);
  EXPECT_EQ(Patch("group2")->GetAnchorTop(), 600);
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), -100);
  game_->CloseScreen(Screen("GS_MiniGame_test"), nullptr);
  Frames(2);
  // A hint button with a place of its own ("init_x") is put there instead.
  Widget("button_hint")->SetExtraParam("init_x", Variant("330"));
  ShowMinigame("diffs", "control_game_diffs");
  EXPECT_EQ(Widget("button_hint")->GetAnchorLeft(), 330);
  EXPECT_EQ(Patch("group1")->GetAnchorTop(), 100);
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), 10);
  EXPECT_EQ(Patch("group2/original_image")->GetProperty("resourcename"), Variant("img_room"));
  ASSERT_TRUE(Patch("group2/diffs/d7"));
  EXPECT_FALSE(Patch("group1/diffs/d7"));
  EXPECT_EQ(Counter(), "7");

  // On the patch itself (d4 of the right picture), twice in quick succession: counted once.
  Click(435, 215);
  Click(435, 215);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "correct"}));
  Frames(8);
  EXPECT_EQ(Control()->GetFound(), 1);
  EXPECT_EQ(Counter(), "6");
  EXPECT_FALSE(Patch("group2/diffs/d4"));

  // The same spot of the other picture finds the patch through the mirror, both ways.
  Click(115, 215);  // mirrors onto d5 of the right picture
  Click(615, 315);  // mirrors onto d3 of the left picture
  Click(250, 380);  // nothing there on either picture
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "correct", "click"}));
  Frames(8);
  EXPECT_FALSE(Patch("group2/diffs/d5"));
  EXPECT_FALSE(Patch("group1/diffs/d3"));
  EXPECT_EQ(Counter(), "4");

  // The second cursor follows the mirrored pointer; the top 10 pixels of a picture never mirror.
  engine_->cursor = {50, 105};
  Frames(1);
  EXPECT_FALSE(Widget("control_game_diffs/second_cursor")->GetVisible());
  engine_->cursor = {50, 110};
  Frames(1);
  EXPECT_TRUE(Widget("control_game_diffs/second_cursor")->GetVisible());
  EXPECT_EQ(Widget("control_game_diffs/second_cursor")->GetAnchorLeft(), 450);

  // The hint draws among the 4 left (d1, d2, d6, d7 in that order) and flashes the third.
  {
    testing::ScriptedRandom random({2});
    Press("button_hint");
    EXPECT_EQ(random.used(), 1);
  }
  EXPECT_EQ(Patch("group2/diffs/d6")->GetProperty("currenttime").ToInt(), 0);
  EXPECT_GT(Patch("group1/diffs/d1")->GetProperty("currenttime").ToInt(), 0);
  EXPECT_FALSE(Widget("button_hint")->GetEnabled());

  for (const TPoint point : {TPoint{35, 135}, TPoint{115, 135}, TPoint{715, 135}, TPoint{715, 365}}) {
    Click(point.x, point.y);
    Frames(8);
  }
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "correct", "correct", "correct", "completed"}));
  EXPECT_TRUE(Widget("button_hint")->GetEnabled());
  EXPECT_EQ(Counter(), "0");
  Frames(10);
  EXPECT_EQ(ReportValue("minigame_skipped"), "no");
  EXPECT_EQ(ReportValue("minigame_bonus"), "40");
  EXPECT_EQ(ReportValue("end_text"), "Well done");
  EXPECT_EQ(Widget("button_skip")->GetAnchorLeft(), 1024);
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), -80);
  EXPECT_EQ(Patch("group1")->GetAnchorLeft(), 200);
  EXPECT_EQ(Patch("group1")->GetAnchorTop(), -300);
}

TEST_F(DiffsGame, SkippingPlaysTheEndLikeAWin) {
  ShowMinigame("diffs", "control_game_diffs");
  Click(435, 215);
  Press("button_skip");
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "completed"}));
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_FALSE(Report());
  Frames(10);
  EXPECT_EQ(ReportValue("minigame_skipped"), "yes");
  // Clicks do nothing any more.
  Click(35, 135);
  EXPECT_TRUE(Sounds().empty());
}

}  // namespace
}  // namespace kestrelle
