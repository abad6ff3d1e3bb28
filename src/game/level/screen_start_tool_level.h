#pragma once
// "KestrelleGameScreenStartToolLevel": the choice of the tools to take into a level when the
// player owns more tools than the panel has slots. Every owned tool becomes a tickable icon from
// the factory "tool_icon" in "available_tools"; "tools_left" counts the slots still free and a
// tick beyond them is taken back; the icon under the mouse describes itself in "popup".
// "button_ok" closes the screen with "selected_tools", the ticked types each followed by ";".

#include <cstdint>
#include <string>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenStartToolLevel : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"available_tools", "tools_left"};

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void Update(int32_t elapsedMs) override;

  int64_t GetToolsLeft() const { return toolsLeft_; }

 private:
  void FillIcons(const std::string& profileTools);
  void ShowToolsLeft();
  void Ticked(const WidgetRef& icon);
  // The icon under the pointer now; none between the icons.
  WidgetRef HoveredIcon();
  std::string TickedTypes();

  int64_t toolsLeft_ = 0;
  std::weak_ptr<IWidget> hovered_;
};

}  // namespace kestrelle
