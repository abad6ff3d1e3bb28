// Yang on its minigame screen: tiles slide into the free cell one click at a time until the four
// quarter tiles meet in the middle; a second move still travelling when the picture is whole does
// not finish the minigame a second time.

#include "game/minigames/yang/yang_control.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board_minigame_game.h"

namespace kestrelle {
namespace {

using testing::BoardFactory;
using testing::BoardScenarioFactory;

std::string Tile(const std::string& factory, const std::string& type) {
  return BoardFactory(factory, R"(<widget type="rect_widget" name="%name%" visible="yes" anchor_left="%anchor_left%" )"
                               R"(anchor_top="%anchor_top%" width="100" height="100" )"
                               R"(extraparams="\type=)" +
                                   type + R"(\row=%row%\col=%col%\state=fixed"/>)");
}

class YangGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    Load({"KestrelleGameScreenGameYang", "KestrelleControlGameYang", "control_game_yang",
          R"(<minigame_def name="m" extraparams="start_x=0\start_y=0\cell_width=100\LevelName=Yang"/>)",
          BoardScenarioFactory("scenario_element_move", "scenario_element_move", "scenario_element_move_%name%", 20,
                               R"(element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" )"
                               R"(report_own_name="yes" final_state="fixed")") +
              BoardScenarioFactory("scenario_start_level", "scenario_yang_start_level", "scenario_start_level", 0) +
              BoardScenarioFactory("scenario_end_level", "scenario_yang_end_level", "scenario_end_level", 40) +
              Tile("yang_element", "plain") + Tile("yang_element_bottom_right", "bottom_right") +
              Tile("yang_element_bottom_left", "bottom_left") + Tile("yang_element_top_right", "top_right") +
              Tile("yang_element_top_left", "top_left"),
          R"(<widget type="group_widget" name="cells" visible="yes"/>)"});
  }
  std::shared_ptr<TKestrelleControlGameYang> Yang() {
    return std::dynamic_pointer_cast<TKestrelleControlGameYang>(Control());
  }
  void ClickCell(int row, int col) { Mouse(WM_LBUTTONDOWN, col * 100 + 50, row * 100 + 50); }
};

TEST_F(YangGame, SlidesUntilTheQuartersMeetAndASecondMoveInFlightDoesNotFinishAgain) {
  StartGame();
  EXPECT_EQ(Text(InControl("cells/0_0"), "type"), "bottom_right");
  EXPECT_FALSE(InControl("cells/2_2"));
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), 10);   // slid in from 800 to its "init_x"
  EXPECT_EQ(Widget("button_skip")->GetAnchorLeft(), 700);  // and the skip button from 1024 to its own

  // A tile away from the free cell only clicks.
  ClickCell(0, 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click"}));
  EXPECT_EQ(Text(InControl("cells/0_0"), "state"), "fixed");

  // The board changes when a move starts; the tile arrives later.
  ClickCell(3, 2);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"move", "click"}));
  EXPECT_EQ(Text(InControl("cells/3_2"), "state"), "moving");
  EXPECT_EQ(Text(InControl("cells/3_2"), "row"), "2");
  EXPECT_TRUE(Yang()->Board().IsOccupied({2, 2}));
  EXPECT_FALSE(Yang()->Board().IsOccupied({3, 2}));
  Frames(5);
  EXPECT_EQ(Text(InControl("cells/3_2"), "state"), "fixed");
  EXPECT_EQ(InControl("cells/3_2")->GetAnchorTop(), 200);

  // The rest of a shortest solution, each click on the cell next to the free one.
  const std::pair<int, int> clicks[] = {{3, 3}, {2, 3}, {1, 3}, {0, 3}, {0, 2}, {1, 2}, {1, 3}, {2, 3},
                                        {2, 2}, {3, 2}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1},
                                        {1, 1}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 1},
                                        {3, 1}, {3, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 2}, {2, 2}};
  for (const auto& [row, col] : clicks) {
    ClickCell(row, col);
    Frames(5);
  }
  EXPECT_EQ(Control()->GetState(), 2);
  Sounds();

  // The last quarter slides in, and a plain tile follows into the cell it leaves at once.
  ClickCell(3, 2);
  ClickCell(3, 1);
  EXPECT_TRUE(Yang()->Board().IsSolved());
  Frames(5);
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"move", "click", "move", "click", "completed"}));
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  EXPECT_FALSE(Shown("GS_MinigameCompleted"));

  PressButton("button_close");
  Frames(6);
  EXPECT_EQ(CompletedSkipped(), "no");
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), 800);
  EXPECT_EQ(Widget("button_skip")->GetAnchorLeft(), 1024);
}

}  // namespace
}  // namespace kestrelle
