#pragma once
// A real game over a small game definition with one current player, for the level's screens and
// the widgets that read and save the player's profile.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/game.h"
#include "data/hier_storage.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {

class LevelGameFixture : public ::testing::Test {
 protected:
  // `screens`: the "gamescreen" elements of the game definition.
  void StartGame(const std::string& screens) {
    EnsureGameClassesRegistered();
    engine_ = std::make_shared<FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(
        LoadStorageFromString(R"(<game type="Game" name="g"><gamescreens>)" + screens + "</gamescreens></game>"));
    game_->StartGame(engine_);
    game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");
  }
  void TearDown() override {
    if (game_) game_->EndGame();
  }
  void Frames() {
    for (int i = 0; i < 3; ++i) {
      game_->Update(10);
      game_->AfterUpdate();  // the dirty pass, which lets the widgets update again
    }
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& screen, const std::string& path) {
    return Screen(screen)->GetWindowInterface()->FindWidget(path);
  }
  // A control of the screen reports an event (a click is code 1).
  void Event(const std::string& screen, const std::string& sender, int32_t code) {
    std::dynamic_pointer_cast<IEventHandler>(Screen(screen))->HandleWidgetEvent(Widget(screen, sender), code, nullptr);
    Frames();
  }
  ParamsRef Profile() { return game_->GetProfiles()->GetCurrent()->GetParams(); }
  std::string ProfileText(const std::string& key) { return Profile()->GetValue(key, Variant("(none)")).ToString(); }
  void SetProfile(const std::string& key, const std::string& value) { Profile()->SetValue(key, Variant(value)); }

  ScopedUserFolder userFolder_{"level-screens"};  // first: removed after everything else
  std::shared_ptr<FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

}  // namespace kestrelle::testing
