#include "app/settings_commands.h"

#include "app/engine_interface.h"
#include "app/widget_interfaces.h"
#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/text_lists.h"

namespace kestrelle {

void TAbstractSettingsCommand::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "command";
}

void TAbstractSettingsCommand::Report(const std::string& what) const {
  LogLine("Custom settings command \"" + GetName() + "\": " + what + "; skipped");
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TParamSettingsCommand::GetPropertyTable() const {
  static const TPropertyTable table(TAbstractSettingsCommand::GetPropertyTable(),
                                    {
                                        Property("paramname", &TParamSettingsCommand::paramName_),
                                        Property("value", &TParamSettingsCommand::value_),
                                    });
  return table;
}

void TParamSettingsCommand::Apply(const GameScreenOwnerRef& game) {
  if (paramName_.empty()) {
    Report("no \"paramname\"");
    return;
  }
  if (!game) return;
  if (game->GetSetting(paramName_).IsNull())
    LogLine("Custom settings command \"" + GetName() + "\": the game had no setting \"" + paramName_ +
            "\"; it is added");
  game->SetSetting(paramName_, Variant(value_));
}

// ---------------------------------------------------------------------------------------------

void TStorageStringSettingsCommand::LoadProperties(const StorageRef& storage) {
  TAbstractSettingsCommand::LoadProperties(storage);
  storageString_ = storage ? storage->ReadChildContent("storage_string").ToString() : std::string();
}

void TStorageStringSettingsCommand::SaveProperties(const StorageRef& storage) {
  TAbstractSettingsCommand::SaveProperties(storage);
  if (storage && !storageString_.empty()) storage->WriteChildContent("storage_string", Variant(storageString_));
}

StorageRef TStorageStringSettingsCommand::ParseStorageString() const {
  StorageRef storage = storageString_.empty() ? nullptr : LoadStorageFromString(storageString_);
  if (!storage) Report("its \"storage_string\" is not an XML element");
  return storage;
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TLoadResourcesSettingsCommand::GetPropertyTable() const {
  static const TPropertyTable table(TStorageStringSettingsCommand::GetPropertyTable(),
                                    {
                                        Property("groupname", &TLoadResourcesSettingsCommand::groupName_),
                                    });
  return table;
}

void TLoadResourcesSettingsCommand::Apply(const GameScreenOwnerRef& game) {
  EngineRef engine = game ? game->GetEngine() : nullptr;
  if (!engine) return;
  if (StorageRef storage = ParseStorageString()) engine->LoadResources(storage, groupName_, false);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TScreenSettingsCommand::GetPropertyTable() const {
  static const TPropertyTable table(TStorageStringSettingsCommand::GetPropertyTable(),
                                    {
                                        Property("gamescreenname", &TScreenSettingsCommand::gameScreenName_),
                                    });
  return table;
}

void TScreenSettingsCommand::Apply(const GameScreenOwnerRef& game) {
  if (!game) return;
  try {
    GameScreenCollectionRef screens = game->GetScreens();
    GameScreenRef screen = screens ? screens->Get(Variant(gameScreenName_)) : nullptr;
    if (!screen) return Report("no screen \"" + gameScreenName_ + "\"");
    WindowRef window = screen->GetWindowInterface();
    if (!window || !window->GetWidgets()) return Report("the screen \"" + gameScreenName_ + "\" has no window");
    ApplyToWindow(*window);
  } catch (const std::exception& e) {
    Report(e.what());
  }
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TAddWidgetSettingsCommand::GetPropertyTable() const {
  static const TPropertyTable table(TScreenSettingsCommand::GetPropertyTable(),
                                    {
                                        Property("parent_widget_name", &TAddWidgetSettingsCommand::parentWidgetName_),
                                    });
  return table;
}

void TAddWidgetSettingsCommand::ApplyToWindow(IWindow& window) {
  WidgetRef parent = window.FindWidget(parentWidgetName_);
  WidgetCollectionRef children =
      parent && std::dynamic_pointer_cast<IWidgetOwner>(parent) ? parent->GetWidgets() : nullptr;
  if (!children) return Report("no widget group \"" + parentWidgetName_ + "\" on \"" + gameScreenName_ + "\"");
  StorageRef storage = ParseStorageString();
  if (!storage) return;
  const std::string name = ReadString(storage, "name", "");
  const std::string type = ReadString(storage, "type", "");
  auto widget = std::dynamic_pointer_cast<IWidget>(CreateObjectFromString(type));
  if (!widget) return Report("\"" + type + "\" is not a registered widget class");
  if (!name.empty()) widget->SetName(name);
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(widget)) persistent->LoadFromStorage(storage);
  // A widget of the same name is replaced.
  if (WidgetRef existing = parent->FindWidget(name); existing && !name.empty()) {
    existing->SetDead(true);
    children->RemoveDead();
  }
  children->Add(widget);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TWidgetChangePropertyValueSettingsCommand::GetPropertyTable() const {
  static const TPropertyTable table(TScreenSettingsCommand::GetPropertyTable(),
                                    {
                                        Property("widgetname", &TWidgetChangePropertyValueSettingsCommand::widgetName_),
                                        Property("paramname", &TWidgetChangePropertyValueSettingsCommand::paramName_),
                                        Property("value", &TWidgetChangePropertyValueSettingsCommand::value_),
                                    });
  return table;
}

void TWidgetChangePropertyValueSettingsCommand::ApplyToWindow(IWindow& window) {
  if (widgetName_.empty()) return Report("no \"widgetname\"");
  WidgetCollectionRef level = window.GetWidgets();
  WidgetRef widget;
  for (const std::string& name : SplitTopLevel(widgetName_, '\\')) {
    widget = level ? level->Get(Variant(name)) : nullptr;
    if (!widget) return Report("no widget \"" + widgetName_ + "\" on \"" + gameScreenName_ + "\"");
    level = widget->GetWidgets();
  }
  widget->SetProperty(paramName_, Variant(value_));
}

// ---------------------------------------------------------------------------------------------

void RegisterSettingsCommandClasses() {
  RegisterObjectClass<TParamSettingsCommand>("param_command");
  RegisterObjectClass<TLoadResourcesSettingsCommand>("load_resource_command");
  RegisterObjectClass<TAddWidgetSettingsCommand>("add_widget_command");
  RegisterObjectClass<TWidgetChangePropertyValueSettingsCommand>("widget_change_property_value_command");
}

}  // namespace kestrelle
