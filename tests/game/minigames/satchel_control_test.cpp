// Satchel on its screen: a 2 × 2 satchel packed with two two-cell pieces. The cell a dropped
// piece glides to (within 50 pixels, only where the whole shape fits), a gliding piece left
// alone, a placed piece freeing its cells when taken, the reset, the win at the last drop with
// the close button, and skipping.

#include "game/minigames/satchel/satchel_control.h"

#include <gtest/gtest.h>

#include <string>

#include "minigame_game.h"

namespace kestrelle {
namespace {

using testing::Factory;

// Cells of 50 × 50 from (100, 100).
const std::string kContent = R"(<minigame_defs><minigame_def name="satchel"
    extraparams="minigame_bonus=60\end_text=Packed\rows=2\cols=2\width=50\height=50\init_x=100\init_y=100\LevelName=Trip">
  <satchels>
    <satchel name="a" x="500" y="100" structure="\row=2" width="100" height="50"/>
    <satchel name="b" x="500" y="300" structure="\row=2" width="100" height="50"/>
  </satchels></minigame_def></minigame_defs>)";

const std::string kLook = "<widget type='rect_widget' width='%width%' height='%height%' name='";

const std::string kWidgets =
    R"(<widget type="rect_widget" name="button_close" width="90" height="40"/>
    <widget type="rect_widget" name="button_reset" width="70" height="40"/>
    <widget type="KestrelleControlGameSatchel" name="control_game_satchel" width="800" height="600" visible="yes">
      <widgetfactories>)" +
    Factory("scenario_start_level",
            "<widget type='scenario_satchel_start_level' name='scenario_start_level' visible='yes' duration='0'>"
            "<widgets><widget type='surface_widget' name='internal'/></widgets></widget>") +
    Factory("scenario_end_level",
            "<widget type='scenario_satchel_end_level' name='scenario_end_level' visible='yes' duration='30'>"
            "<widgets><widget type='surface_widget' name='internal'/></widgets></widget>") +
    Factory("scenario_moving",
            "<widget type='scenario_element_move' name='moving_%name%' visible='yes' duration='50' "
            "element_name='%element_name%' final_x='%final_x%' final_y='%final_y%'/>") +
    Factory("scenario_reset_element",
            "<widget type='scenario_reset_element' name='reset_%name%' visible='yes' duration='50' "
            "element_name='%element_name%' final_x='%final_x%' final_y='%final_y%'/>") +
    Factory("satchel_element",
            "<widget type='KestrelleSatchelElement' name='%name%' visible='no' "
            "anchor_left='%anchor_left%' anchor_top='%anchor_top%' z='%z%' "
            "structure='%structure%'><widgets>" +
                kLook + "normal' visible='yes'/>" + kLook + "draging' visible='no'/>" + kLook +
                "placed' visible='no'/></widgets></widget>") +
    R"(</widgetfactories>
      <widgets>
        <widget type="group_widget" name="fixed" visible="yes"><widgets>
          <widget type="rect_widget" name="bag" anchor_left="100" anchor_top="100" width="100" height="100" visible="yes"/>
        </widgets></widget>
        <widget type="rect_widget" name="timer" width="10" height="10"/>
        <widget type="group_widget" name="elements" visible="yes"/>
        <widget type="group_widget" name="scenario_group" visible="yes"/>
      </widgets></widget>)";

class SatchelGame : public testing::MinigameGame {
 protected:
  void SetUp() override {
    StartGame(testing::MinigameGameXml(kContent, "KestrelleGameScreenGameSatchel", kWidgets));
    testing::ScriptedRandom delays({0, 150});  // each piece's appearance delay
    ShowMinigame("satchel", "control_game_satchel");
  }
  std::shared_ptr<TKestrelleControlGameSatchel> Control() {
    return std::dynamic_pointer_cast<TKestrelleControlGameSatchel>(Widget("control_game_satchel"));
  }
  WidgetRef Piece(const std::string& name) { return Widget("control_game_satchel/elements/" + name); }
  std::string State(const std::string& name) { return Piece(name)->GetProperty("state").ToString(); }
  void Click(int32_t x, int32_t y) { Mouse("control_game_satchel", WM_LBUTTONDOWN, x, y); }
  // Picks the piece up at (x, y) and drops it with its anchor at (left, top); the pick-up point
  // lies 10 pixels right of and below the anchor.
  void Carry(int32_t x, int32_t y, int32_t left, int32_t top) {
    Click(x, y);
    Mouse("control_game_satchel", WM_MOUSEMOVE, left + 10, top + 10);
    Click(left + 10, top + 10);
  }
  bool Occupied(int32_t row, int32_t col) { return Control()->Grid().IsOccupied({row, col}); }
  // Piece "a" lies free on its starting place.
  void ExpectAHome() {
    EXPECT_EQ(State("a"), "normal");
    EXPECT_EQ(Piece("a")->GetAnchorLeft(), 500);
    EXPECT_EQ(Piece("a")->GetAnchorTop(), 100);
  }
};

TEST_F(SatchelGame, PiecesFitGlideFreeAndReset) {
  EXPECT_TRUE(Piece("a")->GetVisible());
  EXPECT_LT(Piece("b")->GetProperty("currenttime").ToInt(), 0);  // it appears later
  EXPECT_TRUE(Widget("control_game_satchel/fixed")->GetVisible());
  EXPECT_EQ(Widget("button_reset")->GetAnchorLeft(), -70);

  // 51 pixels right of cell (0, 0), next to cell (0, 1) where its second cell would stick out: free.
  Carry(510, 110, 151, 100);
  EXPECT_EQ(State("a"), "normal");
  EXPECT_FALSE(Occupied(0, 0));
  // 49 pixels: it glides into cell (0, 0) and occupies both cells of its row.
  Carry(161, 110, 149, 100);
  EXPECT_EQ(State("a"), "placed");
  EXPECT_EQ(Piece("a")->GetZ(), 1);
  EXPECT_TRUE(Occupied(0, 0));
  EXPECT_TRUE(Occupied(0, 1));
  EXPECT_FALSE(Occupied(1, 0));
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click", "click", "click"}));

  // While it glides it is not taken again.
  Click(155, 105);
  EXPECT_FALSE(Control()->GetDragged());
  Frames(7);
  EXPECT_EQ(Piece("a")->GetAnchorLeft(), 100);

  // Taken from the satchel, it frees its cells at once; put down on the second row.
  Click(110, 110);
  EXPECT_EQ(State("a"), "draging");
  EXPECT_FALSE(Occupied(0, 0));
  Mouse("control_game_satchel", WM_MOUSEMOVE, 110, 160);
  Click(110, 160);
  EXPECT_TRUE(Occupied(1, 1));
  EXPECT_FALSE(Occupied(0, 1));
  Frames(7);

  // The reset sends every piece home and frees every cell; gliding home, a piece is not taken.
  Press("button_reset");
  EXPECT_FALSE(Occupied(1, 0));
  EXPECT_EQ(State("a"), "moving");
  Click(105, 155);
  EXPECT_FALSE(Control()->GetDragged());
  Frames(7);
  ExpectAHome();

  // Packed: the win comes with the last drop, before its glide is over; closing ends the game.
  Sounds();
  Carry(510, 110, 100, 100);
  Frames(7);
  Carry(510, 310, 100, 150);
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click", "click", "click", "completed"}));
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  Press("button_close");
  Frames(10);
  EXPECT_EQ(ReportValue("minigame_skipped"), "no");
  EXPECT_EQ(ReportValue("end_text"), "Packed");
  EXPECT_FALSE(Widget("control_game_satchel/fixed")->GetVisible());
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), -80);
}

// The glide into the satchel and the way home are two moves of one piece with names of their own:
// a reset in the middle of a glide stops the glide, and the piece goes home and stays free.
TEST_F(SatchelGame, AResetDuringAGlideSendsThePieceHomeForGood) {
  Carry(510, 110, 140, 110);
  ASSERT_EQ(State("a"), "placed");
  Frames(2);
  Press("button_reset");
  EXPECT_FALSE(Occupied(0, 0));
  Frames(4);  // the glide would have arrived by now
  EXPECT_EQ(State("a"), "moving");
  Click(505, 105);
  EXPECT_FALSE(Control()->GetDragged());
  Frames(4);
  ExpectAHome();
  EXPECT_FALSE(Occupied(0, 0));
}

TEST_F(SatchelGame, SkippingShowsTheCloseButtonLikeAWin) {
  Press("button_skip");
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_TRUE(Widget("button_close")->GetVisible());
  Press("button_close");
  Frames(10);
  EXPECT_EQ(ReportValue("minigame_skipped"), "yes");
}

}  // namespace
}  // namespace kestrelle
