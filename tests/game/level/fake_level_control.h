#pragma once
// A level control for the tests of what surrounds it: it records every command (scenario reports
// included), answers ComputeResults with a copy of `results`, and starts scenarios from the
// factories of its element like the real control. Made from an element without a registered
// name, so it is attached by hand (Attach) to a tree or a screen.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "data/hier_storage.h"
#include "data/xml_escape.h"
#include "game/level/shop_floor_interfaces.h"

namespace kestrelle::testing {

class FakeLevelControl : public TControlGameWidget, public virtual IControlGameMain {
 public:
  struct Command {
    int32_t code = 0;
    ParamsRef params;
  };

  std::vector<Command> commands;
  ParamsRef results = CreateParams();
  int resultsComputed = 0;
  // Called after a command is recorded (a test's stand-in for what the control does about it).
  std::function<void(int32_t code, const ParamsRef& params)> onCommand;

  static std::shared_ptr<FakeLevelControl> Load(const std::string& xml) {
    auto control = Create<FakeLevelControl>();
    control->LoadFromStorage(LoadStorageFromString(xml));
    return control;
  }
  // A "widgetfactory" element making `widgetXml`.
  static std::string Factory(const std::string& name, const std::string& widgetXml) {
    return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widgetXml) + "\"/>";
  }
  // Added to `group`'s children (which gives it its owner).
  void Attach(const WidgetRef& group) { group->GetWidgets()->Add(Self()); }

  void HandleEvent(int32_t code, const ParamsRef& params) override {
    commands.push_back({code, params});
    TControlGameWidget::HandleEvent(code, params);
    if (onCommand) onCommand(code, params);
  }
  // A notification to the screen, as the control sends them.
  void Tell(int32_t code, const ParamsRef& params) { Notify(code, params); }
  // The commands with that code.
  std::vector<Command> With(int32_t code) const {
    std::vector<Command> found;
    for (const Command& c : commands)
      if (c.code == code) found.push_back(c);
    return found;
  }

  std::string GetOrderedItems() override { return {}; }
  ParamsRef ComputeResults() override {
    ++resultsComputed;
    return CopyParams(results);
  }
  void ClientLeft(const ShopStationRef&) override {}
};

inline std::string ParamText(const ParamsRef& params, const std::string& name) {
  return params ? params->GetValue(name, Variant()).ToString() : std::string("<none>");
}

}  // namespace kestrelle::testing
