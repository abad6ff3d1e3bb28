#pragma once
// Shared pieces of the control tests: registration of the controls, the fixture font in the fake
// engine, a fake game that records the screens it is asked to show and close.

#include <memory>
#include <string>
#include <vector>

#include "app/game_screen_interface.h"
#include "controls/controls_registration.h"
#include "data/class_registry.h"
#include "support/widget_harness.h"
#include "widgets/fixture_font.h"
#include "widgets/memory_resources.h"

namespace kestrelle::testing {

// The 12 px fixture font as the engine's resource "font12".
inline void AddFixtureFont(FakeEngine& engine) {
  auto font = std::make_shared<test::MemoryFont>();
  font->font = test::LoadFixtureFont();
  ASSERT_TRUE(font->font) << "fixture font missing";
  engine.AddResource("font12", font);
}

class FakeGame : public TAbstractObject, public virtual IGameScreenOwner {
 public:
  EngineRef engine;
  std::vector<std::string> shown;  // "name|KEY=value|..."
  std::vector<GameScreenRef> closed;

  void SetOption(const std::string&, const std::string&) override {}
  void SetSetting(const std::string&, const Variant&) override {}
  Variant GetSetting(const std::string&) override { return Null{}; }
  EngineRef GetEngine() override { return engine; }
  GameScreenOwnerRef GetGameOwner() override { return SelfAs<IGameScreenOwner>(); }
  bool ShowScreen(const std::string& name, const ParamsRef& params) override {
    std::string entry = name;
    for (int i = 0; params && i < params->GetCount(); ++i) {
      ParamRef p = params->GetParam(Variant(i));
      entry += "|" + p->GetName() + "=" + p->GetValue().ToString();
    }
    shown.push_back(entry);
    return true;
  }
  bool CloseScreen(const GameScreenRef& screen, const ParamsRef&) override {
    closed.push_back(screen);
    return true;
  }
  GameScreenCollectionRef GetScreens() override { return nullptr; }
  std::shared_ptr<IHighScores> GetHighScores() override { return nullptr; }
  std::shared_ptr<IUserProfileCollection> GetProfiles() override { return nullptr; }
  std::shared_ptr<ILevelRecords> GetLevelRecords() override { return nullptr; }
  std::shared_ptr<ICursorCollection> GetCursors() override { return nullptr; }
  void ShowMainScreen() override {}
};

// "code:sender" of every event the screen received, in order.
inline std::vector<std::string> EventLog(const HarnessScreen& screen) {
  std::vector<std::string> out;
  for (const auto& e : screen.events) out.push_back(std::to_string(e.code) + ":" + e.sender);
  return out;
}

}  // namespace kestrelle::testing
