#pragma once
// The headless script's view of the running game: widgets of the top screen by path, for the
// "clickw", "waitw" and "expect" commands. A path "setting:NAME" names the game setting NAME:
// it exists while the setting is not Null; "expect" reads its "count" (items of a collection) or
// its "value". "show" opens a game screen through the game.

#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "platform/headless_script.h"

namespace kestrelle {

class TopScreenProbe : public ScriptWidgetProbe {
 public:
  // The engine is given once it exists; until then (and after it is gone) there is no widget.
  void SetEngine(const EngineRef& engine) { engine_ = engine; }

  // The name of the screen on top ("" when there is none).
  std::string TopScreenName() const;

  bool Exists(const std::string& path) override;
  bool IsShown(const std::string& path) override;
  bool Centre(const std::string& path, int& x, int& y) override;
  // Booleans read "yes" and "no", as the data writes them; other values as their text.
  bool Property(const std::string& path, const std::string& name, std::string& value, std::string& error) override;
  bool ShowScreen(const std::string& name, const std::vector<std::pair<std::string, std::string>>& params,
                  std::string& error) override;

 private:
  std::weak_ptr<IEngine> engine_;
};

}  // namespace kestrelle
