#pragma once
// The common part of the small games the minigame control tests drive: the game started from its
// XML on a fake engine, frames of 10 ms, the screens by name, the widgets of the minigame screen
// under test and the sounds played.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/game_screen.h"
#include "data/hier_storage.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {

class MinigameTestGame : public ::testing::Test {
 protected:
  // `folder` names the user folder of the run; `screen` is the minigame screen's name.
  MinigameTestGame(const std::string& folder, std::string screen) : userFolder_(folder), screen_(std::move(screen)) {}

  void TearDown() override {
    if (game_) game_->EndGame();
  }

  // The game of `xml` started, five frames on.
  void RunGame(const std::string& xml) {
    EnsureGameClassesRegistered();
    engine_ = std::make_shared<FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(xml));
    game_->StartGame(engine_);
    Frames(5);
  }

  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      game_->Update(10);
      game_->AfterUpdate();
    }
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  bool Shown(const std::string& name) { return Screen(name)->IsShown(); }
  // A widget of the minigame screen's window.
  WidgetRef Widget(const std::string& path) { return Screen(screen_)->GetWindowInterface()->FindWidget(path); }
  // The sounds played since the last call, by resource name.
  std::vector<std::string> Sounds() {
    std::vector<std::string> names;
    for (const std::string& played : engine_->playedSounds) names.push_back(played.substr(0, played.find('@')));
    engine_->playedSounds.clear();
    return names;
  }

  ScopedUserFolder userFolder_;
  std::string screen_;
  std::shared_ptr<FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

}  // namespace kestrelle::testing
