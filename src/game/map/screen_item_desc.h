#pragma once
// "KestrelleGameScreenItemDesc": one item an action needs, shown with "item_id". "desc" describes
// it ("%item_desc_" + id + "%"). For an item bought with money, "button_buy" shows, enabled while
// the item is still to be bought and the money owned pays its "cost", and "warning" shows when
// the money does not reach; an earned item shows neither. "button_buy" pays for the item
// ("sound_buy_item"); "button_close" closes.

#include <string>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenItemDesc : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"desc"};

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  const std::string& GetItemId() const { return itemId_; }

 private:
  void Refresh();

  std::string itemId_;
};

}  // namespace kestrelle
