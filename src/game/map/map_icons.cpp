#include "game/map/map_icons.h"

namespace kestrelle {
namespace {

constexpr const char* kLevelLooks[] = {"locked", "current", "completed", "available"};
constexpr const char* kShopLooks[] = {"locked", "current", "completed"};

void ShowPath(TAbstractWidget& widget, const std::string& path, bool show) {
  if (WidgetRef child = widget.FindWidget(path)) child->SetVisible(show);
}

}  // namespace

const TPropertyTable& TKestrelleMapLevel::GetPropertyTable() const {
  using T = TKestrelleMapLevel;
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("map_level_state", &T::state_).SetWith(&T::SetState),
          Property("highlight", &T::highlight_).NotStored().SetWith(&T::SetHighlight),
          Property("award_time", &T::awardTime_).NotStored().SetWith(&T::SetAwardTime),
          Property("award_service", &T::awardService_).NotStored().SetWith(&T::SetAwardService),
      });
  return table;
}

void TKestrelleMapLevel::ShowChild(const std::string& name, bool show) { ShowPath(*this, name, show); }

void TKestrelleMapLevel::SetState(const std::string& state) {
  state_ = state;
  for (const char* look : kLevelLooks) {
    const std::string name = look;
    ShowChild(name, name == state || (name == "available" && state == "completed"));
  }
  Invalidate();
}

void TKestrelleMapLevel::SetHighlight(const std::string& highlight) {
  highlight_ = highlight;
  if (state_.empty()) return;
  if (WidgetRef child = FindWidget(state_)) child->SetProperty("highlight", Variant(highlight));
}

void TKestrelleMapLevel::SetAwardTime(const std::string& value) {
  awardTime_ = value;
  ShowChild("award_time", value == "yes");
}

void TKestrelleMapLevel::SetAwardService(const std::string& value) {
  awardService_ = value;
  ShowChild("award_service", value == "yes");
}

const TPropertyTable& TKestrelleIconShop::GetPropertyTable() const {
  using T = TKestrelleIconShop;
  static const TPropertyTable table(TVisualGroupWidget::GetPropertyTable(),
                                    {
                                        Property("icon_state", &T::state_).SetWith(&T::SetState),
                                        Property("highlight", &T::highlight_).NotStored().SetWith(&T::SetHighlight),
                                    });
  return table;
}

void TKestrelleIconShop::SetState(const std::string& state) {
  state_ = state;
  for (const char* look : kShopLooks) ShowPath(*this, look, state == look);
  Invalidate();
}

void TKestrelleIconShop::SetHighlight(const std::string& highlight) {
  highlight_ = highlight;
  if (!state_.empty()) ShowPath(*this, state_ + "/highlight", highlight == "yes");
}

}  // namespace kestrelle
