#pragma once
// "KestrelleOrderItem": one line of a client's order. Its "state" is "unsolved" until the player
// finds the item; "solved" strikes the description through with "line1" (one text line) or
// "line2" (a description laid out on two lines).

#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

inline constexpr const char* kOrderItemUnsolved = "unsolved";
inline constexpr const char* kOrderItemSolved = "solved";

class TOrderItem : public TVisualGroupWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetState() const { return state_; }
  void SetState(const std::string& state);

 private:
  void StrikeThrough();

  std::string state_;
  std::string itemId_;
};

}  // namespace kestrelle
