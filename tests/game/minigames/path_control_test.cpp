// Path on its minigame screen: the board made from the definition and random draws, pieces turned
// by clicks until the run from the top-left cell leaves the bottom-right cell downwards; the lamp
// lights and the pieces off the run are hidden.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_minigame_game.h"
#include "data/variant_values.h"

namespace kestrelle {
namespace {

using testing::BoardFactory;
using testing::BoardScenarioFactory;

std::string PieceFactory(const std::string& type) {
  const std::string look = R"( width="100" height="100" extraparams="\angle=%angle%"/>)";
  return BoardFactory(
      "path_element_" + type,
      R"(<widget type="KestrellePathElement" name="%row%_%col%" visible="yes" anchor_left="%anchor_left%" )"
      R"(anchor_top="%anchor_top%" extraparams="\path_type=)" +
          type + R"("><widgets><widget type="rect_widget" name="normal" visible="yes")" + look +
          R"(<widget type="rect_widget" name="correct")" + look +
          R"(<widget type="rect_widget" name="contour" width="100" height="100"/></widgets></widget>)");
}

class PathGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    // The flow enters the top-left cell moving right and must leave the bottom-right one downwards.
    Load(
        {"KestrelleGameScreenGamePath", "KestrelleControlGamePath", "control_game_path",
         R"(<minigame_def name="m" extraparams="rows=2\cols=2\start_x=100\start_y=100\width=100\height=100\first_out=1\path_out=-2\LevelName=Pipes">
               <paths><path name="0_0" path_type="line"/><path name="0_1" path_type="turn"/>
                 <path name="1_1" path_type="line"/></paths></minigame_def>)",
         BoardScenarioFactory("scenario_start_level", "scenario_path_start_level", "scenario_start_level", 0) +
             BoardScenarioFactory("scenario_end_level", "scenario_path_end_level", "scenario_end_level", 40) +
             PieceFactory("line") + PieceFactory("turn"),
         R"(<widget type="group_widget" name="cells" visible="yes"/>
             <widget type="group_widget" name="fixed" visible="yes"><widgets>
               <widget type="rect_widget" name="lamp" visible="yes" extraparams="\on=-1\off=0"/>
               <widget type="group_widget" name="timer" visible="yes"/></widgets></widget>)"});
  }
  WidgetRef Piece(const std::string& cell) { return InControl("cells/" + cell); }
  bool Lamp(const char* look) {
    bool lit = false;
    return VariantToBool(InControl("fixed/lamp")->GetProperty(look), lit) && lit;
  }
  void ClickCell(int row, int col) { Mouse(WM_LBUTTONUP, 150 + col * 100, 150 + row * 100); }
};

TEST_F(PathGame, TurnedPiecesCompleteTheRunAndThePiecesOffItHide) {
  {
    // (0,1) at 270 degrees; (1,0), without a definition, at 180 and a turn. The corners draw nothing.
    testing::ScriptedRandom random({3, 2, 1});
    StartGame();
    EXPECT_EQ(random.used(), 3);
  }
  EXPECT_EQ(Text(Piece("0_0"), "angle"), "90");
  EXPECT_EQ(Text(Piece("1_1"), "angle"), "90");
  EXPECT_EQ(Text(Piece("0_1"), "angle"), "270");
  EXPECT_EQ(Text(Piece("1_0"), "angle"), "180");
  EXPECT_EQ(Text(Piece("1_0"), "path_type"), "turn");
  EXPECT_TRUE(Lamp("off"));
  EXPECT_FALSE(InControl("fixed/timer")->GetPaused());
  for (const char* cell : {"0_0", "0_1", "1_0", "1_1"}) EXPECT_EQ(Text(Piece(cell), "state"), "normal") << cell;

  // A quarter turn of (0,1) gives it the ends left and down; the top-left line still stands upright.
  ClickCell(0, 1);
  EXPECT_EQ(Text(Piece("0_1"), "angle"), "0");
  EXPECT_TRUE(InControl("cells/0_1/normal")->GetVisible());
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click"}));
  EXPECT_EQ(Control()->GetState(), 2);

  // Turning the top-left line completes the run: left to right, down, and out at the bottom.
  ClickCell(0, 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "completed"}));
  EXPECT_EQ(Control()->GetState(), 0);
  for (const char* cell : {"0_0", "0_1", "1_1"}) {
    EXPECT_EQ(Text(Piece(cell), "state"), "correct") << cell;
    EXPECT_TRUE(Piece(cell)->GetVisible()) << cell;
    EXPECT_TRUE(InControl(std::string("cells/") + cell + "/correct")->GetVisible()) << cell;
  }
  EXPECT_FALSE(Piece("1_0")->GetVisible());
  EXPECT_TRUE(Lamp("on"));
  EXPECT_FALSE(Lamp("off"));
  EXPECT_TRUE(Widget("button_close")->GetVisible());

  // The board no longer turns; the close button leads through the end scenario to the report.
  ClickCell(1, 0);
  EXPECT_TRUE(Sounds().empty());
  PressButton("button_close");
  Frames(6);
  EXPECT_FALSE(InControl("fixed")->GetVisible());
  EXPECT_EQ(CompletedSkipped(), "no");
}

}  // namespace
}  // namespace kestrelle
