#pragma once
// "KestrelleGameScreenMain": the game's main menu. It greets the current player by name and, when
// nobody plays yet, asks for a name before anything else; the new name becomes the current player.
// Its buttons lead to the story or the town map, and to the close query. It owns the shop content
// (loaded from its own element) and publishes it as game settings while it has an owner.

#include <string>

#include "app/game_screen.h"
#include "game/content/shop_content.h"

namespace kestrelle {

class TKestrelleGameScreenMain : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"welcome_message"};

  void LoadProperties(const StorageRef& storage) override;
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void OnShowing(const ParamsRef& params) override;
  void OnShown(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

  // The shop content loaded from the screen's element.
  const TShopContent& Content() const { return content_; }

 private:
  // "welcome_message" greets the current player; nothing without one.
  void ShowWelcome();

  TShopContent content_;
};

}  // namespace kestrelle
