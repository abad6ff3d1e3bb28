#pragma once
// The game definition's "custom_settings": each "custom_setting" names a command file (enciphered
// when it has a "key") whose commands change the running game once, at the end of the start
// sequence, when every screen exists. Commands are read from their files at that moment.

#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "app/game_screen_interface.h"
#include "app/settings_commands.h"
#include "data/object.h"

namespace kestrelle {

// The commands of one file, in file order, created from their "type".
class TSettingsCommandCollection : public TTypedCreationPersistItemCollection {
 public:
  void Initialize() override;
  InterfaceRef CreateItem(const StorageRef& storage) override;
  void AddItem(const InterfaceRef& item) override;
  bool Add(const SettingsCommandRef& command);
  SettingsCommandRef Get(const Variant& key) const { return ItemAs<ISettingsCommand>(key); }
};

class TCustomSettings : public TPropertyObject {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  // Reads the commands of the file; a file that cannot be read or parsed leaves them as they are.
  void LoadCommands(const EngineRef& engine);
  void Apply(const GameScreenOwnerRef& game);

  std::shared_ptr<TSettingsCommandCollection> GetCommands() const { return commands_; }

 private:
  std::string fileName_;
  std::string key_;
  std::shared_ptr<TSettingsCommandCollection> commands_;
};

class TCustomSettingsCollection : public TStaticCreationPersistItemCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  bool Add(const std::shared_ptr<TCustomSettings>& settings);
  std::shared_ptr<TCustomSettings> Get(const Variant& key) const { return ItemAs<TCustomSettings>(key); }
  // Every custom setting in list order: its commands read, then applied.
  void ApplyAll(const EngineRef& engine, const GameScreenOwnerRef& game);
};

}  // namespace kestrelle
