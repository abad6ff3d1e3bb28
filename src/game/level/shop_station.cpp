#include "game/level/shop_station.h"

#include "data/property_table.h"
#include "game/level/client_arrival.h"

namespace kestrelle {

const TPropertyTable& TShopStation::GetPropertyTable() const {
  static const TPropertyTable table(TVisualGroupWidget::GetPropertyTable(),
                                    {
                                        Property("state", &TShopStation::state_, std::string(kStationEmpty)),
                                        Property("station_id", &TShopStation::stationId_),
                                    });
  return table;
}

void TShopStation::Initialize() {
  TVisualGroupWidget::Initialize();
  client_ = nullptr;
  bonus_ = nullptr;
  bonusTime_ = 0;
  level_.reset();
}

void TShopStation::SetOwner(const WidgetOwnerRef& owner) {
  TVisualGroupWidget::SetOwner(owner);
  // The stations live in a group ("shop_stations") of the level control.
  level_.reset();
  if (auto group = std::dynamic_pointer_cast<IWidget>(owner)) {
    if (auto level = std::dynamic_pointer_cast<IControlGameMain>(group->GetOwner())) level_ = level;
  }
}

bool TShopStation::LevelPlaying() {
  ControlGameMainRef level = level_.lock();
  return level && level->GetProperty("state").ToInt() == kLevelStatePlaying;
}

void TShopStation::DoUpdate(int32_t elapsedMs) {
  TVisualGroupWidget::DoUpdate(elapsedMs);
  if (client_ && LevelPlaying()) {
    client_->UpdatePatience(elapsedMs);
    if (client_ && client_->GetProperty("client_patience").ToDouble() < 0) {
      if (ControlGameMainRef level = level_.lock()) level->ClientLeft(SelfAs<IShopStation>());
    }
  }
  if (bonus_ && LevelPlaying()) {
    bonusTime_ -= elapsedMs / 1000.0;
    if (bonusTime_ < 0) RemoveBonus();
  }
}

void TShopStation::Hold(const WidgetRef& widget) {
  if (!widget) return;
  if (widgets_->Add(widget)) widget->SetOwner(SelfAs<IWidgetOwner>());
  Invalidate();
}

void TShopStation::Release(const WidgetRef& widget) {
  // Only the departing widget goes: the layout's children (the "contour") stay clickable.
  if (widget) widget->SetDead(true);
  state_ = kStationEmpty;
  SetCurrentTime(static_cast<int32_t>(-kStationClosingMs));
  Invalidate();
}

void TShopStation::SetClient(const ShopClientRef& client) {
  client_ = client;
  Hold(client);
  state_ = kStationBusy;
}

ShopClientRef TShopStation::RemoveClient() {
  ShopClientRef client = std::move(client_);
  client_ = nullptr;
  Release(client);
  return client;
}

void TShopStation::SetBonus(const WidgetRef& bonus, double seconds) {
  bonus_ = bonus;
  bonusTime_ = seconds;
  Hold(bonus);
  state_ = kStationBonus;
}

WidgetRef TShopStation::RemoveBonus() {
  WidgetRef bonus = std::move(bonus_);
  bonus_ = nullptr;
  bonusTime_ = 0;
  Release(bonus);
  return bonus;
}

bool TShopStation::HitTest(const TPoint& point) {
  WidgetRef contour = FindWidget("contour");
  if (!contour) return false;
  const TPoint local{point.x - static_cast<int32_t>(GetAnchorLeft()), point.y - static_cast<int32_t>(GetAnchorTop())};
  return contour->ContainsPoint(local, true);
}

}  // namespace kestrelle
