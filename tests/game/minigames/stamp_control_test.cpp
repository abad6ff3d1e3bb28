// Stamp on its minigame screen: pieces picked up with their group, carried and put down; a
// neighbour within 10 px of its place joins with its group, and the chain a–b–c ends as one group
// that shows the whole picture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_minigame_game.h"
#include "game/minigames/stamp/stamp_rules.h"

namespace kestrelle {
namespace {

using testing::BoardFactory;
using testing::BoardScenarioFactory;

class StampGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    // In the picture a, b and c lie side by side, 100 px apart.
    Load(
        {"KestrelleGameScreenGameStamp", "KestrelleControlGameStamp", "control_game_stamp",
         R"(<minigame_def name="m" extraparams="resourcename=img_whole"><elements>
               <element name="a" x="100" y="100" width="100" height="100" neigbours="b" stamp_x="0" stamp_y="0"/>
               <element name="b" x="400" y="100" width="100" height="100" neigbours="a,c" stamp_x="100" stamp_y="0"/>
               <element name="c" x="400" y="400" width="100" height="100" neigbours="b" stamp_x="200" stamp_y="0"/>
             </elements></minigame_def>)",
         BoardScenarioFactory("scenario_moving", "scenario_stamp_element_move", "move_%name%", 100,
                              R"(element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" )"
                              R"(move1="%move1%" move2="%move2%")") +
             BoardScenarioFactory("scenario_stamp_show_image", "scenario_stamp_show_image", "scenario_show_image", 40) +
             BoardScenarioFactory("scenario_start_level", "scenario_stamp_start_level", "scenario_start_level", 0) +
             BoardScenarioFactory("scenario_end_level", "scenario_stamp_end_level", "scenario_end_level", 40) +
             BoardFactory(
                 "stamp_element",
                 R"(<widget type="KestrelleStampElement" name="%name%" visible="yes" anchor_left="%anchor_left%" )"
                 R"(anchor_top="%anchor_top%" z="%z%" extraparams="\state=normal\neigbours=%neigbours%\links=%links%">)"
                 R"(<widgets><widget type="rect_widget" name="normal" visible="yes" width="%width%" height="%height%"/>)"
                 R"(<widget type="rect_widget" name="placed" width="%width%" height="%height%"/></widgets></widget>)"),
         R"(<widget type="rect_widget" name="stamp_picture" visible="yes" extraparams="\resourcename="/>
             <widget type="group_widget" name="elements" visible="yes" anchor_left="20"/>
             <widget type="group_widget" name="fixed"><widgets><widget type="rect_widget" name="frame"/></widgets></widget>)"});
  }
  WidgetRef Piece(const std::string& name) { return InControl("elements/" + name); }
  std::string Links(const std::string& name) { return NormalizeLinks(Text(Piece(name), "links")); }
  // Picks the piece up at its middle, carries it so that its anchor ends at (x, y), puts it down.
  void Carry(const std::string& name, int x, int y) {
    const int grabX = static_cast<int>(Piece(name)->GetAnchorLeft()) + 50;
    const int grabY = static_cast<int>(Piece(name)->GetAnchorTop()) + 50;
    Mouse(WM_LBUTTONDOWN, grabX, grabY);
    Mouse(WM_MOUSEMOVE, x + 50, y + 50);
    Mouse(WM_LBUTTONDOWN, x + 50, y + 50);
  }
};

TEST_F(StampGame, NeighboursJoinWithinTenPixelsAndTheChainBecomesOneGroup) {
  StartGame();
  // The screen prepared the picture and the board before the control started.
  EXPECT_EQ(Text(InControl("stamp_picture"), "resourcename"), "img_whole");
  EXPECT_FALSE(InControl("stamp_picture")->GetVisible());
  EXPECT_EQ(InControl("elements")->GetAnchorLeft(), 0);
  EXPECT_TRUE(InControl("fixed/frame")->GetVisible());
  EXPECT_TRUE(InControl("elements")->GetVisible());
  EXPECT_EQ(Piece("c")->GetZ(), 4);

  // Picked up, a piece rises to z = pieces + 2 and follows the mouse.
  Mouse(WM_LBUTTONDOWN, 150, 150);
  EXPECT_EQ(Piece("a")->GetZ(), 5);
  Mouse(WM_MOUSEMOVE, 356, 158);
  EXPECT_EQ(Piece("a")->GetAnchorLeft(), 306);
  EXPECT_EQ(Piece("a")->GetAnchorTop(), 108);
  // 6 px right of and 8 px below its place beside b: exactly 10 px, no join.
  Mouse(WM_LBUTTONDOWN, 356, 158);
  EXPECT_EQ(Piece("a")->GetZ(), 3);
  EXPECT_EQ(InControl("scenario_group")->GetWidgets()->GetCount(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));

  // 6 and 7: b, the neighbour, slides to a; a stays where it was put.
  Carry("a", 306, 107);
  EXPECT_EQ(Text(Piece("b"), "state"), "moving");
  ASSERT_TRUE(InControl("scenario_group/move_b"));
  Frames(12);
  EXPECT_EQ(Piece("a")->GetAnchorLeft(), 306);
  EXPECT_EQ(Piece("b")->GetAnchorLeft(), 406);
  EXPECT_EQ(Piece("b")->GetAnchorTop(), 107);
  EXPECT_EQ(Text(Piece("b"), "state"), "normal");
  EXPECT_EQ(Links("a"), "a,b,");
  EXPECT_EQ(Links("b"), "b,a,");
  EXPECT_EQ(Control()->GetState(), 2);

  // Picking up any piece of a group lifts the whole group; putting it down lowers it to z = pieces.
  Mouse(WM_LBUTTONDOWN, 450, 150);
  EXPECT_EQ(Piece("a")->GetZ(), 5);
  EXPECT_EQ(Piece("b")->GetZ(), 5);
  Mouse(WM_MOUSEMOVE, 460, 160);
  EXPECT_EQ(Piece("a")->GetAnchorLeft(), 316);  // the group moves as one
  Mouse(WM_LBUTTONDOWN, 450, 150);
  EXPECT_EQ(Piece("a")->GetZ(), 3);
  EXPECT_EQ(Piece("b")->GetZ(), 3);

  // c put down near b: the group a+b slides to c, and all three share one list of names.
  Carry("c", 520, 120);
  Frames(12);
  EXPECT_EQ(Piece("c")->GetAnchorLeft(), 520);
  EXPECT_EQ(Piece("b")->GetAnchorLeft(), 420);
  EXPECT_EQ(Piece("b")->GetAnchorTop(), 120);
  EXPECT_EQ(Piece("a")->GetAnchorLeft(), 320);
  EXPECT_EQ(Piece("a")->GetAnchorTop(), 120);
  for (const char* name : {"a", "b", "c"}) EXPECT_EQ(LinkNames(Links(name)).size(), 3u) << name;

  // One group: the whole picture fades in over the pieces, then the close button shows.
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds().back(), "completed");
  Frames(6);
  EXPECT_FALSE(InControl("elements")->GetVisible());
  EXPECT_TRUE(InControl("stamp_picture")->GetVisible());
  EXPECT_EQ(InControl("stamp_picture")->GetTransparentLevel(), 255);
  EXPECT_TRUE(Widget("button_close")->GetVisible());

  PressButton("button_close");
  Frames(6);
  EXPECT_EQ(InControl("stamp_picture")->GetTransparentLevel(), 0);
  EXPECT_EQ(CompletedSkipped(), "no");
}

}  // namespace
}  // namespace kestrelle
