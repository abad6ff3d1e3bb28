#pragma once
// "KestrelleControlMiniGame": the small challenge a shop level opens when an order line needs a
// minigame. Command 20 from the level control ("client_type", "client_hearts", "order_id") picks
// one of its "items" at random as the wanted item, shows the order in "order" (factory
// "text_order" with "%order_<item_id>%" when its extra parameter "type" is "text",
// "image_order_<id>" with the item's picture when it is "image"), the client in "client"
// ("client_<client_type>" and "circle_<client_hearts>") and shows itself through its appearance effect. The first click on
// an item is judged: "scenario_minigame_completed" or "scenario_minigame_failed" plays in
// "scenario_group", and when it reports (or could not be started) the control sends command 21
// {"completed", "order_id"} to "control_game_main" and hides itself.
//
// "scenario_minigame_success" / "scenario_minigame_failed": ten "heart"s in a ring, then the
// child "smile"; they report their own name to the challenge when over.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/state_scenario.h"
#include "widgets/appearance_effect_widget.h"

namespace kestrelle {

class TKestrelleControlMiniGame : public TAppearanceEffectWdiget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void HandleEvent(int32_t code, const ParamsRef& params) override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;

  const std::string& GetOrderedItemId() const { return orderedItemId_; }
  const std::string& GetOrderId() const { return orderId_; }
  bool GetAnswered() const { return answered_; }

 private:
  void StartOrder(const ParamsRef& params);
  void Judge(const WidgetRef& item);
  void Report(bool completed);
  // The element's own value, or else its extra parameter of that name.
  std::string OwnText(const std::string& value, const std::string& name);

  std::string id_;
  std::string orderedItemId_;
  std::string orderId_;
  bool answered_ = false;
  std::weak_ptr<IWidget> levelControl_;
  std::weak_ptr<IWidget> scenarioGroup_, client_, items_, order_;
};

class TScenarioMinigameResult : public TControlStateScenario {
 protected:
  // The hearts and the smile; the scenario lasts T: the last heart's "animationtime" + 700.
  void ShowEffect(bool failed);
  TState::CheckDoneHook Waited(const int32_t& wait) {
    return [this, &wait](TState&) { return GetStateTime() >= wait; };
  }

  int32_t total_ = 0;
};

class TScenarioMinigameSuccess : public TScenarioMinigameResult {
 public:
  void Initialize() override;

 private:
  int32_t effectWait_ = 0;
  int32_t smileWait_ = 0;
};

class TScenarioMinigameFailed : public TScenarioMinigameResult {
 public:
  void Initialize() override;
};

}  // namespace kestrelle
