#include "app/custom_settings.h"

#include "data/file_system.h"
#include "data/hier_storage.h"

namespace kestrelle {

void TSettingsCommandCollection::Initialize() {
  TTypedCreationPersistItemCollection::Initialize();
  storageName_ = "commands";
  itemElementName_ = "command";
}

InterfaceRef TSettingsCommandCollection::CreateItem(const StorageRef& storage) {
  InterfaceRef item = TTypedCreationPersistItemCollection::CreateItem(storage);
  if (!std::dynamic_pointer_cast<ISettingsCommand>(item))
    LogLine("Custom settings: command \"" + ReadString(storage, "name", "") + "\" has the type \"" +
            ReadString(storage, "type", "") + "\", which is no registered command; skipped");
  return item;
}

void TSettingsCommandCollection::AddItem(const InterfaceRef& item) {
  Add(std::dynamic_pointer_cast<ISettingsCommand>(item));
}

bool TSettingsCommandCollection::Add(const SettingsCommandRef& command) {
  if (!command) return false;
  const std::string name = command->GetName();
  return items_.Add(command, name, -1, name.empty()) != nullptr;
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TCustomSettings::GetPropertyTable() const {
  static const TPropertyTable table(TPropertyObject::GetPropertyTable(),
                                    {
                                        Property("filename", &TCustomSettings::fileName_),
                                        Property("key", &TCustomSettings::key_).SavedIfNotDefault(),
                                    });
  return table;
}

void TCustomSettings::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "custom_setting";
  commands_ = Create<TSettingsCommandCollection>();
}

void TCustomSettings::LoadCommands(const EngineRef& engine) {
  if (fileName_.empty() || !engine) return;
  try {
    const std::string text = engine->LoadTextFile(fileName_, key_);
    StorageRef storage = text.empty() ? nullptr : LoadStorageFromString(text);
    if (!storage) {
      LogLine("Custom settings \"" + GetName() + "\": \"" + fileName_ +
              "\" is missing or is no XML document (is its key right?); no commands");
      return;
    }
    if (!LoadChildObject(commands_, storage, "commands", 0))
      LogLine("Custom settings \"" + GetName() + "\": \"" + fileName_ + "\" has no \"commands\"");
  } catch (const std::exception& e) {
    LogLine("Custom settings \"" + GetName() + "\": reading \"" + fileName_ + "\" failed: " + e.what());
  }
}

void TCustomSettings::Apply(const GameScreenOwnerRef& game) {
  for (int i = 0; i < commands_->GetCount(); ++i)
    if (SettingsCommandRef command = commands_->Get(Variant(i))) command->Apply(game);
}

// ---------------------------------------------------------------------------------------------

void TCustomSettingsCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "custom_settings";
  itemElementName_ = "custom_setting";
  itemClass_ = MakeObject<TCustomSettings>;
}

void TCustomSettingsCollection::AddItem(const InterfaceRef& item) {
  Add(std::dynamic_pointer_cast<TCustomSettings>(item));
}

bool TCustomSettingsCollection::Add(const std::shared_ptr<TCustomSettings>& settings) {
  if (!settings) return false;
  const std::string name = settings->GetName();
  return items_.Add(settings, name, -1, name.empty()) != nullptr;
}

void TCustomSettingsCollection::ApplyAll(const EngineRef& engine, const GameScreenOwnerRef& game) {
  for (int i = 0; i < GetCount(); ++i) {
    if (std::shared_ptr<TCustomSettings> settings = Get(Variant(i))) {
      settings->LoadCommands(engine);
      settings->Apply(game);
    }
  }
}

}  // namespace kestrelle
