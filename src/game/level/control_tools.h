#pragma once
// "KestrelleControlTools": the tool panel of the level screen. Its tool slot children
// ("KestrelleGameTool", in order) are filled for a level from the tools the player chose, gain a
// use when a bonus is collected and give their uses back to the profile at the end of a first
// play. Clicking a slot that has uses asks the level control ("control_game_main" of the same
// screen) to use that tool; the slot under the mouse is highlighted.

#include <memory>
#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "game/level/shop_floor_interfaces.h"
#include "game/level/tool_slots.h"

namespace kestrelle {

class TKestrelleGameTool;

class TKestrelleControlTools : public TControlWidget, public virtual IControlTools {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;
  void HandleEvent(int32_t code, const ParamsRef& params) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  std::string GetToolsList() override;
  WidgetRef GetTool(const std::string& type) override;

 private:
  std::vector<std::shared_ptr<TKestrelleGameTool>> Slots() const;
  std::vector<ToolSlot> SlotValues() const;
  // The slot under a point of the owner's space; none between the slots.
  std::shared_ptr<TKestrelleGameTool> SlotAt(const TPoint& point) const;
  void Highlight(const std::shared_ptr<TKestrelleGameTool>& slot);
  ControlGameMainRef LevelControl();
  void SetUpSlots(const ParamsRef& params);
  void AddUse(const ParamsRef& params);
  void StoreUses();

  std::weak_ptr<IControlGameMain> level_;
  std::weak_ptr<TKestrelleGameTool> hovered_;
  std::string toolsList_;  // only a slot for the table's read-only "tools_list"
};

}  // namespace kestrelle
