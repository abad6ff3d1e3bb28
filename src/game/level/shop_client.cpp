#include "game/level/shop_client.h"

#include "data/params.h"
#include "data/property_table.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data/variant_values.h"
#include "game/level/order_item.h"

namespace kestrelle {

namespace {

bool Is(const std::string& a, const char* b) { return EqualsIgnoreAsciiCase(a, b); }

}  // namespace

const TPropertyTable& TShopClient::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("state", &TShopClient::state_, std::string(kClientIdle)).SetWith(&TShopClient::SetState),
          Property("client_order", &TShopClient::order_),
      });
  return table;
}

void TShopClient::Initialize() {
  TVisualGroupWidget::Initialize();
  patience_ = PatienceModel();
}

Variant TShopClient::GetProperty(const std::string& name) {
  if (Is(name, "client_hearts")) return Variant(patience_.Hearts());
  if (Is(name, "client_patience")) return Variant(patience_.Patience());
  if (Is(name, "patience_rate")) return Variant(patience_.Rate());
  if (Is(name, "ice_bonus")) return Variant(patience_.IceTime());
  return TVisualGroupWidget::GetProperty(name);
}

void TShopClient::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  double d = 0;
  if (Is(name, "client_hearts")) {
    if (VariantToInt(value, i)) SetHearts(i);
  } else if (Is(name, "client_patience")) {
    if (VariantToReal(value, d)) SetPatience(d);
  } else if (Is(name, "patience_rate")) {
    if (VariantToInt(value, i)) patience_.SetRate(i);
  } else if (Is(name, "ice_bonus")) {
    if (VariantToReal(value, d)) SetIce(d);
  } else {
    TVisualGroupWidget::SetProperty(name, value);
  }
}

void TShopClient::SetState(const std::string& state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

std::vector<std::pair<std::string, std::string>> TShopClient::OrderLines() const {
  const std::vector<KeyValue> pairs = SplitKeyValues(order_, '\\', '=');
  std::vector<std::pair<std::string, std::string>> lines;
  for (size_t i = 0; i + 1 < pairs.size(); i += 2) lines.emplace_back(pairs[i].second, pairs[i + 1].second);
  return lines;
}

std::string TShopClient::GetOrderItemIds(bool onlyUnsolved) {
  std::string ids;
  for (const auto& [id, description] : OrderLines()) {
    if (onlyUnsolved) {
      WidgetRef item = FindOrderItem(id);
      if (item && item->GetProperty("state").ToString() == kOrderItemSolved) continue;
    }
    ids += id + ";";
  }
  return ids;
}

WidgetRef TShopClient::FindOrderItem(const std::string& itemId) {
  WidgetRef order = FindWidget("order");
  WidgetCollectionRef lines = order ? order->GetWidgets() : nullptr;
  if (!lines) return nullptr;
  for (int i = 0; i < lines->GetCount(); ++i) {
    WidgetRef line = lines->GetByIndex(i);
    if (line && line->GetProperty("item_id").ToString() == itemId) return line;
  }
  return nullptr;
}

void TShopClient::SolveItem(const std::string& itemId) {
  WidgetRef item = FindOrderItem(itemId);
  if (!item) return;
  item->SetProperty("state", Variant(kOrderItemSolved));
  WidgetRef order = FindWidget("order");
  WidgetCollectionRef lines = order ? order->GetWidgets() : nullptr;
  if (lines) {
    for (int i = 0; i < lines->GetCount(); ++i) {
      WidgetRef line = lines->GetByIndex(i);
      if (line && line->GetProperty("state").ToString() == kOrderItemUnsolved) return;
    }
  }
  ShowChild("money", true);
  ShowChild("order", false);
  SetState(kClientMoney);
}

void TShopClient::InitOrder(int64_t /*levelNumber*/, int32_t /*mode*/) {
  WidgetRef order = FindWidget("order");
  WidgetCollectionRef lines = order ? order->GetWidgets() : nullptr;
  const auto orderLines = OrderLines();
  for (size_t h = 0; h < orderLines.size() && lines; ++h) {
    ParamsRef params = CreateParams();
    params->SetValue("name", std::to_string(h + 1));
    params->SetValue("anchor_top", static_cast<int64_t>(20 * h));
    params->SetValue("item_id", orderLines[h].first);
    params->SetValue("text", orderLines[h].second);
    if (WidgetRef line = CreateWidget("order_description", params)) {
      if (lines->Add(line)) line->SetOwner(std::dynamic_pointer_cast<IWidgetOwner>(order));
    }
  }
  WidgetRef pad = FindWidget("client_pad");
  WidgetCollectionRef figures = pad ? pad->GetWidgets() : nullptr;
  if (figures) {
    ParamsRef params = CreateParams();
    if (WidgetRef figure = CreateWidget("client_" + GetProperty("client_type").ToString(), params)) {
      if (figures->Add(figure)) figure->SetOwner(std::dynamic_pointer_cast<IWidgetOwner>(pad));
    }
  }
  RefreshMood();
}

void TShopClient::Activate() {
  ShowChild("order", true);
  ShowChild("order_icon", false);
  SetState(kClientActive);
}

void TShopClient::Deactivate() {
  ShowChild("order", false);
  ShowChild("order_icon", true);
  SetState(kClientIdle);
}

void TShopClient::UpdatePatience(int32_t elapsedMs) {
  const bool wasFrozen = patience_.IsFrozen();
  ShowHeartChange(patience_.Update(elapsedMs));
  if (wasFrozen) {
    if (!patience_.IsFrozen()) RefreshFreeze();
    return;
  }
  RefreshShaking();
}

void TShopClient::SetHearts(int64_t hearts) {
  ShowHeartChange(patience_.SetHearts(hearts));
  RefreshMood();
}

void TShopClient::SetPatience(double seconds) {
  ShowHeartChange(patience_.SetPatience(seconds));
  RefreshShaking();
}

void TShopClient::SetIce(double seconds) {
  patience_.SetIce(seconds);
  RefreshFreeze();
}

void TShopClient::ShowHeartChange(const HeartChange& change) {
  if (change.kind == HeartChange::Kind::kNone) return;
  const double left = GetAnchorLeft();
  const double top = GetAnchorTop();
  AddLabel("add_heart", change.name, change.label, left + 110, top + 55);
  if (change.kind == HeartChange::Kind::kGain) {
    AddLabel("heart", change.name, {}, left + 120, top + 40);
    PlaySound("sound_add_heart", false, 0, 0);
  } else {
    AddLabel("heart_off", change.name, {}, left + 70, top + 30);
    PlaySound("sound_broken_heart", false, 0, 0);
  }
  RefreshMood();
}

void TShopClient::AddLabel(const std::string& factory, const std::string& name, const std::string& text, double left,
                           double top) {
  if (widgets_->GetByName(name)) return;
  ParamsRef params = CreateParams();
  params->SetValue("name", name);
  if (!text.empty()) params->SetValue("text", text);
  params->SetValue("anchor_left", left);
  params->SetValue("anchor_top", top);
  WidgetRef label = CreateWidget(factory, params);
  if (label && widgets_->Add(label)) label->SetOwner(SelfAs<IWidgetOwner>());
}

void TShopClient::RefreshMood() {
  const int64_t hearts = patience_.Hearts();
  if (WidgetRef images = FindWidget("patience")) {
    if (WidgetCollectionRef list = images->GetWidgets()) {
      for (int n = 0; n < list->GetCount(); ++n)
        if (WidgetRef heart = list->GetByIndex(n)) heart->SetVisible(n < hearts);
    }
  }
  const ClientMood mood = patience_.Mood();
  ShowChild("client_pad/pad_sad", mood == ClientMood::kSad);
  ShowChild("client_pad/pad_normal", mood == ClientMood::kNormal);
  ShowChild("client_pad/pad_happy", mood == ClientMood::kHappy);
  if (WidgetRef cost = FindWidget("cost"))
    cost->SetProperty("text", Variant("$" + GetProperty(patience_.CostKey()).ToString()));
}

void TShopClient::RefreshShaking() {
  const int64_t shaking = patience_.ShakingHeart();
  for (int64_t n = 0; n < patience_.Hearts(); ++n) {
    if (WidgetRef heart = FindWidget("patience/heart_" + std::to_string(n)))
      heart->SetProperty("shake", Variant(int64_t{n == shaking ? -1 : 0}));
  }
}

void TShopClient::RefreshFreeze() {
  const bool frozen = patience_.IsFrozen();
  if (WidgetRef images = FindWidget("patience")) {
    if (WidgetCollectionRef list = images->GetWidgets()) {
      for (int n = 0; n < list->GetCount(); ++n)
        if (WidgetRef heart = list->GetByIndex(n))
          heart->SetProperty("resourcename", Variant(frozen ? "img_GameClientHeartIce" : "img_GameClientHeart"));
    }
  }
  ShowChild("frame_froze", frozen);
}

void TShopClient::ShowChild(const std::string& path, bool visible) {
  if (WidgetRef child = FindWidget(path)) child->SetVisible(visible);
}

}  // namespace kestrelle
