#include "game/level/screen_start_tool_level.h"

#include <vector>

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "data/text_lists.h"
#include "game/level/profile_access.h"

namespace kestrelle {

namespace {

constexpr const char* kIconGroup = "available_tools";
constexpr const char* kTickState = "CheckBoxState";

}  // namespace

void TKestrelleGameScreenStartToolLevel::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  hovered_.reset();
  screens::ShowWidget(FindWidget("popup"), false);
  FillIcons(screens::ParamValue(params, "profile_tools").ToString());
  toolsLeft_ = SnapshotProfile(CurrentProfileOf(GetOwner())).Integer("tool_slots_cnt", 1);
  ShowToolsLeft();
}

void TKestrelleGameScreenStartToolLevel::FillIcons(const std::string& profileTools) {
  WidgetRef group = FindWidget(kIconGroup);
  auto creator = std::dynamic_pointer_cast<IWidgetOwner>(group);
  if (!group || !creator || !group->GetWidgets()) return;
  group->GetWidgets()->Clear();
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(GetOwner()));
  const std::vector<std::string> types = SplitSemicolonList(profileTools);
  // Each number of icons has its own layout in the group's data.
  const std::string count = std::to_string(types.size());
  const double x0 = group->GetProperty("x0_" + count).ToDouble();
  const double shift = group->GetProperty("shift_" + count).ToDouble();
  double left = x0;
  for (const std::string& type : types) {
    ParamsRef iconParams = CreateParams();
    iconParams->SetValue("name", Variant(type));
    iconParams->SetValue("type", Variant(type));
    iconParams->SetValue("resourcename", Variant("img_StartToolIcon" + type));
    iconParams->SetValue("quantity", Variant(std::to_string(profile.Integer("tool_cnt_" + type, 1))));
    WidgetRef icon = CreateWidgetInto(*creator, group, "tool_icon", iconParams);
    if (!icon) continue;
    icon->SetAnchorLeft(left);
    icon->SetProperty(kTickState, Variant(false));
    left += icon->GetWidth() + shift;
  }
}

void TKestrelleGameScreenStartToolLevel::ShowToolsLeft() {
  if (WidgetRef label = FindWidget("tools_left")) label->SetProperty("text", Variant(std::to_string(toolsLeft_)));
}

void TKestrelleGameScreenStartToolLevel::Ticked(const WidgetRef& icon) {
  if (icon->GetProperty(kTickState).ToBool()) {
    if (toolsLeft_ < 1) {
      icon->SetProperty(kTickState, Variant(false));
      return;
    }
    --toolsLeft_;
  } else {
    ++toolsLeft_;
  }
  ShowToolsLeft();
}

std::string TKestrelleGameScreenStartToolLevel::TickedTypes() {
  std::string list;
  WidgetRef group = FindWidget(kIconGroup);
  WidgetCollectionRef icons = group ? group->GetWidgets() : nullptr;
  if (!icons) return list;
  for (int i = 0; i < icons->GetCount(); ++i) {
    WidgetRef icon = icons->GetByIndex(i);
    if (icon && icon->GetProperty(kTickState).ToBool()) list += icon->GetProperty("type").ToString() + ";";
  }
  return list;
}

void TKestrelleGameScreenStartToolLevel::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (!sender) return;
  if (code == screens::kEventCheckBoxToggled) {
    WidgetRef group = FindWidget(kIconGroup);
    if (group && std::dynamic_pointer_cast<IWidget>(sender->GetOwner()) == group) Ticked(sender);
    return;
  }
  if (code == screens::kEventClicked && sender->GetName() == "button_ok") {
    if (GameScreenOwnerRef game = GetOwner())
      game->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("selected_tools", Variant(TickedTypes())));
  }
}

WidgetRef TKestrelleGameScreenStartToolLevel::HoveredIcon() {
  EngineRef engine = GetEngine();
  WidgetRef group = FindWidget(kIconGroup);
  WidgetCollectionRef icons = group ? group->GetWidgets() : nullptr;
  if (!engine || !icons) return nullptr;
  const TPoint cursor = engine->GetCursorPos();
  for (int i = 0; i < icons->GetCount(); ++i) {
    WidgetRef icon = icons->GetByIndex(i);
    if (icon && icon->ContainsPoint(icon->ScreenToOwner(cursor), false)) return icon;
  }
  return nullptr;
}

void TKestrelleGameScreenStartToolLevel::Update(int32_t elapsedMs) {
  TGameScreen::Update(elapsedMs);
  if (!IsActive()) return;
  WidgetRef icon = HoveredIcon();
  if (icon == hovered_.lock()) return;
  hovered_ = icon;
  WidgetRef popup = FindWidget("popup");
  if (!popup) return;
  if (icon) popup->SetProperty("text", Variant("%desc_" + icon->GetProperty("type").ToString() + "%"));
  screens::ShowWidget(popup, icon != nullptr);
}

}  // namespace kestrelle
