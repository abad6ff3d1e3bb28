#include "game/minigames/minigame_challenge.h"

#include <cmath>

#include "controls/control_widget.h"
#include "data/random.h"
#include "data/variant_values.h"
#include "game/level/level_codes.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/widget_children.h"
#include "platform/messages.h"

namespace kestrelle {

namespace {

std::string Text(const ParamsRef& params, const std::string& name) {
  return params ? params->GetValue(name, Variant(std::string())).ToString() : std::string();
}

// A group's child of that name, or failing that the first of that name up the owner chain.
WidgetRef FindUpwards(const WidgetOwnerRef& start, const std::string& name) {
  WidgetOwnerRef owner = start;
  for (int step = 0; owner && step < 64; ++step) {
    if (owner->GetName() == name)
      if (auto widget = std::dynamic_pointer_cast<IWidget>(owner)) return widget;
    if (WidgetRef found = owner->FindWidget(name)) return found;
    auto widget = std::dynamic_pointer_cast<IWidget>(owner);
    owner = widget ? widget->GetOwner() : nullptr;
  }
  return nullptr;
}

}  // namespace

void TKestrelleControlMiniGame::Initialize() {
  TAppearanceEffectWdiget::Initialize();
  orderedItemId_.clear();
  orderId_.clear();
  answered_ = false;
}

const TPropertyTable& TKestrelleControlMiniGame::GetPropertyTable() const {
  using T = TKestrelleControlMiniGame;
  static const TPropertyTable table(TAppearanceEffectWdiget::GetPropertyTable(),
                                    {
                                        Property("id", &T::id_).SavedIfNotDefault(),
                                    });
  return table;
}

void TKestrelleControlMiniGame::SetOwner(const WidgetOwnerRef& owner) {
  TAppearanceEffectWdiget::SetOwner(owner);
  levelControl_ = FindUpwards(owner, "control_game_main");
  scenarioGroup_ = FindWidget("scenario_group");
  client_ = FindWidget("client");
  items_ = FindWidget("items");
  order_ = FindWidget("order");
}

void TKestrelleControlMiniGame::ClearOwner() {
  levelControl_.reset();
  TAppearanceEffectWdiget::ClearOwner();
}

std::string TKestrelleControlMiniGame::OwnText(const std::string& value, const std::string& name) {
  if (!value.empty() || !GetExtraParams()) return value;
  return GetExtraParams()->GetValue(name, Variant(std::string())).ToString();
}

void TKestrelleControlMiniGame::HandleEvent(int32_t code, const ParamsRef& params) {
  TAppearanceEffectWdiget::HandleEvent(code, params);
  if (code == level_codes::kStartMinigame) {
    StartOrder(params);
  } else if (code == minigame_codes::kScenarioFinished) {
    const std::string scenario = Text(params, "scenario_to_finalize");
    if (scenario == "scenario_minigame_success")
      Report(true);
    else if (scenario == "scenario_minigame_failed")
      Report(false);
  }
}

void TKestrelleControlMiniGame::StartOrder(const ParamsRef& params) {
  EmptyGroup(scenarioGroup_.lock());
  EmptyGroup(client_.lock());
  EmptyGroup(order_.lock());
  answered_ = false;
  orderedItemId_.clear();
  std::vector<WidgetRef> items = ChildrenOf(items_.lock());
  if (!items.empty()) {
    WidgetRef wanted = items[static_cast<size_t>(Random(static_cast<int32_t>(items.size())))];
    orderedItemId_ = wanted->GetProperty("item_id").ToString();
    // "type" names the element's class, so the data gives the order's kind as an extra parameter.
    const std::string type = OwnText(std::string(), "type");
    ParamsRef orderParams = CreateParams();
    if (type == "text") {
      orderParams->SetValue("text", Variant("%order_" + orderedItemId_ + "%"));
      CreateWidgetInto(*this, order_.lock(), "text_order", orderParams);
    } else if (type == "image") {
      orderParams->SetValue("resourcename", Variant(orderedItemId_));
      CreateWidgetInto(*this, order_.lock(), "image_order_" + OwnText(id_, "id"), orderParams);
    }
  }
  int64_t hearts = 0;
  if (!params || !VariantToInt(params->GetValue("client_hearts", Variant(0)), hearts)) hearts = 0;
  CreateWidgetInto(*this, client_.lock(), "client_" + Text(params, "client_type"), CreateParams());
  CreateWidgetInto(*this, client_.lock(), "circle_" + std::to_string(hearts), CreateParams());
  SetVisible(true);
  orderId_ = Text(params, "order_id");
}

bool TKestrelleControlMiniGame::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  TAppearanceEffectWdiget::MouseEvent(message, point, keys);
  if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) return false;
  // The first item under the pointer in child order, unless a later one lies higher.
  WidgetRef hit;
  for (const WidgetRef& item : ChildrenOf(items_.lock())) {
    if (!item->ContainsPoint(item->ScreenToOwner(point), false)) continue;
    if (!hit || item->GetZ() > hit->GetZ()) hit = item;
  }
  if (hit) Judge(hit);
  // The level below goes on seeing the click.
  return false;
}

void TKestrelleControlMiniGame::Judge(const WidgetRef& item) {
  if (answered_) return;
  answered_ = true;
  const bool completed = item->GetProperty("item_id").ToString() == orderedItemId_;
  WidgetRef scenario =
      CreateWidgetInto(*this, scenarioGroup_.lock(),
                       completed ? "scenario_minigame_completed" : "scenario_minigame_failed", CreateParams());
  if (scenario)
    scenario->SetProperty("control_game", Variant(InterfaceRef(Self())));
  else
    Report(completed);
}

void TKestrelleControlMiniGame::Report(bool completed) {
  // Looked up again when the level control was not in the tree yet when this control got its owner.
  if (levelControl_.expired()) levelControl_ = FindUpwards(GetOwner(), "control_game_main");
  if (WidgetRef level = levelControl_.lock()) {
    ParamsRef params = CreateParams();
    params->SetValue("completed", Variant(std::string(completed ? "yes" : "no")));
    params->SetValue("order_id", Variant(orderId_));
    level->HandleEvent(level_codes::kMinigameFinished, params);
  }
  SetVisible(false);
}

// ---------------------------------------------------------------------------------------------

void TScenarioMinigameResult::ShowEffect(bool failed) {
  constexpr int kHearts = 10;
  constexpr double kTenthOfATurn = 0.6283185307179586477;
  WidgetRef last;
  for (int i = 1; i <= kHearts; ++i) {
    const double angle = (i - 1) * kTenthOfATurn;
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(std::to_string(i)));
    params->SetValue("anchor_left", Variant(std::sin(angle) * 200 + 475));
    params->SetValue("anchor_top", Variant(std::cos(angle) * 200 + 350));
    WidgetRef heart = CreateChildWidget(Self(), "heart", params, false);
    if (!heart) continue;
    // Each heart starts 70 ms after the one before.
    heart->SetProperty("currenttime", Variant(-70 * i));
    last = heart;
  }
  int64_t animation = 0;
  if (!last || !VariantToInt(last->GetProperty("animationtime"), animation)) animation = 0;
  total_ = static_cast<int32_t>(animation + int64_t{70} * kHearts);
  if (WidgetRef smile = FindWidget("smile")) {
    if (failed) smile->SetProperty("currenttime", Variant(-10 * (total_ - 300)));
    smile->Show(true);
  }
}

void TScenarioMinigameSuccess::Initialize() {
  TScenarioMinigameResult::Initialize();
  AddState("enter", "show_effect");
  AddState("show_effect", "show_smile", {}, {}, Waited(effectWait_), [this](TState&) {
    ShowEffect(false);
    effectWait_ = total_ - 300;
  });
  AddState("show_smile", "exit", {}, {}, Waited(smileWait_), [this](TState&) { smileWait_ = 0; });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TScenarioMinigameFailed::Initialize() {
  TScenarioMinigameResult::Initialize();
  AddState("enter", "show_effect");
  AddState("show_effect", "exit", {}, {}, Waited(total_), [this](TState&) { ShowEffect(true); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
