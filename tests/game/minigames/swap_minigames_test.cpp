// Square and Hurdle on their minigame screens: two clicks swap two pieces, both travel with their
// own move scenario, the board is judged as the moves arrive, and the close button leads through
// the end scenario to the report.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_minigame_game.h"
#include "game/minigames/hurdle/hurdle_control.h"
#include "game/minigames/square/square_control.h"

namespace kestrelle {
namespace {

using testing::BoardFactory;
using testing::BoardScenarioFactory;

// Moves last 100 ms; each one is a scenario of its own, named after the piece.
std::string MoveAndFrameFactories() {
  return BoardScenarioFactory("scenario_element_move", "scenario_element_move", "scenario_element_move_%name%", 100,
                              R"(element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" )"
                              R"(report_own_name="yes" final_state="fixed")") +
         BoardScenarioFactory("scenario_start_level", "scenario_hurdle_start_level", "scenario_start_level", 0) +
         BoardScenarioFactory("scenario_end_level", "scenario_hurdle_end_level", "scenario_end_level", 50);
}

class SquareGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    Load(
        {"KestrelleGameScreenGameSquare", "KestrelleControlGameSquare", "control_game_square",
         R"(<minigame_def name="m" extraparams="start_x=100\start_y=100\cell_width=100\LevelName=Magic\minigame_bonus=30">)"
         R"(</minigame_def>)",
         MoveAndFrameFactories() +
             BoardFactory(
                 "square_element",
                 R"(<widget type="rect_widget" name="%name%" visible="yes" anchor_left="%anchor_left%" )"
                 R"(anchor_top="%anchor_top%" width="90" height="90" )"
                 R"(extraparams="\digit=%digit%\row=%row%\col=%col%\on=0\state=fixed\resourcename=%resourcename%"/>)"),
         R"(<widget type="group_widget" name="cells" visible="yes"/>)"});
  }
  std::shared_ptr<TKestrelleControlGameSquare> Square() {
    return std::dynamic_pointer_cast<TKestrelleControlGameSquare>(Control());
  }
  WidgetRef Tile(int digit) { return InControl("cells/" + std::to_string(digit)); }
  void ClickTile(int digit) {
    Mouse(WM_LBUTTONDOWN, static_cast<int>(Tile(digit)->GetAnchorLeft()) + 45,
          static_cast<int>(Tile(digit)->GetAnchorTop()) + 45);
  }
};

TEST_F(SquareGame, SwapsUntilEveryRowAndColumnAddsUpTo15) {
  StartGame();
  EXPECT_EQ(Tile(9)->GetAnchorLeft(), 300);
  EXPECT_EQ(Tile(9)->GetAnchorTop(), 300);
  EXPECT_EQ(Text(Tile(9), "resourcename"), "img_Square9");

  // Clicking the selected tile again only deselects it.
  ClickTile(1);
  EXPECT_EQ(Text(Tile(1), "on"), "-1");
  ClickTile(1);
  EXPECT_EQ(Text(Tile(1), "on"), "0");
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));

  // A swap: rows and columns change at once, both tiles travel and stay "moving" until both report.
  ClickTile(1);
  ClickTile(2);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "move", "click"}));
  EXPECT_EQ(Text(Tile(1), "col"), "1");
  EXPECT_EQ(Text(Tile(2), "col"), "0");
  EXPECT_EQ(Text(Tile(1), "on"), "0");
  Frames(5);
  EXPECT_EQ(Text(Tile(1), "state"), "moving");
  EXPECT_EQ(Text(Tile(2), "state"), "moving");
  // Each move in flight under a name of its own.
  EXPECT_TRUE(InControl("scenario_group/scenario_element_move_1"));
  EXPECT_TRUE(InControl("scenario_group/scenario_element_move_2"));
  ClickTile(2);  // a moving tile does not react
  EXPECT_TRUE(Sounds().empty());
  EXPECT_EQ(Square()->Grid()[0][0], 1);
  Frames(10);
  EXPECT_EQ(Text(Tile(1), "state"), "fixed");
  EXPECT_EQ(Text(Tile(2), "state"), "fixed");
  EXPECT_EQ(Tile(1)->GetAnchorLeft(), 200);
  EXPECT_EQ(Tile(2)->GetAnchorLeft(), 100);
  EXPECT_EQ(Square()->Grid()[0], (std::array<int32_t, 3>{2, 1, 3}));
  EXPECT_EQ(InControl("scenario_group")->GetWidgets()->GetCount(), 0);

  // The rest of the way to 2 7 6 / 9 5 1 / 4 3 8.
  const std::pair<int, int> swaps[] = {{1, 7}, {3, 6}, {4, 9}, {3, 1}, {3, 4}, {8, 3}};
  for (const auto& [a, b] : swaps) {
    EXPECT_EQ(Control()->GetState(), 2);
    ClickTile(a);
    ClickTile(b);
    Frames(12);
  }
  EXPECT_EQ(Square()->Grid(), (SquareGrid{{{2, 7, 6}, {9, 5, 1}, {4, 3, 8}}}));
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  const std::vector<std::string> sounds = Sounds();
  EXPECT_EQ(sounds.back(), "completed");
  EXPECT_FALSE(Shown("GS_MinigameCompleted"));

  // The close button starts the end scenario; its report opens the completion screen.
  PressButton("button_close");
  EXPECT_FALSE(Widget("button_close")->GetVisible());
  Frames(10);
  EXPECT_EQ(CompletedSkipped(), "no");
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), -100);
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), -80);
}

class HurdleGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    Load({"KestrelleGameScreenGameHurdle", "KestrelleControlGameHurdle", "control_game_hurdle",
          R"(<minigame_def name="m" extraparams="LevelName=Flowers"><objects>
               <object name="a" resourcename="img_a" init_place="p1" width="60" height="80"/>
               <object name="b" resourcename="img_b" init_place="p2" width="60" height="80"/>
               <object name="c" resourcename="img_c" init_place="p3" width="60" height="80"/></objects>
             <places><place name="p1" x="100" y="100" goal="b"/><place name="p2" x="300" y="100" goal="c"/>
               <place name="p3" x="500" y="100" goal="a"/></places></minigame_def>)",
          MoveAndFrameFactories() +
              BoardFactory("flower", R"(<widget type="rect_widget" name="%name%" visible="yes" width="%width%" )"
                                     R"(height="%height%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" )"
                                     R"(extraparams="\place=%place%\state=fixed\on=0\centerx=%centerx%"/>)"),
          R"(<widget type="group_widget" name="cells" visible="yes"/>)"});
  }
  WidgetRef Picture(const std::string& name) { return InControl("cells/" + name); }
  void ClickPicture(const std::string& name) {
    Mouse(WM_LBUTTONDOWN, static_cast<int>(Picture(name)->GetAnchorLeft()) + 30,
          static_cast<int>(Picture(name)->GetAnchorTop()) + 40);
  }
};

TEST_F(HurdleGame, SwappedPicturesExchangePlacesUntilEachStandsOnItsGoal) {
  StartGame();
  EXPECT_EQ(Picture("c")->GetAnchorLeft(), 500);
  EXPECT_EQ(Text(Picture("c"), "centerx"), "30");
  // The start scenario slid the frame in to the buttons' own places.
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), 10);
  EXPECT_EQ(Widget("button_skip")->GetAnchorLeft(), 700);
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), 0);

  ClickPicture("a");
  ClickPicture("b");
  EXPECT_EQ(Text(Picture("a"), "place"), "p2");
  EXPECT_EQ(Text(Picture("b"), "place"), "p1");
  Frames(12);
  EXPECT_EQ(Picture("a")->GetAnchorLeft(), 300);
  EXPECT_EQ(Picture("b")->GetAnchorLeft(), 100);
  EXPECT_EQ(Control()->GetState(), 2);  // "a" stands on the place meant for "c"

  ClickPicture("a");
  ClickPicture("c");
  Frames(12);
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  PressButton("button_close");
  Frames(10);
  EXPECT_EQ(CompletedSkipped(), "no");
}

TEST_F(HurdleGame, SkippingWhilePlayingGoesThroughTheCloseButton) {
  StartGame();
  PressButton("button_skip");
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"completed"}));
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  ClickPicture("a");  // the board no longer plays
  EXPECT_TRUE(Sounds().empty());
  PressButton("button_close");
  Frames(10);
  EXPECT_EQ(CompletedSkipped(), "yes");
}

}  // namespace
}  // namespace kestrelle
