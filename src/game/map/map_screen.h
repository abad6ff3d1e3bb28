#pragma once
// "KestrelleGameScreenMap": the town map. It hands its button and the screens that close above it
// to its "map_control" as commands, and opens the screen each notification of the control names.
// The first showing per player also opens "GS_MapFirstTime".

#include <string>
#include <utility>
#include <vector>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenMap : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"map_control"};

  void OnShowing(const ParamsRef& params) override;
  void OnShown(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

  // The screen a notification of the map control opens; empty for other codes.
  static std::string ScreenOfNotification(int32_t code);

 private:
  void SendToMap(int32_t code, const ParamsRef& params);
  void Open(const std::string& screen, const ParamsRef& params);

  // Screens asked for while the map itself is being shown open once it is up, on top of it.
  std::vector<std::pair<std::string, ParamsRef>> pending_;
};

}  // namespace kestrelle
