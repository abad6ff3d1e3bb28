#pragma once
// A small game for the minigame control tests: a base screen, "GS_Main" publishing the content
// given, one minigame screen, the help and the completion screens. The test drives it frame by
// frame, presses the screen's buttons and reads the sounds played.

#include <string>

#include "minigame_test_game.h"
#include "platform/messages.h"

namespace kestrelle::testing {

// A factory "name" making a widget of the given XML (a single element, written with ' quotes).
inline std::string Factory(const std::string& name, std::string widget) {
  std::string escaped;
  for (char c : widget) {
    if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '\'')
      escaped += "&quot;";
    else
      escaped += c;
  }
  return R"(<widgetfactory name=")" + name + R"(" widgetstring=")" + escaped + R"("/>)";
}

// The game XML around a minigame screen "GS_MiniGame_test" of `screenType` whose window holds
// `widgets`; "GS_Main" publishes `content` (the minigame definition list and others).
inline std::string MinigameGameXml(const std::string& content, const std::string& screenType,
                                   const std::string& widgets) {
  return R"(<game type="Game" name="g" splashlogosgs="GS_Base">
  <gamescreens>
    <gamescreen type="harness_screen" name="GS_Base"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>)" +
         content + R"(</gamescreen>
    <gamescreen type=")" +
         screenType + R"(" name="GS_MiniGame_test"><window>
      <sounds>
        <sound name="sound_minigame_click" resourcename="click"/>
        <sound name="sound_minigame_correct_click" resourcename="correct"/>
        <sound name="sound_minigame_completed" resourcename="completed"/>
      </sounds>
      <widgets>
        <widget type="rect_widget" name="button_menu" width="100" height="40" extraparams="\init_x=10"/>
        <widget type="rect_widget" name="button_skip" width="90" height="40" enabled="yes" extraparams="\init_x=700"/>
        <widget type="group_widget" name="panel" visible="yes"><widgets>
          <widget type="rect_widget" name="bar" width="800" height="80" visible="yes"/>
          <widget type="text_widget" name="counter"/></widgets></widget>)" +
         widgets + R"(
      </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameHelp" name="GS_MinigameHelp"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameCompleted" name="GS_MinigameCompleted"><window/></gamescreen>
  </gamescreens>
</game>)";
}

class MinigameGame : public MinigameTestGame {
 protected:
  MinigameGame() : MinigameTestGame("minigame-game", "GS_MiniGame_test") {}

  void StartGame(const std::string& xml) { RunGame(xml); }
  // The minigame screen is shown for `minigame`; the start scenario runs and the help that follows
  // it is closed.
  void ShowMinigame(const std::string& minigame, const std::string& control) {
    ParamsRef params = CreateParams();
    params->SetValue("Minigame", Variant(minigame));
    ASSERT_TRUE(game_->ShowScreen("GS_MiniGame_test", params));
    Frames(3);
    ASSERT_TRUE(Shown("GS_MinigameHelp")) << "the help follows the start scenario";
    game_->CloseScreen(Screen("GS_MinigameHelp"), nullptr);
    Frames(1);
    ASSERT_EQ(Widget(control)->GetProperty("state").ToInt(), 2);
    engine_->playedSounds.clear();
  }
  void Press(const std::string& button) {
    std::dynamic_pointer_cast<IEventHandler>(Screen("GS_MiniGame_test"))->HandleWidgetEvent(Widget(button), 1, nullptr);
  }
  void Mouse(const std::string& control, uint32_t message, int32_t x, int32_t y) {
    engine_->cursor = {x, y};
    Widget(control)->MouseEvent(message, TPoint{x, y}, 0);
  }
  // The parameters the completion screen was shown with; none while it is not shown.
  ParamsRef Report() {
    if (!Shown("GS_MinigameCompleted")) return nullptr;
    return std::dynamic_pointer_cast<TGameScreen>(Screen("GS_MinigameCompleted"))->GetParams();
  }
  std::string ReportValue(const std::string& name) {
    ParamsRef report = Report();
    return report ? report->GetValue(name, Variant()).ToString() : std::string("(no report)");
  }
};

}  // namespace kestrelle::testing
