#include "game/level/control_tools.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/numbers.h"
#include "data/property_table.h"
#include "game/level/game_tool.h"
#include "game/level/level_codes.h"
#include "game/level/profile_access.h"

namespace kestrelle {

namespace {

constexpr const char* kLevelControlName = "control_game_main";

std::string ParamText(const ParamsRef& params, const std::string& name) {
  return screens::ParamValue(params, name).ToString();
}

}  // namespace

const TPropertyTable& TKestrelleControlTools::GetPropertyTable() const {
  using T = TKestrelleControlTools;
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("tools_list", &T::toolsList_).GetWith(&T::GetToolsList).ReadOnly().NotStored(),
      });
  return table;
}

void TKestrelleControlTools::Initialize() {
  TControlWidget::Initialize();
  level_.reset();
  hovered_.reset();
}

void TKestrelleControlTools::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  level_.reset();
  LevelControl();
}

void TKestrelleControlTools::ClearOwner() {
  level_.reset();
  hovered_.reset();
  TControlWidget::ClearOwner();
}

ControlGameMainRef TKestrelleControlTools::LevelControl() {
  if (ControlGameMainRef level = level_.lock()) return level;
  // The level control may be attached after the panel: looked up again until found.
  WindowRef window = OwnerWindow();
  auto level = std::dynamic_pointer_cast<IControlGameMain>(window ? window->FindWidget(kLevelControlName) : nullptr);
  level_ = level;
  return level;
}

std::vector<std::shared_ptr<TKestrelleGameTool>> TKestrelleControlTools::Slots() const {
  std::vector<std::shared_ptr<TKestrelleGameTool>> slots;
  if (!widgets_) return slots;
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (auto slot = std::dynamic_pointer_cast<TKestrelleGameTool>(child)) slots.push_back(slot);
  }
  return slots;
}

std::vector<ToolSlot> TKestrelleControlTools::SlotValues() const {
  std::vector<ToolSlot> values;
  for (const auto& slot : Slots()) {
    ToolSlot value;
    value.type = slot->GetType();
    value.quantity = slot->GetQuantity();
    values.push_back(std::move(value));
  }
  return values;
}

std::string TKestrelleControlTools::GetToolsList() { return ToolsList(SlotValues()); }

WidgetRef TKestrelleControlTools::GetTool(const std::string& type) {
  for (const auto& slot : Slots()) {
    if (slot->GetType() == type) return slot;
  }
  return nullptr;
}

void TKestrelleControlTools::HandleEvent(int32_t code, const ParamsRef& params) {
  switch (code) {
    case level_codes::kSetUpToolSlots:
      SetUpSlots(params);
      break;
    case level_codes::kAddToolUse:
      AddUse(params);
      break;
    case level_codes::kStoreToolUses:
      StoreUses();
      break;
    default:
      TControlWidget::HandleEvent(code, params);
      break;
  }
}

void TKestrelleControlTools::SetUpSlots(const ParamsRef& params) {
  GameScreenOwnerRef game = GameOfWidget(*this);
  UserProfileRef profile = CurrentProfileOf(game);
  int64_t level = 0;
  ParseInt(ParamText(params, "level"), level);
  const std::vector<std::shared_ptr<TKestrelleGameTool>> slots = Slots();
  const ToolSlotSetUp setUp = SetUpToolSlots(static_cast<int>(slots.size()), ParamText(params, "selected_tools"), level,
                                             SnapshotProfile(profile));
  for (size_t i = 0; i < slots.size() && i < setUp.slots.size(); ++i) {
    const ToolSlot& value = setUp.slots[i];
    const auto& slot = slots[i];
    if (!value.IsLocked()) {
      slot->SetResourceName(value.resourceName);
      slot->SetDisabledResourceName(value.disabledResourceName);
      slot->SetQuantity(value.quantity);
    }
    slot->SetType(value.type);
    slot->SetHighlight(false);
  }
  hovered_.reset();
  WriteProfile(profile, setUp.writes);
  SaveProfiles(game);
}

void TKestrelleControlTools::AddUse(const ParamsRef& params) {
  if (auto slot = std::dynamic_pointer_cast<TKestrelleGameTool>(GetTool(ParamText(params, "type"))))
    slot->SetQuantity(slot->GetQuantity() + 1);
}

void TKestrelleControlTools::StoreUses() {
  GameScreenOwnerRef game = GameOfWidget(*this);
  WriteProfile(CurrentProfileOf(game), StoreToolUses(SlotValues()));
  SaveProfiles(game);
}

std::shared_ptr<TKestrelleGameTool> TKestrelleControlTools::SlotAt(const TPoint& point) const {
  // The slots live in the panel's own space, which starts at its anchor.
  const TPoint inner{point.x - Round32(anchorLeft_), point.y - Round32(anchorTop_)};
  for (const auto& slot : Slots()) {
    if (slot->ContainsPoint(inner, false)) return slot;
  }
  return nullptr;
}

void TKestrelleControlTools::Highlight(const std::shared_ptr<TKestrelleGameTool>& slot) {
  auto previous = hovered_.lock();
  if (previous == slot) return;
  if (previous) previous->SetHighlight(false);
  if (slot) slot->SetHighlight(true);
  hovered_ = slot;
}

bool TKestrelleControlTools::MouseMove(const TPoint& point, uint32_t keys) {
  Highlight(SlotAt(point));
  return true;
}

void TKestrelleControlTools::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  // The panel hears no mouse move once the pointer has left it.
  if (!hovered_.expired() && !PointerInside()) Highlight(nullptr);
}

bool TKestrelleControlTools::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlWidget::MouseDown(point, keys, button);
  if (button != kButtonLeft) return false;
  auto slot = SlotAt(point);
  if (!slot || slot->IsLocked() || slot->GetQuantity() <= 0) return true;
  if (ControlGameMainRef level = LevelControl()) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(slot->GetName()));
    params->SetValue("type", Variant(slot->GetType()));
    level->HandleEvent(level_codes::kUseTool, params);
  }
  return true;
}

}  // namespace kestrelle
