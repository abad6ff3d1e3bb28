// Puzzle on its screen: the board laid out, pieces carried and put down (a piece 21 pixels from
// its place stays free on top of the placed ones, 20 pixels glides in), a placed piece never
// taken again, the end only after the last glide, the picture, the close button and the report.

#include "game/minigames/puzzle/puzzle_control.h"

#include <gtest/gtest.h>

#include <string>

#include "minigame_game.h"

namespace kestrelle {
namespace {

using testing::Factory;

const std::string kContent = R"(<minigame_defs><minigame_def name="puzzle"
    extraparams="minigame_bonus=25\start_text=Piece it\end_text=Pretty\resourcename=img_pic">
  <elements>
    <element name="p1" x="500" y="100" puzzle_x="100" puzzle_y="100" width="50" height="50"/>
    <element name="p2" x="500" y="300" puzzle_x="150" puzzle_y="100" width="50" height="50"/>
  </elements></minigame_def></minigame_defs>)";

const std::string kLook = "<widget type='rect_widget' width='%width%' height='%height%' name='";

const std::string kWidgets =
    R"(<widget type="rect_widget" name="button_close" width="90" height="40"/>
    <widget type="KestrellControlGamePuzzle" name="control_game_puzzle" width="800" height="600" visible="yes">
      <widgetfactories>)" +
    Factory("scenario_start_level",
            "<widget type='scenario_puzzle_start_level' name='scenario_start_level' visible='yes' duration='0'/>") +
    Factory("scenario_show_image",
            "<widget type='scenario_show_image' name='scenario_show_image' visible='yes' duration='30'/>") +
    Factory("scenario_end_level",
            "<widget type='scenario_puzzle_end_level' name='scenario_end_level' visible='yes' duration='30'/>") +
    Factory("scenario_moving",
            "<widget type='scenario_element_move' name='%name%' visible='yes' duration='50' "
            "element_name='%element_name%' final_x='%final_x%' final_y='%final_y%'/>") +
    Factory("puzzle_element",
            "<widget type='KestrellePuzzleElement' name='%name%' visible='yes' "
            "anchor_left='%anchor_left%' anchor_top='%anchor_top%' z='%z%'><widgets>" +
                kLook + "normal' visible='yes'/>" + kLook + "draging' visible='no'/>" + kLook +
                "placed' visible='no'/></widgets></widget>") +
    R"(</widgetfactories>
      <widgets>
        <widget type="rect_widget" name="puzzle_picture_under" width="800" height="600" extraparams="\resourcename="/>
        <widget type="group_widget" name="elements"/>
        <widget type="rect_widget" name="puzzle_picture" width="800" height="600" visible="yes"
            extraparams="\resourcename="/>
        <widget type="group_widget" name="fixed" visible="yes"><widgets>
          <widget type="rect_widget" name="frame" width="800" height="600"/></widgets></widget>
        <widget type="group_widget" name="scenario_group" visible="yes"/>
      </widgets></widget>)";

class PuzzleGame : public testing::MinigameGame {
 protected:
  void SetUp() override { StartGame(testing::MinigameGameXml(kContent, "KestrelleGameScreenGamePuzzle", kWidgets)); }
  std::shared_ptr<TKestrelleControlGamePuzzle> Control() {
    return std::dynamic_pointer_cast<TKestrelleControlGamePuzzle>(Widget("control_game_puzzle"));
  }
  WidgetRef Piece(const std::string& name) { return Widget("control_game_puzzle/elements/" + name); }
  std::string State(const std::string& name) { return Piece(name)->GetProperty("state").ToString(); }
  void Click(int32_t x, int32_t y) { Mouse("control_game_puzzle", WM_LBUTTONDOWN, x, y); }
  void MoveTo(int32_t x, int32_t y) { Mouse("control_game_puzzle", WM_MOUSEMOVE, x, y); }
};

TEST_F(PuzzleGame, PiecesGlideIntoPlaceAndThePictureEndsTheGame) {
  ShowMinigame("puzzle", "control_game_puzzle");
  EXPECT_EQ(Widget("control_game_puzzle/puzzle_picture")->GetProperty("resourcename"), Variant("img_pic"));
  EXPECT_FALSE(Widget("control_game_puzzle/puzzle_picture")->GetVisible());
  EXPECT_EQ(Widget("control_game_puzzle/puzzle_picture_under")->GetProperty("resourcename"), Variant("img_picUnder"));
  EXPECT_TRUE(Widget("control_game_puzzle/fixed/frame")->GetVisible());
  EXPECT_TRUE(Widget("control_game_puzzle/elements")->GetVisible());
  EXPECT_EQ(Piece("p2")->GetZ(), 3);

  // Picked up, carried and put down 21 pixels right of its place: it stays there, a free piece.
  Click(510, 110);
  EXPECT_EQ(State("p1"), "draging");
  EXPECT_TRUE(Widget("control_game_puzzle/elements/p1/draging")->GetVisible());
  EXPECT_FALSE(Widget("control_game_puzzle/elements/p1/normal")->GetVisible());
  EXPECT_EQ(Piece("p1")->GetZ(), 4);
  MoveTo(131, 110);
  Click(131, 110);
  EXPECT_EQ(State("p1"), "normal");
  EXPECT_EQ(Piece("p1")->GetAnchorLeft(), 121);
  EXPECT_EQ(Piece("p1")->GetZ(), 2);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));

  // 20 pixels: it glides into its place and lies under every free piece.
  Click(131, 110);
  MoveTo(130, 110);
  Click(130, 110);
  EXPECT_EQ(State("p1"), "placed");
  EXPECT_EQ(Piece("p1")->GetZ(), 1);
  ASSERT_TRUE(Widget("control_game_puzzle/scenario_group/p1"));
  // A placed piece is not taken again.
  Click(130, 110);
  EXPECT_FALSE(Control()->GetDragged());
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));
  Frames(2);

  // The last piece is dropped while the first still glides: the game waits for both glides.
  Click(510, 310);
  MoveTo(160, 110);
  Click(160, 110);
  EXPECT_EQ(State("p2"), "placed");
  Frames(4);
  EXPECT_EQ(Piece("p1")->GetAnchorLeft(), 100);
  EXPECT_EQ(Control()->GetState(), 2);
  Frames(3);
  EXPECT_EQ(Piece("p2")->GetAnchorLeft(), 150);
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click", "completed"}));

  // The whole picture fades in over the pieces, then the close button ends the game.
  EXPECT_FALSE(Widget("button_close")->GetVisible());
  Frames(5);
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  EXPECT_TRUE(Widget("control_game_puzzle/puzzle_picture")->GetVisible());
  EXPECT_EQ(Widget("control_game_puzzle/puzzle_picture")->GetTransparentLevel(), 255);
  EXPECT_FALSE(Widget("control_game_puzzle/elements")->GetVisible());
  EXPECT_FALSE(Report());
  Press("button_close");
  EXPECT_FALSE(Widget("button_close")->GetVisible());
  Frames(5);
  EXPECT_EQ(ReportValue("minigame_skipped"), "no");
  EXPECT_EQ(ReportValue("end_text"), "Pretty");
  EXPECT_EQ(Widget("control_game_puzzle/fixed/frame")->GetTransparentLevel(), 0);
  EXPECT_FALSE(Widget("control_game_puzzle/puzzle_picture_under")->GetVisible());
}

TEST_F(PuzzleGame, SkippingShowsThePictureAndWaitsForTheCloseButton) {
  ShowMinigame("puzzle", "control_game_puzzle");
  Click(510, 110);
  Press("button_skip");
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_FALSE(Control()->GetDragged());
  Frames(5);
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  EXPECT_FALSE(Report());
  Press("button_close");
  Frames(5);
  EXPECT_EQ(ReportValue("minigame_skipped"), "yes");
}

}  // namespace
}  // namespace kestrelle
