#pragma once
// A small game around one minigame screen for the control tests: the main screen publishing one
// minigame definition as "minigame_defs", the minigame screen with the frame's buttons, the help
// and completion screens. Widget factories are written as plain XML and escaped here.

#include <memory>
#include <string>

#include "data/xml_escape.h"
#include "game/minigames/minigame_control.h"
#include "minigame_test_game.h"
#include "platform/messages.h"

namespace kestrelle::testing {

inline std::string BoardFactory(const std::string& name, const std::string& widget) {
  return R"(<widgetfactory name=")" + name + R"(" widgetstring=")" + EscapeXmlAttribute(widget) + R"("/>)";
}

// A scenario of class `type` named `name`, lasting `duration` per timed state.
inline std::string BoardScenarioFactory(const std::string& factory, const std::string& type, const std::string& name,
                                        int duration, const std::string& more = "") {
  return BoardFactory(factory, R"(<widget type=")" + type + R"(" name=")" + name + R"(" visible="yes" duration=")" +
                                   std::to_string(duration) + "\" " + more + "/>");
}

struct BoardGameData {
  std::string screenType;   // the registered minigame screen
  std::string controlType;  // the registered control
  std::string controlName;  // its fixed name on the screen
  std::string definition;   // the <minigame_def name="m" ...> element
  std::string factories;    // the control's widget factories
  std::string children;     // the control's children besides "scenario_group"
  bool closeButton = true;  // the screen has "button_close"
};

class BoardMinigameGame : public MinigameTestGame {
 protected:
  BoardMinigameGame() : MinigameTestGame("board-minigames", "GS_MiniGame_m") {}

  void Load(const BoardGameData& data) {
    controlName_ = data.controlName;
    const std::string xml =
        R"(<game type="Game" name="g" splashlogosgs="GS_Base"><gamescreens>
  <gamescreen type="harness_screen" name="GS_Base"><window/></gamescreen>
  <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/><minigame_defs>)" +
        data.definition + R"(</minigame_defs></gamescreen>
  <gamescreen type=")" +
        data.screenType + R"(" name="GS_MiniGame_m"><window>
    <sounds>
      <sound name="sound_minigame_click" resourcename="click"/>
      <sound name="sound_minigame_move" resourcename="move"/>
      <sound name="sound_minigame_correct_click" resourcename="correct"/>
      <sound name="sound_minigame_completed" resourcename="completed"/>
    </sounds>
    <widgets>
      <widget type="rect_widget" name="bg" width="800" height="600"/>
      <widget type="rect_widget" name="button_menu" width="100" height="40" extraparams="\init_x=10"/>
      <widget type="Control" name="button_skip" width="90" height="40" enabled="yes" extraparams="\init_x=700"/>
      <widget type="rect_widget" name="panel" width="800" height="80"/>)" +
        (data.closeButton ? R"(<widget type="rect_widget" name="button_close" width="90" height="40"/>)" : "") +
        R"(<widget type="rect_widget" name="frame_black" width="800" height="600"/>
      <widget type=")" +
        data.controlType + R"(" name=")" + data.controlName + R"(" width="800" height="600" visible="yes">
        <widgetfactories>)" +
        data.factories + R"(</widgetfactories>
        <widgets>)" +
        data.children + R"(<widget type="group_widget" name="scenario_group" visible="yes"/></widgets>
      </widget>
    </widgets></window></gamescreen>
  <gamescreen type="KestrelleGameScreenMinigameHelp" name="GS_MinigameHelp"><window><widgets>
    <widget type="text_widget" name="text_GameHelp"/></widgets></window></gamescreen>
  <gamescreen type="KestrelleGameScreenMinigameCompleted" name="GS_MinigameCompleted"><window/></gamescreen>
</gamescreens></game>)";
    RunGame(xml);
  }

  WidgetRef InControl(const std::string& path) { return Widget(controlName_ + "/" + path); }
  std::shared_ptr<TKestrelleMinigameControl> Control() {
    return std::dynamic_pointer_cast<TKestrelleMinigameControl>(Widget(controlName_));
  }
  std::string Text(const WidgetRef& widget, const std::string& property) {
    return widget->GetProperty(property).ToString();
  }
  void Mouse(uint32_t message, int x, int y) { Control()->MouseEvent(message, TPoint{x, y}, 0); }
  // Shown with "Minigame" = "m", past the start scenario, the help closed again.
  void StartGame(int startFrames = 5) {
    ParamsRef params = CreateParams();
    params->SetValue("Minigame", Variant("m"));
    ASSERT_TRUE(game_->ShowScreen("GS_MiniGame_m", params));
    EXPECT_EQ(Control()->GetState(), 1);
    Frames(startFrames);
    ASSERT_EQ(Control()->GetState(), 2);
    ASSERT_TRUE(Shown("GS_MinigameHelp"));
    game_->CloseScreen(Screen("GS_MinigameHelp"), nullptr);
    Frames(1);
    engine_->playedSounds.clear();
  }
  void PressButton(const std::string& name) {
    std::dynamic_pointer_cast<IEventHandler>(Screen("GS_MiniGame_m"))->HandleWidgetEvent(Widget(name), 1, nullptr);
  }
  // The report that opened the completion screen: "minigame_skipped" of it, empty without one.
  std::string CompletedSkipped() {
    if (!Shown("GS_MinigameCompleted")) return {};
    auto completed = std::dynamic_pointer_cast<TGameScreen>(Screen("GS_MinigameCompleted"));
    return completed->GetParams()->GetValue("minigame_skipped", Variant()).ToString();
  }

  std::string controlName_;
};

}  // namespace kestrelle::testing
