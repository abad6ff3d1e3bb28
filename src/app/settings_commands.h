#pragma once
// Custom settings commands: each one does one thing to the running game, once at start-up: set a
// game setting ("param_command"), load a group of resources ("load_resource_command"), add a
// widget to a screen ("add_widget_command") or change one property of a widget
// ("widget_change_property_value_command"). What they name may be missing: that command does
// nothing and says so in the log, and the next one runs.

#include <memory>
#include <string>

#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/property_table.h"

namespace kestrelle {

class ISettingsCommand : public virtual INamedObject {
 public:
  virtual void Apply(const GameScreenOwnerRef& game) = 0;
};
using SettingsCommandRef = std::shared_ptr<ISettingsCommand>;

// The base: applying does nothing.
class TAbstractSettingsCommand : public TPropertyObject, public virtual ISettingsCommand {
 public:
  void Initialize() override;
  void Apply(const GameScreenOwnerRef& game) override {}

 protected:
  // "Custom settings command "<name>": <what>" in the log.
  void Report(const std::string& what) const;
};

class TParamSettingsCommand : public TAbstractSettingsCommand {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Apply(const GameScreenOwnerRef& game) override;

 private:
  std::string paramName_;
  std::string value_;
};

// Commands that carry XML text in their child element "storage_string".
class TStorageStringSettingsCommand : public TAbstractSettingsCommand {
 public:
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

 protected:
  // The parsed text; none (and a log line) when it does not parse.
  StorageRef ParseStorageString() const;

  std::string storageString_;
};

class TLoadResourcesSettingsCommand : public TStorageStringSettingsCommand {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Apply(const GameScreenOwnerRef& game) override;

 private:
  std::string groupName_;
};

// Commands that act on a widget of a screen's window. Whatever goes wrong on the way is logged and
// the command does nothing.
class TScreenSettingsCommand : public TStorageStringSettingsCommand {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Apply(const GameScreenOwnerRef& game) override;

 protected:
  // The step on the window of the named screen (it exists and has a widget list).
  virtual void ApplyToWindow(IWindow& window) = 0;

  std::string gameScreenName_;
};

class TAddWidgetSettingsCommand : public TScreenSettingsCommand {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  void ApplyToWindow(IWindow& window) override;

 private:
  std::string parentWidgetName_;
};

// Carries no "storage_string" of its own: none is read or written when there is none.
class TWidgetChangePropertyValueSettingsCommand : public TScreenSettingsCommand {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  void ApplyToWindow(IWindow& window) override;

 private:
  std::string widgetName_;  // names joined by "\", from the screen's top level down
  std::string paramName_;
  std::string value_;
};

void RegisterSettingsCommandClasses();

}  // namespace kestrelle
